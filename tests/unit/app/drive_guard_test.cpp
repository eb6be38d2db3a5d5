// The guard of an attached stick: a worm on this PC writes to it, the guard
// hears of it through the folder watch, cleans the stick at once, ends the
// writer and its start-up values, and says so. Nothing of the user's is
// touched, and nothing is watched while the guard is off or no stick is in.
#include "app/drive_guard.h"

#include <cstring>

#include "platform/registry.h"
#include "platform/sim/folder_watches.h"
#include "platform/sim/process_table.h"
#include "platform/sim/registry_tree.h"
#include "scan/drive_guard.h"
#include "scan/signature_scan.h"
#include "sim_fixture.h"

namespace kestrone {
namespace {

using platform::FolderEntry;
using platform::kAttrArchive;
using platform::kAttrDirectory;
using platform::kAttrHidden;
using platform::kAttrSystem;
using platform::kHkeyCurrentUser;

const uint32_t kHiddenSystem = kAttrHidden | kAttrSystem;
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kWorm = "MZ harmless worm specimen";

TEST(GuardedLetters, EveryRemovableDriveWhileOnNoneWhileOff) {
    EXPECT_EQ(GuardedLetters(true, "EFG"), "EFG");
    EXPECT_EQ(GuardedLetters(true, "fEe"), "FE");
    EXPECT_EQ(GuardedLetters(true, "AE"), "E");  // A is never a stick
    EXPECT_EQ(GuardedLetters(true, ""), "");
    EXPECT_EQ(GuardedLetters(false, "EFG"), "");
}

TEST(ChangedRootNames, NewAndAlteredEntriesCountGoneOnesDoNot) {
    std::vector<FolderEntry> before{{"Photos", kAttrDirectory, 0},
                                    {"notes.txt", kAttrArchive, 10},
                                    {"old.doc", kAttrArchive, 5}};
    std::vector<FolderEntry> after{{"PHOTOS", kAttrDirectory | kHiddenSystem, 0},
                                   {"notes.txt", kAttrArchive, 10},
                                   {"Photos.exe", kAttrArchive, 300},
                                   {"Autorun.inf", kAttrArchive, 0}};
    EXPECT_EQ(ChangedRootNames(before, after), (TextList{"PHOTOS", "Photos.exe", "Autorun.inf"}));
    after[1].size = 11;
    EXPECT_EQ(ChangedRootNames(before, after).size(), 4u);
    EXPECT_TRUE(ChangedRootNames(after, after).empty());
    EXPECT_TRUE(ChangedRootNames(after, {}).empty());
}

TEST(ReadHandleRemoval, OnlyRemovalQueriesOfAHandleRecord) {
    constexpr size_t kOffset = sizeof(void*) == 8 ? 16 : 12;
    unsigned char record[64] = {};
    uint32_t size = static_cast<uint32_t>(kOffset + 3 * sizeof(void*) + 16),
             type = kDbtDevTypHandle;
    void* handle = reinterpret_cast<void*>(uintptr_t{0x1234});
    std::memcpy(record, &size, 4);
    std::memcpy(record + 4, &type, 4);
    std::memcpy(record + kOffset, &handle, sizeof handle);
    uintptr_t named = 0;
    EXPECT_EQ(ReadHandleRemoval(kDbtDeviceQueryRemove, record, named), HandleRemoval::Asked);
    EXPECT_EQ(named, 0x1234u);
    EXPECT_EQ(ReadHandleRemoval(kDbtDeviceQueryRemoveFailed, record, named), HandleRemoval::Failed);
    EXPECT_EQ(ReadHandleRemoval(0x8004, record, named), HandleRemoval::None);  // removed
    EXPECT_EQ(ReadHandleRemoval(kDbtDeviceQueryRemove, nullptr, named), HandleRemoval::None);
    type = 2;  // a volume record
    std::memcpy(record + 4, &type, 4);
    EXPECT_EQ(ReadHandleRemoval(kDbtDeviceQueryRemove, record, named), HandleRemoval::None);
    EXPECT_EQ(named, 0u);
    type = kDbtDevTypHandle;
    size = 12;  // too short to hold a handle
    std::memcpy(record, &size, 4);
    std::memcpy(record + 4, &type, 4);
    EXPECT_EQ(ReadHandleRemoval(kDbtDeviceQueryRemove, record, named), HandleRemoval::None);
}

class Guard : public test::SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        ResetSignatureScanState();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddDrive('E', platform::kDriveRemovable);
        world().AddFolder("C:\\Temp");
        world().AddFolder("C:\\WINDOWS\\system32");
        world().AddFile("C:\\Program Files\\Kestrone\\Kestrone.exe", "MZ Kestrone");
        world().SetCurrentProcessId(
            processes().Add("Kestrone.exe", "C:\\Program Files\\Kestrone\\Kestrone.exe"));
        world().AddFile("E:\\holiday.jpg", "a photo");
        world().AddFile("E:\\setup.exe", "MZ the user's installer");
        // The worm's copy on this PC, running and started at log-on.
        world().AddFile(kWriter, kWorm);
        writer = processes().Add("wincfg.exe", kWriter);
        registry().SetString(kHkeyCurrentUser, kRunKey, "wincfg", "\"" + kWriter + "\" /s");
        // The user's own.
        world().AddFile("C:\\Tools\\editor.exe", "MZ the user's editor");
        editor = processes().Add("editor.exe", "C:\\Tools\\editor.exe");
        registry().SetString(kHkeyCurrentUser, kRunKey, "editor", "C:\\Tools\\editor.exe");
    }
    void TearDown() override {
        ResetSignatureScanState();
        SimTest::TearDown();
    }
    static sim::ProcessTable& processes() { return sim::TheProcesses(); }
    static sim::RegistryTree& registry() { return sim::TheRegistry(); }

