#include "controls/TbDock.h"

#include "controls/TbTlbr.h"

#include <algorithm>

TDock::TDock(TComponent* owner, TWinControl* parent, TDockPosition position)
    : TWinControl(owner, parent), position_(position) {
    SetOwnerPainted(true);
    TCreateParams params;
    params.style |= WS_CLIPCHILDREN;
    CreateHandle(params);
    AlignToParent();
}

TDock::~TDock() {
    for (TToolbar* toolbar : toolbars_)
        toolbar->dock_ = nullptr;
}

void TDock::InsertToolbar(TToolbar* toolbar) {
    toolbars_.push_back(toolbar);
    ArrangeToolbars();
}

void TDock::RemoveToolbar(TToolbar* toolbar) {
    toolbars_.erase(std::remove(toolbars_.begin(), toolbars_.end(), toolbar), toolbars_.end());
}

int TDock::RowHeight() const {
    int height = 0;
    for (const TToolbar* toolbar : toolbars_)
        if (toolbar->Visible())
            height = std::max(height, toolbar->DockedHeight());
    return height;
}

void TDock::AlignToParent() {
    if (!Parent())
        return;
    const int width = Parent()->ClientWidth();
    const int height = RowHeight();
    const int top = position_ == TDockPosition::dpBottom ? Parent()->ClientHeight() - height : 0;
    SetBounds(0, top, width, height);
}

void TDock::ArrangeToolbars() {
    // Moving a toolbar makes it arrange its items, which may change the row's height again.
    if (arranging_)
        return;
    arranging_ = true;
    int x = 0;
    const int width = ClientWidth();
    for (TToolbar* toolbar : toolbars_) {
        if (!toolbar->Visible())
            continue;
        const int w = toolbar->FullSize() ? width : toolbar->Width();
        toolbar->SetBounds(x, 0, w, toolbar->DockedHeight());
        x += w;
    }
    arranging_ = false;
    if (Height() != RowHeight())
        AlignToParent();
}

void TDock::Paint(HDC dc) {
    RECT rc;
    GetClientRect(Handle(), &rc);
    FillRect(dc, &rc, BackgroundBrush());
}

LRESULT TDock::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = TWinControl::WndProc(msg, wParam, lParam);
    if (msg == WM_SIZE) {
        ArrangeToolbars();
        if (OnResize)
            OnResize(this);
    }
    return result;
}
