// The USB unlock's question: the programs that hold the removable drives, each
// with a check box (all ticked, as the unlock closed them all before), and
// "Close selected". It lives for one question.
#pragma once

#include <windows.h>

#include <vector>

#include "app/usb_unlock.h"

namespace kestrone::app {

class UnlockDialog {
  public:
    UnlockDialog(HINSTANCE instance, HWND owner, std::vector<DriveHolder> holders)
        : instance_(instance), owner_(owner), holders_(std::move(holders)) {}

    // True with the ticked holders in `chosen`; false when the user cancelled.
    bool ShowModal(std::vector<DriveHolder>& chosen);

  private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog(HWND dialog);
    void OnOk(HWND dialog);

    HINSTANCE instance_;
    HWND owner_;
    std::vector<DriveHolder> holders_;
    std::vector<DriveHolder> chosen_;
};

}  // namespace kestrone::app
