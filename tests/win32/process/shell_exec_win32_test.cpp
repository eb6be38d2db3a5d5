// Starting programs through the shell and through a command line.
#include <gtest/gtest.h>
#include <windows.h>

#include "core/text.h"
#include "platform/shell_exec.h"
#include "scan/process_kill.h"

namespace kestrone::test {
namespace {

std::string SleeperPath() {
    char buffer[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return FolderPart(buffer) + "process_sleeper.exe";
}

// Ends the sleeper started with the marker once it runs (it sets an event of
// that name); true once it was found and ended. Generous waits: a started
// program can take seconds to come up on a busy or emulating machine.
bool EndStarted(const std::string& marker) {
    HANDLE ready = nullptr;
    for (int i = 0; i < 600 && !ready; ++i) {
        ready = OpenEventA(SYNCHRONIZE, FALSE, marker.c_str());
        if (!ready) Sleep(50);
    }
    if (!ready) return false;
    CloseHandle(ready);
    for (int i = 0; i < 200; ++i) {
        if (!KillProcessesByCommandLine({marker}).empty()) return true;
        Sleep(50);
    }
    return false;
}

TEST(ShellExecWin32, CommandLineStartsTheProgram) {
    std::string marker = "kestrone-winexec-" + std::to_string(GetCurrentProcessId());
    EXPECT_GT(platform::RunCommandLine("\"" + SleeperPath() + "\" " + marker, platform::kShowHide),
              31u);
    EXPECT_TRUE(EndStarted(marker));
}

TEST(ShellExecWin32, ShellOpensTheProgramWithParameters) {
    std::string marker = "kestrone-shell-" + std::to_string(GetCurrentProcessId());
    intptr_t result = platform::ShellExecuteFile(0, "Open", SleeperPath(), marker,
                                                 FolderPart(SleeperPath()), platform::kShowNormal);
    EXPECT_GT(result, 32);
    EXPECT_TRUE(EndStarted(marker));
}

TEST(ShellExecWin32, MissingFilesAreReportedAsFailures) {
    EXPECT_LE(platform::ShellExecuteFile(0, "", "C:\\no\\such\\program.exe", "", "",
                                         platform::kShowNormal),
              32);
    EXPECT_LE(platform::RunCommandLine("C:\\no\\such\\program.exe", platform::kShowHide), 31u);
}

}  // namespace
}  // namespace kestrone::test