    // What the window does: the change is announced, then the check runs.
    std::string WrittenAndChecked(DriveGuard& guard) {
        sim::AnnounceFolderChange("E:\\");
        std::string text;
        for (char letter : announced) text += guard.Check(letter);
        announced.clear();
        return text;
    }
    DriveGuard::ChangeNotice Notice() {
        return [this](char letter) { announced.push_back(letter); };
    }
    void ExpectUsersThingsStay() {
        EXPECT_TRUE(world().Exists("E:\\holiday.jpg"));
        EXPECT_TRUE(world().Exists("E:\\setup.exe"));
        EXPECT_TRUE(processes().IsRunning(editor));
        EXPECT_TRUE(registry().HasValue(kHkeyCurrentUser, kRunKey, "editor"));
    }

    const std::string kWriter = "C:\\WINDOWS\\system32\\wincfg.exe";
    uint32_t writer = 0, editor = 0;
    std::string announced;
};

TEST_F(Guard, AnAutorunWormWrittenToTheStickIsCleanedAndItsWriterEnded) {
    DriveGuard guard(Notice());
    guard.Guard("E");
    EXPECT_EQ(sim::RunningWatches("E:\\"), 1);
    world().AddFile("E:\\wincfg.exe", kWorm, kHiddenSystem);
    world().AddFile("E:\\Autorun.inf", "[autorun]\r\nshellexecute=wincfg.exe\r\n", kHiddenSystem);
    EXPECT_EQ(WrittenAndChecked(guard),
              "Guard: a worm wrote to E:\\\r"
              "E:\\wincfg.exe  cleaned\rE:\\Autorun.inf  cleaned\rE:\\ cleaned completed.\r"
              "Ended on this PC:\rwincfg.exe\r"
              "Start-up entries removed:\rwincfg\r");
    EXPECT_FALSE(world().Exists("E:\\Autorun.inf"));
    EXPECT_FALSE(processes().IsRunning(writer));
    EXPECT_FALSE(registry().HasValue(kHkeyCurrentUser, kRunKey, "wincfg"));
    ExpectUsersThingsStay();
    // Its own clean changed the root: that is no news.
    EXPECT_EQ(WrittenAndChecked(guard), "");
}

TEST_F(Guard, AFolderIconCopyIsCleanedButCriticalProcessesAreNeverEnded) {
    // A critical process whose file happens to carry the worm's code.
    world().AddFile("C:\\WINDOWS\\system32\\winlogon.exe", kWorm);
    uint32_t winlogon = processes().Add("winlogon.exe", "C:\\WINDOWS\\system32\\winlogon.exe");
    world().AddFolder("E:\\Photos");
    DriveGuard guard(Notice());
    guard.Guard("E");
    world().Find("E:\\Photos")->attributes |= kHiddenSystem;
    world().AddFile("E:\\Photos.exe", kWorm);
    std::string text = WrittenAndChecked(guard);
    EXPECT_NE(text.find("E:\\Photos.exe  cleaned\rE:\\Photos  restored\r"), std::string::npos)
        << text;
    EXPECT_NE(text.find("Ended on this PC:\rwincfg.exe\r"), std::string::npos) << text;
    EXPECT_EQ(world().Attributes("E:\\Photos") & kHiddenSystem, 0u);
    EXPECT_TRUE(processes().IsRunning(winlogon));
    ExpectUsersThingsStay();
}

