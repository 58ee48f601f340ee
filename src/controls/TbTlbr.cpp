#include "controls/TbTlbr.h"

#include "win/ToolTips.h"

#include "controls/TbCtls.h"
#include "win/Forms.h"
#include "win/StdCtrls.h"

#include <algorithm>
#include <iterator>

namespace {
TToolbar* ToolbarOf(TWinControl* parent) {
    auto* toolbar = dynamic_cast<TToolbar*>(parent);
    tbtlbr::CheckSeparatorParent(toolbar != nullptr);
    return toolbar;
}

bool Contains(const TBounds& b, int x, int y) {
    return x >= b.left && x < b.left + b.width && y >= b.top && y < b.top + b.height;
}
} // namespace

TToolbar::TToolbar(TComponent* owner, TDock* dock) : TWinControl(owner, dock), dock_(dock) {
    SetOwnerPainted(true);
    SetBounds(0, 0, dock->ClientWidth(), DockedHeight());
    TCreateParams params;
    params.style |= WS_CLIPCHILDREN;
    CreateHandle(params);
    dock_->InsertToolbar(this);
}

TToolbar::~TToolbar() {
    for (TToolbarItem* item : items_)
        item->toolbar_ = nullptr;
    if (dock_)
        dock_->RemoveToolbar(this);
}

void TToolbar::SetFullSize(bool fullSize) {
    fullSize_ = fullSize;
    if (dock_)
        dock_->ArrangeToolbars();
}

void TToolbar::InsertItem(TToolbarItem* item) {
    items_.push_back(item);
    ArrangeControls();
}

void TToolbar::RemoveItem(TToolbarItem* item) {
    if (pressed_ == item)
        CancelPress(pressed_);
    UpdateToolTip(item, true);
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    ArrangeControls();
}

void TToolbar::InsertControl(TWinControl* control) {
    windowed_.push_back({control, control->Left()});
    FreeNotification(control);
    ArrangeControls();
}

void TToolbar::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove &&
        std::erase_if(windowed_, [&](const WindowedItem& w) { return w.control == component; }) > 0)
        ArrangeControls();
}

void TToolbar::ArrangeControls() {
    // Windowless items first, then the windowed ones; the order of stored positions mixes them.
    std::vector<tbtlbr::TItem> layout;
    std::transform(items_.begin(), items_.end(), std::back_inserter(layout),
                   [](const TToolbarItem* item) { return item->LayoutItem(); });
    std::transform(windowed_.begin(), windowed_.end(), std::back_inserter(layout), [](const WindowedItem& w) {
        return tbtlbr::TItem{tbtlbr::TItemKind::control, w.control->Visible(), w.storedLeft,
                             w.control->Width(),         w.control->Height(),  0};
    });
    const std::vector<std::size_t> order = tbtlbr::ToolbarOrder(layout);
    std::vector<tbtlbr::TItem> ordered;
    std::transform(order.begin(), order.end(), std::back_inserter(ordered),
                   [&](std::size_t i) { return layout[i]; });
    const tbtlbr::TArrangement arranged = tbtlbr::ArrangeDocked(ordered);
    for (std::size_t k = 0; k < order.size(); ++k) {
        const TBounds& r = arranged.bounds[k];
        if (order[k] < items_.size()) {
            items_[order[k]]->bounds_ = {r.left, r.top, r.width, r.height};
            UpdateToolTip(items_[order[k]]);
        } else {
            windowed_[order[k] - items_.size()].control->SetBounds(r.left, r.top, r.width, r.height);
        }
    }
    const bool heightChanged = rowHeight_ != arranged.rowHeight;
    rowHeight_ = arranged.rowHeight;
    Invalidate();
    if (heightChanged && dock_)
        dock_->ArrangeToolbars();
}

TToolbarItem* TToolbar::ItemAt(int x, int y) const {
    const auto found = std::find_if(items_.begin(), items_.end(), [&](const TToolbarItem* item) {
        return item->Visible() && Contains(item->Bounds(), x, y);
    });
    return found == items_.end() ? nullptr : *found;
}

