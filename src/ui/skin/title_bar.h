// The title bar of a skinned window: which title buttons show and answer,
// where they and the caption stand, which frame of a button's bitmap is
// drawn, and what a click on a button does.
#pragma once

#include <functional>

#include "ui/skin/frame_geometry.h"
#include "ui/skin/skin_objects.h"

namespace kestrone {

// What the visibility codes ask about a window.
struct TitleWindowTraits {
    bool maximised = false;
    bool minimised = false;
    bool active = true;
    bool hasSysMenu = false;
    bool hasMinBox = false;
    bool hasMaxBox = false;
    // An MDI parent whose active child is maximised, showing a skinned menu bar.
    bool mdiParentWithMaximisedChild = false;
    FrameKind kind = FrameKind::Caption;
    bool dialogClass = false;  // "#32770" or "TMessageForm"
    bool rightToLeft = false;
};

// Codes 1000 to 2000 are put to the window itself (message 0x3515); the
// answer is the window's. Without a way to ask, such a button stays hidden.
using VisibilityQuestion = std::function<int(int code, int action)>;

// One visibility condition. `second` selects the Visibility1 meaning of the
// codes that differ between the two.
bool VisibilityHolds(int code, bool second, int action, const TitleWindowTraits& window,
                     const VisibilityQuestion& ask);

struct TitleButtonStatus {
    bool shown = false;
    bool enabled = false;
    bool operator==(const TitleButtonStatus&) const = default;
};
TitleButtonStatus TitleButtonVisibility(const TDataSkinSysButton& button,
                                        const TitleWindowTraits& window,
                                        const VisibilityQuestion& ask);

// Where a title button stands, in window coordinates.
struct TitlePlaces {
    int windowWidth = 0;
    int captionLeft = 0, captionRight = 0;  // the caption's extent
    Rect menuBar;                           // empty without a menu bar
    bool rightToLeft = false;
};
// Sizes are pixels; the skin's offsets are 96-DPI units, scaled to `dpi`.
Rect PlaceTitleButton(const TDataSkinSysButton& button, int buttonWidth, int buttonHeight,
                      const TitlePlaces& places, int dpi = 96);

// One frame of a title button's bitmap for its state. Six frames: normal,
// hover, pressed, disabled, inactive, inactive hover; fewer frames keep the
// first of these that they have.
int TitleButtonFrame(int frameCount, bool enabled, bool hover, bool pressed, bool windowActive);

// Where the caption text stands in the title strip (window coordinates).
struct CaptionInput {
    int stripLeft = 0, stripRight = 0;  // between the left and right borders
    int titleHeight = 0;
    int textWidth = 0, textHeight = 0;  // the measured caption, one line
    bool dialogFrame = false;
    bool rightToLeft = false;
};
Rect PlaceCaption(const TDataSkinTitle& title, const CaptionInput& input, int dpi = 96);

// What a released title button does.
enum class TitleCommand {
    None,
    Close,
    Maximise,
    Restore,
    Minimise,
    SystemMenu,
    ChildMinimise,
    ChildRestore,
    ChildClose,
    PostAction,  // message 0x3514 with the button's Action
};
TitleCommand TitleButtonCommand(int action, WindowState state, bool enabled);

}  // namespace kestrone
