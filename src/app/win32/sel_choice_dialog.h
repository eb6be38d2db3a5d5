// TfrmSelChoice: asks what to do with a drive that carries an Autorun.inf.
// It lives for one question; its rules (what OK, Cancel and the close box
// store and return) are ChooseThreatAction's, in app/threat_choice.h.
#pragma once

#include <windows.h>

namespace kestrone::app {

class TfrmSelChoice {
public:
    TfrmSelChoice(HINSTANCE instance, HWND owner) : instance_(instance), owner_(owner) {}

    // Shows the question modally; returns the threat action (1..3) or 4.
    int ShowModal();

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog(HWND dialog);
    void OnOk(HWND dialog);

    HINSTANCE instance_;
    HWND owner_;
    HFONT boldFont_ = nullptr;
};

inline constexpr int kSelChoiceClientWidth = 385;
inline constexpr int kSelChoiceClientHeight = 157;

}  // namespace kestrone::app
