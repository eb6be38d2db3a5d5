#include "window_shell.h"

#include "main_form.h"
#include "tip_dialog.h"
#include "win_support.h"

namespace kestrone::app {

void WindowShell::ShowSystemMessage(const std::string& captionUtf8, const std::string& textUtf8) {
    MessageBoxW(nullptr, Utf8ToWide(textUtf8).c_str(), Utf8ToWide(captionUtf8).c_str(),
                MB_OK | MB_ICONINFORMATION);
}

void WindowShell::RequestQuit() {
    quitRequested_ = true;
    PostQuitMessage(0);
}

void WindowShell::ShowPrompt(const std::string& text) {
    LocalizedMessageBox(form_.Handle(), text, "Prompt", MB_OK | MB_ICONINFORMATION);
}

bool WindowShell::AskYesNo(const std::string& question) {
    return LocalizedMessageBox(form_.Handle(), question, "Prompt", MB_YESNO | MB_ICONQUESTION) ==
           IDYES;
}

int WindowShell::AskTip(const std::string& tipName, const std::string& message,
                        bool& dontShowAgain) {
    TfrmTipWithNoShowAgain dialog(instance_, form_.Handle());
    return dialog.Ask(tipName, message, dontShowAgain);
}

void WindowShell::ShowProgress(const std::string& path) {
    form_.ShowProgress(path);
}

void WindowShell::ProcessMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));  // keep it for the main loop
            return;
        }
        if (!IsDialogMessageA(form_.Handle(), &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

bool WindowShell::StopRequested() {
    return form_.StopRequested();
}

void WindowShell::AddReportLine(const std::string& line) {
    form_.AddReportLine(line);
}

}  // namespace kestrone::app
