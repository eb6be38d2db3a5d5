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

class Sleeper {
  public:
    explicit Sleeper(const std::string& arguments) {
        path_ = OwnFolder() + "process_sleeper.exe";
        commandLine_ = "\"" + path_ + "\" " + arguments;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string mutableLine = commandLine_;
        started_ = CreateProcessA(path_.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0,
                                  nullptr, nullptr, &startup, &info_);
        if (started_) WaitUntilSettled();
    }
    ~Sleeper() {
        if (!started_) return;
        TerminateProcess(info_.hProcess, 1);
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
    // Wine returns from CreateProcess before the child's parameters record is
    // filled in; wait until its command line reads as text (at most 10 s).
    void WaitUntilSettled() const {
        for (int i = 0; i < 200; ++i) {
            std::u16string line = GetProcessCommandLine(info_.dwProcessId);
            if (!line.empty() && line[0] != u'\0') return;
            Sleep(50);
        }
    }
    std::string path_, commandLine_;
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};


}  // namespace kestrone::test
