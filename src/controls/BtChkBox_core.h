#pragma once
// The bitmap check box's rules apart from any window: its state machine, how many images a glyph
// holds, where caption and glyph are painted, its accelerator, and its three built-in glyphs.
#include "base/Types.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum class TLeftRight { taLeftJustify, taRightJustify };

namespace btchkbox {

// unchecked → grayed (when allowed) or checked; checked → unchecked; grayed → checked.
TCheckBoxState NextState(TCheckBoxState state, bool allowGrayed);

// An image count as stored: 0 or less becomes 1, more than 2 becomes 2.
int ClampNumGlyphs(int count);

// The image count a newly assigned glyph implies: width ÷ height (clamped) when the width is a whole
// multiple of the height; empty (the count stays as it was) otherwise, and for a glyph without
// height, which holds no image to count.
std::optional<int> NumGlyphsForGlyph(int width, int height);

// Text measures in the control's font.
class TTextMeasurer {
  public:
    virtual ~TTextMeasurer() = default;
    virtual int TextWidth(const std::string& text) const = 0;
    virtual int TextHeight(const std::string& text) const = 0;
};

struct TCheckBoxPaintInput {
    int clientWidth = 0;
    int clientHeight = 0;
    TLeftRight alignment = TLeftRight::taRightJustify;
    std::string caption;
    bool enabled = true;
    int glyphWidth = 0; // the whole glyph bitmap of the current state
    int glyphHeight = 0;
    int numGlyphs = 1; // images in it
};

struct TCheckBoxLayout {
    TRect captionRect;  // also the focus rectangle
    TRect glyphRect;    // where the image goes in the client area
    int sourceLeft = 0; // where the image starts within the glyph bitmap
    int imageWidth = 0;
};

TCheckBoxLayout LayoutCheckBox(const TCheckBoxPaintInput& input, const TTextMeasurer& measurer);

// The caption's accelerator letter: the character after the first single "&" ("&&" shows one "&").
std::optional<char> AcceleratorOf(const std::string& caption);
// Whether the typed character is the caption's accelerator, ignoring case (Windows-1252 letters).
bool IsAccelerator(char typed, const std::string& caption);

// The built-in glyphs: 19 × 14 pixels, one hexadecimal palette index per pixel, rows top down;
// index 3 (olive, the bottom-left pixel) is transparent.
inline constexpr int glyphWidth = 19;
inline constexpr int glyphHeight = 14;
using TGlyphRows = std::array<const char*, glyphHeight>;
extern const TGlyphRows uncheckedGlyph;
extern const TGlyphRows checkedGlyph;
extern const TGlyphRows grayedGlyph;
// The standard 16-colour palette as 0xRRGGBB.
extern const std::array<std::uint32_t, 16> standardPalette;

} // namespace btchkbox
