// Shortcut worms on a USB stick: the worm hides the user's files and folders
// and puts shortcuts in their place that start it. The scan removes worm,
// shortcuts, processes and start-up values, and gives the user's items back.
#include "scan/shortcut_worm.h"

#include "core/machine_changes.h"
#include "platform/registry.h"
#include "scan/drive_clean.h"
#include "scan/drive_scan.h"
#include "scan_machine.h"
#include "shell_link_builder.h"

namespace kestrone {
namespace {

using platform::kAttrHidden;
using platform::kAttrReadOnly;
using platform::kAttrSystem;
using platform::kHkeyCurrentUser;
using test::LinkBuilder;

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const uint32_t kHiddenSystem = kAttrHidden | kAttrSystem;
const std::string kCmd = "C:\\WINDOWS\\system32\\cmd.exe";
const std::string kWscript = "C:\\WINDOWS\\system32\\wscript.exe";
const std::string kRundll = "C:\\WINDOWS\\system32\\rundll32.exe";
const std::string kVbsWorm = "' harmless shortcut worm specimen";

std::string Link(const std::string& target, const std::string& arguments) {
    return LinkBuilder().IdList(target).LinkInfo(target).Arguments(arguments).Unicode().Bytes();
}

class ShortcutWorm : public test::ScanMachine {
  protected:
    void SetUp() override {
        ScanMachine::SetUp();
        world().AddDrive('E', platform::kDriveRemovable);
        for (const std::string& file : {kCmd, kWscript, kRundll})
            world().AddFile(file, "MZ " + file);
        world().AddFile("C:\\WINDOWS\\explorer.exe", "MZ explorer");
        world().AddFile("C:\\Scripts\\login.vbs", "' the user's log-on script");
        userScript =
            processes().Add("wscript.exe", kWscript, "\"" + kWscript + "\" C:\\Scripts\\login.vbs");
        userRundll = processes().Add("rundll32.exe", kRundll,
                                     "rundll32.exe shell32.dll,Control_RunDLL desk.cpl");
        explorer = processes().Add("explorer.exe", "C:\\WINDOWS\\explorer.exe",
                                   "C:\\WINDOWS\\Explorer.EXE");
        registry().SetString(kHkeyCurrentUser, kRunKey, "login",
                             "wscript.exe C:\\Scripts\\login.vbs");
        registry().SetString(kHkeyCurrentUser, kRunKey, "display",
                             "rundll32.exe shell32.dll,Control_RunDLL desk.cpl");
    }
    void ExpectUsersProcessesAndStartupStay() {
        EXPECT_TRUE(processes().IsRunning(userScript));
        EXPECT_TRUE(processes().IsRunning(userRundll));
        EXPECT_TRUE(processes().IsRunning(explorer));
        EXPECT_TRUE(processes().IsRunning(ourId));
        EXPECT_TRUE(registry().HasValue(kHkeyCurrentUser, kRunKey, "login"));
        EXPECT_TRUE(registry().HasValue(kHkeyCurrentUser, kRunKey, "display"));
    }
    uint32_t Attributes(const std::string& path) {
        return world().Attributes(path) & ~platform::kAttrDirectory;
    }

