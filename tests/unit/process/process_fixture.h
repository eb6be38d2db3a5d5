// A simulated machine with drive C:, Windows in C:\WINDOWS and Kestrone's
// folder, and a shell whose tip answers a test chooses.
#pragma once

#include <string>
#include <vector>

#include "core/shell.h"
#include "platform/sim/process_table.h"
#include "sim_fixture.h"

namespace kestrone::test {

class TipShell : public ShellCallbacks {
  public:
    int answer = 1;
    bool tick = false;
    std::vector<std::string> asked;  // tip names, in order
    std::string lastMessage;

    int AskTip(const std::string& tipName, const std::string& message,
               bool& dontShowAgain) override {
        asked.push_back(tipName);
        lastMessage = message;
        dontShowAgain = tick;
        return answer;
    }
};

class ProcessTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddFolder("C:\\WINDOWS\\system32");
        world().AddFolder("C:\\Program Files\\Kestrone");
        InstallShell(&shell);
    }
    static sim::ProcessTable& processes() { return sim::TheProcesses(); }
    std::string Settings() const {
        return world().Content("C:\\Program Files\\Kestrone\\UserSettings.ini");
    }
    TipShell shell;
};

}  // namespace kestrone::test
