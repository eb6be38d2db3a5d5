#include "app/system_switches.h"
#include "core/history_log.h"
#include "core/undo_log.h"
#include "platform/registry.h"
#include "sim_fixture.h"

namespace kestrone {
namespace {

class PolicyUndo : public test::SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddFolder("C:\\Program Files\\Kestrone");
        UseUndoRecords(true);
    }
    void TearDown() override {
        UseUndoRecords(false);
        SimTest::TearDown();
    }
    uint32_t LastUndo() { return UndoNumberOfHistoryLine(ReadHistory().back()); }
};

TEST_F(PolicyUndo, EachPolicySwitchCanBeTakenBackToWhatWasThereBefore) {
    {
        platform::RegistryKey key;
        ASSERT_TRUE(key.OpenOrCreate(platform::kHkeyLocalMachine, kUsbStorKeyPath));
        key.WriteDword("Start", 3);
    }
    SetUsbStorageDisabled(true);
    uint32_t disabled = LastUndo();
    SetUsbWriteProtected(true);  // the value was not there before
    uint32_t protectedWrites = LastUndo();
    ASSERT_TRUE(IsUsbStorageDisabled());
    ASSERT_TRUE(IsUsbWriteProtected());

    EXPECT_EQ(UndoChange(disabled), UndoOutcome::Undone);
    EXPECT_FALSE(IsUsbStorageDisabled());
    uint32_t start = 0;
    platform::RegistryKey key;
    ASSERT_TRUE(key.OpenForReading(platform::kHkeyLocalMachine, kUsbStorKeyPath));
    ASSERT_TRUE(key.ReadDword("Start", start));
    EXPECT_EQ(start, 3u);

    EXPECT_EQ(UndoChange(protectedWrites), UndoOutcome::Undone);
    EXPECT_FALSE(IsUsbWriteProtected());
    platform::RegistryKey policies;
    ASSERT_TRUE(policies.OpenForReading(platform::kHkeyLocalMachine, kStoragePoliciesKeyPath));
    EXPECT_FALSE(policies.ValueExists("WriteProtect"));
}

}  // namespace
}  // namespace kestrone
