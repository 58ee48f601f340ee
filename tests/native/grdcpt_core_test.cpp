#include "controls/GrdCpt_core.h"

#include <gtest/gtest.h>

using namespace grdcpt;

namespace {
constexpr TColor kNavy = RGBColor(0, 0, 128);
constexpr TColor kBlue = RGBColor(0, 0, 255);

// Every character 6 pixels in the caption's font, 7 in a piece's.
class FixedMeasurer : public TPieceMeasurer {
  public:
    int TextWidth(int font, const std::string& text) const override {
        return static_cast<int>(text.size()) * (font == kCaptionFont ? 6 : 7);
    }
};
} // namespace

TEST(GradientFill, FiveHundredPixelsInSixtyFourSteps) {
    const std::vector<TBand> bands =
        GradientBands(10, 500, RGBColor(0, 0, 0), RGBColor(0, 0, 252), TFillDirection::fdLeftToRight, 64);
    ASSERT_EQ(bands.size(), 65u);
    EXPECT_EQ(bands[0], (TBand{10, 17, RGBColor(0, 0, 0)}));
    EXPECT_EQ(bands[1], (TBand{17, 24, RGBColor(0, 0, 4)})); // 252 / 63 = 4 per band
    EXPECT_EQ(bands[63], (TBand{451, 458, RGBColor(0, 0, 252)}));
    EXPECT_EQ(bands[64], (TBand{458, 510, RGBColor(0, 0, 252)})); // the last 52 pixels: end colour
}

TEST(GradientFill, StepCountIsALowByteWithZeroActingAsOne) {
    struct Row {
        int steps;
        std::size_t bands;
    };
    // 256 and 1 give one band of the start colour; 300 is 44 (300 div 44 = 6 rest 36 → 45 bands).
    for (const Row& row : std::vector<Row>{{1, 1}, {256, 1}, {300, 45}}) {
        const auto bands = GradientBands(0, 300, kNavy, kBlue, TFillDirection::fdLeftToRight,
                                         static_cast<unsigned char>(row.steps & 0xFF));
        ASSERT_EQ(bands.size(), row.bands) << row.steps;
        EXPECT_EQ(bands.front().color, kNavy) << row.steps;
        EXPECT_EQ(bands.back().to, 300) << row.steps;
    }
    EXPECT_TRUE(GradientBands(0, 0, kNavy, kBlue, TFillDirection::fdLeftToRight, 64).empty());
    // Reversed: the bands start from the end colour, rounding the delta half away from zero.
    const auto reversed =
        GradientBands(0, 3, RGBColor(0, 0, 0), RGBColor(0, 0, 3), TFillDirection::fdRightToLeft, 3);
    EXPECT_EQ(reversed,
              (std::vector<TBand>{{0, 1, RGBColor(0, 0, 3)}, {1, 2, RGBColor(0, 0, 1)}, {2, 3, 0}}));
}

TEST(CaptionRect, FrameCaptionHeightAndButtons) {
    const TCaptionMetrics m{4, 4, 3, 3, 19, 18, 15, 13};
    const TRect window{100, 50, 400, 250};
    const unsigned all = biSystemMenu | biMinimize | biMaximize | biHelp;
    struct Row {
        TCaptionBorder border;
        unsigned icons;
        TRect expected;
    };
    for (const Row& row : std::vector<Row>{
             // sizeable: help dropped beside minimize/maximize: 3 slots of 18
             {TCaptionBorder::bsSizeable, all, {104, 54, 396 - 54, 72}},
             // single with minimize only: system menu + minimize + the absent maximize = 3 slots
             {TCaptionBorder::bsSingle, biSystemMenu | biMinimize, {103, 53, 397 - 54, 71}},
             // dialog: system menu and help only
             {TCaptionBorder::bsDialog, all, {103, 53, 397 - 36, 71}},
             // tool window: small caption, system menu only
             {TCaptionBorder::bsToolWindow, all, {103, 53, 397 - 13, 67}},
             // no system menu: minimize and maximize go too, help stays
             {TCaptionBorder::bsSizeable, biMinimize | biMaximize | biHelp, {104, 54, 396 - 18, 72}},
             {TCaptionBorder::bsNone, 0, {100, 50, 400, 68}},
         })
        EXPECT_EQ(CaptionRect(window, row.border, row.icons, m), row.expected)
            << static_cast<int>(row.border);
    EXPECT_TRUE(ShowsIcon(TCaptionBorder::bsSingle, biSystemMenu));
    EXPECT_FALSE(ShowsIcon(TCaptionBorder::bsDialog, biSystemMenu));
    EXPECT_FALSE(ShowsIcon(TCaptionBorder::bsSizeable, biMinimize));
}

