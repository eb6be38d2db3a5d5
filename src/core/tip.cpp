#include "core/tip.h"

#include "core/definitions.h"
#include "core/shell.h"

namespace kestrone {

int ShowTip(const std::string& tipName, const std::string& message) {
    if (!ReadDataBool(kTipSection, tipName, true, kUserSettingsFile)) return kTipContinue;
    bool dontShowAgain = false;
    if (Shell().AskTip(tipName, message, dontShowAgain) != kTipContinue) return kTipCancel;
    WriteDataBool(kTipSection, tipName, !dontShowAgain, kUserSettingsFile);
    return kTipContinue;
}

}  // namespace kestrone
