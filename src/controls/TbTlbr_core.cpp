#include "controls/TbTlbr_core.h"

#include "base/SysUtils.h"

#include <algorithm>
#include <numeric>

namespace tbtlbr {

std::vector<std::size_t> ToolbarOrder(const std::vector<TItem>& items) {
    std::vector<std::size_t> order(items.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return items[a].storedLeft < items[b].storedLeft; });
    return order;
}

TArrangement ArrangeDocked(const std::vector<TItem>& items) {
    TArrangement result;
    for (const TItem& item : items)
        if (item.visible && item.kind != TItemKind::separator)
            result.rowHeight = std::max(result.rowHeight, item.height);
    result.bounds.reserve(items.size());
    int x = 0;
    for (const TItem& item : items) {
        if (!item.visible) {
            result.bounds.push_back({item.storedLeft, 0, item.width, item.height});
            continue;
        }
        if (item.kind == TItemKind::separator) {
            result.bounds.push_back({x, 0, item.sizeHorz, result.rowHeight});
            x += item.sizeHorz;
        } else {
            result.bounds.push_back({x, (result.rowHeight - item.height) / 2, item.width, item.height});
            x += item.width;
        }
    }
    return result;
}

TSeparatorLines SeparatorLines(int width) {
    const int centre = width / 2;
    return {centre - 1, centre};
}

void CheckSeparatorParent(bool parentIsToolbar) {
    if (!parentIsToolbar)
        throw Exception("TToolbarSep can only be placed on a TToolbar");
}

} // namespace tbtlbr
