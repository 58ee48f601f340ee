#include "win/Graphics.h"

#include <cstring>
#include <map>
#include <string>

COLORREF ColorToRGB(TColor color) {
    if (IsSystemColor(color))
        return GetSysColor(static_cast<int>(static_cast<std::uint32_t>(color) & 0xFF));
    return static_cast<COLORREF>(color) & 0xFFFFFF;
}

void FillSolid(HDC dc, const RECT& rc, COLORREF color) {
    SetBkColor(dc, color);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rc, "", 0, nullptr);
}

int ScreenPixelsPerInch() {
    WindowDc dc(nullptr);
    return GetDeviceCaps(dc.get(), LOGPIXELSY);
}

void TFont::Assign(const TFontDesc& desc) {
    if (desc == desc_)
        return;
    desc_ = desc;
    Changed();
}

void TFont::SetName(const std::string& name) {
    Modify([&](TFontDesc& d) { d.name = name; });
}
void TFont::SetHeight(int height) {
    Modify([&](TFontDesc& d) { d.height = height; });
}
void TFont::SetSize(int points) {
    Modify([&](TFontDesc& d) { d.SetSize(points, ScreenPixelsPerInch()); });
}
void TFont::SetColor(TColor color) {
    Modify([&](TFontDesc& d) { d.color = color; });
}
void TFont::SetStyle(TFontStyles style) {
    Modify([&](TFontDesc& d) { d.style = style; });
}
void TFont::SetCharset(int charset) {
    Modify([&](TFontDesc& d) { d.charset = charset; });
}
void TFont::SetPitch(TFontPitch pitch) {
    Modify([&](TFontDesc& d) { d.pitch = pitch; });
}

namespace {
// One GDI font for each distinct description, shared by every font that asks for it and kept until the
// program ends: a font handle for each control costs the platform time at start-up.
HFONT SharedFont(const LOGFONTA& lf) {
    static std::map<std::string, FontHandle> fonts;
    FontHandle& font = fonts[std::string(reinterpret_cast<const char*>(&lf), sizeof lf)];
    if (!font)
        font.reset(CreateFontIndirectA(&lf));
    return font.get();
}
} // namespace

void TFont::Changed() {
    handle_ = nullptr;
    if (OnChange)
        OnChange();
}

LOGFONTA TFont::LogFont() const {
    LOGFONTA lf{};
    lf.lfHeight = desc_.height;
    lf.lfWeight = (desc_.style & FontStyleBit(TFontStyle::fsBold)) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (desc_.style & FontStyleBit(TFontStyle::fsItalic)) ? 1 : 0;
    lf.lfUnderline = (desc_.style & FontStyleBit(TFontStyle::fsUnderline)) ? 1 : 0;
    lf.lfStrikeOut = (desc_.style & FontStyleBit(TFontStyle::fsStrikeOut)) ? 1 : 0;
    lf.lfCharSet = static_cast<BYTE>(desc_.charset);
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    switch (desc_.pitch) {
    case TFontPitch::fpFixed:
        lf.lfPitchAndFamily = FIXED_PITCH;
        break;
    case TFontPitch::fpVariable:
        lf.lfPitchAndFamily = VARIABLE_PITCH;
        break;
    default:
        lf.lfPitchAndFamily = DEFAULT_PITCH;
        break;
    }
    std::strncpy(lf.lfFaceName, desc_.name.c_str(), LF_FACESIZE - 1);
    return lf;
}

HFONT TFont::Handle() const {
    if (!handle_)
        handle_ = SharedFont(LogFont());
    return handle_;
}

