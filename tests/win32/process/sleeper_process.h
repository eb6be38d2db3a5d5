// A harmless sleeper process started by the Win32 tests with known
// arguments; terminated and closed when the test ends.
#pragma once

#include <windows.h>

#include <string>

#include "core/text.h"
#include "scan/process_info.h"

namespace kestrone::test {

inline std::string OwnFolder() {
    char buffer[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return FolderPart(buffer);
}

inline std::u16string Wide(const std::string& text) {
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

}  // namespace kestrone::test
