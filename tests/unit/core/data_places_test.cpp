#include "core/data_places.h"

#include "core/definitions.h"
#include "core/errors.h"
#include "core/history_log.h"
#include "core/machine_changes.h"
#include "core/quarantine_store.h"
#include "core/user_settings.h"
#include "scan/drive_clean.h"
#include "scan/process_lists.h"
#include "sim_fixture.h"

namespace kestrone {
namespace {

constexpr char kProgramDir[] = "C:\\Program Files\\Kestrone\\";
constexpr char kUserDir[] = "C:\\Users\\User\\AppData\\Local\\Kestrone\\";

class DataPlaces : public test::SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddDrive('E', platform::kDriveRemovable);
        world().AddFolder("C:\\Temp");
        world().AddFolder("C:\\Users\\User\\AppData\\Local");
        world().AddFolder("C:\\Program Files\\Kestrone");
    }
};

// Who may write the program folder decides the layout; an elevated instance
// decides by the ordinary rights, so both instances agree.
TEST_F(DataPlaces, TheLayoutFollowsWhetherTheUserMayWriteTheProgramFolder) {
    struct Case {
        const char* what;
        const char* program;
        bool userAccountControl, elevated, writeProtected;
        DataLayout expected;
    } cases[] = {
        {"XP administrator, Program Files", "C:\\Program Files\\Kestrone\\Kestrone.exe", false, true,
         false, DataLayout::Portable},
        {"standard account, Program Files", "C:\\Program Files\\Kestrone\\Kestrone.exe", true, false,
         false, DataLayout::Installed},
        {"elevated instance, Program Files", "C:\\Program Files\\Kestrone\\Kestrone.exe", true, true,
         false, DataLayout::Installed},
        {"standard account, a folder of its own", "C:\\Tools\\Kestrone\\Kestrone.exe", true, false,
         false, DataLayout::Portable},
        {"standard account, a stick", "E:\\Kestrone\\Kestrone.exe", true, false, false,
         DataLayout::Portable},
        {"a write-protected stick", "E:\\Kestrone\\Kestrone.exe", false, true, true,
         DataLayout::Installed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        world().AddFolder(FolderPart(c.program));
        if (c.writeProtected) world().MakeWriteProtected("E:\\");
        world().SetExecutablePath(c.program);
        world().SetUserAccountControl(c.userAccountControl);
        world().SetElevated(c.elevated);
        ForgetDataLayout();
        EXPECT_EQ(CurrentDataLayout(), c.expected);
        std::string expectedDir = c.expected == DataLayout::Portable ? FolderPart(c.program) : kUserDir;
        EXPECT_TRUE(SameText(UserDataDir(), expectedDir)) << UserDataDir();
    }
}

TEST_F(DataPlaces, InTheInstalledLayoutTheUsersFilesLiveInTheUsersFolder) {
    world().SetStandardUser();
    EXPECT_EQ(DataFilePath(kUserSettingsFile), std::string(kUserDir) + "UserSettings.ini");
    EXPECT_EQ(HistoryPath(), std::string(kUserDir) + "History.log");
    EXPECT_EQ(QuarantineFolder(), std::string(kUserDir) + "Quarantine\\");
    EXPECT_EQ(DataFilePath("Undo.txt"), std::string(kUserDir) + "Undo.txt");
    EXPECT_EQ(DataFilePath(kProcessFile), std::string(kUserDir) + "Process.dat");
    EXPECT_EQ(DataFilePath(kDefinitionsFile), "C:\\Temp\\kernel.dll");  // the decrypted copy
    EXPECT_EQ(DataFilePath("Repair.rep"), std::string(kProgramDir) + "Repair.rep");
    EXPECT_TRUE(world().IsFolder(kUserDir));
}

// A standard account's choices are kept (they used to fail with "Unable to
// write to ...\UserSettings.ini"); the file beside the program gives the
// defaults and is never written.
TEST_F(DataPlaces, SettingsAndTrustAreKeptForAStandardAccountOverTheShippedDefaults) {
    world().AddFile(std::string(kProgramDir) + "UserSettings.ini",
                    "[Settings]\r\nUserChoice=1\r\nNeedShowSelDiag=0\r\n");
    world().AddFile(std::string(kProgramDir) + "Process.dat",
                    "[Process]\r\nSystemProcesses=C:\\WINDOWS\\EXPLORER.EXE,\r\n");
    world().SetStandardUser();
    const std::string shippedSettings = world().Content(std::string(kProgramDir) + "UserSettings.ini");

    EXPECT_EQ(ReadUserChoice(), 1);
    EXPECT_FALSE(ReadNeedShowSelDiag());
    ASSERT_NO_THROW(WriteUserChoice(2));
    EXPECT_EQ(ReadUserChoice(), 2);
    EXPECT_FALSE(ReadNeedShowSelDiag());  // still the shipped default
    EXPECT_EQ(world().Content(std::string(kProgramDir) + "UserSettings.ini"), shippedSettings);

    ASSERT_TRUE(AddTrustedProcesses({"C:\\TOOLS\\EDITOR.EXE"}));
    EXPECT_EQ(ReadTrustProcesses(), TextList{"C:\\TOOLS\\EDITOR.EXE"});
    EXPECT_EQ(ReadSystemProcesses(), TextList{"C:\\WINDOWS\\EXPLORER.EXE"});
    EXPECT_NE(world().Content(std::string(kUserDir) + "Process.dat").find("EDITOR"), std::string::npos);
}

// The fault users met: as a standard account a cleaned stick kept no copy.
TEST_F(DataPlaces, AStandardAccountKeepsACopyOfWhatACleanRemoves) {
    world().AddFile("C:\\Temp\\KERNEL.DLL", "[VirusName]\r\nName=None\r\n");
    world().AddFile("E:\\Autorun.inf", "[AutoRun]\r\nopen=worm.exe\r\nshellexecute=worm.exe\r\n");
    world().AddFile("E:\\worm.exe", "MZ worm", platform::kAttrHidden | platform::kAttrSystem);
    world().SetStandardUser();
    UseQuarantine(true);
    CleanDriveOnArrival("E:\\");
    UseQuarantine(false);
    EXPECT_FALSE(world().Exists("E:\\worm.exe"));
    std::vector<QuarantineEntry> entries = QuarantineStore(QuarantineFolder()).Entries();
    ASSERT_EQ(entries.size(), 2u);
    for (const QuarantineEntry& entry : entries) EXPECT_TRUE(entry.kept) << entry.originalPath;
    EXPECT_TRUE(StartsWith(QuarantineFolder(), kUserDir));
    EXPECT_FALSE(world().Exists(std::string(kProgramDir) + "Quarantine"));
}

// Where even the user's folder refuses, the failure is reported, not hidden.
TEST_F(DataPlaces, AWriteTheSystemRefusesNamesTheUsersFile) {
    world().SetStandardUser();
    world().MakeWriteProtected("C:\\Users\\User\\AppData\\Local");
    try {
        WriteUserChoice(1);
        FAIL() << "the write was reported as done";
    } catch (const EWriteError& error) {
        EXPECT_NE(std::string(error.what()).find("Unable to write to "), std::string::npos);
    }
}

}  // namespace
}  // namespace kestrone
