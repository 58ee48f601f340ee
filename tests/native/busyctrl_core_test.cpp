#include "base/SysUtils.h"
#include "controls/BusyCtrl_core.h"
#include "controls/ThreadTmr_core.h"

#include <gtest/gtest.h>

#include <vector>

using namespace busyctrl;

TEST(BusyGaugeShades, RampFromBackToForeWithHalvesToEven) {
    // Back silver-ish (10, 200, 100), fore (11, 0, 103): the red channel moves by 1 × i / 32, which
    // is exactly a half at i = 16 (→ 0, even) and at i = 48 would be 1.5; blue moves by 3 × i / 32.
    const TShades shades = BuildShades(RGBColor(10, 200, 100), RGBColor(11, 0, 103));
    EXPECT_EQ(shades[0], RGBColor(10, 200, 100));
    EXPECT_EQ(shades[32], RGBColor(11, 0, 103));
    struct Row {
        int i;
        TColor expected;
    };
    // i = 16: red 0.5 → 0, green 200 − 100, blue 1.5 → 2. i = 17: red 0.53 → 1, blue 1.59 → 2.
    // i = 8: green 200 − 50, blue 0.75 → 1.
    for (const Row& row : std::vector<Row>{
             {16, RGBColor(10, 100, 102)}, {17, RGBColor(11, 94, 102)}, {8, RGBColor(10, 150, 101)}})
        EXPECT_EQ(shades[static_cast<std::size_t>(row.i)], row.expected) << "i = " << row.i;
}

TEST(BusyGaugeRange, PercentDoneTruncatesAndEmptyRangeIsZero) {
    struct Row {
        std::int32_t min, max, progress;
        int percent;
    };
    for (const Row& row : std::vector<Row>{{0, 100, 42, 42},
                                           {50, 150, 150, 100},
                                           {0, 3, 1, 33},
                                           {-3, 0, -1, 66},
                                           {7, 7, 7, 0},
                                           {0, 2000000000, 1999999999, 99}}) {
        TGaugeRange range;
        range.SetMaxValue(row.max);
        range.SetMinValue(row.min);
        range.SetProgress(row.progress);
        EXPECT_EQ(range.PercentDone(), row.percent) << row.min << ".." << row.max << " @ " << row.progress;
    }
}

TEST(BusyGaugeRange, ValuesAreClampedAndABadMaximumIsRefused) {
    TGaugeRange range;
    EXPECT_EQ(range.SetProgress(1000), TRepaint::now);
    EXPECT_EQ(range.Progress(), 100);
    EXPECT_EQ(range.SetProgress(1000), TRepaint::none);
    EXPECT_THROW(range.SetMaxValue(-1), EInvalidOperation);
    EXPECT_EQ(range.MaxValue(), 100);
    EXPECT_EQ(range.Progress(), 100);
    // A minimum above the maximum is capped and drags the position along.
    range.SetProgress(10);
    EXPECT_EQ(range.SetMinValue(500), TRepaint::now);
    EXPECT_EQ(range.MinValue(), 100);
    EXPECT_EQ(range.Progress(), 100);
    // Lowering the maximum lowers the position.
    range.SetMinValue(0);
    range.SetMaxValue(60);
    EXPECT_EQ(range.Progress(), 60);
}

TEST(BusyGaugeRange, TheRefusalNamesTheRangeAlsoAtTheTopOf32Bits) {
    constexpr std::int32_t kTop = std::numeric_limits<std::int32_t>::max();
    for (const auto& [min, text] : std::vector<std::pair<std::int32_t, std::string>>{
             {0, "Value must be between 1 and 2147483647"},
             {kTop, "Value must be between 2147483648 and 2147483647"}}) {
        TGaugeRange range;
        range.SetMaxValue(kTop);
        range.SetMinValue(min);
        try {
            range.SetMaxValue(min - 1);
            ADD_FAILURE() << min;
        } catch (const EInvalidOperation& e) {
            EXPECT_EQ(e.Message(), text);
        }
    }
}

TEST(BusyGaugeRange, ProgressRepaintsOnlyWhenThePercentChanges) {
    TGaugeRange range;
    range.SetMaxValue(1000);
    EXPECT_EQ(range.SetProgress(5), TRepaint::none); // still 0 %
    EXPECT_EQ(range.Progress(), 5);
    EXPECT_EQ(range.SetProgress(10), TRepaint::now); // 1 %
}

TEST(BusyGaugeAnimation, BandRunsToHalfTheWidthAndBack) {
    struct Row {
        int width, turn;
    };
    for (const Row& row : std::vector<Row>{{128, 64}, {127, 63}}) {
        TAnimation anim;
        std::vector<int> seen{anim.offset};
        for (int tick = 0; tick < 2 * row.turn + 2; ++tick) {
            anim.Step(row.width);
            seen.push_back(anim.offset);
        }
        std::vector<int> expected;
        for (int i = 0; i <= row.turn; ++i)
            expected.push_back(i);
        for (int i = row.turn - 1; i >= 0; --i)
            expected.push_back(i);
        expected.push_back(1);
        expected.push_back(2);
        EXPECT_EQ(seen, expected) << "width " << row.width;
    }
}

