// Which state frame of its skin object a control shows, and the few text
// rules of the control skins. Frames are counted from 1.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrone {

// Push buttons (five frames): disabled 3, pressed 2, under the mouse 4,
// focused or default 5, otherwise 1.
int PushButtonFrame(bool disabled, bool pressed, bool hover, bool focusedOrDefault);

// The text colour slot a push-button frame uses.
enum class ButtonTextColour { Normal, MouseOver, Pressed, Disabled };
ButtonTextColour PushButtonTextColour(int frame);

enum class CheckState { Unchecked, Checked, Indeterminate };

// Check boxes: 1 unchecked, 2 checked, 2 more when disabled, 4 when
// indeterminate. A strip of 12 frames holds unchecked, checked and mixed,
// each normal, hover, pressed and disabled.
int CheckBoxFrame(CheckState state, bool disabled, bool hover, bool pressed, int frameCount);
// Radio buttons: the same without the mixed state; a strip of 8 frames holds
// unchecked and checked, each normal, hover, pressed and disabled.
int RadioButtonFrame(bool checked, bool disabled, bool hover, bool pressed, int frameCount);

// A button caption in lines: "||" breaks the line.
std::vector<std::string> SplitButtonCaption(std::string_view caption);

// Scroll-bar frames (the Scrollbar object of 23 frames).
enum class ScrollArrow { Up, Down, Left, Right };
int ScrollArrowFrame(ScrollArrow arrow, bool hover, bool pressed, bool disabled);
// Track between the arrows (HorzScroll/VertScroll, 4 frames).
int ScrollTrackFrame(bool disabled);
// Thumb (3 frames): normal, pressed, hover.
int ScrollThumbFrame(bool hover, bool pressed);
// The grip drawn on the thumb, and whether the thumb is long enough for it.
int ScrollGripFrame(bool vertical, bool hover, bool pressed);
bool ThumbHasRoomForGrip(int thumbLength, int gripLength);
// Each arrow is as long as the system's arrow, but at most half the bar.
int ScrollArrowLength(int systemArrow, int barLength);

// Tool buttons (ToolBars, 5 frames): normal, hover, pressed, disabled, checked.
int ToolButtonFrame(bool disabled, bool hover, bool pressed, bool checked);
// Combo box edge (SunkEdge, 4 frames: normal, hover, focused, disabled) and
// its button (normal, hover, pressed, disabled).
int ComboEdgeFrame(bool disabled, bool focused, bool hover);
int ComboButtonFrame(bool disabled, bool dropped, bool hover);
// Menu items (MenuItem, 5 frames): normal, selected, selected disabled, bar
// item under the mouse, bar item open.
int MenuItemFrame(bool selected, bool disabled);
int MenuBarItemFrame(bool hover, bool open);

}  // namespace kestrone
