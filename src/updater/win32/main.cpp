// Update.exe: Kestrone's definitions updater, beside Kestrone.exe. The window
// by default; /S for silent use with an exit code (see updater_arguments.h).
#include <windows.h>
// commctrl.h needs the types of windows.h.
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/record_keeping.h"
#include "run_update.h"
#include "updater_window.h"

namespace {

using namespace kestrone::updater;

// Silent use writes its steps to standard output, for a log when redirected.
class PrintedProgress : public UpdateProgress {
  public:
    void Line(const std::string& text) override {
        std::fprintf(stdout, "%s\n", text.c_str());
        std::fflush(stdout);
    }
};

std::vector<std::string> ArgumentsAfterProgram() {
    std::vector<std::string> arguments;
    for (int index = 1; index < __argc; ++index) arguments.emplace_back(__argv[index]);
    return arguments;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    UpdaterArguments arguments = ParseUpdaterArguments(ArgumentsAfterProgram());
    UpdateOutcome usage{UpdateResult::BadArguments, {}, 0, ""};
    if (!arguments.ok) {
        std::fprintf(stderr, "Update.exe: %s\n%s\n", arguments.problem.c_str(),
                     usage.Message().c_str());
        if (!arguments.silent)
            MessageBoxA(nullptr, usage.Message().c_str(), "Kestrone Update", MB_ICONWARNING);
        return ExitCodeOf(UpdateResult::BadArguments);
    }
    kestrone::RecordKeeping records;
    if (arguments.silent) {
        PrintedProgress progress;
        UpdateRun run = RunUpdate(arguments.packageFolder, progress);
        progress.Line(run.Message());
        return ExitCodeOf(run.outcome.result);
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    return ShowUpdaterWindow(instance, arguments.packageFolder);
}