TEST(BusyGaugeAnimation, BandColumnsAndTheirShades) {
    EXPECT_EQ(BandColumns(128), 65);
    EXPECT_EQ(BandShadeIndex(0, 128), 0);
    EXPECT_EQ(BandShadeIndex(64, 128), 32);
    EXPECT_EQ(BandShadeIndex(2, 128), 1);
    // An odd width: 64 columns whose index stops at 31.
    EXPECT_EQ(BandColumns(127), 64);
    EXPECT_EQ(BandShadeIndex(63, 127), 31);
    EXPECT_EQ(BandShadeIndex(0, 0), 0);
    EXPECT_EQ(BarWidth(42, 128), 53);
}

TEST(BusyGaugeAnimation, BandRunsPaintEveryColumnInItsShadeWithFewestFills) {
    struct Row {
        int width, offset;
        bool forward;
        std::size_t runs;
    };
    // 128 wide: two columns a shade, so 33 fills instead of 65; cut at the right edge near the turn.
    for (const Row& row : std::vector<Row>{{128, 0, true, 33},
                                           {128, 64, true, 32},
                                           {128, 58, false, 33},
                                           {127, 5, true, 32},
                                           {3, 1, false, 2}}) {
        const std::vector<TBandRun> runs = BandRuns({row.offset, row.forward}, row.width);
        EXPECT_EQ(runs.size(), row.runs) << row.width << " @ " << row.offset;
        std::vector<int> painted, expected;
        for (std::size_t r = 0; r < runs.size(); ++r) {
            if (r > 0) {
                EXPECT_NE(runs[r].shade, runs[r - 1].shade);
            }
            for (int x = runs[r].left; x < runs[r].right; ++x)
                painted.push_back(x * 100 + runs[r].shade);
        }
        for (int i = 0; i < BandColumns(row.width) && row.offset + i < row.width; ++i) {
            const int k = BandShadeIndex(i, row.width);
            expected.push_back((row.offset + i) * 100 + (row.forward ? k : 32 - k));
        }
        EXPECT_EQ(painted, expected) << row.width << " @ " << row.offset;
    }
}

TEST(ThreadTimerRules, PrioritiesAndWhenTheWorkerRuns) {
    const std::vector<int> expected{-15, -2, -1, 0, 1, 2, 15};
    for (int p = 0; p < 7; ++p)
        EXPECT_EQ(threadtmr::SystemPriority(static_cast<TThreadPriority>(p)),
                  expected[static_cast<std::size_t>(p)]);
    EXPECT_TRUE(threadtmr::ShouldRun(true, 55, true));
    EXPECT_FALSE(threadtmr::ShouldRun(false, 55, true));
    EXPECT_FALSE(threadtmr::ShouldRun(true, 0, true));
    EXPECT_FALSE(threadtmr::ShouldRun(true, 55, false));
}

TEST(BusyGaugePicture, BandUnderBevelsWithCornersToTheDarkEdgeInBitmapOrder) {
    TShades shades{};
    for (std::size_t i = 0; i < shades.size(); ++i)
        shades[i] = RGBColor(static_cast<int>(i), 0x80, 0);
    const TColor back = RGBColor(0x12, 0x34, 0x56);
    const TColor a = RGBColor(1, 0, 0), b = RGBColor(2, 0, 0), c = RGBColor(3, 0, 0), d = RGBColor(4, 0, 0);
    const int width = 12, height = 6;
    const std::vector<std::uint32_t> picture =
        WaitingPicture(width, height, back, shades, {2, false}, {{a, b}, {c, d}}, 1);
    ASSERT_EQ(picture.size(), 72u);
    const auto at = [&](int x, int y) { return picture[static_cast<std::size_t>(y * width + x)]; };
    const auto pixel = [](TColor color) { // red to the third byte, blue to the first
        const auto v = static_cast<std::uint32_t>(color);
        return ((v & 0xFF) << 16) | (v & 0xFF00) | (v >> 16);
    };
    struct Point {
        int x, y;
        TColor expected;
    };
    for (const Point& p : std::vector<Point>{{0, 0, a},
                                             {10, 0, a},
                                             {11, 0, b},
                                             {0, 4, a},
                                             {0, 5, b},
                                             {11, 5, b},
                                             {1, 1, c},
                                             {10, 1, d},
                                             {1, 4, d},
                                             {9, 1, c},
                                             {1, 2, c},
                                             {2, 2, shades[32]},
                                             {5, 3, shades[32 - BandShadeIndex(3, width)]},
                                             {8, 2, shades[32 - BandShadeIndex(6, width)]},
                                             {9, 2, back}})
        EXPECT_EQ(at(p.x, p.y), pixel(p.expected)) << p.x << "," << p.y;
    EXPECT_EQ(pixel(back), 0x123456u);
    EXPECT_TRUE(WaitingPicture(0, 5, back, shades, {}, {}, 1).empty());
}
