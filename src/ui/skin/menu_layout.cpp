#include "ui/skin/menu_layout.h"

#include <algorithm>

namespace kestrone {

std::vector<Rect> LayoutMenuBar(const std::vector<int>& textWidths, const Rect& bar, int padding,
                                bool rightToLeft) {
    std::vector<Rect> items;
    int edge = rightToLeft ? bar.right : bar.left;
    for (int width : textWidths) {
        const int w = std::max(width, 0) + 2 * padding;
        if (rightToLeft) {
            items.push_back({edge - w, bar.top, edge, bar.bottom});
            edge -= w;
        } else {
            items.push_back({edge, bar.top, edge + w, bar.bottom});
            edge += w;
        }
    }
    return items;
}

int MenuBarItemAt(const std::vector<Rect>& items, int x, int y) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].Contains(x, y)) return static_cast<int>(i);
    }
    return -1;
}

int NeighbourMenu(int current, int count, bool rightArrow, bool rightToLeft) {
    if (count <= 0) return -1;
    const bool forward = rightArrow != rightToLeft;
    return ((current + (forward ? 1 : -1)) % count + count) % count;
}

Size PopupItemSize(int textWidth, int shortcutWidth, int textHeight, bool separator,
                   const PopupItemMetrics& m) {
    if (separator) return {m.gutter + 2 * m.padding, m.separatorHeight};
    int width = m.gutter + m.padding + textWidth + m.padding + m.arrowRoom;
    if (shortcutWidth > 0) width += m.shortcutGap + shortcutWidth;
    return {width, std::max(textHeight + 6, m.minHeight)};
}

}  // namespace kestrone
