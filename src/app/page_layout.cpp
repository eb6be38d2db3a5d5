#include "app/page_layout.h"

#include <algorithm>

namespace kestrone {

LayoutRect GrownRect(LayoutRect design, unsigned anchors, LayoutSize extra) {
    const int dx = std::max(0, extra.width), dy = std::max(0, extra.height);
    if (anchors & kFollowRight) design.x += dx;
    else if (anchors & kGrowWidth) design.width += dx;
    if (anchors & kFollowBottom) design.y += dy;
    else if (anchors & kGrowHeight) design.height += dy;
    return design;
}

LayoutRect ScaledRect(LayoutRect units, int dpi) {
    const int left = ScaleToDpi(units.x, dpi), top = ScaleToDpi(units.y, dpi);
    return {left, top, ScaleToDpi(units.x + units.width, dpi) - left,
            ScaleToDpi(units.y + units.height, dpi) - top};
}

LayoutSize PageRoom(LayoutSize clientPixels, int dpi) {
    return {std::max(0, ScaleFromDpi(clientPixels.width, dpi) - kDesignClient.width),
            std::max(0, ScaleFromDpi(clientPixels.height, dpi) - kDesignClient.height)};
}

LayoutSize OpeningClientSize(LayoutSize remembered, LayoutSize workAreaUnits) {
    if (remembered.width <= 0 || remembered.height <= 0) return kDesignClient;
    auto fit = [](int wanted, int design, int room) {
        return std::max(design, room > 0 ? std::min(wanted, room) : wanted);
    };
    return {fit(remembered.width, kDesignClient.width, workAreaUnits.width),
            fit(remembered.height, kDesignClient.height, workAreaUnits.height)};
}

}  // namespace kestrone
