#pragma once
// How the output window marks a problem line: a band of the severity's colour across the line behind
// its text, dark or light, whichever stands out more from the memo's background, with black or white
// text, whichever reads better on the band. So every background the colour palette offers shows the
// marks and keeps their text readable.
#include "output/CompilerProblems_core.h"

#include <cstdint>

namespace problems {

// Colours as the platform's colour values hold them: red in the lowest byte, green, then blue.
struct TMarkColors {
    std::uint32_t band = 0;
    std::uint32_t text = 0;
};
TMarkColors MarkColors(TSeverity severity, std::uint32_t background);

// The contrast ratio of two colours, from 1 (the same brightness) to 21 (black on white).
double Contrast(std::uint32_t a, std::uint32_t b);
// How far apart two colours lie in red, green and blue (0 to 441.7).
double Distance(std::uint32_t a, std::uint32_t b);

} // namespace problems
