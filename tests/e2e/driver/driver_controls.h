// The driver's commands on the controls of Kestrone's main window, found by
// their control identifiers: button clicks, check boxes, texts, list-view rows
// (read and written through a buffer inside Kestrone's process, since list
// views keep their items in their own process), and process checks.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Control identifiers of the threat question (the program's resource ids).
inline constexpr int kSelChoiceHeading = 302;
inline constexpr int kSelChoiceFirstItem = 304;
inline constexpr int kSelChoiceNotShowAgain = 307;
inline constexpr int kSelChoiceTrust = 308;

inline constexpr int kNotAControlCommand = -1000;
inline constexpr char kControlCommandsUsage[] =
    "click ID | check ID 0|1 | text ID | lv-rows ID | lv-check ID ROW 0|1 |\n"
    "  lv-select ID ROW | lb-select ID ROW | command ID | running NAME | status ID PANEL |\n"
    "  size ID";

// Runs a control command (arguments[1] is the command); kNotAControlCommand
// when the command is not one of them.
int ControlCommand(HWND main, const std::vector<std::string>& arguments);
