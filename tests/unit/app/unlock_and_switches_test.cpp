// USB unlock against the simulated machine's processes, and the machine-wide
// switches (autostart, USB storage policies) in its registry.
#include "app/settings_page_values.h"
#include "app/system_switches.h"
#include "app/usb_unlock.h"
#include "core/errors.h"
#include "platform/sim/process_table.h"
#include "platform/sim/registry_tree.h"
#include "sim_fixture.h"

namespace kestrone {
namespace {

using platform::kHkeyLocalMachine;

TEST(UnlockHolders, ThePathOnTheDriveThatACommandLineNames) {
    struct Case {
        const char* commandLine;
        const char* path;
    } cases[] = {
        {"\"C:\\Tools\\viewer.exe\" e:\\photos\\cat.jpg", "e:\\photos\\cat.jpg"},
        {"word.exe \"F:\\My Files\\report.doc\" /n", "F:\\My Files\\report.doc"},
        {"E:\\tool.exe", "E:\\tool.exe"},
        {"C:\\editor.exe D:\\a.txt", ""},        // D: is no removable drive here
        {"C:\\CODE:\\x.exe", ""},                // "E:\" inside a longer word
        {"backup.exe F:\\ E:\\x", "F:\\"},      // the first on the line
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(PathOnDrives(c.commandLine, "EF"), c.path) << c.commandLine;
}

class Unlock : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddDrive('E', platform::kDriveRemovable);
        world().SetCurrentProcessId(7);
    }
    static sim::ProcessTable& processes() { return sim::TheProcesses(); }
};

TEST_F(Unlock, ClosesWhatHoldsTheDriveSparesUsAndBringsExplorerBack) {
    uint32_t viewer = processes().Add("viewer.exe", "C:\\Tools\\viewer.exe",
                                      "\"C:\\Tools\\viewer.exe\" e:\\photos\\cat.jpg");
    uint32_t fromStick = processes().Add("tool.exe", "E:\\tool.exe", "E:\\tool.exe");
    processes().Add("Kestrone.exe", "E:\\Kestrone.exe", "E:\\Kestrone.exe", 7);
    uint32_t editor = processes().Add("editor.exe", "C:\\editor.exe", "C:\\editor.exe D:\\a.txt");
    processes().Add("explorer.exe", "C:\\WINDOWS\\explorer.exe", "C:\\WINDOWS\\Explorer.EXE");

    UnlockResult result = UnlockUsbDrives();
    EXPECT_FALSE(processes().IsRunning(viewer));
    EXPECT_FALSE(processes().IsRunning(fromStick));
    EXPECT_TRUE(processes().IsRunning(7));
    EXPECT_TRUE(processes().IsRunning(editor));
    EXPECT_EQ(result.terminated, (TextList{"viewer.exe", "tool.exe", "explorer.exe"}));
    EXPECT_TRUE(result.survivors.empty());
    EXPECT_TRUE(result.explorerRestarted);
    ASSERT_EQ(sim::TheShellLog().Requests().size(), 1u);
    EXPECT_EQ(sim::TheShellLog().Requests()[0].file, "explorer.exe");
    EXPECT_EQ(UnlockMessage(result), kUnlockDoneMessage);
}

TEST_F(Unlock, OnlyTheChosenHoldersAreClosed) {
    uint32_t viewer = processes().Add("viewer.exe", "C:\\Tools\\viewer.exe",
                                      "\"C:\\Tools\\viewer.exe\" E:\\photos\\cat.jpg");
    uint32_t word = processes().Add("word.exe", "C:\\Office\\word.exe",
                                    "word.exe \"E:\\My Files\\thesis.doc\"");
    uint32_t explorer = processes().Add("explorer.exe", "C:\\WINDOWS\\explorer.exe", "C:\\WINDOWS\\Explorer.EXE");
    processes().Add("calc.exe", "C:\\calc.exe", "calc.exe");
    std::vector<DriveHolder> holders = FindDriveHolders("E");
    ASSERT_EQ(holders.size(), 3u);
    EXPECT_EQ(holders[0].holds, "E:\\photos\\cat.jpg");
    EXPECT_EQ(holders[1].holds, "E:\\My Files\\thesis.doc");
    EXPECT_TRUE(holders[2].explorer);

    // The user keeps the unsaved thesis open and closes the viewer alone.
    UnlockResult result = CloseDriveHolders({holders[0]});
    EXPECT_FALSE(processes().IsRunning(viewer));
    EXPECT_TRUE(processes().IsRunning(word));
    EXPECT_TRUE(processes().IsRunning(explorer));
    EXPECT_EQ(result.terminated, (TextList{"viewer.exe"}));
    EXPECT_EQ(ClosedProgramsLine(result), "Closed: viewer.exe.");
    EXPECT_FALSE(result.explorerRestarted);
}

TEST_F(Unlock, AListedProgramThatEndedMeanwhileTakesNoOtherWithIt) {
    uint32_t viewer = processes().Add("viewer.exe", "C:\\viewer.exe", "viewer.exe E:\\a.jpg");
    std::vector<DriveHolder> holders = FindDriveHolders("E");
    ASSERT_EQ(holders.size(), 1u);
    processes().Terminate(viewer, 0);
    uint32_t other = processes().Add("notes.exe", "C:\\notes.exe", "notes.exe", viewer);
    UnlockResult result = CloseDriveHolders(holders);
    EXPECT_TRUE(processes().IsRunning(other));
    EXPECT_TRUE(result.terminated.empty());
}

TEST_F(Unlock, TheProgramThatDrawsTheDesktopIsNeverEnded) {
    uint32_t desktop = processes().Add("explorer.exe", "C:\\windows\\explorer.exe",
                                       "C:\\windows\\system32\\explorer.exe /desktop");
    world().SetDesktopHostProcessId(desktop);
    UnlockResult result = UnlockUsbDrives();
    EXPECT_TRUE(processes().IsRunning(desktop));
    EXPECT_TRUE(result.terminated.empty());
    EXPECT_FALSE(result.explorerRestarted);
}

TEST_F(Unlock, ProcessesThatResistAreNamedInsteadOfSuccess) {
    uint32_t stubborn = processes().Add("backup.exe", "C:\\backup.exe", "C:\\backup.exe E:\\");
    processes().Find(stubborn)->refuseTermination = true;
    UnlockResult result = UnlockUsbDrives();
    EXPECT_EQ(result.survivors, (TextList{"backup.exe"}));
    EXPECT_FALSE(result.explorerRestarted);  // Explorer was not running, nor closed
    std::string message = UnlockMessage(result);
    EXPECT_NE(message, kUnlockDoneMessage);
    EXPECT_NE(message.find("backup.exe"), std::string::npos);
}

class Switches : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddFolder("C:\\Program Files\\Kestrone");
        registry().AddKey(kHkeyLocalMachine, kRunKeyPath);
    }
    static sim::RegistryTree& registry() { return sim::TheRegistry(); }
};

