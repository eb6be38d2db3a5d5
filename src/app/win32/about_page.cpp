// The About page: product name, brand values, build and the Help button.
#include <windows.h>
#include <commctrl.h>

#include "app/branding.h"
#include "control_ids.h"
#include "main_form.h"
#include "win_support.h"

namespace kestrone::app {

namespace {
constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON;
}  // namespace

void TMainForm::CreateAboutPage(HWND page) {
    Control(page, "STATIC", kStoredAboutProductLabel, 0, 100, 18, 240, 22, kLabel11,
            static_cast<HFONT>(productFont_.get()));
    Control(page, "STATIC", "Email:", 0, 100, 84, 64, 15, -1);
    HWND email = Control(page, "STATIC", "", SS_NOTIFY, 168, 84, 180, 15, kEmailLabel,
                         static_cast<HFONT>(linkFont_.get()));
    Control(page, "STATIC", "Home:", 0, 100, 104, 64, 15, -1);
    HWND home = Control(page, "STATIC", "", SS_NOTIFY, 168, 104, 180, 15, kLabel15,
                        static_cast<HFONT>(linkFont_.get()));
    Control(page, "STATIC", "Database:", 0, 100, 124, 64, 15, -1);
    Control(page, "STATIC", AboutBuildLabel().c_str(), 0, 168, 124, 180, 15, -1);
    Control(page, "STATIC", "Definitions:", 0, 100, 144, 64, 15, -1);
    // Two lines: "as shipped with Kestrone 2.3.0.618" wraps rather than being cut.
    Control(page, "STATIC", "", 0, 168, 144, 186, 30, kDefinitionsLabel);
    Control(page, "STATIC", "", 0, 100, 184, 248, 15, kLabel16);
    linkLabels_ = {email, home};
    Control(page, "BUTTON", "&Help", kButton, 280, 237, 75, 25, kButton15);
}

}  // namespace kestrone::app
