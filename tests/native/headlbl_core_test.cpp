#include "controls/HeadLbl_core.h"

#include <gtest/gtest.h>

using namespace headlbl;

TEST(HeadLabelBands, StepsStopAStepShortOfTheEndColour) {
    const auto bands =
        HeadBands(401, RGBColor(128, 128, 128), RGBColor(192, 192, 192), TGradientStyle::gsLeft, 64);
    ASSERT_EQ(bands.size(), 64u);
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const int c = 128 + static_cast<int>(i);
        EXPECT_EQ(bands[i].color, RGBColor(c, c, c)) << i;
    }
    EXPECT_EQ(bands[0].left, 0);
    EXPECT_EQ(bands[1].left, 6); // MulDiv(1, 401, 64) = 6.27
    EXPECT_EQ(bands[63].right, 401);
    // gsRight runs from the end colour; a fractional step truncates.
    const auto right = HeadBands(10, RGBColor(0, 0, 0), RGBColor(10, 0, 0), TGradientStyle::gsRight, 4);
    EXPECT_EQ(right[1].color, RGBColor(7, 0, 0)); // 10 − 2.5
    EXPECT_EQ(HeadBands(10, clTeal, clSilver, TGradientStyle::gsNone, 64),
              (std::vector<TBand>{{0, 10, clTeal}}));
}

TEST(HeadLabelGlyph, PlacementScalingAndCaptionOffset) {
    struct Row {
        TGlyphInput in;
        TGlyphPlacement expected;
    };
    for (const Row& row : std::vector<Row>{
             // a 30-pixel strip of 2: a 15-pixel image; the caption moves by 15 + 5
             {{378, 20, 30, 16, 2, 5, false}, {5, 2, 15, 16, 20}},
             {{378, 20, 30, 16, 2, 5, true}, {5, 2, 15, 16, 0}},
             // lower than the image: height label − 2, width less a quarter of the lost height
             {{378, 20, 32, 32, 1, 5, false}, {5, 1, 29, 18, 34}},
             // narrower than the image: width label − 2, height less four times the lost width
             {{30, 100, 40, 60, 1, 5, false}, {5, 44, 28, 12, 33}},
         })
        EXPECT_EQ(PlaceGlyph(row.in), row.expected) << row.in.stripWidth << "x" << row.in.stripHeight;
    EXPECT_TRUE(GlyphFits(358, 378));
    EXPECT_FALSE(GlyphFits(359, 378));
}