TEST_F(Guard, TheUsersOwnWritesAndAWormLeftOnArrivalDoNotWakeIt) {
    // The user chose to leave this one on arrival; it did not change since.
    world().AddFile("E:\\Autorun.inf", "[autorun]\r\nshellexecute=old.exe\r\n");
    world().AddFile("E:\\old.exe", "MZ old worm", kHiddenSystem);
    DriveGuard guard(Notice());
    guard.Guard("E");
    world().AddFile("E:\\report.doc", "the user's new report");
    world().AddFile("E:\\tool.exe", "MZ a program the user copied");
    world().AddFolder("E:\\Private", kAttrHidden);
    world().AddFile("E:\\Private.lnk", "not a shortcut Windows could start");
    EXPECT_EQ(WrittenAndChecked(guard), "");
    EXPECT_TRUE(world().Exists("E:\\tool.exe"));
    EXPECT_TRUE(world().Exists("E:\\Autorun.inf"));
    EXPECT_TRUE(processes().IsRunning(writer));
    ExpectUsersThingsStay();
}

TEST_F(Guard, AnImmunisedStickIsGuardedToo) {
    world().AddFolder("E:\\Autorun.inf", kHiddenSystem);
    world().AddFile("E:\\Autorun.inf\\ReadMe.txt", "immunity");
    DriveGuard guard(Notice());
    guard.Guard("E");
    world().AddFile("E:\\holiday.jpg" + std::string(30, ' ') + ".exe", kWorm);
    world().Find("E:\\holiday.jpg")->attributes |= kAttrHidden;
    std::string text = WrittenAndChecked(guard);
    EXPECT_EQ(text.rfind("Guard: a worm wrote to E:\\\r", 0), 0u) << text;
    EXPECT_TRUE(world().IsFolder("E:\\Autorun.inf"));
    EXPECT_EQ(world().Attributes("E:\\holiday.jpg") & kAttrHidden, 0u);
    EXPECT_FALSE(processes().IsRunning(writer));
}

TEST_F(Guard, NothingIsWatchedWhileOffOrWithoutAStick) {
    DriveGuard guard(Notice());
    guard.Guard(GuardedLetters(false, "E"));
    EXPECT_EQ(sim::RunningWatches("E:\\"), 0);
    EXPECT_EQ(guard.Guarded(), "");
    world().AddFile("E:\\Autorun.inf", "[autorun]\r\nopen=x.exe\r\n");
    EXPECT_EQ(WrittenAndChecked(guard), "");
    EXPECT_EQ(guard.Check('E'), "");  // an unguarded drive is not cleaned
    EXPECT_TRUE(world().Exists("E:\\Autorun.inf"));

    guard.Guard("E");
    EXPECT_EQ(guard.Guarded(), "E");
    guard.Guard("");  // the stick went
    EXPECT_EQ(sim::RunningWatches("E:\\"), 0);
    world().AddDrive('F', platform::kDriveRemovable);
    guard.Guard("EFZ");  // Z does not exist: it cannot be watched
    EXPECT_EQ(guard.Guarded(), "EF");
}

// Asking Windows to remove the stick ends its watch (which holds the root
// open); it is watched again only when the removal fails or it comes back.
TEST_F(Guard, AStickTheUserRemovesIsLetGo) {
    DriveGuard guard(Notice());
    guard.Guard("E");
    guard.LetGo('E');
    EXPECT_EQ(sim::RunningWatches("E:\\"), 0);
    guard.Guard("E");  // still listed while Windows removes it
    EXPECT_EQ(guard.Guarded(), "");
    guard.Resume('E');  // the removal failed
    guard.Guard("E");
    EXPECT_EQ(sim::RunningWatches("E:\\"), 1);

    guard.LetGo('E');
    guard.Guard("");   // it went
    guard.Guard("E");  // and came back
    EXPECT_EQ(guard.Guarded(), "E");
}

}  // namespace
}  // namespace kestrone
