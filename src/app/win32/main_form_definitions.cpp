// New definitions from Update.exe, taken into use without a restart.
#include <windows.h>

#include <exception>

#include "app/definitions_update_message.h"
#include "core/decryption.h"
#include "main_form.h"
#include "pages/scan_page.h"
#include "update/definitions_in_use.h"

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
    ShowPopup("New definitions in use: " + update::DefinitionsVersionText(update::DefinitionsLoaded()));
    return static_cast<LRESULT>(kDefinitionsReloadedReply);
}

}  // namespace kestrone::app
