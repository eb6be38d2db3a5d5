// TfrmSelChoice: asks what to do with a drive that carries an Autorun.inf.
// It lives for one question; its rules (what OK, Cancel and the close box
// store and return) are ChooseThreatAction's, in app/threat_choice.h, and
// those of its "Always trust this stick" are in app/trust_choice.h.
#pragma once

#include <windows.h>

#include <string>

#include "app/trust_choice.h"

namespace kestrone::app {

class TfrmSelChoice {
public:
    TfrmSelChoice(HINSTANCE instance, HWND owner, std::string driveRoot)
        : instance_(instance), owner_(owner), driveRoot_(std::move(driveRoot)) {}

    // Shows the question modally; returns the threat action (1..3) or 4.
    int ShowModal();

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog(HWND dialog);
    void OnOk(HWND dialog);

    HINSTANCE instance_;
    HWND owner_;
    std::string driveRoot_;
    platform::VolumeIdentity volume_;
    TrustBox trustBox_;
    HFONT boldFont_ = nullptr;
};

inline constexpr int kSelChoiceClientWidth = 385;
inline constexpr int kSelChoiceClientHeight = 172;

}  // namespace kestrone::app
