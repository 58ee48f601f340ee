#include "controls/GrdCpt_core.h"

#include <algorithm>
#include <bit>

namespace grdcpt {

namespace {
int Channel(TColor c, int shift) {
    return (static_cast<int>(c) >> shift) & 0xFF;
}

TColor Between(TColor base, TColor far, int i, int last) {
    if (last < 1)
        return base;
    auto channel = [&](int shift) {
        return Channel(base, shift) + MulDivRound(i, Channel(far, shift) - Channel(base, shift), last);
    };
    return RGBColor(channel(0), channel(8), channel(16));
}
} // namespace

std::vector<TBand> GradientBands(int origin, int extent, TColor start, TColor end, TFillDirection direction,
                                 unsigned char steps) {
    std::vector<TBand> bands;
    if (extent <= 0)
        return bands;
    const bool reversed =
        direction == TFillDirection::fdRightToLeft || direction == TFillDirection::fdBottomToTop;
    const TColor base = reversed ? end : start;
    const TColor far = reversed ? start : end;
    const int count = std::max(1, std::min(static_cast<int>(steps), extent));
    const int size = extent / count;
    for (int i = 0; size > 0 && i < count; ++i)
        bands.push_back({origin + i * size, origin + i * size + size, Between(base, far, i, count - 1)});
    const int rest = extent % count;
    if (rest > 0)
        bands.push_back({origin + extent - rest, origin + extent, far});
    return bands;
}

unsigned EffectiveButtons(TCaptionBorder border, unsigned icons) {
    switch (border) {
    case TCaptionBorder::bsDialog:
        return icons & (biSystemMenu | biHelp);
    case TCaptionBorder::bsToolWindow:
    case TCaptionBorder::bsSizeToolWin:
        return icons & biSystemMenu;
    default:
        if (!(icons & biSystemMenu))
            icons &= ~static_cast<unsigned>(biMinimize | biMaximize);
        if (icons & (biMinimize | biMaximize))
            icons &= ~static_cast<unsigned>(biHelp);
        return icons;
    }
}

int ButtonSlots(unsigned buttons) {
    const bool minimize = (buttons & biMinimize) != 0;
    const bool maximize = (buttons & biMaximize) != 0;
    return std::popcount(buttons & 15u) + (minimize != maximize ? 1 : 0);
}

TRect CaptionRect(const TRect& window, TCaptionBorder border, unsigned borderIcons,
                  const TCaptionMetrics& m) {
    TRect r = window;
    int fx = 0, fy = 0;
    switch (border) {
    case TCaptionBorder::bsSizeable:
    case TCaptionBorder::bsSizeToolWin:
        fx = m.cxFrame;
        fy = m.cyFrame;
        break;
    case TCaptionBorder::bsSingle:
    case TCaptionBorder::bsDialog:
    case TCaptionBorder::bsToolWindow:
        fx = m.cxDlgFrame;
        fy = m.cyDlgFrame;
        break;
    case TCaptionBorder::bsNone:
        break;
    }
    r.left += fx;
    r.top += fy;
    r.right -= fx;
    const bool tool = border == TCaptionBorder::bsToolWindow || border == TCaptionBorder::bsSizeToolWin;
    r.bottom = r.top + (tool ? m.cySmCaption : m.cyCaption) - 1;
    r.right -= ButtonSlots(EffectiveButtons(border, borderIcons)) * (tool ? m.cxSmSize : m.cxSize);
    return r;
}

bool ShowsIcon(TCaptionBorder border, unsigned buttons) {
    return (buttons & biSystemMenu) &&
           (border == TCaptionBorder::bsSingle || border == TCaptionBorder::bsSizeable);
}

std::string ShortenWithEllipsis(const std::string& text, int width, int font, const TPieceMeasurer& measure) {
    if (measure.TextWidth(font, text) <= width)
        return text;
    for (int keep = static_cast<int>(text.size()) - 2; keep >= 0; --keep) {
        std::string candidate = text.substr(0, static_cast<std::size_t>(keep)) + "...";
        if (measure.TextWidth(font, candidate) <= width)
            return candidate;
    }
    return "...";
}

namespace {
// Draws texts left to right in the strip [x, right).
class TPieceWriter {
  public:
    TPieceWriter(int x, int right, const TPieceMeasurer& measure) : x_(x), right_(right), measure_(measure) {}

    bool SpaceRemains() const { return x_ < right_; }

