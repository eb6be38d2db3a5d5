// TfrmTipWithNoShowAgain: the "ask once more" dialog before an action that
// disturbs the user's work. It lives for one question: the caller creates it,
// asks, and lets it go. Whether a tip is asked at all is decided by ShowTip
// (core/tip.h), which reaches this dialog through the shell callbacks.
#pragma once

#include <windows.h>

#include <string>

namespace kestrone::app {

class TfrmTipWithNoShowAgain {
public:
    // owner: the window the dialog is centred on (the main window when there is one).
    TfrmTipWithNoShowAgain(HINSTANCE instance, HWND owner) : instance_(instance), owner_(owner) {}

    // Shows the message modally. Returns 1 for OK and 2 for Cancel or the close
    // box; CBNotShowAgain's state is reported in notShowAgain.
    int Ask(const std::string& tipName, const std::string& message, bool& notShowAgain);

    const std::string& TipName() const { return tipName_; }

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog(HWND dialog);

    HINSTANCE instance_;
    HWND owner_;
    std::string tipName_;
    std::string message_;
    bool notShowAgain_ = false;
};

// Client size of the dialog and the pixel places of its controls.
inline constexpr int kTipClientWidth = 382;
inline constexpr int kTipClientHeight = 99;

}  // namespace kestrone::app
