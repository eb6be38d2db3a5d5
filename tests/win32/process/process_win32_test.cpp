// The process layer against real processes: our own, and a harmless sleeper
// started here with known arguments.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "core/text.h"
#include "platform/processes.h"
#include "scan/process_info.h"
#include "scan/process_kill.h"
#include "sleeper_process.h"

namespace kestrone::test {
namespace {

// The child's parameters are in place once it runs; give it a moment.
std::u16string CommandLineOf(uint32_t id) {
    std::u16string line;
    for (int i = 0; i < 40 && (line = platform::QueryProcessCommandLine(id)).empty(); ++i)
        Sleep(50);
    return line;
}

TEST(ProcessesWin32, SnapshotPathAndCommandLineOfAStartedProcess) {
    Sleeper sleeper("--marker kestrone-test-7f3a \"two words\" 123");
    ASSERT_TRUE(sleeper.started());

    bool seen = false;
    for (const platform::ProcessEntry& entry : platform::SnapshotProcesses()) {
        if (entry.id == sleeper.id()) {
            seen = true;
            EXPECT_TRUE(SameText(ProcessFilePart(entry.exeName), "process_sleeper.exe"))
                << entry.exeName;
        }
    }
    EXPECT_TRUE(seen);
    EXPECT_TRUE(SameText(GetProcessExePath(sleeper.id()), sleeper.path()))
        << GetProcessExePath(sleeper.id());
    EXPECT_EQ(CommandLineOf(sleeper.id()), Wide(sleeper.commandLine()));
    EXPECT_TRUE(IsProcessRunning("PROCESS_SLEEPER.EXE"));
    EXPECT_NE(FindProcessByName("process_sleeper.exe", false), 0u);
    EXPECT_FALSE(IsCriticalProcess(sleeper.id()));
}

TEST(ProcessesWin32, LongCommandLineIsReadWhole) {
    std::string argument(20000, 'k');
    Sleeper sleeper(argument);
    ASSERT_TRUE(sleeper.started());
    EXPECT_EQ(CommandLineOf(sleeper.id()), Wide(sleeper.commandLine()));
}

TEST(ProcessesWin32, TerminateWithExitCode) {
    Sleeper sleeper("--terminate");
    ASSERT_TRUE(sleeper.started());
    EXPECT_TRUE(platform::TerminateProcessById(sleeper.id(), 7));
    EXPECT_EQ(sleeper.ExitCode(5000), 7);
}

TEST(ProcessesWin32, KillByCommandLineAndByName) {
    Sleeper first("--marker kestrone-kill-c1");
    Sleeper second("--marker other");
    ASSERT_TRUE(first.started() && second.started());
    CommandLineOf(first.id());
    EXPECT_EQ(KillProcessesByCommandLine({"KESTRONE-KILL-C1"}), (TextList{"KESTRONE-KILL-C1"}));
    EXPECT_EQ(first.ExitCode(5000), 0);
    EXPECT_EQ(second.ExitCode(0), -1);  // untouched

    EXPECT_EQ(KillProcessesByName({"Process_Sleeper.exe"}, KillNames::Literal),
              (TextList{"Process_Sleeper.exe"}));
    EXPECT_EQ(second.ExitCode(5000), 0);
}

TEST(ProcessesWin32, OurOwnProcess) {
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    uint32_t self = GetCurrentProcessId();
    EXPECT_TRUE(SameText(GetProcessExePath(self), path));
    std::u16string own(reinterpret_cast<const char16_t*>(GetCommandLineW()));
    EXPECT_EQ(platform::QueryProcessCommandLine(self), own);
    // Whatever a list says, we stay.
    EXPECT_TRUE(KillProcessesByName({FilePart(path)}).empty());
    EXPECT_TRUE(KillProcessesByCommandLine({FilePart(path)}).empty());
}

TEST(ProcessesWin32, MissingProcessAndPrivilege) {
    uint32_t none = 0xFFFFFFF0u;
    EXPECT_EQ(platform::QueryProcessExePath(none), "");
    EXPECT_EQ(platform::QueryProcessCommandLine(none), u"");
    EXPECT_FALSE(platform::TerminateProcessById(none));
    EXPECT_TRUE(SetDebugPrivilege(true));
    EXPECT_EQ(platform::WideToAnsi(u"abc E:\\x"), "abc E:\\x");
}

}  // namespace
}  // namespace kestrone::test