TEST_F(Switches, AutostartValueQuotesThePathAndIsReadByPresence) {
    EXPECT_FALSE(IsAutostart());
    SetAutostart(true);
    EXPECT_EQ(registry().StringValue(kHkeyLocalMachine, kRunKeyPath, "Kestrone.exe"),
              "\"C:\\Program Files\\Kestrone\\Kestrone.exe\" -Hide");
    EXPECT_TRUE(IsAutostart());
    registry().SetString(kHkeyLocalMachine, kRunKeyPath, "Kestrone.exe", "anything");
    EXPECT_TRUE(IsAutostart());
    SetAutostart(false);
    EXPECT_FALSE(IsAutostart());
    EXPECT_NO_THROW(SetAutostart(false));  // a missing value is no error
}

TEST_F(Switches, RefusedMachineWritesRaiseAClearError) {
    registry().RefuseFullAccess(kHkeyLocalMachine, kRunKeyPath);
    try {
        SetAutostart(true);
        FAIL() << "no error";
    } catch (const ERegistryError& error) {
        EXPECT_NE(std::string(error.what()).find("administrator"), std::string::npos);
    }
    EXPECT_NO_THROW(SetAutostart(false));  // nothing of ours there to remove
    registry().AddKey(kHkeyLocalMachine, "SYSTEM");
    registry().RefuseWrites(kHkeyLocalMachine, "SYSTEM");
    EXPECT_THROW(SetUsbStorageDisabled(true), ERegistryError);
    EXPECT_FALSE(IsUsbStorageDisabled());
}

TEST_F(Switches, UsbPoliciesWriteTheirValuesAndReadThemBack) {
    EXPECT_FALSE(IsUsbWriteProtected());  // reading creates the empty key
    EXPECT_TRUE(registry().KeyExists(kHkeyLocalMachine, kStoragePoliciesKeyPath));
    registry().SetDword(kHkeyLocalMachine, kUsbStorKeyPath, "Start", 2);
    EXPECT_FALSE(IsUsbStorageDisabled());
    SetUsbStorageDisabled(false);
    EXPECT_EQ(registry().DwordValue(kHkeyLocalMachine, kUsbStorKeyPath, "Start"), 3u);
    SetUsbStorageDisabled(true);
    EXPECT_TRUE(IsUsbStorageDisabled());
    registry().SetDword(kHkeyLocalMachine, kStoragePoliciesKeyPath, "WriteProtect", 5);
    EXPECT_TRUE(IsUsbWriteProtected());
    SetUsbWriteProtected(false);
    EXPECT_EQ(registry().DwordValue(kHkeyLocalMachine, kStoragePoliciesKeyPath, "WriteProtect"), 0u);
}

TEST_F(Switches, SettingsPageRoundTripLeavesThePoliciesAlone) {
    SettingsPageValues fresh = ReadSettingsPage();
    EXPECT_EQ(fresh.actionTag, 3);
    EXPECT_TRUE(fresh.showAlert);
    EXPECT_FALSE(fresh.autostart || fresh.usbDisabled || fresh.usbWriteProtected);

    SettingsPageValues chosen = fresh;
    chosen.actionTag = 2;
    chosen.showAlert = false;
    chosen.autostart = true;
    chosen.usbDisabled = true;  // not Save's business
    WriteSettingsPage(chosen);
    SettingsPageValues loaded = ReadSettingsPage();
    EXPECT_EQ(loaded.actionTag, 2);
    EXPECT_FALSE(loaded.showAlert);
    EXPECT_TRUE(loaded.autostart);
    EXPECT_FALSE(loaded.usbDisabled);

    chosen.actionTag = 0;  // no radio checked saves 3
    WriteSettingsPage(chosen);
    EXPECT_EQ(ReadSettingsPage().actionTag, 3);
    world().AddFile("C:\\Program Files\\Kestrone\\UserSettings.ini", "[Settings]\r\nUserChoice=7\r\n");
    EXPECT_EQ(ReadSettingsPage().actionTag, 0);  // the radio buttons keep their state
}

}  // namespace
}  // namespace kestrone
