#include "scan/signature_scan.h"

#include "core/shell.h"
#include "scan/file_code.h"
#include "scan_machine.h"

namespace kestrone {
namespace {

class SignatureScan : public test::ScanMachine {};

const std::string kWorm = "MZ harmless specimen";

TEST_F(SignatureScan, ProcessesAreMatchedByTheCodeOfTheirExecutable) {
    world().AddFile("C:\\WINDOWS\\system32\\svc.exe", kWorm);
    world().AddFile("C:\\tools\\other.exe", "MZ another program");
    processes().Add("svc.exe", "C:\\WINDOWS\\system32\\svc.exe");
    processes().Add("other.exe", "C:\\tools\\other.exe");
    uint32_t hidden = processes().Add("hidden.exe", "");  // its path cannot be read
    (void)hidden;
    std::string code = GetFileCode("C:\\WINDOWS\\system32\\svc.exe");
    TextList names{"WORMY"};
    EXPECT_EQ(MatchProcessesByCode({LowerCase(code)}, &names, ProcessNaming::ExeNames),
              TextList{"WORMY,svc.exe"});
    EXPECT_EQ(MatchProcessesByCode({code}, nullptr, ProcessNaming::FullPaths),
              TextList{"C:\\WINDOWS\\system32\\svc.exe"});
    // An unreadable path has the empty code, which only an empty entry matches.
    EXPECT_EQ(MatchProcessesByCode({""}, nullptr, ProcessNaming::ExeNames), TextList{"hidden.exe"});
}

TEST_F(SignatureScan, ResolvingCodeEntriesReplacesThemByRunningProgramNames) {
    world().AddFile("C:\\x\\worm.exe", kWorm);
    processes().Add("worm.exe", "C:\\x\\worm.exe");
    TextList kill{"a.exe", "code=" + GetFileCode("C:\\x\\worm.exe"), "B.EXE", "CODE=FFFF"};
    ResolveCodeEntries(kill);
    EXPECT_EQ(kill, (TextList{"a.exe", "B.EXE", "worm.exe"}));
}

TEST_F(SignatureScan, SpecimenCodeComesFromAFixedDriveAndIsKept) {
    EXPECT_EQ(FirstAutorunProgramCode(), "");
    world().AddDrive('E', platform::kDriveRemovable);
    world().AddFile("E:\\Autorun.inf", "[autorun]\r\nshellexecute=e.exe\r\n");
    world().AddFile("E:\\e.exe", "removable drives are not searched");
    EXPECT_EQ(FirstAutorunProgramCode(), "");

    world().AddDrive('D', platform::kDriveFixed);
    world().AddFile("D:\\Autorun.inf",
                    "[autorun]\r\nshell\\open\\command=missing.exe\r\nshellexecute=x.com\r\n"
                    "shell\\auto\\command=wscript.exe run.vbs\r\nshell\\a\\command=worm.exe\r\n");
    world().AddFile("D:\\x.com", "not a program by its name");
    world().AddFile("D:\\run.vbs", "script");
    world().AddFile("D:\\worm.exe", kWorm);
    std::string code = GetFileCode("D:\\run.vbs");  // the first existing .exe or .vbs, in order
    EXPECT_EQ(FirstAutorunProgramCode(), code);
    world().AddFile("D:\\Autorun.inf", "[autorun]\r\nshellexecute=worm.exe\r\n");
    EXPECT_EQ(FirstAutorunProgramCode(), code);  // cached for the life of the program
}

TEST_F(SignatureScan, FolderWalkReadsOnlyCandidatesAndHonoursStop) {
    const std::string dir = "C:\\WINDOWS\\system32\\";
    world().AddFile(dir + "a.exe", kWorm);
    world().AddFile(dir + "b.txt", kWorm);  // never read
    world().AddFile(dir + "c.DLL", kWorm);
    world().AddFolder(dir + "d.exe");
    world().AddFile(dir + "e.vbs", "other");
    std::string code = GetFileCode(dir + "a.exe");

    struct Recorder : ShellCallbacks {
        TextList shown;
        int pumps = 0;
        int stopAfterPumps = 1000;
        void ShowProgress(const std::string& path) override { shown.push_back(path); }
        void ProcessMessages() override { ++pumps; }
        bool StopRequested() override { return pumps >= stopAfterPumps; }
    } shell;
    InstallShell(&shell);
    EXPECT_EQ(ScanVirusFolder("C:\\WINDOWS\\system32", {code}, {"WORM"}),
              (TextList{"WORM,C:\\WINDOWS\\system32\\a.exe", "WORM,C:\\WINDOWS\\system32\\c.DLL"}));
    EXPECT_EQ(shell.shown.size(), 3u);  // a.exe, c.DLL, e.vbs
    EXPECT_EQ(shell.pumps, 4);          // after every entry but the first

    shell.pumps = 0;
    shell.stopAfterPumps = 1;  // the stop request is seen after the second entry
    EXPECT_EQ(ScanVirusFolder("C:\\WINDOWS\\system32", {code}, {"WORM"}),
              TextList{"WORM,C:\\WINDOWS\\system32\\a.exe"});
}

TEST_F(SignatureScan, FileNameValidity) {
    EXPECT_TRUE(IsValidFileName("a b.exe"));
    EXPECT_TRUE(IsValidFileName(std::string(260, 'x')));
    EXPECT_FALSE(IsValidFileName(std::string(261, 'x')));
    for (char bad : std::string("\\:/*?\"<>|")) {
        EXPECT_FALSE(IsValidFileName(std::string("a") + bad + "b.exe")) << bad;
    }
}

TEST_F(SignatureScan, ThreatLocationsCollectProcessesAndListedFolders) {
    EXPECT_TRUE(FindThreatLocations(kUnknownVirusName).empty());  // before the first build
    world().AddFile("C:\\WINDOWS\\system32\\drv.exe", kWorm);
    world().AddFile("C:\\WINDOWS\\Fonts\\font.dat", kWorm);
    world().AddFile("C:\\WINDOWS\\Fonts\\readme.txt", kWorm);
    processes().Add("drv.exe", "C:\\WINDOWS\\system32\\drv.exe");
    std::string code = GetFileCode("C:\\WINDOWS\\Fonts\\font.dat");
    Definitions("[VirusProcess]\r\nProcesses=Xauto\\drv=" + code +
                ",Ghost\\ghost=1234,\r\n[VirusFile]\r\nPaths=%windir%\\Fonts,C:\\missing,\r\n"
                "[%WINDIR%\\FONTS]\r\nCodes=" + code + "\r\nVirusNames=auto\r\n");
    BuildThreatLocations();
    EXPECT_EQ(FindThreatLocations("xauto"), TextList{"drv.exe"});
    // The lookup is a substring test: XAUTO's locations are AUTO's too.
    EXPECT_EQ(FindThreatLocations("AUTO"), (TextList{"drv.exe", "C:\\WINDOWS\\FONTS\\font.dat"}));
    EXPECT_TRUE(FindThreatLocations(kUnknownVirusName).empty());
}

TEST_F(SignatureScan, SpecimenRulesAddCodesToTheFolderWalk) {
    world().AddDrive('D', platform::kDriveFixed);
    world().AddFile("D:\\Autorun.inf", "[autorun]\r\nshellexecute=abcd.exe\r\n");
    world().AddFile("D:\\abcd.exe", "specimen");
    world().AddFile("C:\\rising.exe", "rising");
    world().AddFile("C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\abcd.dll", "random");
    world().AddFile("C:\\WINDOWS\\system32\\r1.exe", "rising");
    world().AddFile("C:\\WINDOWS\\system32\\r2.dll", "random");
    world().AddFile("C:\\WINDOWS\\system32\\r3.exe", "specimen");
    world().AddFile("C:\\WINDOWS\\r4.exe", "rising");
    Definitions("[VirusFile]\r\nPaths=%systemroot%,%windir%\r\n");
    BuildThreatLocations();
    EXPECT_EQ(FindThreatLocations("rising"), TextList{"C:\\WINDOWS\\system32\\r1.exe"});
    EXPECT_EQ(FindThreatLocations("random"), TextList{"C:\\WINDOWS\\system32\\r2.dll"});
    EXPECT_EQ(FindThreatLocations(kUnknownVirusName),
              TextList{"C:\\WINDOWS\\system32\\r3.exe"});
}

}  // namespace
}  // namespace kestrone
