// How the main window's pages follow the window's size and the screen's
// resolution. Every control is designed in pixels at 96 DPI on a page of the
// design size. A bigger window lends its pages the extra room, each control
// takes the part its anchors ask for, and the result is scaled to the
// window's DPI. The window remembers its size in 96-DPI units, so a size
// chosen on one screen means the same on another.
#pragma once

#include "core/dpi_scale.h"

namespace kestrone {

// What a control does with the extra room of its page.
enum Anchor : unsigned {
    kAnchorTopLeft = 0,  // keeps its place and size
    kGrowWidth = 1,      // its right edge follows the page's
    kGrowHeight = 2,     // its bottom edge follows the page's
    kFollowRight = 4,    // moves with the page's right edge
    kFollowBottom = 8,   // moves with the page's bottom edge
    kGrowBoth = kGrowWidth | kGrowHeight,
    kFollowCorner = kFollowRight | kFollowBottom,
};

struct LayoutRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const LayoutRect&) const = default;
};
struct LayoutSize {
    int width = 0, height = 0;
    bool operator==(const LayoutSize&) const = default;
};

// A control's rectangle on a page `extra` units bigger than the design
// (negative room counts as none: pages never shrink below their design).
LayoutRect GrownRect(LayoutRect design, unsigned anchors, LayoutSize extra);
// A rectangle in 96-DPI units in pixels. Edges are scaled, not sizes, so
// controls that touch at 96 DPI still touch.
LayoutRect ScaledRect(LayoutRect units, int dpi);

// The main window: its client area at 96 DPI and the left panel's width.
inline constexpr LayoutSize kDesignClient{429, 269};
inline constexpr int kPanelDesignWidth = 68;

// The extra room the pages get from a client area of `clientPixels`.
LayoutSize PageRoom(LayoutSize clientPixels, int dpi);
// The client size (96-DPI units) to open with: the remembered one, never
// below the design and never beyond the work area; the design when nothing
// usable is remembered.
LayoutSize OpeningClientSize(LayoutSize remembered, LayoutSize workAreaUnits);

}  // namespace kestrone
