// Repair items of the definitions: how a value picks its repair, and the
// repair page's Apply run over the ticked items.
#include "repair/repair_items.h"

#include "core/errors.h"
#include "repair/repair_actions.h"
#include "repair_fixture.h"

namespace kestrone::test {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

TEST(ClassifyRepairValueTest, FirstMatchingTestDecides) {
    struct Case {
        const char* value;
        RepairAction action;
    };
    const Case cases[] = {
        {"RepairAvsoft", RepairAction::RemoveDebuggers},
        {"repairavsoft", RepairAction::Script},
        {"RepairAvsoft ", RepairAction::Script},
        {"RepairAvsoft.rep", RepairAction::ImportRegFile},
        {"RepairHostFile.rep", RepairAction::ImportRegFile},  // ".rep" is tested before the hosts
        {"fix.rep", RepairAction::ImportRegFile},
        {"a.report.txt", RepairAction::ImportRegFile},  // contains, not ends with
        {"FIX.REP", RepairAction::Script},              // letter case counts for ".rep"
        {"RepairHostFile", RepairAction::ResetHosts},
        {"repairhostfile", RepairAction::Script},
        {"1", RepairAction::Script},
        {"", RepairAction::Script},
        {"regaddvalue,HKCU\\Software\\X,V,REG_DWORD,0", RepairAction::Script},
    };
    for (const Case& c : cases) EXPECT_EQ(ClassifyRepairValue(c.value), c.action) << c.value;
}

class RepairItems : public RepairTest {
  protected:
    void SetUp() override {
        RepairTest::SetUp();
        world().AddFile(kSimHostsFile, "0.0.0.0 update.example.com\r\n");
        hijack_ = std::string(kOptionsBelowMachine) + "\\victim.exe";
        reg().SetString(kHkeyLocalMachine, hijack_, "Debugger", "evil.exe");
        reg().AddKey(kHkeyCurrentUser, "Software\\X");
        world().AddFile(std::string(kSimExeDir) + "RepairHostFile.rep", "REGEDIT4\r\n");
    }
    static void Definitions(const std::string& items) {
        world().AddFile(kSimDefinitions, "[Other]\r\nA=1\r\n[RegRepair]\r\n" + items);
    }
    bool HostsReset() const { return world().Content(kSimHostsFile) == kResetHostsContent; }
    bool Hijacked() const { return reg().KeyExists(kHkeyLocalMachine, hijack_); }
    std::string hijack_;
};

TEST_F(RepairItems, ItemNamesInFileOrder) {
    Definitions("Zeta=1\r\nAlpha=RepairHostFile\r\nMiddle item=RepairAvsoft\r\n");
    EXPECT_EQ(ReadRepairItemNames(), (TextList{"Zeta", "Alpha", "Middle item"}));
}

TEST_F(RepairItems, EachTickedItemGetsItsRepair) {
    Definitions(
        "Script=regaddvalue,HKCU\\Software\\X,V,REG_DWORD,0$regaddvalue,HKCU\\Software\\X,W,REG_SZ,"
        "w\r\nImport=RepairHostFile.rep\r\nHosts=RepairHostFile\r\nDebuggers=RepairAvsoft\r\n");
    EXPECT_TRUE(ApplyRepairItems({"Script", "Import", "Hosts", "Debuggers"}, 0x55));
    EXPECT_EQ(reg().DwordValue(kHkeyCurrentUser, "Software\\X", "V"), 0u);
    EXPECT_EQ(reg().StringValue(kHkeyCurrentUser, "Software\\X", "W"), "W");
    ASSERT_EQ(requests().size(), 1u);
    EXPECT_EQ(requests()[0].file, "regedit.exe");
    EXPECT_EQ(requests()[0].parameters,
              std::string("/s ") + kSimExeDir + "RepairHostFile.rep");
    EXPECT_EQ(requests()[0].ownerWindow, 0x55u);
    EXPECT_TRUE(HostsReset());
    EXPECT_FALSE(Hijacked());
}

TEST_F(RepairItems, UntickedItemsAreLeftAndNothingTickedReportsFalse) {
    Definitions("Hosts=RepairHostFile\r\nDebuggers=RepairAvsoft\r\n");
    EXPECT_FALSE(ApplyRepairItems({}));
    EXPECT_TRUE(ApplyRepairItems({"Debuggers"}));
    EXPECT_FALSE(HostsReset());
    EXPECT_FALSE(Hijacked());
}

TEST_F(RepairItems, LookalikeValuesAreScriptsThatDoNothing) {
    Definitions("Hosts lower=repairhostfile\r\nDebuggers lower=repairavsoft\r\nEmpty=\r\n");
    EXPECT_TRUE(ApplyRepairItems({"Hosts lower", "Debuggers lower", "Empty", "Not in file"}));
    EXPECT_FALSE(HostsReset());
    EXPECT_TRUE(Hijacked());
    EXPECT_TRUE(requests().empty());
}

TEST_F(RepairItems, BrokenScriptEndsTheRunAfterEarlierItems) {
    Definitions("Hosts=RepairHostFile\r\nBroken=regaddvalue,HKCU\\Software\\X,V,REG_DWORD,zz\r\n"
                "Debuggers=RepairAvsoft\r\n");
    EXPECT_THROW(ApplyRepairItems({"Hosts", "Broken", "Debuggers"}), EDataError);
    EXPECT_TRUE(HostsReset());
    EXPECT_TRUE(Hijacked());
}

TEST_F(RepairItems, DataFilesAreDecryptedAfreshFirst) {
    // No kernel.dll beside the program: the decryption step tells the user.
    struct Recorder : ShellCallbacks {
        int messages = 0;
        void ShowSystemMessage(const std::string&, const std::string&) override { ++messages; }
    } recorder;
    InstallShell(&recorder);
    Definitions("Hosts=RepairHostFile\r\n");
    ApplyRepairItems({});
    EXPECT_EQ(recorder.messages, 1);
}

}  // namespace
}  // namespace kestrone::test