TEST(CaptionPieces, EllipsisShortensToTheLongestFittingStart) {
    const FixedMeasurer m;
    EXPECT_EQ(ShortenWithEllipsis("Tarnwick", 56, 0, m), "Tarnwick");
    EXPECT_EQ(ShortenWithEllipsis("Tarnwick", 55, 0, m), "Tarn..."); // at least two characters go
    EXPECT_EQ(ShortenWithEllipsis("Tarnwick", 28, 0, m), "T...");
    EXPECT_EQ(ShortenWithEllipsis("Tarnwick", 5, 0, m), "...");
}

TEST(CaptionPieces, LeftToRightDropsWholePiecesFromTheLeft) {
    const FixedMeasurer m;
    const std::vector<TPieceInfo> pieces{{"Wrenworks   ", true, false}, {"Tarnwick 1.0", true, false}};
    // All fit (2 + 84 + 84 = 170).
    EXPECT_EQ(LayoutPieces(pieces, "", 20, 190, THideDirection::hdLeftToRight, m),
              (std::vector<TDrawnText>{{20, "Wrenworks   ", 0, 0}, {104, "Tarnwick 1.0", 1, 1}}));
    // One short: the first piece goes.
    EXPECT_EQ(LayoutPieces(pieces, "", 20, 189, THideDirection::hdLeftToRight, m),
              (std::vector<TDrawnText>{{20, "Tarnwick 1.0", 1, 1}}));
    // Still too narrow: the last piece stays and is shortened.
    EXPECT_EQ(LayoutPieces(pieces, "", 20, 90, THideDirection::hdLeftToRight, m),
              (std::vector<TDrawnText>{{20, "Tarnwic...", 1, 1}}));
    // Glued: both go together; the form caption follows in its own font.
    std::vector<TPieceInfo> glued = pieces;
    glued[0].glueNext = true;
    EXPECT_EQ(LayoutPieces(glued, "Doc", 20, 189, THideDirection::hdLeftToRight, m),
              (std::vector<TDrawnText>{{20, "Doc", kCaptionFont, kCaptionFont}}));
    // An invisible piece takes no room and draws nothing.
    std::vector<TPieceInfo> hidden = pieces;
    hidden[0].visible = false;
    EXPECT_EQ(LayoutPieces(hidden, "", 20, 110, THideDirection::hdLeftToRight, m),
              (std::vector<TDrawnText>{{20, "Tarnwick 1.0", 1, 1}}));
}

TEST(CaptionPieces, RightToLeftShortensAtTheRight) {
    const FixedMeasurer m;
    const std::vector<TPieceInfo> pieces{{"Wrenworks   ", true, false}, {"Tarnwick 1.0", true, false}};
    EXPECT_EQ(LayoutPieces(pieces, "Doc", 0, 200, THideDirection::hdRightToLeft, m),
              (std::vector<TDrawnText>{{0, "Wrenworks   ", 0, 0},
                                       {84, "Tarnwick 1.0", 1, 1},
                                       {168, "Doc", kCaptionFont, kCaptionFont}}));
    // The second piece is cut short; nothing follows it.
    EXPECT_EQ(LayoutPieces(pieces, "Doc", 0, 130, THideDirection::hdRightToLeft, m),
              (std::vector<TDrawnText>{{0, "Wrenworks   ", 0, 0}, {84, "Tar...", 1, 1}}));
    // A glued first piece that leaves no room for a dot ends in "..." and stops the row.
    std::vector<TPieceInfo> glued = pieces;
    glued[0].glueNext = true;
    EXPECT_EQ(LayoutPieces(glued, "", 0, 90, THideDirection::hdRightToLeft, m),
              (std::vector<TDrawnText>{{0, "...", kCaptionFont, kCaptionFont}}));
    // A second piece that shrinks to "..." is not drawn when it does not lead.
    EXPECT_EQ(LayoutPieces(pieces, "", 0, 100, THideDirection::hdRightToLeft, m),
              (std::vector<TDrawnText>{{0, "Wrenworks   ", 0, 0}}));
}
