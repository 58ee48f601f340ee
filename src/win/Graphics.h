#pragma once
// Fonts, colours and bitmaps over GDI, each owning its handle.
#include "base/Types.h"
#include "win/Handles.h"

#include <functional>
#include <initializer_list>
#include <string>

// The platform's red-green-blue value of a colour; system colours are looked up.
COLORREF ColorToRGB(TColor color);
// Fills a rectangle with one colour, without a brush (the device context's background colour changes).
void FillSolid(HDC dc, const RECT& rc, COLORREF color);

// The screen's logical pixels per inch.
int ScreenPixelsPerInch();

class TFont {
  public:
    TFont() = default;
    explicit TFont(TFontDesc desc) : desc_(std::move(desc)) {}
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    const TFontDesc& Desc() const { return desc_; }
    void Assign(const TFontDesc& desc);
    void Assign(const TFont& other) { Assign(other.desc_); }

    void SetName(const std::string& name);
    void SetHeight(int height);
    void SetSize(int points);
    void SetColor(TColor color);
    void SetStyle(TFontStyles style);
    void SetCharset(int charset);
    void SetPitch(TFontPitch pitch);
    int Size() const { return desc_.Size(ScreenPixelsPerInch()); }

    // The GDI font, made when first asked for and again after a change; fonts of the same description
    // share one, which lives until the program ends.
    HFONT Handle() const;
    LOGFONTA LogFont() const;

    std::function<void()> OnChange;

  private:
    // Changes a copy of the values and assigns it, so a change that changes nothing fires nothing.
    template <class Change> void Modify(Change change) {
        TFontDesc desc = desc_;
        change(desc);
        Assign(desc);
    }
    void Changed();

    TFontDesc desc_;
    mutable HFONT handle_ = nullptr; // shared with every font of the same description
};

// A device-independent picture loaded from the program's bitmap resources.
BitmapHandle LoadBitmapResource(const char* name);

// Draws the bitmap with every pixel of its transparent colour (the bottom-left pixel's) left out.
void DrawTransparentBitmap(HDC dc, HBITMAP bitmap, int srcX, int srcY, int width, int height, int destX,
                           int destY);

// A monochrome mask of part of a bitmap: white (background) where a pixel has the bitmap's transparent
// colour or one of the `hollow` colours, black (ink) elsewhere.
BitmapHandle GlyphMask(HBITMAP bitmap, int srcX, int srcY, int width, int height,
                       std::initializer_list<COLORREF> hollow);

// Paints a mask's ink embossed at (destX, destY): in `highlight` one pixel right and down, then in
// `shadow` in place.
void DrawEmbossedMask(HDC dc, HBITMAP mask, int width, int height, int destX, int destY, COLORREF highlight,
                      COLORREF shadow);

// Draws the bitmap's shape (every pixel but the transparent and white ones) embossed: highlight one pixel
// right and down, then shadow in place, as disabled glyphs look.
void DrawDisabledBitmap(HDC dc, HBITMAP bitmap, int srcX, int srcY, int width, int height, int destX,
                        int destY);

// A picture composed off screen and kept between frames, so that an animation does not make a memory
// DC and a bitmap for every frame. The bitmap is made again only when the size changes, or when the
// target is no window (a memory or printer DC may have a format of its own).
class TOffscreen {
  public:
    // A memory DC holding a bitmap of width x height compatible with `target`; its content is stale.
    HDC Prepare(HDC target, int width, int height);

  private:
    BitmapHandle bitmap_; // declared first: the DC holding it goes before it
    MemoryDc dc_;
    int width_ = 0;
    int height_ = 0;
    bool reusable_ = false;
};
