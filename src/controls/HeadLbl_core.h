#pragma once
// The header label's rules apart from any window: its colour bands, where its glyph goes and how it
// is scaled down into a small label, and which glyphs it accepts.
#include "base/Types.h"

#include <vector>

namespace headlbl {

enum class TGradientStyle { gsNone, gsLeft, gsRight };

struct TBand {
    int left = 0;
    int right = 0;
    TColor color = 0;
    friend bool operator==(const TBand&, const TBand&) = default;
};

// The bands across `width` pixels from `start` to `end` (plain RGB; swapped for gsRight), `steps`
// bands (1 … 255): band i has from + (to − from) ÷ steps × i per channel, truncated, so the last one
// stops a step short of the end colour. gsNone gives one band of the start colour.
std::vector<TBand> HeadBands(int width, TColor start, TColor end, TGradientStyle style, int steps);

struct TGlyphPlacement {
    int left = 0, top = 0, width = 0, height = 0;
    int captionOffset = 0; // how far the caption moves right of the left spacing
    friend bool operator==(const TGlyphPlacement&, const TGlyphPlacement&) = default;
};

struct TGlyphInput {
    int labelWidth = 0, labelHeight = 0;
    int stripWidth = 0, stripHeight = 0;
    int numGlyphs = 1;
    int leftSpacing = 5;
    bool overlayed = false; // the caption is drawn over the glyph
};

// The first image of the strip, scaled down when the label is narrower or lower than it.
TGlyphPlacement PlaceGlyph(const TGlyphInput& in);

// A glyph strip is accepted only when it leaves 20 pixels of the label free.
constexpr bool GlyphFits(int stripWidth, int labelWidth) {
    return stripWidth <= labelWidth - 20;
}

} // namespace headlbl