    // Draws `text` (shortened to the remaining space) and says whether it was drawn whole. A glued
    // text that leaves no room for what follows ends in "..."; a lone "..." is drawn only as a lead.
    bool Draw(const std::string& text, int font, bool lead, bool glued, int previous) {
        if (text.empty())
            return true;
        const int space = right_ - x_;
        std::string result = ShortenWithEllipsis(text, space, font, measure_);
        if (glued && result == text && measure_.TextWidth(font, text + ".") >= space)
            result = lead ? "..." : text + "...";
        if (lead || result != "...") {
            TDrawnText drawn{x_, result, font, font};
            if (lead && result == "...") {
                drawn.font = kCaptionFont;
                drawn.colorOf = previous > 0 ? previous : kCaptionFont;
            }
            x_ += measure_.TextWidth(drawn.font, result);
            drawn_.push_back(std::move(drawn));
        }
        return result == text;
    }

    std::vector<TDrawnText> Result() && { return std::move(drawn_); }

  private:
    int x_;
    int right_;
    const TPieceMeasurer& measure_;
    std::vector<TDrawnText> drawn_;
};

int VisibleWidth(const std::vector<TPieceInfo>& pieces, int i, const TPieceMeasurer& measure) {
    const TPieceInfo& piece = pieces[static_cast<std::size_t>(i)];
    return piece.visible ? measure.TextWidth(i, piece.caption) : 0;
}

// Moves `i` past the piece and the pieces glued to it, adding up their visible widths.
int WidthOfGroup(const std::vector<TPieceInfo>& pieces, int& i, const TPieceMeasurer& measure) {
    const int count = static_cast<int>(pieces.size());
    int width = VisibleWidth(pieces, i, measure);
    while (pieces[static_cast<std::size_t>(i)].glueNext && i < count - 1) {
        ++i;
        width += VisibleWidth(pieces, i, measure);
    }
    ++i;
    return width;
}

std::vector<TDrawnText> DropFromLeft(const std::vector<TPieceInfo>& pieces, const std::string& formCaption,
                                     TPieceWriter writer, int space, const TPieceMeasurer& measure) {
    const int count = static_cast<int>(pieces.size());
    int total = 2 + measure.TextWidth(kCaptionFont, formCaption);
    for (int i = 0; i < count; ++i)
        total += VisibleWidth(pieces, i, measure);
    // The last piece is never dropped: shortened, it still names the window.
    int first = 0;
    while (total > space && first < count - 1)
        total -= WidthOfGroup(pieces, first, measure);
    for (int i = first; i < count; ++i)
        if (pieces[static_cast<std::size_t>(i)].visible)
            writer.Draw(pieces[static_cast<std::size_t>(i)].caption, i, false, false, i - 1);
    writer.Draw(formCaption, kCaptionFont, true, false, count - 1);
    return std::move(writer).Result();
}

std::vector<TDrawnText> ShortenAtRight(const std::vector<TPieceInfo>& pieces, const std::string& formCaption,
                                       TPieceWriter writer, int space, const TPieceMeasurer& measure) {
    const int count = static_cast<int>(pieces.size());
    int total = 2;
    int considered = 0;
    while (considered < count && total < space)
        total += WidthOfGroup(pieces, considered, measure);
    bool goOn = true;
    for (int i = 0; i < considered && goOn; ++i) {
        const TPieceInfo& piece = pieces[static_cast<std::size_t>(i)];
        if (!piece.visible || piece.caption.empty())
            continue;
        const bool lead = i == 0 || pieces[static_cast<std::size_t>(i - 1)].glueNext;
        const bool whole = writer.Draw(piece.caption, i, lead, piece.glueNext, i - 1);
        goOn = whole && (piece.glueNext || writer.SpaceRemains());
    }
    if (writer.SpaceRemains() && goOn && !formCaption.empty())
        writer.Draw(formCaption, kCaptionFont, false, false, count - 1);
    return std::move(writer).Result();
}
} // namespace

std::vector<TDrawnText> LayoutPieces(const std::vector<TPieceInfo>& pieces, const std::string& formCaption,
                                     int x, int right, THideDirection direction,
                                     const TPieceMeasurer& measure) {
    const TPieceWriter writer(x, right, measure);
    if (direction == THideDirection::hdLeftToRight)
        return DropFromLeft(pieces, formCaption, writer, right - x, measure);
    return ShortenAtRight(pieces, formCaption, writer, right - x, measure);
}

} // namespace grdcpt
