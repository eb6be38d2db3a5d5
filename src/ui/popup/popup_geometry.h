// Where sliding popups go: the taskbar edge read from the taskbar rectangle,
// the room check for one more cascaded popup, the final place per taskbar
// edge, and the window rectangle at each growing and shrinking step.
#pragma once

#include <optional>

namespace kestrone::ui {

struct PopupRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const PopupRect&) const = default;
};

// A window's place and size (the animation works on these).
struct PopupBounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PopupBounds&) const = default;
};

enum TaskbarEdge : int { teUnknown = -1, teLeft = 0, teTop = 1, teRight = 2, teBottom = 3 };

// The edge from SHAppBarMessage(ABM_GETTASKBARPOS); a failed call is teUnknown.
TaskbarEdge ClassifyTaskbarEdge(bool readOk, const PopupRect& taskbar);

// The settings that decide a popup's place.
struct PopupPlacement {
    int width = 148;
    int height = 121;
    int startX = 16;  // PopupStartX
    int startY = 2;   // PopupStartY
};

// Whether a further popup at cascade offset nextPos still lies wholly inside
// the work area. Popups on a top taskbar stack downwards, all others upwards
// from the bottom of the work area.
bool PopupFits(TaskbarEdge edge, const PopupRect& workArea, int nextPos,
               const PopupPlacement& placement);

// The fully shown position (left, top) of a popup, or nothing when the taskbar
// edge is unknown (the window is then not placed).
std::optional<PopupBounds> FinalPopupBounds(TaskbarEdge edge, const PopupRect& workArea,
                                            int nextPos, const PopupPlacement& placement);

// The one-pixel start of a growing popup, on the side that faces the taskbar.
PopupBounds CollapsedBounds(TaskbarEdge edge, const PopupBounds& final);

struct PopupStep {
    PopupBounds bounds;
    bool finished = false;  // grown to full size, or shrunk away (close now)
};

// One 25 ms growing step of speed pixels towards the configured size.
PopupStep GrowStep(TaskbarEdge edge, const PopupBounds& current, const PopupBounds& final,
                   int speed);
// One 25 ms shrinking step; finished means the window closes instead of moving.
PopupStep ShrinkStep(TaskbarEdge edge, const PopupBounds& current, int speed);

}  // namespace kestrone::ui