BitmapHandle LoadBitmapResource(const char* name) {
    return BitmapHandle(static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

namespace {
// The colour of a glyph's bottom-left pixel, which marks its transparent parts.
COLORREF TransparentColorOf(HDC source, HBITMAP bitmap) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    return GetPixel(source, 0, info.bmHeight - 1);
}
} // namespace

void DrawTransparentBitmap(HDC dc, HBITMAP bitmap, int srcX, int srcY, int width, int height, int destX,
                           int destY) {
    MemoryDc source(CreateCompatibleDC(dc));
    SelectionScope select(source.get(), bitmap);
    const COLORREF transparent = TransparentColorOf(source.get(), bitmap);
    GdiTransparentBlt(dc, destX, destY, width, height, source.get(), srcX, srcY, width, height, transparent);
}

BitmapHandle GlyphMask(HBITMAP bitmap, int srcX, int srcY, int width, int height,
                       std::initializer_list<COLORREF> hollow) {
    MemoryDc source(CreateCompatibleDC(nullptr));
    SelectionScope selectSource(source.get(), bitmap);
    BitmapHandle maskBitmap(CreateBitmap(width, height, 1, 1, nullptr));
    MemoryDc mask(CreateCompatibleDC(nullptr));
    SelectionScope selectMask(mask.get(), maskBitmap.get());
    // A colour-to-monochrome copy turns the background colour white and everything else black; each
    // hollow colour adds its white pixels.
    SetBkColor(source.get(), TransparentColorOf(source.get(), bitmap));
    BitBlt(mask.get(), 0, 0, width, height, source.get(), srcX, srcY, SRCCOPY);
    for (COLORREF colour : hollow) {
        SetBkColor(source.get(), colour);
        BitBlt(mask.get(), 0, 0, width, height, source.get(), srcX, srcY, SRCPAINT);
    }
    return maskBitmap;
}

void DrawEmbossedMask(HDC dc, HBITMAP mask, int width, int height, int destX, int destY, COLORREF highlight,
                      COLORREF shadow) {
    MemoryDc maskDc(CreateCompatibleDC(dc));
    SelectionScope selectMask(maskDc.get(), mask);
    // Where the mask is black the brush is painted, elsewhere the destination stays (ROP PSDPxax).
    constexpr DWORD kBrushWhereMaskBlack = 0x00B8074A;
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    BrushHandle highlightBrush(CreateSolidBrush(highlight));
    BrushHandle shadowBrush(CreateSolidBrush(shadow));
    {
        SelectionScope brush(dc, highlightBrush.get());
        BitBlt(dc, destX + 1, destY + 1, width, height, maskDc.get(), 0, 0, kBrushWhereMaskBlack);
    }
    {
        SelectionScope brush(dc, shadowBrush.get());
        BitBlt(dc, destX, destY, width, height, maskDc.get(), 0, 0, kBrushWhereMaskBlack);
    }
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}

void DrawDisabledBitmap(HDC dc, HBITMAP bitmap, int srcX, int srcY, int width, int height, int destX,
                        int destY) {
    // Light areas stay hollow, as disabled glyphs have always looked.
    BitmapHandle mask = GlyphMask(bitmap, srcX, srcY, width, height, {RGB(255, 255, 255)});
    DrawEmbossedMask(dc, mask.get(), width, height, destX, destY, GetSysColor(COLOR_BTNHIGHLIGHT),
                     GetSysColor(COLOR_BTNSHADOW));
}

HDC TOffscreen::Prepare(HDC target, int width, int height) {
    const bool window = GetObjectType(target) == OBJ_DC;
    if (dc_ && reusable_ && window && width == width_ && height == height_)
        return dc_.get();
    MemoryDc dc(CreateCompatibleDC(target));
    BitmapHandle bitmap(CreateCompatibleBitmap(target, width, height));
    // The old DC goes first, then the bitmap it held.
    dc_.reset();
    bitmap_.reset();
    if (!dc || !bitmap)
        return nullptr;
    SelectObject(dc.get(), bitmap.get());
    dc_ = std::move(dc);
    bitmap_ = std::move(bitmap);
    width_ = width;
    height_ = height;
    reusable_ = window;
    return dc_.get();
}
