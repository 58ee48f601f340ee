#pragma once
// The toolbar's rules apart from any window: how a docked toolbar arranges its items in one row, how
// high that row and the toolbar's window are, and where a separator draws its etched line.
#include "base/Types.h"

#include <cstddef>
#include <vector>

namespace tbtlbr {

// The docked toolbar's window border on every side, outside its client area.
inline constexpr int kBorder = 2;
// A row is never lower than this, also when it holds nothing but separators.
inline constexpr int kMinRowHeight = 8;
inline constexpr int kDefaultSeparatorSize = 6;

enum class TItemKind { button, separator, control };

struct TItem {
    TItemKind kind = TItemKind::button;
    bool visible = true;
    int storedLeft = 0; // the left position the item was placed at, which orders the row
    int width = 0;
    int height = 0;
    int sizeHorz = kDefaultSeparatorSize; // a separator's width in a horizontal row
};

struct TArrangement {
    int rowHeight = kMinRowHeight;
    std::vector<TBounds> bounds; // one per item, in the items' order; invisible items keep their place
};

// The toolbar's order of its items: by stored left position, items at the same place in the order
// they were added.
std::vector<std::size_t> ToolbarOrder(const std::vector<TItem>& items);

// One row from x = 0: a button or control at (x, (row height - its height) / 2) with its own size, a
// separator at (x, 0), `sizeHorz` wide and the row's height. The row is as high as the tallest
// visible item that is not a separator. Invisible items take no space.
TArrangement ArrangeDocked(const std::vector<TItem>& items);

// The height of a docked toolbar's window (and of a dock holding one row) for a row height.
constexpr int DockedHeight(int rowHeight) {
    return rowHeight + 2 * kBorder;
}

// The x of a horizontal separator's two lines: shadow, then highlight just right of it.
struct TSeparatorLines {
    int shadow = 0;
    int highlight = 0;
    friend bool operator==(const TSeparatorLines&, const TSeparatorLines&) = default;
};
TSeparatorLines SeparatorLines(int width);

// A private message the toolbar answers for its item at the left position wParam (other processes,
// such as a test driver, cannot see windowless items): -1 when there is none, else the flags below
// with the button's state in bits 8 to 11.
inline constexpr unsigned kQueryItemMessage = 0x0400 + 0x54; // WM_USER + 0x54
inline constexpr int kItemButton = 1;
inline constexpr int kItemEnabled = 2;
inline constexpr int kItemMouseIn = 4;
inline constexpr int kItemHot = 8;

// Refuses a separator whose parent is not a toolbar.
void CheckSeparatorParent(bool parentIsToolbar);

} // namespace tbtlbr
