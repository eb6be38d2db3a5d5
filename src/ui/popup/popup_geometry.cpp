#include "ui/popup/popup_geometry.h"

namespace kestrone::ui {

TaskbarEdge ClassifyTaskbarEdge(bool readOk, const PopupRect& taskbar) {
    if (!readOk) return teUnknown;
    if (taskbar.left == taskbar.top) {
        if (taskbar.right < taskbar.bottom) return teLeft;
        if (taskbar.bottom < taskbar.right) return teTop;
    }
    return taskbar.left < taskbar.top ? teBottom : teRight;
}

bool PopupFits(TaskbarEdge edge, const PopupRect& workArea, int nextPos,
               const PopupPlacement& placement) {
    switch (edge) {
        case teTop:
            return workArea.top + placement.startY + nextPos + placement.height <=
                   workArea.bottom;
        case teLeft:
        case teRight:
        case teBottom:
            return workArea.bottom - placement.startY - placement.height - nextPos >=
                   workArea.top;
        case teUnknown:
            break;
    }
    return true;
}

std::optional<PopupBounds> FinalPopupBounds(TaskbarEdge edge, const PopupRect& workArea,
                                            int nextPos, const PopupPlacement& placement) {
    const int w = placement.width;
    const int h = placement.height;
    const int stackedUp = workArea.bottom - placement.startY - h - nextPos;
    switch (edge) {
        case teLeft: return PopupBounds{workArea.left + placement.startX, stackedUp, w, h};
        case teTop:
            return PopupBounds{workArea.right - w - placement.startX,
                               workArea.top + placement.startY + nextPos, w, h};
        case teRight:
        case teBottom: return PopupBounds{workArea.right - w - placement.startX, stackedUp, w, h};
        case teUnknown: break;
    }
    return std::nullopt;
}

PopupBounds CollapsedBounds(TaskbarEdge edge, const PopupBounds& final) {
    PopupBounds b = final;
    // The single pixel stays on the popup's own last row or column, so the
    // growing window never pokes out of the work area.
    switch (edge) {
        case teLeft: b.width = 1; break;
        case teTop: b.height = 1; break;
        case teRight:
            b.left += final.width - 1;
            b.width = 1;
            break;
        case teBottom:
            b.top += final.height - 1;
            b.height = 1;
            break;
        case teUnknown: break;
    }
    return b;
}

PopupStep GrowStep(TaskbarEdge edge, const PopupBounds& current, const PopupBounds& final,
                   int speed) {
    PopupStep step{current, false};
    PopupBounds& b = step.bounds;
    const bool horizontal = edge == teLeft || edge == teRight;
    int& size = horizontal ? b.width : b.height;
    const int full = horizontal ? final.width : final.height;
    if (edge == teUnknown) return step;
    if (size + speed < full) {
        size += speed;
        if (edge == teRight) b.left -= speed;
        if (edge == teBottom) b.top -= speed;
    } else {
        b = final;
        step.finished = true;
    }
    return step;
}

PopupStep ShrinkStep(TaskbarEdge edge, const PopupBounds& current, int speed) {
    PopupStep step{current, false};
    PopupBounds& b = step.bounds;
    if (edge == teUnknown) return step;
    const bool horizontal = edge == teLeft || edge == teRight;
    int& size = horizontal ? b.width : b.height;
    if (size - speed > 0) {
        size -= speed;
        if (edge == teRight) b.left += speed;
        if (edge == teBottom) b.top += speed;
    } else {
        step.finished = true;
    }
    return step;
}

}  // namespace kestrone::ui
