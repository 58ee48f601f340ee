#pragma once
// The toolbar's flat picture button: a glyph strip with an image per state, a frame while the pointer
// is over it (one hot button at a time, checked every 125 ms) or while pushed, an embossed picture
// when disabled, and a tool tip from its hint.
#include "controls/TbCtls_core.h"
#include "controls/TbTlbr.h"

class TToolbarButton : public TToolbarItem, public tbctls::TButtonLogic {
  public:
    TToolbarButton(TComponent* owner, TToolbar* toolbar, const TBounds& bounds);
    ~TToolbarButton() override;
    std::string ClassName() const override { return "TToolbarButton"; }

    // The glyph strip from a bitmap resource; its image count follows the bitmap's shape.
    void SetGlyph(const char* resourceName);
    void SetGlyph(BitmapHandle glyph);
    HBITMAP Glyph() const { return glyph_.get(); }
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int count);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    bool NoBorder() const { return noBorder_; }
    void SetNoBorder(bool noBorder);
    bool Opaque() const { return opaque_; }
    void SetOpaque(bool opaque) { opaque_ = opaque; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    void SetEnabled(bool enabled);

    void PaintAt(HDC dc, int x, int y) override;

    TNotifyEvent OnClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;

  protected:
    bool PointerOver() const override;
    bool ApplicationActive() const override;
    bool RepaintsOnEnter() const override;
    void Repaint() override;
    void StartHoverTimer() override;
    void StopHoverTimer() override;
    void ReleaseMouse() override;
    void MouseEntered() override;
    void MouseExited() override;
    void Clicked() override;

  private:
    void DrawGlyph(HDC dc, int x, int y);

    BitmapHandle glyph_;
    int numGlyphs_ = 1;
    bool flat_ = true;
    bool noBorder_ = false;
    bool opaque_ = true;
    int modalResult_ = 0;
};

// The colours a disabled picture is made in.
struct TDisabledColors {
    COLORREF face = 0;
    COLORREF highlight = 0;
    COLORREF shadow = 0;
    friend bool operator==(const TDisabledColors&, const TDisabledColors&) = default;
};
TDisabledColors SystemDisabledColors();

// The disabled picture of a glyph strip, one pixel wider and higher than an image, on the face
// colour (its transparent colour): embossed from image 0 for a strip of one image, else image 1 with
// white shown in the highlight and grey in the shadow colour. Pictures are kept in a cache shared by
// all buttons, made again when the colours differ from those they were made in.
HBITMAP DisabledGlyph(HBITMAP strip, int numGlyphs, const TDisabledColors& colors);

// A window's docked toolbar: "Dock1" along the top, not draggable, holding "Toolbar1" at dock position 0
// across the whole width, with or without its drag handle.
struct TDockedToolbar {
    TDock* dock;
    TToolbar* toolbar;
};
TDockedToolbar MakeDockedToolbar(TWinControl* window, bool dragHandle);

// A 25 x 25 toolbar button at `left` with its glyph strip resource, its hint shown and its click handler.
TToolbarButton* MakeToolbarButton(TComponent* owner, TToolbar* toolbar, const char* name, int left,
                                  const char* glyph, const char* hint, TNotifyEvent onClick);
