#pragma once
// Platform-free value types shared by the windows, the controls and the settings storage.
#include <cstdint>
#include <string>
#include <variant>

// A colour value: red in the lowest byte, green next, blue in the third; values with the top bit set
// name system colours (0x80000000 + the system colour index).
using TColor = std::int32_t;

constexpr TColor RGBColor(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}
constexpr TColor SystemColor(int index) {
    return static_cast<TColor>(0x80000000u | static_cast<unsigned>(index));
}
constexpr bool IsSystemColor(TColor c) {
    return (static_cast<std::uint32_t>(c) & 0x80000000u) != 0;
}

inline constexpr TColor clBlack = RGBColor(0, 0, 0);
inline constexpr TColor clMaroon = RGBColor(128, 0, 0);
inline constexpr TColor clGreen = RGBColor(0, 128, 0);
inline constexpr TColor clOlive = RGBColor(128, 128, 0);
inline constexpr TColor clNavy = RGBColor(0, 0, 128);
inline constexpr TColor clPurple = RGBColor(128, 0, 128);
inline constexpr TColor clTeal = RGBColor(0, 128, 128);
inline constexpr TColor clGray = RGBColor(128, 128, 128);
inline constexpr TColor clSilver = RGBColor(192, 192, 192);
inline constexpr TColor clRed = RGBColor(255, 0, 0);
inline constexpr TColor clLime = RGBColor(0, 255, 0);
inline constexpr TColor clYellow = RGBColor(255, 255, 0);
inline constexpr TColor clBlue = RGBColor(0, 0, 255);
inline constexpr TColor clFuchsia = RGBColor(255, 0, 255);
inline constexpr TColor clAqua = RGBColor(0, 255, 255);
inline constexpr TColor clWhite = RGBColor(255, 255, 255);
// System colours (indices as the platform numbers them).
inline constexpr TColor clScrollBar = SystemColor(0);
inline constexpr TColor clBackground = SystemColor(1);
inline constexpr TColor clActiveCaption = SystemColor(2);
inline constexpr TColor clInactiveCaption = SystemColor(3);
inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowFrame = SystemColor(6);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clCaptionText = SystemColor(9);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnShadow = SystemColor(16);
inline constexpr TColor clGrayText = SystemColor(17);
inline constexpr TColor clBtnText = SystemColor(18);
inline constexpr TColor clInactiveCaptionText = SystemColor(19);
inline constexpr TColor clBtnHighlight = SystemColor(20);

// a × b ÷ c with the product in 64 bits, rounded half away from zero as the platform's MulDiv;
// 0 when c is 0, results beyond 32 bits clamped.
int MulDivRound(int a, int b, int c);

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

// A point in screen or client coordinates.
struct TPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// A rectangle as the platform keeps one: right and bottom lie just outside it.
struct TRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

// A control's place: its upper-left corner in its parent and its size.
struct TBounds {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const TBounds&, const TBounds&) = default;
};

enum class TFontPitch { fpDefault, fpVariable, fpFixed };
enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
// A set of font styles: bit i stands for the style with ordinal i.
using TFontStyles = std::uint32_t;
constexpr TFontStyles FontStyleBit(TFontStyle s) {
    return 1u << static_cast<unsigned>(s);
}

inline constexpr int DEFAULT_CHARSET_VALUE = 1;
inline constexpr int ANSI_CHARSET_VALUE = 0;

// What a font is, apart from any platform object: the values a window's font is made from.
struct TFontDesc {
    int charset = DEFAULT_CHARSET_VALUE;
    TColor color = clWindowText;
    int height = -11;
    std::string name = "MS Sans Serif";
    TFontPitch pitch = TFontPitch::fpDefault;
    TFontStyles style = 0;

    // The size in points follows from the height and the screen's pixels per inch.
    int Size(int pixelsPerInch) const;
    void SetSize(int points, int pixelsPerInch);
    friend bool operator==(const TFontDesc&, const TFontDesc&) = default;
};

// A variant as the registry reader delivers it: nothing, an 8-bit string or a signed 32-bit integer.
using TVariant = std::variant<std::monostate, std::string, std::int32_t>;
// Nothing gives the empty text, an integer its decimal digits, a string itself.
std::string VariantToText(const TVariant& value);
