#include "base/FontProps_core.h"

#include "base/SysUtils.h"

#include <cstdint>

namespace fontprops {
namespace {
int screenPixelsPerInch = 96;
}

int PixelsPerInch() {
    return screenPixelsPerInch;
}

void SetPixelsPerInch(int pixelsPerInch) {
    if (pixelsPerInch > 0)
        screenPixelsPerInch = pixelsPerInch;
}

const TEnumTypeDesc& FontPitchType() {
    static const TEnumTypeDesc type{"TFontPitch", {"fpDefault", "fpVariable", "fpFixed"}};
    return type;
}

const TEnumTypeDesc& FontStyleType() {
    static const TEnumTypeDesc type{"TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};
    return type;
}

} // namespace fontprops

namespace {
constexpr TFontStyles AllFontStyles = FontStyleBit(TFontStyle::fsBold) | FontStyleBit(TFontStyle::fsItalic) |
                                      FontStyleBit(TFontStyle::fsUnderline) |
                                      FontStyleBit(TFontStyle::fsStrikeOut);

// Points from a height as TFontDesc::Size computes them, in 64 bits so that no height overflows.
std::int64_t SizeInPoints(int height, int pixelsPerInch) {
    const std::int64_t product = static_cast<std::int64_t>(height) * 72;
    const std::int64_t half = pixelsPerInch / 2;
    return -(product >= 0 ? (product + half) / pixelsPerInch : (product - half) / pixelsPerInch);
}

// A size whose height does not fit the font record is refused; the font stays as it is.
int CheckedSize(std::int64_t points, int pixelsPerInch) {
    const bool fits = points >= INT32_MIN && points <= INT32_MAX;
    const std::int64_t height = fits ? points * pixelsPerInch / 72 : 0;
    if (!fits || height <= INT32_MIN + 1 || height >= INT32_MAX - 1)
        throw EConvertError("Font size out of range");
    return static_cast<int>(points);
}

// One change of the description, handed on as a whole.
template <class Change> void Changed(TPublishedFont& font, Change change) {
    TFontDesc desc = font.Desc();
    change(desc);
    font.SetDesc(desc);
}
} // namespace

const TClassDesc& FontClass() {
    using F = TPublishedFont;
    static const TClassDesc desc(
        "TFont", nullptr,
        {
            // A character set is one byte, as the platform's font record holds it.
            published::Integer<F>(
                "Charset", [](const F& f) { return f.Desc().charset; },
                [](F& f, std::int64_t v) {
                    Changed(f, [v](TFontDesc& d) { d.charset = static_cast<int>(v & 0xFF); });
                }),
            published::Integer<F>(
                "Color", [](const F& f) { return f.Desc().color; },
                [](F& f, std::int64_t v) {
                    Changed(f, [v](TFontDesc& d) { d.color = static_cast<TColor>(v); });
                }),
            published::Integer<F>(
                "Height", [](const F& f) { return f.Desc().height; },
                [](F& f, std::int64_t v) {
                    Changed(f, [v](TFontDesc& d) { d.height = static_cast<int>(v); });
                }),
            published::String<F>(
                "Name", [](const F& f) { return f.Desc().name; },
                [](F& f, const std::string& v) { Changed(f, [&v](TFontDesc& d) { d.name = v; }); }),
            published::Enumeration<F>(
                "Pitch", fontprops::FontPitchType(),
                [](const F& f) { return static_cast<int>(f.Desc().pitch); },
                [](F& f, std::int64_t v) {
                    Changed(f, [v](TFontDesc& d) { d.pitch = static_cast<TFontPitch>(v); });
                }),
            published::Integer<F>(
                "Size", [](const F& f) { return SizeInPoints(f.Desc().height, fontprops::PixelsPerInch()); },
                [](F& f, std::int64_t v) {
                    const int ppi = fontprops::PixelsPerInch();
                    const int points = CheckedSize(v, ppi);
                    Changed(f, [points, ppi](TFontDesc& d) { d.SetSize(points, ppi); });
                }),
            published::Set<F>(
                "Style", fontprops::FontStyleType(), [](const F& f) { return f.Desc().style; },
                [](F& f, std::int64_t v) {
                    Changed(f, [v](TFontDesc& d) { d.style = static_cast<TFontStyles>(v) & AllFontStyles; });
                }),
        });
    return desc;
}

const TClassDesc& TPublishedFont::PublishedClass() const {
    return FontClass();
}
