#include "controls/HeadLbl.h"

#include "win/Forms.h"

#include <algorithm>

template <class T> void TGradient::Set(T& field, T value) {
    if (field != value) {
        field = value;
        label_.Invalidate();
    }
}
void TGradient::SetColorSteps(int steps) {
    Set(colorSteps_, std::clamp(steps, 1, 255));
}
void TGradient::SetEndColor(TColor color) {
    Set(endColor_, color);
}
void TGradient::SetStartColor(TColor color) {
    Set(startColor_, color);
}
void TGradient::SetStyle(headlbl::TGradientStyle style) {
    Set(style_, style);
}

template <class T> void TSubCaption::Set(T& field, T value) {
    if (field != value) {
        field = value;
        label_.Invalidate();
    }
}
void TSubCaption::SetCaption(const std::string& caption) {
    Set(caption_, caption);
}
void TSubCaption::SetColor(TColor color) {
    Set(color_, color);
}
void TSubCaption::SetEllipsis(bool ellipsis) {
    Set(ellipsis_, ellipsis);
}
void TSubCaption::SetSize(int points) {
    Set(size_, std::clamp(points, 0, 255));
}
void TSubCaption::SetRightSpacing(int spacing) {
    Set(rightSpacing_, std::clamp(spacing, 0, 255));
}
void TSubCaption::SetStyle(TFontStyles style) {
    Set(style_, style);
}

THeadLabel::THeadLabel(TComponent* owner, TWinControl* parent, const TBounds& bounds)
    : TGraphicControl(owner, parent, bounds) {
    TFontDesc font;
    font.name = "Arial";
    font.SetSize(10, ScreenPixelsPerInch());
    font.style = FontStyleBit(TFontStyle::fsBold);
    Font().Assign(font);
    OnWarning = [this](const char* text) {
        MessageBoxA(Parent() ? Parent()->Handle() : nullptr, text,
                    Application ? Application->Title().c_str() : "", MB_OK | MB_ICONWARNING);
    };
}

void THeadLabel::SetCaption(const std::string& caption) {
    if (caption_ != caption) {
        caption_ = caption;
        Invalidate();
    }
}

void THeadLabel::SetTextAlign(TTextAlign align) {
    textAlign_ = align;
    Invalidate();
}

bool THeadLabel::SetGlyph(BitmapHandle glyph) {
    if (glyph.get() == glyph_.get()) {
        glyph.release(); // the glyph already set: nothing changes, and it stays ours
        return true;
    }
    BITMAP info{};
    if (glyph && GetObjectA(glyph.get(), sizeof info, &info) &&
        !headlbl::GlyphFits(static_cast<int>(info.bmWidth), Width())) {
        if (OnWarning)
            OnWarning("Please select a smaller glyph!");
        return false;
    }
    glyph_ = std::move(glyph);
    numGlyphs_ = 1;
    Invalidate();
    return true;
}

void THeadLabel::SetGlyphMode(TGlyphMode mode) {
    glyphMode_ = mode;
    Invalidate();
}

void THeadLabel::SetHeadAlign(THeadAlign align) {
    headAlign_ = align;
    if (align == THeadAlign::haNone || !Parent())
        return;
    RECT client{};
    GetClientRect(Parent()->Handle(), &client);
    const int top = align == THeadAlign::haTop ? 0 : client.bottom - Height();
    SetBounds(0, top, client.right, Height());
}

void THeadLabel::SetLeftSpacing(int spacing) {
    leftSpacing_ = std::clamp(spacing, 0, 255);
    Invalidate();
}

void THeadLabel::SetNumGlyphs(int count) {
    numGlyphs_ = std::clamp(count, 1, 4);
    Invalidate();
}

void THeadLabel::Paint(HDC dc) {
    const int width = Width();
    const int height = Height();
    const TColor start = static_cast<TColor>(ColorToRGB(gradient_.StartColor()));
    const TColor end = static_cast<TColor>(ColorToRGB(gradient_.EndColor()));
    for (const headlbl::TBand& band :
         headlbl::HeadBands(width, start, end, gradient_.Style(), gradient_.ColorSteps())) {
        const RECT rc{band.left, 0, band.right, height};
        SetBkColor(dc, static_cast<COLORREF>(band.color));
        ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rc, "", 0, nullptr);
    }
    int captionLeft = leftSpacing_;
    PaintGlyph(dc, captionLeft);
    PaintTexts(dc, captionLeft);
}

void THeadLabel::PaintGlyph(HDC dc, int& captionLeft) const {
    BITMAP info{};
    if (!glyph_ || !GetObjectA(glyph_.get(), sizeof info, &info))
        return;
    headlbl::TGlyphInput in;
    in.labelWidth = Width();
    in.labelHeight = Height();
    in.stripWidth = info.bmWidth;
    in.stripHeight = info.bmHeight;
    in.numGlyphs = numGlyphs_;
    in.leftSpacing = leftSpacing_;
    in.overlayed = glyphMode_ == TGlyphMode::gmOverlayed;
    const headlbl::TGlyphPlacement placed = headlbl::PlaceGlyph(in);
    captionLeft += placed.captionOffset;
    if (placed.width <= 0 || placed.height <= 0)
        return;
    MemoryDc source(CreateCompatibleDC(dc));
    SelectionScope select(source.get(), glyph_.get());
    // The bottom-left pixel's colour marks the glyph's transparent parts.
    const COLORREF transparent = GetPixel(source.get(), 0, info.bmHeight - 1);
    GdiTransparentBlt(dc, placed.left, placed.top, placed.width, placed.height, source.get(), 0, 0,
                      info.bmWidth / numGlyphs_, info.bmHeight, transparent);
}

UINT THeadLabel::VerticalFlags() const {
    switch (textAlign_) {
    case TTextAlign::taTop:
        return DT_TOP;
    case TTextAlign::taBottom:
        return DT_BOTTOM;
    case TTextAlign::taCenter:
    default:
        return DT_VCENTER;
    }
}

void THeadLabel::PaintTexts(HDC dc, int captionLeft) const {
    SetBkMode(dc, TRANSPARENT);
    const UINT flags = DT_SINGLELINE | DT_NOPREFIX | VerticalFlags();
    {
        SelectionScope font(dc, Font().Handle());
        SetTextColor(dc, ColorToRGB(Font().Desc().color));
        RECT rc{captionLeft, 0, Width(), Height()};
        DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &rc, flags | DT_LEFT);
    }
    if (subCaption_.Caption().empty())
        return;
    const std::string text = subCaption_.Caption() + (subCaption_.Ellipsis() ? "..." : "");
    TFontDesc desc = Font().Desc();
    desc.color = subCaption_.Color();
    desc.SetSize(subCaption_.Size(), ScreenPixelsPerInch());
    desc.style = subCaption_.Style();
    const TFont subFont(desc);
    SelectionScope font(dc, subFont.Handle());
    SetTextColor(dc, ColorToRGB(desc.color));
    RECT rc{0, 0, Width() - subCaption_.RightSpacing(), Height()};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rc, flags | DT_RIGHT);
}
