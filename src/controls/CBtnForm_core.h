#pragma once
// The drop-down palette's rules apart from any window: its size, where each cell lies, which cell
// a point hits, how a cell's frames are layered, and where the cursor keys move the highlight.
#include "controls/ClrBtn_core.h"

#include <array>

namespace cbtnform {

using clrbtn::TRect;

// A cell: x the column (1 to 4), y the row (1 to 5); y = 0 is the other cell, whatever x.
struct TCell {
    int x = -1;
    int y = -1;
    friend bool operator==(const TCell&, const TCell&) = default;
};
inline constexpr TCell kNoCell{-1, -1};

inline constexpr int kCellSize = 18;
inline constexpr int kClientWidth = 72;
inline constexpr int kOtherButtonLeft = 1;
inline constexpr int kOtherButtonTop = 98;
inline constexpr int kOtherButtonHeight = 21;
inline constexpr int kOtherButtonWidth = kClientWidth - 22;
inline constexpr int kClientHeight = kOtherButtonTop + kOtherButtonHeight + 2;
// The etched line between the cells and the other button.
inline constexpr int kLineShadowY = 93;
inline constexpr int kLineHighlightY = 94;

bool IsValidCell(TCell cell);
bool IsOtherCell(TCell cell);

// An 18 x 18 square (right and bottom exclusive); empty for a cell that is not valid.
TRect CellRect(TCell cell, int clientWidth = kClientWidth, int otherTop = kOtherButtonTop,
               int otherHeight = kOtherButtonHeight);

// The cell under a client point: the other cell (0, 0) over its square's area, else the palette cell
// (column and row counted from 1, the client coordinate divided by 18 truncating toward zero), or
// kNoCell when the point hits none.
TCell CellAt(int cx, int cy, int clientWidth = kClientWidth);

// Colours the frames are drawn in.
enum class TFrameColor { Window, BtnShadow, BtnHighlight, DkShadow3D, Light3D };

// One 1-pixel frame: its top and left edges in one colour, its bottom and right edges in another.
struct TFrameLayer {
    TRect rect;
    TFrameColor topLeft;
    TFrameColor bottomRight;
};
// The three frames of a cell, from the outside in; the colour fills the square inside them.
std::array<TFrameLayer, 3> CellFrames(const TRect& cell, bool highlighted);
TRect CellFill(const TRect& cell);

enum class TPaletteKey { Left, Right, Up, Down };
// Where a cursor key moves the highlight from `cell`: from no valid cell to (1, 1); left and right wrap
// within a row and stay on the other cell; up and down run through the rows and the other cell.
TCell KeyTarget(TCell cell, TPaletteKey key);

} // namespace cbtnform
