// The threat-action question: asked with TfrmSelChoice, or answered by the
// stored choice when the user switched the question off. The dialog's rules
// live here; the dialog window only shows them.
#pragma once

#include <functional>

namespace kestrone {

inline constexpr char kSelChoiceHeading[] = "Threat is detected in usb drive, select an action\r\n";
inline constexpr const char* kSelChoiceItems[] = {
    "Clean infected files only", "Open usb drive safely",
    "Clean infected files and open usb drive safely"};

// The item of rgChoice selected when the dialog opens for a stored choice:
// choice - 1, the last item above 3, none (-1) for 0 or less.
int InitialChoiceIndex(int userChoice);

// How the dialog was answered.
enum class SelChoiceAnswer { Ok, Cancel, CloseBox };

// The dialog's result for an answer. OK stores "NeedShowSelDiag" (off when
// "Don't show this again." is ticked) and the chosen action, and returns it;
// with no item selected it stores nothing and returns 0, which keeps the
// dialog open. Cancel and the close box return 4 (nothing) and store nothing: a
// dismissed question must never open a possibly infected drive.
int SelChoiceResult(SelChoiceAnswer answer, int selectedIndex, bool dontShowAgain);

// The stored choice when the question is switched off or the action is set
// by policy, else the dialog's answer.
int ChooseThreatAction(const std::function<int()>& askWithDialog);

}  // namespace kestrone
