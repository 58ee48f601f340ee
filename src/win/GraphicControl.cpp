#include "win/GraphicControl.h"

TGraphicControl::TGraphicControl(TComponent* owner, TWinControl* parent, const TBounds& bounds)
    : TComponent(owner), parent_(parent), bounds_(bounds) {
    font_.Assign(parent_->Font().Desc());
    color_ = parent_->Color();
    font_.OnChange = [this] { FontChanged(); };
    parent_->InsertGraphic(this);
}

TGraphicControl::~TGraphicControl() {
    if (!parent_)
        return;
    // Gone, its area shows the parent again.
    const RECT rc = BoundsRect();
    if (visible_ && ParentHandle())
        InvalidateRect(ParentHandle(), &rc, TRUE);
    parent_->RemoveGraphic(this);
}

HWND TGraphicControl::ParentHandle() const {
    return parent_ ? parent_->Handle() : nullptr;
}

RECT TGraphicControl::BoundsRect() const {
    return {bounds_.left, bounds_.top, bounds_.left + bounds_.width, bounds_.top + bounds_.height};
}

void TGraphicControl::SetBounds(int left, int top, int width, int height) {
    Invalidate();
    bounds_ = {left, top, width, height};
    Invalidate();
}

void TGraphicControl::SetVisible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    // Hidden, its area shows the parent again.
    const RECT rc = BoundsRect();
    if (ParentHandle())
        InvalidateRect(ParentHandle(), &rc, TRUE);
    ShowingChanged();
}

bool TGraphicControl::Showing() const {
    return visible_ && ParentHandle() && parent_->Visible();
}

void TGraphicControl::SetColor(TColor color) {
    color_ = color;
    Invalidate();
}

void TGraphicControl::Invalidate() const {
    if (!visible_ || !ParentHandle())
        return;
    const RECT rc = BoundsRect();
    InvalidateRect(ParentHandle(), &rc, Opaque() ? FALSE : TRUE);
}

WindowDc TGraphicControl::InPlaceDc() const {
    if (!visible_ || !ParentHandle() || !IsWindowVisible(ParentHandle()))
        return WindowDc();
    return WindowDc(ParentHandle());
}

void TGraphicControl::Repaint() {
    WindowDc dc = InPlaceDc();
    if (!dc.get())
        return;
    const SavedDcState saved(dc.get());
    IntersectClipRect(dc.get(), bounds_.left, bounds_.top, bounds_.left + bounds_.width,
                      bounds_.top + bounds_.height);
    OffsetViewportOrgEx(dc.get(), bounds_.left, bounds_.top, nullptr);
    Paint(dc.get());
}

bool TGraphicControl::MouseMessage(UINT, WPARAM, int, int) {
    return false;
}

// ------------------------------------------------ the parent's side: painting and mouse routing

void TWinControl::InsertGraphic(TGraphicControl* control) {
    graphics_.push_back(control);
}

void TWinControl::RemoveGraphic(TGraphicControl* control) {
    std::erase(graphics_, control);
    if (mouseCapture_ == control)
        mouseCapture_ = nullptr;
}

void TWinControl::PaintGraphics(HDC dc) {
    // A copy: painting may not add or remove controls, but a failing paint must not leave the list torn.
    const std::vector<TGraphicControl*> graphics = graphics_;
    for (TGraphicControl* graphic : graphics) {
        if (!graphic->Visible())
            continue;
        const RECT rc = graphic->BoundsRect();
        if (!RectVisible(dc, &rc))
            continue;
        const SavedDcState saved(dc);
        IntersectClipRect(dc, rc.left, rc.top, rc.right, rc.bottom);
        OffsetViewportOrgEx(dc, rc.left, rc.top, nullptr);
        graphic->Paint(dc);
    }
}

TGraphicControl* TWinControl::GraphicAt(int x, int y) const {
    const POINT pt{x, y};
    for (auto it = graphics_.rbegin(); it != graphics_.rend(); ++it) {
        const RECT rc = (*it)->BoundsRect();
        if ((*it)->Visible() && PtInRect(&rc, pt))
            return *it;
    }
    return nullptr;
}

bool TWinControl::RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    TGraphicControl* target = mouseCapture_ ? mouseCapture_ : GraphicAt(x, y);
    if (!target)
        return false;
    // A pressed button keeps the mouse with the control it went down on until it is released.
    if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN) {
        mouseCapture_ = target;
        SetCapture(handle_);
    } else if ((msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP) && mouseCapture_) {
        mouseCapture_ = nullptr;
        ReleaseCapture();
    }
    return target->MouseMessage(msg, wParam, x - target->Left(), y - target->Top());
}

bool TWinControl::SetGraphicCursor() {
    POINT pt{};
    GetCursorPos(&pt);
    ScreenToClient(handle_, &pt);
    const TGraphicControl* target = GraphicAt(pt.x, pt.y);
    HCURSOR cursor = target ? target->Cursor() : nullptr;
    if (!cursor)
        return false;
    SetCursor(cursor);
    return true;
}