    uint32_t userScript = 0, userRundll = 0, explorer = 0;
};

// The common shape: every item of the root hidden, a shortcut of the same
// name for each, the script in a hidden folder, started by cmd through the
// script host, a copy of it at log-on.
TEST_F(ShortcutWorm, HiddenItemsAreGivenBackAndTheWormGoesEverywhere) {
    world().AddFolder("E:\\Photos", kHiddenSystem);
    world().AddFile("E:\\Photos\\beach.jpg", "a photo");
    world().AddFolder("E:\\Docs", kHiddenSystem | kAttrReadOnly);
    world().AddFile("E:\\report.doc", "the user's report", kHiddenSystem);
    world().AddFolder("E:\\System Volume Information", kHiddenSystem);
    world().AddFolder("E:\\RECYCLER", kHiddenSystem);
    world().AddFolder("E:\\RECYCLER\\S-1-5-21-1004", kHiddenSystem);
    world().AddFolder("E:\\WindowsServices", kHiddenSystem);
    world().AddFile("E:\\WindowsServices\\helper.vbs", kVbsWorm, kHiddenSystem);
    const std::string run =
        "/c start wscript /e:vbscript WindowsServices\\helper.vbs & start explorer ";
    for (const char* name : {"Photos", "Docs", "System Volume Information"}) {
        world().AddFile(std::string("E:\\") + name + ".lnk",
                        Link(kCmd, run + "\"" + name + "\" & exit"));
    }
    world().AddFile("E:\\report.doc.lnk", Link(kWscript, "WindowsServices\\helper.vbs"));
    // Running: the script started from the stick, and its copy on the machine.
    const std::string copy = "C:\\Documents and Settings\\user\\Application Data\\helper.vbs";
    world().AddFile(copy, kVbsWorm);
    uint32_t fromStick =
        processes().Add("wscript.exe", kWscript, "wscript /e:vbscript WindowsServices\\helper.vbs");
    uint32_t fromCopy =
        processes().Add("wscript.exe", kWscript, "\"" + kWscript + "\" //B \"" + copy + "\"");
    registry().SetString(kHkeyCurrentUser, kRunKey, "helper", "wscript.exe //B \"" + copy + "\"");

    EXPECT_TRUE(HasDriveThreat("E:\\"));
    EXPECT_EQ(
        ScanAndCleanDrive("E:\\"),
        (TextList{"E:\\WindowsServices\\helper.vbs  cleaned", "E:\\Docs.lnk  cleaned",
                  "E:\\Photos.lnk  cleaned", "E:\\report.doc.lnk  cleaned",
                  "E:\\System Volume Information.lnk  cleaned", "E:\\WindowsServices  cleaned",
                  "E:\\Docs  restored", "E:\\Photos  restored", "E:\\report.doc  restored",
                  "E:\\ cleaned completed."}));
    EXPECT_EQ(world().ListTree("E:\\"),
              (TextList{"E:\\Docs", "E:\\Photos", "E:\\Photos\\beach.jpg", "E:\\RECYCLER",
                        "E:\\RECYCLER\\S-1-5-21-1004", "E:\\report.doc",
                        "E:\\System Volume Information"}));
    EXPECT_EQ(Attributes("E:\\Photos"), 0u);
    EXPECT_EQ(Attributes("E:\\Docs"), kAttrReadOnly);  // only what the worm set is cleared
    EXPECT_EQ(Attributes("E:\\report.doc") & kHiddenSystem, 0u);
    EXPECT_EQ(Attributes("E:\\System Volume Information"), kHiddenSystem);
    EXPECT_EQ(Attributes("E:\\RECYCLER"), kHiddenSystem);
    EXPECT_FALSE(processes().IsRunning(fromStick));
    EXPECT_FALSE(processes().IsRunning(fromCopy));  // same file code
    EXPECT_FALSE(registry().HasValue(kHkeyCurrentUser, kRunKey, "helper"));
    EXPECT_TRUE(
        world().Exists(copy));  // copies are hunted by the fixed-drive specimen, not deleted here
    ExpectUsersProcessesAndStartupStay();
    EXPECT_FALSE(HasDriveThreat("E:\\"));
    EXPECT_EQ(ScanAndCleanDrive("E:\\"), TextList{"E:\\  no threat found"});
}

// The worm moves everything into a hidden folder with a name that shows as
// nothing and leaves one shortcut named like the drive; its module runs
// through rundll32 and opens that folder itself.
TEST_F(ShortcutWorm, ItemsMovedIntoAFacelessFolderComeBackToTheRoot) {
    const std::string store = "E:\\\xA0";
    world().AddFolder(store, kHiddenSystem);
    world().AddFolder(store + "\\Photos");
    world().AddFile(store + "\\Photos\\beach.jpg", "a photo");
    world().AddFile(store + "\\thesis.doc", "the user's work");
    world().AddFile(store + "\\notes.txt", "older notes");
    world().AddFile("E:\\notes.txt", "newer notes, written after the worm came");
    world().AddFile("E:\\~$WQZ.FAT32", "MZ worm module", kHiddenSystem);
    world().AddFile("E:\\USB DISK.lnk",
                    Link(kRundll, "~$WQZ.FAT32,_ldr@16 desktop.ini RET TLB \";JBDDAOIRBzJDHD\""));
    uint32_t module =
        processes().Add("rundll32.exe", kRundll, "rundll32.exe ~$WQZ.FAT32,_ldr@16 desktop.ini");

    EXPECT_EQ(CleanDriveOnArrival("E:\\"),
              (TextList{"E:\\~$WQZ.FAT32  cleaned", "E:\\USB DISK.lnk  cleaned",
                        "E:\\Photos  restored", "E:\\thesis.doc  restored", store + "  restored"}));
    EXPECT_EQ(world().ListTree("E:\\"),
              (TextList{"E:\\notes.txt", "E:\\Photos", "E:\\Photos\\beach.jpg", "E:\\thesis.doc",
                        "E:\\\xA0", "E:\\\xA0\\notes.txt"}));
    EXPECT_EQ(world().Content("E:\\notes.txt"), "newer notes, written after the worm came");
    EXPECT_EQ(Attributes(store), 0u);  // what could not come back is in plain sight
    EXPECT_FALSE(processes().IsRunning(module));
    ExpectUsersProcessesAndStartupStay();
}

TEST_F(ShortcutWorm, AnEmptiedStoreThatTheShortcutOpensIsRemoved) {
    world().AddFolder("E:\\_", kAttrHidden);
    world().AddFile("E:\\_\\DeviceConfigManager.vbs", kVbsWorm);
    world().AddFile("E:\\_\\holiday.jpg", "a photo");
    world().AddFile("E:\\Kingston.lnk",
                    Link(kCmd, "/c start _\\DeviceConfigManager.vbs & start explorer _ & exit"));
    EXPECT_EQ(ScanAndCleanDrive("E:\\"),
              (TextList{"E:\\_\\DeviceConfigManager.vbs  cleaned", "E:\\Kingston.lnk  cleaned",
                        "E:\\holiday.jpg  restored", "E:\\ cleaned completed."}));
    EXPECT_EQ(world().ListTree("E:\\"), TextList{"E:\\holiday.jpg"});
}

// A shortcut that starts a hidden program directly, without a launcher.
// Another program of the same name elsewhere is not the worm.
TEST_F(ShortcutWorm, ADirectlyStartedHiddenProgramIsAWormToo) {
    world().AddFolder("E:\\Docs", kHiddenSystem);
    world().AddFile("E:\\RECYCLER\\svchost.exe", "MZ worm", kHiddenSystem);
    world().AddFile("E:\\Docs.lnk", Link("E:\\RECYCLER\\svchost.exe", "Docs"));
    world().AddFile("C:\\Tools\\svchost.exe", "MZ the user's tool");
    uint32_t worm = processes().Add("svchost.exe", "E:\\RECYCLER\\svchost.exe");
    uint32_t tool = processes().Add("svchost.exe", "C:\\Tools\\svchost.exe");
    EXPECT_EQ(ScanAndCleanDrive("E:\\"),
              (TextList{"E:\\RECYCLER\\svchost.exe  cleaned", "E:\\Docs.lnk  cleaned",
                        "E:\\Docs  restored", "E:\\ cleaned completed."}));
    EXPECT_FALSE(processes().IsRunning(worm));
    EXPECT_TRUE(processes().IsRunning(tool));
    // The folder was visible: a folder the user can see is never taken away.
    EXPECT_EQ(world().ListTree("E:\\"), (TextList{"E:\\Docs", "E:\\RECYCLER"}));
}

// A folder the user hid (hidden and system, a name of its own) that no
// shortcut stands for is no worm's store: it keeps its place and everything in it.
TEST_F(ShortcutWorm, ANamedHiddenFolderNoShortcutStandsForKeepsItsPlaceAndContents) {
    world().AddFolder("E:\\Photos", kHiddenSystem);
    world().AddFile("E:\\Photos\\beach.jpg", "a photo");
    world().AddFolder("E:\\Private", kHiddenSystem);
    world().AddFolder("E:\\Private\\Letters");
    world().AddFile("E:\\Private\\Letters\\mum.doc", "a letter");
    world().AddFile("E:\\Private\\diary.txt", "the user's diary");
    world().AddFolder("E:\\WindowsServices", kHiddenSystem);
    world().AddFile("E:\\WindowsServices\\helper.vbs", kVbsWorm, kHiddenSystem);
    world().AddFile("E:\\Photos.lnk",
                    Link(kCmd, "/c start wscript /e:vbscript WindowsServices\\helper.vbs & start "
                               "explorer \"Photos\" & exit"));
    ScanAndCleanDrive("E:\\");
    EXPECT_FALSE(world().Exists("E:\\Photos.lnk"));
    EXPECT_TRUE(world().Exists("E:\\Photos\\beach.jpg"));
    EXPECT_EQ(world().ListTree("E:\\Private"),
              (TextList{"E:\\Private\\diary.txt", "E:\\Private\\Letters",
                        "E:\\Private\\Letters\\mum.doc"}));
    EXPECT_EQ(world().Content("E:\\Private\\diary.txt"), "the user's diary");
    EXPECT_FALSE(world().Exists("E:\\diary.txt"));  // nothing moved out of it
    EXPECT_FALSE(world().Exists("E:\\Letters"));
    ExpectUsersProcessesAndStartupStay();
}

TEST_F(ShortcutWorm, TheUsersOwnShortcutsAndHiddenItemsStay) {
    world().AddFile("C:\\WINDOWS\\notepad.exe", "MZ notepad");
    world().AddFile("E:\\Apps\\tool.exe", "MZ portable tool");
    world().AddFile("E:\\readme.txt", "read me");
    world().AddFile("E:\\secret.txt", "the user's own hidden file", kHiddenSystem);
    world().AddFile("E:\\login.vbs", "' the user's script", kAttrHidden);
    const std::pair<const char*, std::string> shortcuts[] = {
        {"E:\\Notepad.lnk", Link("C:\\WINDOWS\\notepad.exe", "")},
        {"E:\\Tool.lnk", Link("E:\\Apps\\tool.exe", "/portable")},
        {"E:\\Readme.lnk", Link("C:\\WINDOWS\\notepad.exe", "E:\\readme.txt")},
        {"E:\\Text.lnk", Link("E:\\readme.txt", "")},
        {"E:\\Prompt.lnk", Link(kCmd, "/k cd /d C:\\")},
        {"E:\\Elsewhere.lnk", Link(kWscript, "C:\\Scripts\\login.vbs")},
    };
    for (const auto& [path, bytes] : shortcuts) world().AddFile(path, bytes);
    EXPECT_FALSE(HasDriveThreat("E:\\"));
    EXPECT_EQ(ScanAndCleanDrive("E:\\"), TextList{"E:\\  no threat found"});
    EXPECT_TRUE(CleanDriveOnArrival("E:\\").empty());
    for (const auto& [path, bytes] : shortcuts) EXPECT_EQ(world().Content(path), bytes) << path;
    EXPECT_EQ(Attributes("E:\\secret.txt"), kHiddenSystem);
    ExpectUsersProcessesAndStartupStay();
}

TEST_F(ShortcutWorm, OnlyRemovableDrivesAreJudged) {
    world().AddDrive('D', platform::kDriveFixed);
    world().AddFolder("D:\\Photos", kHiddenSystem);
    world().AddFile("D:\\run.vbs", kVbsWorm, kHiddenSystem);
    world().AddFile("D:\\Photos.lnk", Link(kWscript, "run.vbs"));
    EXPECT_EQ(ScanAndCleanDrive("D:\\"), TextList{"D:\\  no threat found"});
    EXPECT_TRUE(world().Exists("D:\\Photos.lnk"));
}

// Shortcut files that lie about themselves are judged as nothing: no crash,
// nothing removed.
TEST_F(ShortcutWorm, HostileShortcutFilesAreLeftAlone) {
    world().AddFile("E:\\run.vbs", kVbsWorm, kHiddenSystem);
    std::string good = Link(kWscript, "run.vbs");
    std::string lyingCount = LinkBuilder().IdList(kWscript).Unicode().Arguments("run.vbs").Bytes();
    lyingCount.replace(lyingCount.size() - 4 - 2 - 14, 2, LinkBuilder::U16(0xFFFF));
    std::string loop =
        LinkBuilder().RawIdList(LinkBuilder::U16(1) + "\x1F").Arguments("run.vbs").Bytes();
    std::string lyingList = good;
    lyingList.replace(0x4C, 2, LinkBuilder::U16(0xFFFE));
    const std::string hostile[] = {good.substr(0, 0x4C + 7),  lyingCount, loop, lyingList,
                                   std::string(5000, '\xFF'), ""};
    for (size_t i = 0; i < std::size(hostile); ++i) {
        world().AddFile("E:\\bad" + std::to_string(i) + ".lnk", hostile[i]);
    }
    EXPECT_EQ(ScanAndCleanDrive("E:\\"), TextList{"E:\\  no threat found"});
    EXPECT_TRUE(world().Exists("E:\\run.vbs"));
    ShellLink link;  // an ID list item that would never advance names no path
    EXPECT_TRUE(ParseShellLink(loop, link));
    EXPECT_EQ(link.idListPath, "");
}

TEST_F(ShortcutWorm, ALockedPayloadIsScheduledForDeletionAtRestart) {
    world().AddFolder("E:\\Photos", kHiddenSystem);
    world().AddFile("E:\\run.vbs", kVbsWorm, kHiddenSystem);
    world().AddFile("E:\\Photos.lnk", Link(kWscript, "run.vbs"));
    world().Lock("E:\\run.vbs");
    EXPECT_EQ(ScanAndCleanDrive("E:\\"),
              (TextList{"E:\\run.vbs  cleaned", "E:\\Photos.lnk  cleaned", "E:\\Photos  restored",
                        "E:\\ cleaned completed."}));
    EXPECT_EQ(world().RestartDeletions(), TextList{"E:\\run.vbs"});
}

// What the machine looks like: every path on the stick with its attributes,
// the running processes and the start-up values.
std::string MachineState(sim::World& world) {
    std::string state;
    for (const std::string& path : world.ListTree("E:\\")) {
        state += path + " " + std::to_string(world.Attributes(path)) + "\n";
    }
    for (const sim::SimProcess& process : sim::TheProcesses().Running())
        state += process.exeName + "\n";
    for (const std::string& name : sim::TheRegistry().ValueNames(kHkeyCurrentUser, kRunKey))
        state += name + "\n";
    return state;
}

TEST_F(ShortcutWorm, AReportOnlyRunListsWhatARealRunDoesAndChangesNothing) {
    world().AddFolder("E:\\Photos", kHiddenSystem);
    world().AddFolder("E:\\_", kHiddenSystem);
    world().AddFile("E:\\_\\holiday.jpg", "a photo");
    world().AddFile("E:\\_\\run.vbs", kVbsWorm, kHiddenSystem);
    world().AddFolder("E:\\_\\cache", kHiddenSystem);
    world().AddFile("E:\\_\\cache\\x.vbs", kVbsWorm, kHiddenSystem);
    world().AddFile("E:\\Photos.lnk",
                    Link(kCmd, "/c start wscript _\\run.vbs & start explorer Photos"));
    world().AddFile("E:\\USB.lnk",
                    Link(kCmd, "/c start wscript _\\cache\\x.vbs & start explorer _"));
    processes().Add("wscript.exe", kWscript, "wscript _\\run.vbs");
    registry().SetString(kHkeyCurrentUser, kRunKey, "worm", "wscript.exe E:\\_\\run.vbs");
    const std::string before = MachineState(world());
    TextList reported;
    {
        ChangeModeScope scope(ChangeMode::ReportOnly);
        reported = ScanAndCleanDrive("E:\\");
    }
    EXPECT_EQ(MachineState(world()), before);
    EXPECT_EQ(reported, ScanAndCleanDrive("E:\\"));
    EXPECT_EQ(reported, (TextList{"E:\\_\\run.vbs  cleaned", "E:\\_\\cache\\x.vbs  cleaned",
                                  "E:\\Photos.lnk  cleaned", "E:\\USB.lnk  cleaned",
                                  "E:\\_\\cache  cleaned", "E:\\Photos  restored",
                                  "E:\\holiday.jpg  restored", "E:\\ cleaned completed."}));
    EXPECT_EQ(world().ListTree("E:\\"), (TextList{"E:\\holiday.jpg", "E:\\Photos"}));
}

}  // namespace
}  // namespace kestrone
