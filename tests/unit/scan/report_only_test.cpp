// A report-only run tells what a real run would remove and changes nothing;
// the tally of the change doors counts what was attempted and refused.
#include "core/machine_changes.h"
#include "platform/registry.h"
#include "platform/sim/remote_work.h"
#include "scan/drive_clean.h"
#include "scan/drive_scan.h"
#include "scan/memory_scan.h"
#include "scan/reg_script.h"
#include "scan_machine.h"

namespace kestrone {
namespace {

using platform::kHkeyCurrentUser;

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class ReportOnly : public test::ScanMachine {
  protected:
    void SetUp() override {
        ScanMachine::SetUp();
        ResetMachineChanges();
        world().AddDrive('E', platform::kDriveRemovable);
    }
    void TearDown() override {
        SetChangeMode(ChangeMode::Apply);
        ResetMachineChanges();
        ScanMachine::TearDown();
    }

    // A stick whose Autorun.inf starts a hidden worm that also runs and has a
    // start-up value, plus a known executable the definitions list.
    void InfectedStick() {
        Definitions(
            "[VirusName]\r\nName=STICKWORM\r\n"
            "[STICKWORM]\r\nFileToDelete=%disk%\\stick.ico,%disk%\\known.exe\r\n");
        world().AddFile("E:\\Autorun.inf", "[autorun]\r\nshellexecute=worm.exe\r\n");
        world().AddFile("E:\\worm.exe", "MZ worm", platform::kAttrHidden | platform::kAttrSystem);
        world().AddFile("E:\\known.exe", "MZ known");
        world().AddFile("E:\\stick.ico");
        registry().SetString(kHkeyCurrentUser, kRunKey, "w", "E:\\worm.exe");
        wormProcess = processes().Add("worm.exe", "E:\\worm.exe");
    }

  public:
    using ScanMachine::processes;
    using ScanMachine::world;
    uint32_t wormProcess = 0;
    uint32_t stuck = 0;
};

TEST_F(ReportOnly, ADriveScanReportsWhatARealScanRemovesAndChangesNothing) {
    InfectedStick();
    TextList reported;
    {
        ChangeModeScope scope(ChangeMode::ReportOnly);
        reported = ScanAndCleanDrive("E:\\");
    }
    EXPECT_EQ(CurrentChangeMode(), ChangeMode::Apply);  // the scope puts the mode back
    EXPECT_TRUE(world().Exists("E:\\Autorun.inf"));
    EXPECT_TRUE(world().Exists("E:\\worm.exe"));
    EXPECT_EQ(world().Attributes("E:\\worm.exe"), platform::kAttrHidden | platform::kAttrSystem);
    EXPECT_TRUE(world().Exists("E:\\known.exe"));
    EXPECT_TRUE(world().RestartDeletions().empty());
    EXPECT_TRUE(processes().IsRunning(wormProcess));
    EXPECT_TRUE(registry().HasValue(kHkeyCurrentUser, kRunKey, "w"));
    int attemptedWithoutChange = MachineChanges().attempted;
    EXPECT_GE(attemptedWithoutChange, 5);  // 3 files, 1 process, 1 start-up value at least
    EXPECT_EQ(MachineChanges().refused, 0);

    // The same stick cleaned for real gives the same lines.
    ResetMachineChanges();
    EXPECT_EQ(ScanAndCleanDrive("E:\\"), reported);
    EXPECT_FALSE(world().Exists("E:\\worm.exe"));
    EXPECT_FALSE(processes().IsRunning(wormProcess));
    EXPECT_FALSE(registry().HasValue(kHkeyCurrentUser, kRunKey, "w"));
    EXPECT_EQ(MachineChanges().attempted, attemptedWithoutChange);
}

TEST_F(ReportOnly, AMemoryScanLeavesFilesProcessesRegistryModulesAndBlockersAlone) {
    world().AddFile("C:\\WINDOWS\\system32\\mw.exe", "MZ memory worm");
    uint32_t worm = processes().Add("mw.exe", "C:\\WINDOWS\\system32\\mw.exe");
    uint32_t host = processes().Add("host.exe", "C:\\apps\\host.exe");
    sim::TheRemoteWork().LoadModule(host, "C:\\WINDOWS\\system32\\mw.dll");
    registry().SetString(kHkeyCurrentUser, kRunKey, "mw", "mw.exe");
    Definitions(
        "[VirusName]\r\nName=MW\r\n[MW]\r\nSign=mw.exe\r\n"
        "FileToDelete=%systemroot%\\mw.exe\r\nProcessToKill=mw.exe\r\n"
        "Immunity=%systemroot%\\mw.blocker\r\nUnloadDll=host.exe\\%systemroot%\\mw.dll\r\n"
        "RegOperate=3\r\nReg1=regdeletevalue,HKCU\\" +
        std::string(kRunKey) +
        ",mw\r\nReg2=regaddvalue,HKCU\\Software,Added,REG_SZ,x\r\n"
        "Reg3=regaddkey,HKCU\\Software,NewKey\r\n");
    registry().AddKey(kHkeyCurrentUser, "Software");

    ChangeModeScope scope(ChangeMode::ReportOnly);
    EXPECT_EQ(ScanMemory(), (TextList{"MW virus found in memory, cleaned successfully", "\r"}));
    EXPECT_TRUE(world().Exists("C:\\WINDOWS\\system32\\mw.exe"));
    EXPECT_FALSE(world().Exists("C:\\WINDOWS\\system32\\mw.blocker"));
    EXPECT_TRUE(processes().IsRunning(worm));
    EXPECT_TRUE(processes().Terminations().empty());
    EXPECT_EQ(sim::TheRemoteWork().References(host, "C:\\WINDOWS\\system32\\mw.dll"), 1);
    EXPECT_TRUE(sim::TheRemoteWork().Threads().empty());
    EXPECT_TRUE(registry().HasValue(kHkeyCurrentUser, kRunKey, "mw"));
    EXPECT_FALSE(registry().HasValue(kHkeyCurrentUser, "Software", "Added"));
    EXPECT_FALSE(registry().KeyExists(kHkeyCurrentUser, "Software\\NewKey"));
}

TEST_F(ReportOnly, TheTallyCountsRefusalsButNotWhatWasNotThere) {
    struct Case {
        const char* what;
        void (*arrange)(ReportOnly&);
        void (*act)(ReportOnly&);
        int attempted;
        int refused;
    };
    const Case cases[] = {
        {"a deletable file", [](ReportOnly& t) { t.world().AddFile("E:\\a.exe"); },
         [](ReportOnly&) { DeleteFiles("E:\\a.exe"); }, 1, 0},
        {"a locked file scheduled at restart",
         [](ReportOnly& t) {
             t.world().AddFile("E:\\a.exe");
             t.world().Lock("E:\\a.exe");
         },
         [](ReportOnly&) { DeleteFiles("E:\\a.exe"); }, 1, 0},
        {"a locked file whose scheduling is refused",
         [](ReportOnly& t) {
             t.world().AddFile("E:\\a.exe");
             t.world().Lock("E:\\a.exe");
             t.world().RefuseRestartScheduling(true);
         },
         [](ReportOnly&) { DeleteFiles("E:\\a.exe"); }, 1, 1},
        {"a pattern whose first match resists and last one goes",
         [](ReportOnly& t) {
             t.world().AddFile("E:\\a1.tmp");
             t.world().AddFile("E:\\a2.tmp");
             t.world().Lock("E:\\a1.tmp");
             t.world().RefuseRestartScheduling(true);
         },
         [](ReportOnly&) { EXPECT_TRUE(DeleteFiles("E:\\a*.tmp")); }, 2, 1},
        {"a missing registry value", [](ReportOnly&) {},
         [](ReportOnly&) { ExecRegLine("regdeletevalue,HKCU\\Software,nothing"); }, 0, 0},
        {"a process that refuses to end",
         [](ReportOnly& t) {
             t.stuck = t.processes().Add("stuck.exe", "C:\\stuck.exe");
             t.processes().Find(t.stuck)->refuseTermination = true;
         },
         [](ReportOnly& t) { EndProcess(t.stuck); }, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        registry().AddKey(kHkeyCurrentUser, "Software");
        c.arrange(*this);
        c.act(*this);
        EXPECT_EQ(MachineChanges().attempted, c.attempted);
        EXPECT_EQ(MachineChanges().refused, c.refused);
    }
}

}  // namespace
}  // namespace kestrone
