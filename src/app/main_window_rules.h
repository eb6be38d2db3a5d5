// Decisions of the main window that need no window: the start switch, what a
// close request or a log-off query does, where the caption title goes, and the
// texts built from companion messages and drive lists.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/text.h"

namespace kestrone {

// The autostart entry starts the program with this switch.
inline constexpr char kHideSwitch[] = "-Hide";

// Only the first argument counts, and only when it is exactly "-Hide".
bool StartsInTray(const std::vector<std::string>& argumentsAfterProgram);

// What the main window does with a close request.
struct CloseDecision {
    bool hide;        // the window is hidden in every case
    bool allowClose;  // closing the main window ends the program
};
// The close box of a visible window only hides it; a hidden window (or one
// whose quit was asked for) closes for good.
CloseDecision DecideClose(bool windowVisible, bool canQuit);
// A log-off or shutdown query is always answered yes; the window hides so the
// tray copy does not stand in the way of Windows.
CloseDecision DecideSessionEnd(bool windowVisible, bool canQuit);

// Half-way values go to the even neighbour (2.5 -> 2, 3.5 -> 4, -0.5 -> 0).
int RoundHalfToEven(int numerator, int denominator);

struct CaptionTitleMetrics {
    int menuHeight;     // SM_CYMENU
    int borderWidth;    // SM_CXBORDER
    int captionHeight;  // SM_CYCAPTION
    int fontHeight;     // |font height| in pixels
};
struct Point {
    int x;
    int y;
};
// Where the caption title is drawn in window coordinates.
Point CaptionTitleOrigin(const CaptionTitleMetrics& metrics);
// Pixel height of a font of the given points at the given resolution (12 pt at 96 dpi -> 16).
int FontPixelHeight(int points, int dotsPerInch);

// The caption (UTF-8, "intercepted plug-in" and two blanks) that precedes the
// name an interceptor reports with WM_COPYDATA.
inline constexpr char kPlugInCaptionUtf8[] = "\xE6\x88\xAA\xE8\x8E\xB7\xE6\x8F\x92\xE4\xBB\xB6  ";
// The text of a WM_COPYDATA from a companion (ANSI): read up to its first zero
// but never past the size it declared, so a text sent without its terminating
// zero cannot make us read memory that is not ours.
std::string CopyDataText(const char* data, size_t declaredSize);

// One drive root ("C:\") per letter, in the given order.
TextList DriveRoots(const std::string& letters);

// The Tools page's detection line for the removable drive letters.
std::string UsbDetectionLine(const std::string& removableLetters);

// What a click on a drive popup opens: the three characters around its first
// ":\" ("E:\"). Empty when the text names no drive root, so nothing is opened.
std::string PopupClickTarget(const std::string& popupText);

// The tray tip: the protection line, then which definitions are at work. A
// tip holds 127 characters; the second line gives way, never the first.
inline constexpr char kTrayProtectionHint[] = "Real-time system protection is actived";
inline constexpr size_t kTrayTipLimit = 127;
std::string TrayTipText(const std::string& definitionsVersionText);

}  // namespace kestrone
