#include "scan/drive_scan.h"

#include "platform/registry.h"
#include "scan/file_code.h"
#include "scan_machine.h"

namespace kestrone {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kLoadKey[] = "Software\\Microsoft\\WindowsNT\\CurrentVersion\\Windows\\load";
const std::string kWorm = "MZ harmless worm specimen";

class DriveScan : public test::ScanMachine {
protected:
    void SetUp() override {
        ScanMachine::SetUp();
        world().AddDrive('E', platform::kDriveRemovable);
        Definitions("[VirusName]\r\nName=SETUPWORM\r\n"
                    "[SETUPWORM]\r\nFileToDelete=%disk%\\setup.ico,%disk%\\setup.exe\r\n");
    }
};

TEST_F(DriveScan, ACleanDriveGivesOneNoThreatLine) {
    world().AddFile("E:\\photo.jpg");
    EXPECT_EQ(ScanAndCleanDrive("E:\\"), TextList{"E:\\  no threat found"});
}

TEST_F(DriveScan, AnInfectedDriveEndsWithTheCompletionLine) {
    world().AddFile("E:\\Autorun.inf", "[autorun]\r\nshell\\open\\command=setup.exe /x\r\n");
    world().AddFile("E:\\setup.exe", kWorm, platform::kAttrHidden | platform::kAttrSystem);
    world().AddFile("E:\\setup.ico");
    EXPECT_EQ(ScanAndCleanDrive("E:\\"),
              (TextList{"E:\\SETUP.ICO  cleaned", "E:\\SETUP.EXE  cleaned", "E:\\Autorun.inf  cleaned",
                        "E:\\ cleaned completed."}));
}

TEST_F(DriveScan, AListedExecutableWithoutAutorunStillCompletes) {
    world().AddFile("E:\\setup.exe", kWorm);
    EXPECT_EQ(ScanAndCleanDrive("E:\\"),
              (TextList{"E:\\setup.exe  cleaned", "E:\\ cleaned completed."}));
}

TEST_F(DriveScan, RemovableScanSkipsAAndEndsWithTwoReturnLines) {
    world().RemoveDrive('E');
    world().AddDrive('A', platform::kDriveRemovable);
    world().AddFile("A:\\Autorun.inf", "[autorun]\r\nshellexecute=a.exe\r\n");
    EXPECT_EQ(ScanRemovableDrives(), (TextList{"\r", "\r"}));
    EXPECT_TRUE(world().Exists("A:\\Autorun.inf"));
}

TEST_F(DriveScan, StartupValuesNamingTheProgramAreRemovedInTheSameCase) {
    world().AddFile("E:\\Autorun.inf", "[autorun]\r\nshellexecute=RavMon.exe\r\n");
    registry().SetString(kHkeyLocalMachine, kRunKey, "a", "C:\\WINDOWS\\RavMon.exe -s");
    registry().SetString(kHkeyCurrentUser, kRunKey, "b", "\"C:\\x\\RavMon.exe\"");
    registry().SetString(kHkeyCurrentUser, kLoadKey, "c", "RavMon.exe");
    registry().SetString(kHkeyCurrentUser, kRunKey, "case", "C:\\WINDOWS\\ravmon.exe");
    registry().SetString(kHkeyCurrentUser, kRunKey, "longer", "C:\\apps\\MyRavMon.exe");
    registry().SetDword(kHkeyCurrentUser, kRunKey, "number", 7);  // not a string: skipped
    registry().SetString(kHkeyCurrentUser, kRunKey, "script", "wscript.exe C:\\x.vbs");
    registry().SetString(kHkeyCurrentUser, kRunKey, "ok", "C:\\apps\\tool.exe");
    ScanAndCleanDrive("E:\\");
    EXPECT_FALSE(registry().HasValue(kHkeyLocalMachine, kRunKey, "a"));
    EXPECT_FALSE(registry().HasValue(kHkeyCurrentUser, kRunKey, "b"));
    EXPECT_FALSE(registry().HasValue(kHkeyCurrentUser, kLoadKey, "c"));
    // A script the user starts through the script host is not the worm's.
    EXPECT_EQ(registry().ValueNames(kHkeyCurrentUser, kRunKey),
              (std::vector<std::string>{"case", "longer", "number", "script", "ok"}));
}

TEST_F(DriveScan, UntrustedNamesNeitherFragmentNorEmptyRemoveAnything) {
    // An empty launch value and a one-letter one must not wipe start-up values
    // or end processes whose names merely contain the letter.
    world().AddFile("E:\\Autorun.inf",
                    "[autorun]\r\nshellexecute=\r\nshell\\open\\command=?e\r\nshell\\x\\command=e\r\n");
    registry().SetString(kHkeyCurrentUser, kRunKey, "ok", "C:\\apps\\tool e.exe");
    uint32_t editor = processes().Add("e.exe.editor.exe", "C:\\apps\\editor.exe");
    ScanAndCleanDrive("E:\\");
    EXPECT_TRUE(registry().HasValue(kHkeyCurrentUser, kRunKey, "ok"));
    EXPECT_TRUE(processes().IsRunning(editor));
    EXPECT_TRUE(processes().IsRunning(ourId));
}

TEST(DataNamesProgram, WholeNamesOnly) {
    EXPECT_TRUE(DataNamesProgram("C:\\x\\a.exe", "a.exe"));
    EXPECT_TRUE(DataNamesProgram("\"a.exe\" /s", "a.exe"));
    EXPECT_TRUE(DataNamesProgram("x.exe,a.exe", "a.exe"));
    EXPECT_FALSE(DataNamesProgram("C:\\x\\ba.exe", "a.exe"));
    EXPECT_FALSE(DataNamesProgram("C:\\x\\a.exe.bak", "a.exe"));
    EXPECT_FALSE(DataNamesProgram("C:\\x\\A.EXE", "a.exe"));
    EXPECT_FALSE(DataNamesProgram("anything", ""));
}

// A worm on fixed drive D:, its process running under another name, a start-up
// value, a copy in a listed folder and a copy on the USB stick: one scan of the
// fixed drives and one of the removable drives remove all of it.
TEST_F(DriveScan, AWholeMachineIsCleaned) {
    world().AddDrive('D', platform::kDriveFixed);
    const uint32_t hidden = platform::kAttrHidden | platform::kAttrSystem | platform::kAttrReadOnly;
    world().AddFile("D:\\Autorun.inf", "[AutoRun]\r\nopen=sysinit.exe\r\nshellexecute=sysinit.exe\r\n", hidden);
    world().AddFile("D:\\sysinit.exe", kWorm, hidden);
    world().AddFile("C:\\WINDOWS\\system32\\sysinit32.exe", kWorm, hidden);
    world().AddFile("C:\\WINDOWS\\Fonts\\fontcache.dat", kWorm);
    world().AddFile("C:\\WINDOWS\\Fonts\\arial.ttf", kWorm);
    world().AddFile("E:\\Autorun.inf", "[AutoRun]\r\nshell\\open\\command=Recycled\\info.exe\r\n");
    world().AddFile("E:\\Recycled\\info.exe", kWorm, hidden);
    world().AddFile("E:\\thesis.doc", "the user's work");
    uint32_t worm = processes().Add("sysinit32.exe", "C:\\WINDOWS\\system32\\sysinit32.exe");
    uint32_t script = processes().Add("wscript.exe", "C:\\WINDOWS\\system32\\wscript.exe");
    uint32_t explorer = processes().Add("explorer.exe", "C:\\WINDOWS\\explorer.exe");
    registry().SetString(kHkeyCurrentUser, kRunKey, "sysinit",
                         "C:\\WINDOWS\\system32\\sysinit32.exe -autorun");
    registry().SetString(kHkeyCurrentUser, kRunKey, "ctfmon", "C:\\WINDOWS\\system32\\ctfmon.exe");
    Definitions("[VirusFile]\r\nPaths=%windir%\\Fonts\r\n");

    BuildThreatLocations();  // the memory scan that runs first
    EXPECT_EQ(ScanFixedDrives(),
              (TextList{"C:\\  no threat found", "D:\\sysinit.exe  cleaned",
                        "D:\\Autorun.inf  cleaned",
                        "c:\\windows\\system32\\sysinit32.exe  cleaned",
                        "C:\\WINDOWS\\FONTS\\fontcache.dat  cleaned", "D:\\ cleaned completed."}));
    EXPECT_EQ(ScanRemovableDrives(),
              (TextList{"E:\\Recycled\\info.exe  cleaned", "E:\\Autorun.inf  cleaned",
                        "E:\\ cleaned completed.", "\r", "\r"}));

    EXPECT_FALSE(processes().IsRunning(worm));
    EXPECT_TRUE(processes().IsRunning(script));  // a script host running no payload stays
    EXPECT_TRUE(processes().IsRunning(explorer));
    EXPECT_TRUE(processes().IsRunning(ourId));
    EXPECT_EQ(registry().ValueNames(kHkeyCurrentUser, kRunKey), std::vector<std::string>{"ctfmon"});
    EXPECT_EQ(world().ListTree("D:\\"), TextList{});
    EXPECT_EQ(world().ListTree("E:\\"), (TextList{"E:\\Recycled", "E:\\thesis.doc"}));
    EXPECT_FALSE(world().Exists("C:\\WINDOWS\\system32\\sysinit32.exe"));
    EXPECT_TRUE(world().Exists("C:\\WINDOWS\\Fonts\\arial.ttf"));  // not a candidate file
}

}  // namespace
}  // namespace kestrone
