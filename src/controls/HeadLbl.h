#pragma once
// The header label: a gradient band with an optional glyph, a caption and an optional right-aligned
// sub caption. A graphic control painted on its parent.
#include "controls/HeadLbl_core.h"
#include "win/GraphicControl.h"

#include <functional>

enum class TTextAlign { taTop, taCenter, taBottom };
enum class TGlyphMode { gmNormal, gmOverlayed };
enum class THeadAlign { haNone, haTop, haBottom };

class THeadLabel;

class TGradient {
  public:
    explicit TGradient(THeadLabel& label) : label_(label) {}
    int ColorSteps() const { return colorSteps_; }
    void SetColorSteps(int steps); // 1 … 255
    TColor EndColor() const { return endColor_; }
    void SetEndColor(TColor color);
    TColor StartColor() const { return startColor_; }
    void SetStartColor(TColor color);
    headlbl::TGradientStyle Style() const { return style_; }
    void SetStyle(headlbl::TGradientStyle style);

  private:
    template <class T> void Set(T& field, T value);
    THeadLabel& label_;
    int colorSteps_ = 64;
    TColor endColor_ = clSilver;
    TColor startColor_ = clTeal;
    headlbl::TGradientStyle style_ = headlbl::TGradientStyle::gsLeft;
};

class TSubCaption {
  public:
    explicit TSubCaption(THeadLabel& label) : label_(label) {}
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool Ellipsis() const { return ellipsis_; }
    void SetEllipsis(bool ellipsis);
    int Size() const { return size_; }
    void SetSize(int points);
    int RightSpacing() const { return rightSpacing_; }
    void SetRightSpacing(int spacing);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);

  private:
    template <class T> void Set(T& field, T value);
    THeadLabel& label_;
    std::string caption_;
    TColor color_ = clWindowText;
    bool ellipsis_ = false;
    int size_ = 8;
    int rightSpacing_ = 8;
    TFontStyles style_ = 0;
};

class THeadLabel : public TGraphicControl {
  public:
    THeadLabel(TComponent* owner, TWinControl* parent, const TBounds& bounds = {0, 0, 378, 20});
    std::string ClassName() const override { return "THeadLabel"; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    TTextAlign TextAlign() const { return textAlign_; }
    void SetTextAlign(TTextAlign align);
    HBITMAP Glyph() const { return glyph_.get(); }
    // Takes the glyph when it leaves 20 pixels of the label free (NumGlyphs becomes 1); otherwise
    // warns "Please select a smaller glyph!" and keeps the old one. Returns whether it was taken.
    bool SetGlyph(BitmapHandle glyph);
    TGlyphMode GlyphMode() const { return glyphMode_; }
    void SetGlyphMode(TGlyphMode mode);
    TGradient& Gradient() { return gradient_; }
    THeadAlign HeadAlign() const { return headAlign_; }
    void SetHeadAlign(THeadAlign align);
    int LeftSpacing() const { return leftSpacing_; }
    void SetLeftSpacing(int spacing);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int count); // 1 … 4
    TSubCaption& SubCaption() { return subCaption_; }

    // Shows the refusal of a glyph; a message box unless replaced (tests replace it).
    std::function<void(const char* text)> OnWarning;

    void Paint(HDC dc) override;

  protected:
    bool Opaque() const override { return true; }

  private:
    void PaintGlyph(HDC dc, int& captionLeft) const;
    void PaintTexts(HDC dc, int captionLeft) const;
    UINT VerticalFlags() const;

    std::string caption_;
    TTextAlign textAlign_ = TTextAlign::taCenter;
    BitmapHandle glyph_;
    TGlyphMode glyphMode_ = TGlyphMode::gmNormal;
    TGradient gradient_{*this};
    THeadAlign headAlign_ = THeadAlign::haNone;
    int leftSpacing_ = 5;
    int numGlyphs_ = 1;
    TSubCaption subCaption_{*this};
};
