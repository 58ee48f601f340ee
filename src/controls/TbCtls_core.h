#pragma once
// The toolbar button's rules apart from any window: its state machine (hover, press, drag off,
// release, disable) with the one hot button shared by all buttons, the glyph strip's image rules and
// where the glyph is drawn.
#include "base/Types.h"

namespace tbctls {

// The values are the images of a glyph strip: image k belongs to state k.
enum class TButtonState { bsUp = 0, bsDisabled = 1, bsDown = 2, bsExclusive = 3, bsMouseIn = 4 };

inline constexpr int kMaxNumGlyphs = 5;
// How often the hot button asks whether the pointer is still over it.
inline constexpr int kHoverInterval = 125;

// A stored image count: below 1 gives 1, above 5 gives 5.
int ClampNumGlyphs(int count);
// The image count a newly assigned glyph implies: width / height when the width is a whole multiple
// of the height and that quotient is below 6, else 1.
int NumGlyphsForGlyph(int width, int height);

// Which image of the strip a state shows; kDerivedDisabled when the disabled picture is made from
// image 0 (a strip of fewer than two images).
inline constexpr int kDerivedDisabled = -1;
int ImageForState(TButtonState state, int numGlyphs);

bool IsPushed(TButtonState state);

struct TButtonLook {
    int width = 0;
    int height = 0;
    bool flat = true;
    bool noBorder = false;
    TButtonState state = TButtonState::bsUp;
    bool mouseInControl = false;
};

enum class TBorder { none, raised, sunken };
TBorder BorderOf(const TButtonLook& look);

using ::TPoint;
// Where a glyph of that size goes in a button without caption: centred in the content rectangle (the
// button less its border), moved by (1, 1) when pushed.
TPoint GlyphOrigin(const TButtonLook& look, int glyphWidth, int glyphHeight);

// One button's state machine. The window class supplies what only the platform knows (is the pointer
// over this button, is a window of the program active) and does what the machine asks (repaint, run
// the hover timer, release the mouse, fire events). At most one button of the process is hot: it
// shows the hover frame and owns the hover timer.
class TButtonLogic {
  public:
    TButtonLogic() = default;
    virtual ~TButtonLogic();
    TButtonLogic(const TButtonLogic&) = delete;
    TButtonLogic& operator=(const TButtonLogic&) = delete;

    static TButtonLogic* HotButton();
    // The shared hover timer fired: the hot button checks the pointer.
    static void HoverTimerFired();

    TButtonState State() const { return state_; }
    bool MouseInControl() const { return mouseInControl_; }
    bool MousePressed() const { return mousePressed_; }
    bool Enabled() const { return state_ != TButtonState::bsDisabled; }
    bool Down() const { return down_; }
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index) { groupIndex_ = index; }
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allow) { allowAllUp_ = allow; }
    bool ShowBorderWhenInactive() const { return showBorderWhenInactive_; }
    void SetShowBorderWhenInactive(bool show) { showBorderWhenInactive_ = show; }

    void SetEnabled(bool enabled);
    // The pointer moved over the button: it becomes the hot button.
    void MouseMoved();
    // The hover timer's tick, or the pointer left the window: mouse-left unless the pointer is over
    // this button (and a window of the program is active).
    void CheckHover();
    void LeftButtonDown();
    void MovedWhilePressed(bool inside);
    void LeftButtonUp(bool inside);
    void RightButtonUp();
    // Another window took the mouse during a press: the press ends without a click.
    void PressCancelled();
    void Click();

  protected:
    virtual bool PointerOver() const = 0;
    virtual bool ApplicationActive() const = 0;
    virtual bool RepaintsOnEnter() const = 0;
    virtual void Repaint() = 0;
    virtual void StartHoverTimer() = 0;
    virtual void StopHoverTimer() = 0;
    virtual void ReleaseMouse() = 0;
    virtual void MouseEntered() {}
    virtual void MouseExited() {}
    virtual void Clicked() {}

    // Stops being the hot button (and stops the timer); a window class's destructor calls it, as the
    // timer must not point at a button that is gone.
    void DropHot();

  private:
    TButtonState Released() const;
    void Enter();
    void Leave();
    void TestHover();

    TButtonState state_ = TButtonState::bsUp;
    bool mouseInControl_ = false;
    bool mousePressed_ = false;
    bool inClick_ = false;
    bool down_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool showBorderWhenInactive_ = false;
};

} // namespace tbctls
