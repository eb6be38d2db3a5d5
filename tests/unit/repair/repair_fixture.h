// A simulated machine for the repair and immunity tests: a system drive C:
// with the program's folder and the data directory, and short names for the
// registry calls the tests look at.
#pragma once

#include <algorithm>
#include <string>

#include "platform/registry.h"
#include "platform/sim/process_table.h"
#include "platform/sim/registry_tree.h"
#include "sim_fixture.h"

namespace kestrone::test {

inline constexpr char kOptionsBelowMachine[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options";
inline constexpr char kPolicyBelowUser[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
inline constexpr char kSimHostsFile[] = "C:\\WINDOWS\\system32\\drivers\\etc\\hosts";
inline constexpr char kSimExeDir[] = "C:\\Program Files\\Kestrone\\";
inline constexpr char kSimDefinitions[] = "C:\\Temp\\kernel.dll";

class RepairTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddFolder("C:\\Temp");
        world().AddFolder(kSimExeDir);
    }
    static sim::RegistryTree& reg() { return sim::TheRegistry(); }
    static const std::vector<sim::ShellRequest>& requests() {
        return sim::TheShellLog().Requests();
    }
};

}  // namespace kestrone::test
