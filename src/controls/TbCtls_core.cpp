#include "controls/TbCtls_core.h"

#include <algorithm>

namespace tbctls {

namespace {
TButtonLogic* hotButton = nullptr;
} // namespace

int ClampNumGlyphs(int count) {
    return std::clamp(count, 1, kMaxNumGlyphs);
}

int NumGlyphsForGlyph(int width, int height) {
    if (height <= 0 || width <= 0 || width % height != 0 || width / height > kMaxNumGlyphs)
        return 1;
    return width / height;
}

int ImageForState(TButtonState state, int numGlyphs) {
    const int image = static_cast<int>(state);
    if (state == TButtonState::bsDisabled && numGlyphs < 2)
        return kDerivedDisabled;
    return image < numGlyphs ? image : 0;
}

bool IsPushed(TButtonState state) {
    return state == TButtonState::bsDown || state == TButtonState::bsExclusive;
}

TBorder BorderOf(const TButtonLook& look) {
    const bool pushed = IsPushed(look.state);
    const bool hovered = look.mouseInControl && look.state != TButtonState::bsDisabled;
    if (look.noBorder || !(pushed || !look.flat || hovered))
        return TBorder::none;
    return pushed ? TBorder::sunken : TBorder::raised;
}

TPoint GlyphOrigin(const TButtonLook& look, int glyphWidth, int glyphHeight) {
    const int inset = look.noBorder ? 0 : (look.flat ? 1 : 2);
    const int push = IsPushed(look.state) ? 1 : 0;
    const int contentWidth = look.width - 2 * inset;
    const int contentHeight = look.height - 2 * inset;
    return {inset + (contentWidth - glyphWidth + 1) / 2 + push,
            inset + (contentHeight - glyphHeight + 1) / 2 + push};
}

TButtonLogic::~TButtonLogic() {
    if (hotButton == this)
        hotButton = nullptr; // the window class stops the timer before the machine goes
}

TButtonLogic* TButtonLogic::HotButton() {
    return hotButton;
}

void TButtonLogic::HoverTimerFired() {
    if (hotButton)
        hotButton->CheckHover();
}

TButtonState TButtonLogic::Released() const {
    return down_ && groupIndex_ != 0 ? TButtonState::bsExclusive : TButtonState::bsUp;
}

void TButtonLogic::DropHot() {
    if (hotButton != this)
        return;
    StopHoverTimer();
    hotButton = nullptr;
}

void TButtonLogic::Enter() {
    if (!Enabled() || mouseInControl_)
        return;
    mouseInControl_ = true;
    if (state_ == TButtonState::bsUp)
        state_ = TButtonState::bsMouseIn;
    if (RepaintsOnEnter())
        Repaint();
    MouseEntered();
}

void TButtonLogic::Leave() {
    if (!Enabled() || !mouseInControl_ || mousePressed_)
        return;
    mouseInControl_ = false;
    DropHot();
    if (state_ == TButtonState::bsMouseIn || (state_ == TButtonState::bsDown && !inClick_))
        state_ = Released();
    Repaint();
    MouseExited();
}

void TButtonLogic::MouseMoved() {
    if (hotButton == this || !PointerOver())
        return;
    if (hotButton)
        hotButton->Leave();
    // A pressed button elsewhere keeps its frame until released; it stays the hot one meanwhile.
    if (hotButton)
        return;
    if (!showBorderWhenInactive_ && !ApplicationActive())
        return;
    if (!Enabled())
        return;
    hotButton = this;
    StartHoverTimer();
    Enter();
}

void TButtonLogic::CheckHover() {
    if (!PointerOver() || (!showBorderWhenInactive_ && !ApplicationActive()))
        Leave();
}

void TButtonLogic::TestHover() {
    if (PointerOver())
        MouseMoved();
    else
        Leave();
}

void TButtonLogic::LeftButtonDown() {
    if (!Enabled())
        return;
    Enter();
    if (!down_) {
        state_ = TButtonState::bsDown;
        Repaint();
    } else if (allowAllUp_) {
        Repaint();
    }
    mousePressed_ = true;
}

void TButtonLogic::MovedWhilePressed(bool inside) {
    if (!mousePressed_)
        return;
    const TButtonState next =
        down_ ? TButtonState::bsExclusive : (inside ? TButtonState::bsDown : TButtonState::bsUp);
    if (next == state_)
        return;
    state_ = next;
    Repaint();
}

void TButtonLogic::LeftButtonUp(bool inside) {
    if (!mousePressed_)
        return;
    mousePressed_ = false;
    if (inside) {
        Click();
        return;
    }
    if (state_ == TButtonState::bsDown)
        state_ = Released();
    Repaint();
    TestHover();
}

void TButtonLogic::RightButtonUp() {
    if (!Enabled())
        return;
    mousePressed_ = false;
    Leave();
}

void TButtonLogic::PressCancelled() {
    if (!mousePressed_)
        return;
    mousePressed_ = false;
    if (state_ == TButtonState::bsDown)
        state_ = Released();
    Repaint();
    TestHover();
}

void TButtonLogic::Click() {
    inClick_ = true;
    if (groupIndex_ != 0)
        down_ = !down_;
    // A pushed look follows Down: a grouped button that came up again shows up.
    if (IsPushed(state_))
        state_ = Released();
    Leave();
    inClick_ = false;
    Clicked();
    Repaint();
    TestHover();
}

void TButtonLogic::SetEnabled(bool enabled) {
    if (enabled == Enabled())
        return;
    if (!enabled) {
        state_ = TButtonState::bsDisabled;
        mouseInControl_ = false;
        mousePressed_ = false;
        DropHot();
        ReleaseMouse();
    } else {
        state_ = Released();
    }
    Repaint();
}

} // namespace tbctls
