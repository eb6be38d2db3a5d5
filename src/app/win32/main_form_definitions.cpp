// New definitions from Update.exe, taken into use without a restart.
#include <windows.h>

#include <exception>

#include "app/definitions_update_message.h"
#include "core/decryption.h"
#include "main_form.h"
#include "pages/scan_page.h"
#include "app/main_window_rules.h"
#include "control_ids.h"
#include "core/history_log.h"
#include "platform/environment.h"
#include "update/definitions_age.h"
#include "update/definitions_in_use.h"
#include "update/package_rules.h"
#include "ui/tray/win32/cool_tray_icon.h"

namespace kestrone::app {

// A reload that fails answers 0, and Update.exe restarts the program instead.
// While a scan runs, its next start decrypts the definitions afresh anyway, so
// the scan's file is not changed under it.
LRESULT TMainForm::OnDefinitionsUpdated() {
    if (!scanPage_ || !scanPage_->Busy()) {
        try {
            DecryptDataFiles();
        } catch (const std::exception&) {
            return 0;
        }
    }
    ShowDefinitionsInUse();
    ShowPopup("New definitions in use: " + update::DefinitionsVersionText(update::DefinitionsLoaded()));
    return static_cast<LRESULT>(kDefinitionsReloadedReply);
}

void TMainForm::ShowDefinitionsInUse() {
    std::string text = update::DefinitionsVersionText(update::DefinitionsLoaded());
    SetDlgItemTextA(pages_[kTabSheet10], kDefinitionsLabel, text.c_str());
    if (cltrycn1_) cltrycn1_->SetHint(TrayTipText(text));
}

void TMainForm::CheckDefinitionsAge() {
    SetTimer(hwnd_, kDefinitionsAgeTimer, kDefinitionsAgeInterval, nullptr);
    std::string today = update::TodayFromLocalTime(platform::CurrentLocalTimeText());
    update::StaleWarning warning =
        update::CheckDefinitionsAge(update::DefinitionsDay(update::DefinitionsLoaded()), today,
                                    update::StaleAfterDaysSetting(), lastStaleWarningDay_);
    if (!warning.due || !cltrycn1_) return;
    lastStaleWarningDay_ = today;
    staleBalloonShown_ = cltrycn1_->ShowBalloonHint(warning.title, warning.text, 2, 15);
    AppendHistory("Update", warning.text);
}

}  // namespace kestrone::app