TToolbarButton* TToolbar::ButtonAt(int x, int y) const {
    return dynamic_cast<TToolbarButton*>(ItemAt(x, y));
}

void TToolbar::PaintFrame(HDC dc, int width, int height) {
    // A raised edge around the whole window, then a line of the toolbar's colour inside it.
    RECT rc{0, 0, width, height};
    Frame3D(dc, rc, clBtnHighlight, clBtnShadow, 1);
    FrameRect(dc, &rc, BackgroundBrush());
}

void TToolbar::Paint(HDC dc) {
    RECT rc;
    GetClientRect(Handle(), &rc);
    FillRect(dc, &rc, BackgroundBrush());
    for (TToolbarItem* item : items_)
        if (item->Visible())
            item->PaintAt(dc, item->Left(), item->Bounds().top);
}

void TToolbar::PaintWindow(HDC dc) {
    PaintFrame(dc, Width(), Height());
    POINT old;
    SetViewportOrgEx(dc, tbtlbr::kBorder, tbtlbr::kBorder, &old);
    Paint(dc);
    SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

void TToolbar::EnsureToolTips() {
    // The form's tool-tip window is made when the pointer first comes to the toolbar, not at start-up.
    if (toolTipsReady_ || !HintWindow())
        return;
    toolTipsReady_ = true;
    for (TToolbarItem* item : items_)
        UpdateToolTip(item);
}

void TToolbar::UpdateToolTip(TToolbarItem* item, bool remove) {
    if (!toolTipsReady_)
        return;
    HWND tip = HintWindow();
    TOOLINFOA ti = ToolInfo(Handle(), reinterpret_cast<UINT_PTR>(item), TTF_SUBCLASS);
    SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    if (remove || !item->Visible() || !item->ShowHint() || item->Hint().empty())
        return;
    const TBounds& b = item->Bounds();
    ti.rect = {b.left, b.top, b.left + b.width, b.top + b.height};
    ti.lpszText = const_cast<char*>(item->Hint().c_str());
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void TToolbar::CancelPress(const TToolbarButton* button) {
    if (pressed_ != button)
        return;
    pressed_ = nullptr;
    if (GetCapture() == Handle())
        ReleaseCapture();
}

bool TToolbar::RouteMouse(UINT msg, LPARAM lParam) {
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    switch (msg) {
    case WM_MOUSEMOVE:
        EnsureToolTips();
        if (!trackingLeave_) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
            trackingLeave_ = TrackMouseEvent(&track) != FALSE;
        }
        if (pressed_)
            pressed_->MovedWhilePressed(Contains(pressed_->Bounds(), x, y));
        if (TToolbarButton* button = ButtonAt(x, y))
            button->MouseMoved();
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (TToolbarButton* button = ButtonAt(x, y); button && button->Enabled()) {
            pressed_ = button;
            SetCapture(Handle());
            button->LeftButtonDown();
        }
        return true;
    case WM_LBUTTONUP:
        if (TToolbarButton* button = pressed_) {
            CancelPress(button);
            button->LeftButtonUp(Contains(button->Bounds(), x, y));
        }
        return true;
    case WM_RBUTTONUP:
        if (TToolbarButton* button = ButtonAt(x, y)) {
            CancelPress(button);
            button->RightButtonUp();
        }
        return true;
    case WM_MOUSELEAVE:
        // The pointer left the window: the hot button need not wait for its timer.
        trackingLeave_ = false;
        if (auto* hot = dynamic_cast<TToolbarButton*>(tbctls::TButtonLogic::HotButton()))
            if (hot->Toolbar() == this)
                hot->CheckHover();
        return true;
    default:
        return false;
    }
}

LRESULT TToolbar::AnswerQuery(int left) const {
    for (const TToolbarItem* item : items_) {
        if (!item->Visible() || item->Left() != left)
            continue;
        const auto* button = dynamic_cast<const TToolbarButton*>(item);
        if (!button)
            return 0;
        int flags = tbtlbr::kItemButton | (button->Enabled() ? tbtlbr::kItemEnabled : 0) |
                    (button->MouseInControl() ? tbtlbr::kItemMouseIn : 0) |
                    (tbctls::TButtonLogic::HotButton() == button ? tbtlbr::kItemHot : 0);
        return flags | (static_cast<int>(button->State()) << 8);
    }
    return -1;
}

LRESULT TToolbar::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NCCALCSIZE: {
        auto* rc = reinterpret_cast<RECT*>(lParam);
        InflateRect(rc, -tbtlbr::kBorder, -tbtlbr::kBorder);
        return 0;
    }
    case WM_NCPAINT: {
        const WindowDc dc(Handle(), WindowDc::WholeWindow);
        PaintFrame(dc.get(), Width(), Height());
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (pressed_ && reinterpret_cast<HWND>(lParam) != Handle()) {
            TToolbarButton* button = pressed_;
            pressed_ = nullptr;
            button->PressCancelled();
        }
        break;
    default:
        if (msg == tbtlbr::kQueryItemMessage)
            return AnswerQuery(static_cast<int>(wParam));
        if (RouteMouse(msg, lParam))
            return 0;
        break;
    }
    return TWinControl::WndProc(msg, wParam, lParam);
}

