// The marks of problem lines on every background the colour palette offers: the band stands out from
// the background and its text reads well.
#include "output/ProblemMarks_core.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {
// The output window's palette, as stored (red in the lowest byte).
const std::uint32_t kPalette[] = {16777215, 255,     65280,    16711680, 12572607, 0,        127,
                                  32512,    8323072, 15712159, 12566463, 65535,    16776960, 16711935,
                                  15726591, 8355711, 32639,    8355584,  8323199,  10461087};
} // namespace

TEST(ProblemMarks, StandOutFromEveryPaletteBackgroundWithReadableText) {
    using problems::TSeverity;
    for (const std::uint32_t background : kPalette) {
        for (const TSeverity severity : {TSeverity::Error, TSeverity::Warning, TSeverity::Hint}) {
            const problems::TMarkColors mark = problems::MarkColors(severity, background);
            EXPECT_GE(problems::Contrast(mark.text, mark.band), 7.0) << background;
            EXPECT_GE(problems::Distance(mark.band, background), 120.0) << background;
        }
        // The kinds differ from each other on the same background.
        EXPECT_NE(problems::MarkColors(TSeverity::Error, background).band,
                  problems::MarkColors(TSeverity::Warning, background).band);
        EXPECT_NE(problems::MarkColors(TSeverity::Warning, background).band,
                  problems::MarkColors(TSeverity::Hint, background).band);
        EXPECT_EQ(problems::MarkColors(TSeverity::Fatal, background).band,
                  problems::MarkColors(TSeverity::Error, background).band);
    }
}
