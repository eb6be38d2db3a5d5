// The companion record written at every start and the settings values the
// settings page shows, against the simulated machine.
#include <gtest/gtest.h>

#include "app/publish.h"
#include "app/settings_values.h"
#include "core/errors.h"
#include "platform/sim/registry_tree.h"
#include "sim_fixture.h"

namespace kestrone {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

class PublishTest : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', 3);
        world().AddFolder("C:\\Tools");
        world().AddFolder("C:\\Tools\\Kestrone");
        world().SetExecutablePath("C:\\Tools\\Kestrone\\Kestrone.exe");
    }
    static sim::RegistryTree& registry() { return sim::TheRegistry(); }
};

TEST_F(PublishTest, WritesFolderAndHandleUnderBothRoots) {
    PublishMainWindow(0x00010A2Cu);
    for (uint32_t root : {kHkeyCurrentUser, kHkeyLocalMachine}) {
        EXPECT_EQ(registry().StringValue(root, "Software\\Corvane", "MainPath"),
                  "C:\\Tools\\Kestrone\\");
        EXPECT_EQ(registry().ValueType(root, "Software\\Corvane", "MainPath"), platform::kRegSz);
        EXPECT_EQ(registry().DwordValue(root, "Software\\Corvane", "Handle"), 0x00010A2Cu);
        EXPECT_EQ(registry().ValueType(root, "Software\\Corvane", "Handle"), platform::kRegDword);
    }
}

TEST_F(PublishTest, EveryStartRewritesTheRecordAfterTheProgramMoved) {
    registry().SetString(kHkeyCurrentUser, "Software\\Corvane", "MainPath", "D:\\Old\\");
    registry().SetDword(kHkeyCurrentUser, "Software\\Corvane", "Handle", 7);
    PublishMainWindow(0x2222);
    EXPECT_EQ(registry().StringValue(kHkeyCurrentUser, "Software\\Corvane", "MainPath"),
              "C:\\Tools\\Kestrone\\");
    EXPECT_EQ(registry().DwordValue(kHkeyCurrentUser, "Software\\Corvane", "Handle"), 0x2222u);
}

TEST_F(PublishTest, RefusedMachineRecordIsSkippedButTheUserRecordIsWritten) {
    registry().AddKey(kHkeyLocalMachine, "Software");
    registry().RefuseWrites(kHkeyLocalMachine, "Software");
    EXPECT_NO_THROW(PublishMainWindow(0x33));
    EXPECT_EQ(registry().DwordValue(kHkeyCurrentUser, "Software\\Corvane", "Handle"), 0x33u);
    EXPECT_FALSE(registry().KeyExists(kHkeyLocalMachine, "Software\\Corvane"));
}

TEST_F(PublishTest, RefusedUserRecordRaisesTheRegistryError) {
    registry().AddKey(kHkeyCurrentUser, "Software\\Corvane");
    registry().RefuseWrites(kHkeyCurrentUser, "Software\\Corvane");
    try {
        PublishMainWindow(0x44);
        FAIL() << "expected ERegistryError";
    } catch (const ERegistryError& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'MainPath'");
    }
}

TEST_F(PublishTest, SettingsValuesDefaultWithoutFileAndFollowTheFile) {
    SettingsFileValues defaults = ReadSettingsFileValues();
    EXPECT_EQ(defaults.userChoice, 3);
    EXPECT_TRUE(defaults.needShowSelDiag);
    EXPECT_FALSE(defaults.blockPlugInstall);

    world().AddFile("C:\\Tools\\Kestrone\\UserSettings.ini",
                    "[Settings]\r\nUserChoice=0x2\r\nNeedShowSelDiag=0\r\nBlockPlugInstall=abc\r\n");
    SettingsFileValues stored = ReadSettingsFileValues();
    EXPECT_EQ(stored.userChoice, 2);
    EXPECT_FALSE(stored.needShowSelDiag);
    EXPECT_FALSE(stored.blockPlugInstall);  // not a number: the default
}

TEST(ActionRadio, OnlyStoredActionsOneToThreeCheckAButton) {
    EXPECT_EQ(ActionRadioTag(1), 1);
    EXPECT_EQ(ActionRadioTag(3), 3);
    EXPECT_EQ(ActionRadioTag(7), 0);
    EXPECT_EQ(ActionRadioTag(0), 0);
    EXPECT_EQ(ActionRadioTag(-1), 0);
}

}  // namespace
}  // namespace kestrone
