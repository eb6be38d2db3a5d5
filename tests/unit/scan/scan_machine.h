// A simulated machine for the scan tests: drives, definitions in the data
// directory, a clean engine state, and quick ways to add files and processes.
#pragma once

#include "platform/sim/process_table.h"
#include "platform/sim/registry_tree.h"
#include "scan/signature_scan.h"
#include "sim_fixture.h"

namespace kestrone::test {

class ScanMachine : public SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        ResetSignatureScanState();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddFolder("C:\\Temp");
        world().AddFolder("C:\\WINDOWS\\system32");
        world().AddFolder("C:\\Program Files\\Kestrone");
        world().AddFile("C:\\Program Files\\Kestrone\\Kestrone.exe", "MZ Kestrone");
        ourId = sim::TheProcesses().Add("Kestrone.exe", "C:\\Program Files\\Kestrone\\Kestrone.exe");
        world().SetCurrentProcessId(ourId);
    }
    void TearDown() override {
        ResetSignatureScanState();
        SimTest::TearDown();
    }
    void Definitions(const std::string& text) { world().AddFile("C:\\Temp\\KERNEL.DLL", text); }
    static sim::ProcessTable& processes() { return sim::TheProcesses(); }
    static sim::RegistryTree& registry() { return sim::TheRegistry(); }
    uint32_t ourId = 0;
};

}  // namespace kestrone::test
