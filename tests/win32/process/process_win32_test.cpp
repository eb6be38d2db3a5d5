// The process layer against real processes: our own, and a harmless sleeper
// started here with known arguments.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "core/text.h"
#include "platform/processes.h"
#include "scan/process_info.h"
#include "scan/process_kill.h"

namespace kestrone::test {
namespace {

std::string OwnFolder() {
    char buffer[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return FolderPart(buffer);
}

std::u16string Wide(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

// A started sleeper; terminated, waited for and closed when the test ends. Its
// first argument names the event it sets once it runs (see sleeper.cpp).
class Sleeper {
  public:
    explicit Sleeper(const std::string& arguments) {
        static int count = 0;
        readyName_ = "kestrone-ready-" + std::to_string(GetCurrentProcessId()) + "-" +
                     std::to_string(++count);
        path_ = OwnFolder() + "process_sleeper.exe";
        commandLine_ = "\"" + path_ + "\" " + readyName_ + " " + arguments;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string mutableLine = commandLine_;
        started_ = CreateProcessA(path_.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0,
                                  nullptr, nullptr, &startup, &info_);
        if (started_) WaitUntilRunning();
    }
    ~Sleeper() {
        if (!started_) return;
        TerminateProcess(info_.hProcess, 1);
        // Gone from the process list before the next test counts sleepers.
        WaitForSingleObject(info_.hProcess, 10000);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    bool started() const { return started_; }
    uint32_t id() const { return info_.dwProcessId; }
    const std::string& path() const { return path_; }
    const std::string& commandLine() const { return commandLine_; }
    // The exit code once it has ended, or -1 while it still runs after the wait.
    long ExitCode(DWORD waitMs) const {
        if (WaitForSingleObject(info_.hProcess, waitMs) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(info_.hProcess, &code);
        return static_cast<long>(code);
    }

  private:
    // Until it runs its own code (at most 30 s: emulated or busy machines are
    // slow to start a process), so its parameters record is complete.
    void WaitUntilRunning() const {
        HANDLE ready = nullptr;
        for (int i = 0; i < 600 && !ready; ++i) {
            ready = OpenEventA(SYNCHRONIZE, FALSE, readyName_.c_str());
            if (!ready) Sleep(50);
        }
        if (ready) CloseHandle(ready);
    }
    std::string readyName_, path_, commandLine_;
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

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
