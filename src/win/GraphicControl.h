#pragma once
// Graphic controls: controls without a window of their own. The parent window paints them in its own
// paint (in z-order, after itself) and routes mouse messages to the one under the pointer, so they cost
// no window at start-up and show their parent's background where they leave it alone.
#include "base/Component.h"
#include "win/Controls.h"

class TGraphicControl : public TComponent {
  public:
    TGraphicControl(TComponent* owner, TWinControl* parent, const TBounds& bounds);
    ~TGraphicControl() override;
    std::string ClassName() const override { return "TGraphicControl"; }

    TWinControl* Parent() const { return parent_; }
    void SetBounds(int left, int top, int width, int height);
    TBounds Bounds() const { return bounds_; }
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.width; }
    int Height() const { return bounds_.height; }
    RECT BoundsRect() const;

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // Visible, and its parent window too (as far as this control's own parent goes).
    bool Showing() const;

    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    TColor Color() const { return color_; }
    void SetColor(TColor color);

    // Asks the parent to repaint this control's area later (with its background unless opaque).
    void Invalidate() const;
    // Paints this control now into its parent's window, when that is on screen.
    void Repaint();

    // Draws the control with its top-left corner at the origin of `dc`.
    virtual void Paint(HDC dc) = 0;
    // A mouse message in the control's coordinates; true when handled.
    virtual bool MouseMessage(UINT msg, WPARAM keys, int x, int y);
    // The cursor over the control; nullptr leaves the parent's.
    virtual HCURSOR Cursor() const { return nullptr; }

  protected:
    // An opaque control paints every pixel of its area, so its parent need not erase it first.
    virtual bool Opaque() const { return false; }
    // Called when the control or its parent window is shown or hidden.
    virtual void ShowingChanged() {}
    virtual void FontChanged() { Invalidate(); }
    // The parent's DC with the control in sight, for a control that draws exactly its own rectangle
    // (at Left(), Top()) without the clipping and origin Repaint sets up; null when out of sight.
    WindowDc InPlaceDc() const;

  private:
    friend class TWinControl;
    HWND ParentHandle() const;

    TWinControl* parent_; // cleared when the parent goes first
    TBounds bounds_;
    bool visible_ = true;
    TColor color_ = clBtnFace;
    TFont font_;
};
