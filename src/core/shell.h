// The engine's only way to reach the user: questions, progress and messages go
// out through these callbacks, which the main window installs at start-up.
// The defaults do nothing (and answer "continue"), as a scan without a window must.
#pragma once

#include <string>

namespace kestrone {

class ShellCallbacks {
public:
    virtual ~ShellCallbacks() = default;

    // A message box without owner and with the information icon. Caption and
    // text are UTF-8, so the Chinese system texts survive any ANSI code page.
    virtual void ShowSystemMessage(const std::string& /*captionUtf8*/,
                                   const std::string& /*textUtf8*/) {}
    // Asks the application to quit once its message loop runs again.
    virtual void RequestQuit() {}
    // A "Prompt" box with the information icon (ANSI text).
    virtual void ShowPrompt(const std::string& /*text*/) {}

    // The tip dialog for one question: returns 1 (OK) or 2 (Cancel / close box)
    // and reports whether "Don't show this again." was ticked.
    virtual int AskTip(const std::string& /*tipName*/, const std::string& /*message*/,
                       bool& dontShowAgain) {
        dontShowAgain = false;
        return 1;
    }

    // The folder walk: the file being examined, message pumping, the stop flag.
    virtual void ShowProgress(const std::string& /*path*/) {}
    virtual void ProcessMessages() {}
    virtual bool StopRequested() { return false; }

    // A Yes/No question in the window ("Prompt", question icon). Without a
    // window the answer is no: nothing that needs a yes is done.
    virtual bool AskYesNo(const std::string& /*question*/) { return false; }

    // A line for the scan page's report box, added at once (not to the report).
    virtual void AddReportLine(const std::string& /*line*/) {}
};

// The installed callbacks (never null: a do-nothing default until installed).
ShellCallbacks& Shell();
// Installs callbacks; nullptr restores the default. The caller keeps ownership.
void InstallShell(ShellCallbacks* shell);

}  // namespace kestrone
