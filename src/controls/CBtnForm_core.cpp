#include "controls/CBtnForm_core.h"

namespace cbtnform {

namespace {
TRect Inset(const TRect& r, int by) {
    return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}
} // namespace

bool IsOtherCell(TCell cell) {
    return cell.y == 0;
}

bool IsValidCell(TCell cell) {
    return IsOtherCell(cell) || (cell.x >= 1 && cell.x <= clrbtn::kPaletteColumns && cell.y >= 1 &&
                                 cell.y <= clrbtn::kPaletteRows);
}

TRect CellRect(TCell cell, int clientWidth, int otherTop, int otherHeight) {
    if (!IsValidCell(cell))
        return {};
    if (IsOtherCell(cell)) {
        const int left = clientWidth - kCellSize;
        const int top = otherTop + (otherHeight - 16) / 2;
        return {left - 1, top - 1, left + 17, top + 17};
    }
    return {kCellSize * cell.x - kCellSize, kCellSize * cell.y - kCellSize, kCellSize * cell.x,
            kCellSize * cell.y};
}

TCell CellAt(int cx, int cy, int clientWidth) {
    if (clientWidth - 19 <= cx && cx <= clientWidth - 1 && 96 <= cy && cy <= 113)
        return {0, 0};
    // Division truncates toward zero: the 17 pixels left of or above the window still count as the first
    // column or row.
    const TCell cell{cx / kCellSize + 1, cy / kCellSize + 1};
    return IsValidCell(cell) && !IsOtherCell(cell) ? cell : kNoCell;
}

std::array<TFrameLayer, 3> CellFrames(const TRect& cell, bool highlighted) {
    using enum TFrameColor;
    if (highlighted)
        return {{{cell, DkShadow3D, DkShadow3D},
                 {Inset(cell, 1), BtnHighlight, BtnHighlight},
                 {Inset(cell, 2), DkShadow3D, DkShadow3D}}};
    return {{{cell, Window, Window},
             {Inset(cell, 1), BtnShadow, BtnHighlight},
             {Inset(cell, 2), DkShadow3D, Light3D}}};
}

TRect CellFill(const TRect& cell) {
    return Inset(cell, 3);
}

TCell KeyTarget(TCell cell, TPaletteKey key) {
    if (!IsValidCell(cell))
        return {1, 1};
    constexpr int columns = clrbtn::kPaletteColumns;
    constexpr int rows = clrbtn::kPaletteRows;
    switch (key) {
    case TPaletteKey::Left:
        return IsOtherCell(cell) ? cell : TCell{cell.x == 1 ? columns : cell.x - 1, cell.y};
    case TPaletteKey::Right:
        return IsOtherCell(cell) ? cell : TCell{cell.x == columns ? 1 : cell.x + 1, cell.y};
    case TPaletteKey::Up:
        return {cell.x, IsOtherCell(cell) ? rows : cell.y - 1};
    case TPaletteKey::Down:
        return {cell.x, cell.y == rows ? 0 : cell.y + 1};
    }
    return cell;
}

} // namespace cbtnform
