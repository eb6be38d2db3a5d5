// A standard account on the simulated machine: Kestrone in Program Files with
// its shipped kernel.dll, the user's definitions folder under the local
// application data, and test key A trusted in place of the publisher's key.
#pragma once

#include "core/definitions.h"
#include "unit/update/update_fixture.h"
#include "update/definitions_in_use.h"
#include "updater/update_flow.h"

namespace kestrone::test {

inline constexpr char kUserDefinitions[] =
    "C:\\Users\\User\\AppData\\Local\\Kestrone\\Definitions\\";

class MachineTest : public UpdateTest {
  protected:
    void SetUp() override {
        UpdateTest::SetUp();
        world().AddFolder("C:\\Users\\User\\AppData\\Local");
        world().SetStandardUser();
        world().SetLocalTime("2026-12-10 09:30:00");
        update::SetRootKeyOverride(KeyBlob('a'));
    }
    void TearDown() override {
        update::SetRootKeyOverride("");
        UpdateTest::TearDown();
    }
    static update::Verdict InstallOnMachine(const PackagePlan& plan,
                                            const std::string& marker = "") {
        std::string kernel = Kernel(marker.empty() ? "V" + std::to_string(plan.version) : marker);
        return update::InstallPackage(updater::MachineInstallRequest(), MakePackage(plan, kernel));
    }
    // Every file under the user's definitions folder with its bytes.
    std::map<std::string, std::string> DefinitionsOnDisk() const {
        std::map<std::string, std::string> files;
        for (const std::string& path : world().ListTree(kUserDefinitions)) {
            if (world().IsFile(path)) files[path] = world().Content(path);
        }
        return files;
    }
    // The threat list Kestrone reads after its start-up decryption.
    static std::string LoadedThreatList() {
        DecryptDataFiles();
        return ReadDataString("VirusName", "Name", "", kDefinitionsFile);
    }
};

}  // namespace kestrone::test
