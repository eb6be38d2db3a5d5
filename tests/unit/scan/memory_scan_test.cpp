#include "scan/memory_scan.h"

#include "core/shell.h"
#include "platform/registry.h"
#include "platform/sim/remote_work.h"
#include "scan/file_code.h"
#include "scan_machine.h"

namespace kestrone {
namespace {

using platform::kHkeyCurrentUser;

class MemoryScan : public test::ScanMachine {
protected:
    struct Lines : ShellCallbacks {
        TextList added;
        void AddReportLine(const std::string& line) override { added.push_back(line); }
    } shell;
    void SetUp() override {
        ScanMachine::SetUp();
        InstallShell(&shell);
    }
};

TEST_F(MemoryScan, WithoutVirusNamesTheBoxSaysSoAndTheReportIsOneReturn) {
    EXPECT_EQ(ScanMemory(), TextList{"\r"});
    EXPECT_EQ(shell.added, TextList{"No threat found in memory"});
}

TEST_F(MemoryScan, EverySignMustHold) {
    Definitions("[VirusName]\r\nName=XW\r\n[XW]\r\nSign=%windir%\\x.dll,x.exe\r\n"
                "[EMPTY]\r\nSign=None\r\n");
    EXPECT_FALSE(CheckSign("XW"));
    world().AddFile("C:\\WINDOWS\\x.dll");
    EXPECT_FALSE(CheckSign("XW"));  // the file alone is not enough
    uint32_t x = processes().Add("x.exe", "C:\\x\\x.exe");
    EXPECT_TRUE(CheckSign("XW"));
    processes().Terminate(x, 0);
    world().AddFile("C:\\WINDOWS\\x.dll");
    EXPECT_FALSE(CheckSign("XW"));  // the program alone is not enough either
    EXPECT_FALSE(CheckSign("EMPTY"));
    EXPECT_FALSE(CheckSign("MISSING"));
}

TEST_F(MemoryScan, CodeEntriesAndDeletedFileNamesTerminateProcesses) {
    world().AddFile("C:\\x\\renamed.exe", "MZ specimen");
    world().AddFile("C:\\Temp\\abc.exe", "MZ dropper");
    uint32_t byCode = processes().Add("renamed.exe", "C:\\x\\renamed.exe");
    uint32_t byFile = processes().Add("abc.exe", "C:\\Temp\\abc.exe");
    uint32_t other = processes().Add("notepad.exe", "C:\\WINDOWS\\notepad.exe");
    Definitions("[VirusName]\r\nName=W\r\n[W]\r\nSign=abc.exe\r\nProcessToKill=code=" +
                LowerCase(GetFileCode("C:\\x\\renamed.exe")) + "\r\nFileToDelete=%temp%\\abc.exe\r\n");
    EXPECT_EQ(ScanMemory(), (TextList{"W virus found in memory, cleaned successfully", "\r"}));
    EXPECT_FALSE(processes().IsRunning(byCode));
    EXPECT_FALSE(processes().IsRunning(byFile));
    EXPECT_TRUE(processes().IsRunning(other));
    EXPECT_FALSE(world().Exists("C:\\Temp\\abc.exe"));
    EXPECT_TRUE(shell.added.empty());
}

TEST_F(MemoryScan, ReportListsVirusesInDefinitionsOrderWithNotes) {
    Definitions("[VirusName]\r\nName=Beta,Alpha,Gamma\r\n"
                "[BETA]\r\nSign=%windir%\\b.sys\r\nNote=Change your passwords.\r\n"
                "[ALPHA]\r\nSign=%windir%\\a.sys\r\n[GAMMA]\r\nSign=%windir%\\g.sys\r\n");
    world().AddFile("C:\\WINDOWS\\a.sys");
    world().AddFile("C:\\WINDOWS\\b.sys");
    EXPECT_EQ(FindMemoryThreats(), (TextList{"BETA", "ALPHA"}));
    EXPECT_EQ(ScanMemory(),
              (TextList{"BETA virus found in memory, cleaned successfully", "\r",
                        "Change your passwords.", "ALPHA virus found in memory, cleaned successfully",
                        "\r"}));
}

TEST_F(MemoryScan, ImmunityFoldersAreHiddenAndReadOnly) {
    world().AddFolder("C:\\WINDOWS\\exists");
    CreateImmunityFolders({"C:\\WINDOWS\\kavo.exe", "C:\\WINDOWS\\exists", "C:\\missing\\deep"});
    EXPECT_EQ(world().Attributes("C:\\WINDOWS\\kavo.exe"),
              platform::kAttrDirectory | platform::kAttrReadOnly | platform::kAttrHidden);
    EXPECT_EQ(world().Attributes("C:\\WINDOWS\\exists"),
              platform::kAttrDirectory | platform::kAttrReadOnly | platform::kAttrHidden);
    EXPECT_FALSE(world().Exists("C:\\missing"));
}

// An active virus: its sign files present, its process running, a module of
// it injected into Explorer, its start-up value and a copy found by code.
TEST_F(MemoryScan, AnActiveVirusIsCleanedCompletely) {
    const std::string sys = "C:\\WINDOWS\\system32\\";
    world().AddFile(sys + "kavo.exe", "MZ kavo", platform::kAttrHidden | platform::kAttrSystem);
    world().AddFile(sys + "kavo0.dll", "MZ kavo module");
    world().AddFile("C:\\WINDOWS\\Fonts\\kv.dat", "MZ kavo module");
    uint32_t kavo = processes().Add("kavo.exe", sys + "kavo.exe");
    uint32_t explorer = processes().Add("explorer.exe", "C:\\WINDOWS\\explorer.exe");
    registry().SetString(kHkeyCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                         "kava", sys + "kavo.exe");
    sim::RemoteWork& remote = sim::TheRemoteWork();
    remote.LoadModule(explorer, sys + "kavo0.dll");
    remote.LoadModule(explorer, sys + "kavo0.dll");
    remote.LoadModule(kavo, sys + "kavo0.dll");
    Definitions("[VirusName]\r\nName=KAVO\r\n[KAVO]\r\nSign=%systemroot%\\kavo.exe,kavo.exe\r\n"
                "FileToDelete=%systemroot%\\kavo.exe,%systemroot%\\kavo0.dll\r\n"
                "ProcessToKill=kavo.exe\r\nImmunity=%systemroot%\\kavo.exe\r\n"
                "UnloadDll=explorer.exe\\%systemroot%\\kavo0.dll,kavo.exe\\%systemroot%\\kavo0.dll\r\n"
                "RegOperate=1\r\n"
                "Reg1=regdeletevalue,HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run,kava\r\n"
                "Note=Change the passwords of your games.\r\n"
                "[VirusFile]\r\nPaths=%windir%\\Fonts\r\n[%WINDIR%\\FONTS]\r\nCodes=" +
                GetFileCode(sys + "kavo0.dll") + "\r\nVirusNames=KAVO\r\n");

    EXPECT_EQ(ScanMemory(), (TextList{"KAVO virus found in memory, cleaned successfully", "\r",
                                      "Change the passwords of your games.", "\r"}));
    EXPECT_FALSE(processes().IsRunning(kavo));
    EXPECT_TRUE(processes().IsRunning(explorer));
    EXPECT_EQ(remote.References(explorer, sys + "kavo0.dll"), 0);
    // Modules are unloaded before processes end: the worm's own process was
    // still there to run the unloading thread.
    bool unloadedFromWorm = false;
    for (const sim::RemoteThread& thread : remote.Threads()) unloadedFromWorm |= thread.processId == kavo;
    EXPECT_TRUE(unloadedFromWorm);
    EXPECT_FALSE(world().Exists(sys + "kavo0.dll"));
    EXPECT_FALSE(world().Exists("C:\\WINDOWS\\FONTS\\kv.dat"));
    EXPECT_TRUE(world().IsFolder(sys + "kavo.exe"));  // the immunity folder took its place
    EXPECT_FALSE(registry().HasValue(kHkeyCurrentUser,
                                     "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "kava"));
}

}  // namespace
}  // namespace kestrone
