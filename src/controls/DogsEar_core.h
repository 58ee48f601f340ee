#pragma once
// The dog's-ear's rules apart from any window: where its page triangles lie, and what a click on
// them reports.
#include "base/Types.h"

#include <array>
#include <optional>

namespace dogsear {

enum class TDogsEarAlign { adLeft, adRight };
enum class TDogsEarFrameStyle { dfFrame, dfNoFrame };

using ::TPoint;

// A triangle, closed: the fourth point repeats the first.
using TShape = std::array<TPoint, 4>;

// The page corner and the second page edge of the corner `align` in a client area of width x height.
// Points lie on a grid of quarters: q quarters are q × (size − 1) div 4 pixels.
TShape PageShape(TDogsEarAlign align, int width, int height);
TShape SecondPageShape(TDogsEarAlign align, int width, int height);

// What a click reports, given whether it lies in the second-page and the page triangle: NumPages on
// the second page edge (with MultiPage), 1 on the page, nothing elsewhere.
std::optional<int> ClickedPages(bool multiPage, int numPages, bool inSecondPage, bool inPage);

} // namespace dogsear
