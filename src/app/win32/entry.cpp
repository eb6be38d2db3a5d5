// Kestrone.exe's entry: one copy only (the mutex "Corvanex"), the main window,
// a visible start or a start in the tray ("-Hide"), and the message loop.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "admin_runner.h"
#include "app/admin_task.h"
#include "app/branding.h"
#include "app/main_window_rules.h"
#include "main_form.h"
#include "platform/win32/handles.h"
#include "app/ui_language.h"
#include "win_support.h"

namespace {

constexpr char kMutexName[] = "Corvanex";
constexpr char kAlreadyRunning[] = "Kestrone is already running,you can find it in the tray.";

std::vector<std::string> ArgumentsAfterProgram() {
    std::vector<std::string> arguments;
    for (int index = 1; index < __argc; ++index) arguments.emplace_back(__argv[index]);
    return arguments;
}

int RunMessageLoop(HWND mainWindow) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (mainWindow && IsWindow(mainWindow) && IsDialogMessageA(mainWindow, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace kestrone;
    // An elevated copy started for one command: no window, no tray, no mutex.
    std::vector<std::string> arguments = ArgumentsAfterProgram();
    if (!arguments.empty() && arguments[0] == kAdminSwitch) return app::RunAdminInstance(arguments);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    app::SetApplicationTitle(kStoredProductName);
    SetUiLanguage(ChooseUiLanguage(ReadLanguageSetting(), GetUserDefaultUILanguage()));
    app::ChooseUiFontFace();

    // The handle stays open until the process ends, which keeps the name taken.
    platform::UniqueHandle<platform::KernelTraits> mutex(CreateMutexA(nullptr, FALSE, kMutexName));
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        app::LocalizedMessageBox(nullptr, kAlreadyRunning, app::ApplicationTitle(), MB_OK);
        ReleaseMutex(mutex.get());
        return 0;
    }

    app::TMainForm form;
    if (!form.Create(instance)) return 1;
    // After a missing data file the loop ends at once; no window is shown.
    if (!form.QuitRequested()) {
        if (StartsInTray(arguments))
            form.StartInTray();
        else
            form.ShowMainWindow();
    }
    return RunMessageLoop(form.Handle());
}
