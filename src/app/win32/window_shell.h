// The engine's callbacks as the main window answers them: message boxes, the
// tip dialog, the scan page's report box and status bar, message pumping.
#pragma once

#include <windows.h>

#include "core/shell.h"

namespace kestrone::app {

class TMainForm;

class WindowShell : public ShellCallbacks {
public:
    WindowShell(HINSTANCE instance, TMainForm& form) : instance_(instance), form_(form) {}

    void ShowSystemMessage(const std::string& captionUtf8, const std::string& textUtf8) override;
    void RequestQuit() override;
    void ShowPrompt(const std::string& text) override;
    int AskTip(const std::string& tipName, const std::string& message,
               bool& dontShowAgain) override;
    void ShowProgress(const std::string& path) override;
    void ProcessMessages() override;
    bool StopRequested() override;
    void AddReportLine(const std::string& line) override;
    bool AskYesNo(const std::string& question) override;

    // Whether the engine asked the application to quit (a missing data file).
    bool QuitRequested() const { return quitRequested_; }

private:
    HINSTANCE instance_;
    TMainForm& form_;
    bool quitRequested_ = false;
};

}  // namespace kestrone::app
