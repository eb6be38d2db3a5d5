// Command identifiers of the main window's controls and menus.
#pragma once

#include <windows.h>

namespace kestrone::app {

enum ControlId : int {
    // ToolBar1, in toolbar order.
    kToolButton1 = 1001,  // "Scan "
    kToolButton2,         // "Process"
    kToolButton9,         // "Tools"
    kToolButton3,         // "Immunity"
    kToolButton5,         // "FixSystem"
    kToolButton4,         // "Settings"
    kToolButton6,         // "Update"
    kToolButton7,         // "About"
    kToolButton11,        // "History": quarantine and history
    // Scan page.
    kChklstSelScan = 1101,
    kButton1,  // Start
    kButton2,  // Stop
    kMemo1,
    kStatusBar1,
    // Process page and its list's menu.
    kListView1 = 1201,
    kButton9,   // Close
    kButton10,  // Trust
    kN15 = 1211,  // Open containing folder
    kN16,         // Close
    kN17,         // Inquire
    // Tools page.
    kBitBtn1 = 1301,  // Unlock
    kCheckBox6,
    kCheckBox7,
    kBitBtn2,  // Apply
    kStatusBar2,
    kUsbPolicyNote,  // "Set by your administrator"
    // Immunity page.
    kCheckBox1 = 1401,
    kCheckBox2,
    kRadioUsbDrive,
    kRadioManualSelection,
    kRadioLocalDisk,
    kComboBox1,
    kButton3,  // Apply
    kButton4,  // Cancel
    kAutorunPolicyNote,
    // Repair page.
    kCheckListBox1 = 1501,
    kButton5,  // Apply
    kButton6,  // Uncheck All
    kButton7,  // Check All
    // Settings page.
    kCheckBox5 = 1601,
    kCheckBox3,
    kCheckBox4,
    kRadioButton1,  // tag 1
    kRadioButton3,  // tag 2
    kRadioButton2,  // tag 3
    kButton8,       // Save
    kAlertPolicyNote,
    kActionPolicyNote,
    kGuardCheckBox,  // guard of attached drives
    kTrustedSticksGroup,
    kTrustedSticksList,  // 1612
    kRemoveTrustedStick,
    kLanguageBox,        // language of the windows (next start)
    // About page.
    kLabel15 = 1701,  // website
    kEmailLabel,
    kButton15,  // Help
    kLabel16,   // company
    kLabel11,   // product name
    kDefinitionsLabel,  // which definitions are at work
    // Tray menu pm1.
    kN2 = 1801,  // Display main window
    kU1,         // Unlock USB disk
    kN13,        // Update
    kN14,        // Website
    kN10,        // About
    kN11,        // Quit
    kOpenDriveFirst = 1850,  // "Open drive safely" items, one per drive root
    kOpenDriveLast = 1875,
    // Quarantine and history page.
    kQuarantineList = 1901,
    kQuarantineSummary,
    kQuarantineRestore,
    kQuarantineDelete,
    kHistoryList,
    kHistoryUndo,
    kHistoryExport,
    kHistoryDetails,
};

// The main window's timer (Timer1) that removes the start-up balloon.
inline constexpr UINT_PTR kTimer1 = 1;
inline constexpr UINT kTimer1Interval = 2000;
// The definitions' age is looked at soon after start-up, then every hour.
inline constexpr UINT_PTR kDefinitionsAgeTimer = 2;
inline constexpr UINT kDefinitionsAgeFirstDelay = 5000;
inline constexpr UINT kDefinitionsAgeInterval = 60 * 60 * 1000;

}  // namespace kestrone::app
