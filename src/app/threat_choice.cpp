#include "app/threat_choice.h"

#include "core/policy_values.h"
#include "core/user_settings.h"

namespace kestrone {

int InitialChoiceIndex(int userChoice) {
    if (userChoice <= 0) return -1;
    return (userChoice > 3 ? 3 : userChoice) - 1;
}

int SelChoiceResult(SelChoiceAnswer answer, int selectedIndex, bool dontShowAgain) {
    if (answer != SelChoiceAnswer::Ok) return kActionNothing;
    int action = selectedIndex >= 0 && selectedIndex < 3 ? selectedIndex + 1 : 0;
    // OK without a choice keeps the dialog open and stores nothing, so a later
    // Cancel cannot leave "don't ask" stored together with "do nothing".
    if (action == 0) return 0;
    WriteNeedShowSelDiag(!dontShowAgain);
    WriteUserChoice(action);
    return action;
}

int ChooseThreatAction(const std::function<int()>& askWithDialog) {
    // An action the administrator fixed is not the user's to choose.
    if (IsSetByPolicy(PolicyId::ThreatAction) || !ReadNeedShowSelDiag()) return ReadUserChoice();
    return askWithDialog();
}

}  // namespace kestrone
