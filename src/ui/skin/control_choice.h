// Which control skin draws a control. A control of one of the program's forms
// is known by the class of component it stands for (TButton, TGroupBox,
// TListView...), looked up first in the Skin3rd list of the TSkinData, then in
// the built-in table. A child of a dialog made by the system ("#32770") is
// known only by its window class and style.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/skin/skin_data.h"

namespace kestrone {

enum class ControlSkinKind {
    None,     // the control keeps its own drawing
    Recurse,  // not drawn itself; its children are looked at
    Button,
    BitButton,
    MenuButton,
    SpeedButton,
    CheckBox,
    RadioButton,
    RadioGroup,  // a group box whose items get radio-button skins
    CheckGroup,  // a group box whose items get check-box skins
    GroupBox,
    Box,  // panels and containers: face colour, children recursively
    TransparentBox,
    DialogBox,  // a dialog inside a dialog (TSkinBoxH)
    Edit,
    ScrollBars,  // the control's own scroll bars (memos, list boxes)
    EmbeddedScrollBars,
    ListView,
    ComboBox,
    DateTime,
    StatusBar,
    Toolbar,
    Tab,
    TabSheet,
    Progress,
    TrackBar,
    UpDown,
    MediaPlayer,
    Sizer,
};

const char* ControlSkinKindName(ControlSkinKind kind);

// A control as the choice sees it.
struct ControlFacts {
    std::string componentClass;  // "TButton"...; empty for a child of a system dialog
    std::string windowClass;     // the window class ("Button", "SysListView32"...)
    uint32_t style = 0;
    int tag = 0;
    bool answersSkinQuery = false;  // already skinned
    bool skinHasTabs = false;       // the skin carries a Tabs object
};

ControlSkinKind ChooseControlSkin(const ControlFacts& control, const TSkinData& data);

// The kind a Skin3rd line names for a class, or nothing when no line names
// it. The value "nil" gives ControlSkinKind::None.
bool Skin3rdKind(const TextList& skin3rd, std::string_view componentClass, std::string& kind);

// The component class a window of the program stands for, from its window
// class and style. `ownClass` marks a window class of the program itself
// (its panels and pages); `hasImages` a push button that shows a picture.
std::string ComponentClassOf(std::string_view windowClass, uint32_t style, bool ownClass,
                             bool hasImages);

// Button styles (the low four bits of a "Button" window's style).
namespace buttonstyle {
inline constexpr uint32_t kTypeMask = 0xF;
inline constexpr uint32_t kPushButton = 0, kDefPushButton = 1, kCheckBox = 2, kAutoCheckBox = 3;
inline constexpr uint32_t kRadioButton = 4, k3State = 5, kAuto3State = 6, kGroupBox = 7;
inline constexpr uint32_t kAutoRadioButton = 9, kOwnerDraw = 0xB;
inline constexpr uint32_t kIcon = 0x40, kBitmap = 0x80, kLeftText = 0x20;
}  // namespace buttonstyle

}  // namespace kestrone
