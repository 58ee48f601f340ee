#include "controls/HeadLbl_core.h"

#include <algorithm>

namespace headlbl {

namespace {
int Channel(TColor c, int shift) {
    return (static_cast<int>(c) >> shift) & 0xFF;
}
} // namespace

std::vector<TBand> HeadBands(int width, TColor start, TColor end, TGradientStyle style, int steps) {
    if (style == TGradientStyle::gsNone || steps < 1)
        return {{0, width, start}};
    const TColor from = style == TGradientStyle::gsLeft ? start : end;
    const TColor to = style == TGradientStyle::gsLeft ? end : start;
    std::vector<TBand> bands;
    bands.reserve(static_cast<std::size_t>(steps));
    for (int i = 0; i < steps; ++i) {
        auto channel = [&](int shift) {
            const double step = static_cast<double>(Channel(to, shift) - Channel(from, shift)) / steps;
            return static_cast<int>(Channel(from, shift) + step * i);
        };
        bands.push_back({MulDivRound(i, width, steps), MulDivRound(i + 1, width, steps),
                         RGBColor(channel(0), channel(8), channel(16))});
    }
    return bands;
}

TGlyphPlacement PlaceGlyph(const TGlyphInput& in) {
    const int imageWidth = in.stripWidth / std::max(1, in.numGlyphs);
    const int imageHeight = in.stripHeight;
    int gw = imageWidth;
    int gh = imageHeight;
    if (in.labelWidth < gw) {
        gw = in.labelWidth - 2;
        gh -= 4 * (imageWidth - gw);
    }
    if (in.labelHeight < gh) {
        gh = in.labelHeight - 2;
        gw -= (imageHeight - gh) / 4;
    }
    // A label too small for any of the glyph shows none of it rather than a mirrored one.
    gw = std::max(0, gw);
    gh = std::max(0, gh);
    TGlyphPlacement placed{in.leftSpacing, (in.labelHeight - gh) / 2, gw, gh, 0};
    placed.captionOffset = in.overlayed ? 0 : gw + 5;
    return placed;
}

} // namespace headlbl