TToolbarItem::TToolbarItem(TComponent* owner, TToolbar* toolbar, const TBounds& bounds)
    : TComponent(owner), toolbar_(toolbar), bounds_(bounds), storedLeft_(bounds.left) {
    toolbar_->InsertItem(this);
}

TToolbarItem::~TToolbarItem() {
    if (toolbar_)
        toolbar_->RemoveItem(this);
}

tbtlbr::TItem TToolbarItem::LayoutItem() const {
    return {tbtlbr::TItemKind::button,    visible_, storedLeft_, bounds_.width, bounds_.height,
            tbtlbr::kDefaultSeparatorSize};
}

void TToolbarItem::SetVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    if (toolbar_)
        toolbar_->ArrangeControls();
}

void TToolbarItem::SetHint(const std::string& hint) {
    hint_ = hint;
    if (toolbar_)
        toolbar_->UpdateToolTip(this);
}

void TToolbarItem::SetShowHint(bool show) {
    showHint_ = show;
    if (toolbar_)
        toolbar_->UpdateToolTip(this);
}

void TToolbarItem::Invalidate() const {
    if (!toolbar_ || !toolbar_->Handle())
        return;
    RECT rc{bounds_.left, bounds_.top, bounds_.left + bounds_.width, bounds_.top + bounds_.height};
    InvalidateRect(toolbar_->Handle(), &rc, FALSE);
}

TToolbarSep::TToolbarSep(TComponent* owner, TWinControl* parent, int left, int sizeHorz)
    : TToolbarItem(owner, ToolbarOf(parent), {left, 0, sizeHorz, 0}), sizeHorz_(sizeHorz) {
    Toolbar()->ArrangeControls();
}

tbtlbr::TItem TToolbarSep::LayoutItem() const {
    tbtlbr::TItem item = TToolbarItem::LayoutItem();
    item.kind = tbtlbr::TItemKind::separator;
    item.sizeHorz = sizeHorz_;
    return item;
}

void TToolbarSep::SetBlank(bool blank) {
    blank_ = blank;
    Invalidate();
}

void TToolbarSep::SetSizeHorz(int size) {
    sizeHorz_ = size;
    if (Toolbar())
        Toolbar()->ArrangeControls();
}

void TToolbarSep::PaintAt(HDC dc, int x, int y) {
    if (blank_)
        return;
    const tbtlbr::TSeparatorLines lines = tbtlbr::SeparatorLines(Width());
    BrushHandle shadow(CreateSolidBrush(ColorToRGB(clBtnShadow)));
    BrushHandle highlight(CreateSolidBrush(ColorToRGB(clBtnHighlight)));
    RECT left{x + lines.shadow, y, x + lines.shadow + 1, y + Height()};
    RECT right{x + lines.highlight, y, x + lines.highlight + 1, y + Height()};
    FillRect(dc, &left, shadow.get());
    FillRect(dc, &right, highlight.get());
}
