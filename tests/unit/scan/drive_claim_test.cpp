// Kestrone.exe holds a drive's cleaning mark while it scans and cleans that
// drive, so that the command-line scanner can see the cleaning and stay away.
#include "core/drive_claim.h"

#include "core/shell.h"
#include "platform/sim/named_marks.h"
#include "scan/drive_scan.h"
#include "scan_machine.h"

namespace kestrone {
namespace {

TEST(DriveCleaningMark, OneNamePerDriveLetterWhateverTheRootLooksLike) {
    for (const char* root : {"E:\\", "e:\\", "E:", "e"}) {
        EXPECT_EQ(DriveCleaningMarkName(root), "Global\\KestroneCleaningDriveE") << root;
    }
    EXPECT_NE(DriveCleaningMarkName("E:\\"), DriveCleaningMarkName("F:\\"));
}

class DriveClaim : public test::ScanMachine {
  protected:
    // The Explorer question comes in the middle of a cleaning: it tells how
    // many hold the mark at that moment.
    struct Watch : ShellCallbacks {
        int heldDuringCleaning = -1;
        int AskTip(const std::string&, const std::string&, bool& dontShowAgain) override {
            heldDuringCleaning = sim::TheNamedMarks().Holders("Global\\KestroneCleaningDriveE");
            dontShowAgain = false;
            return 2;
        }
    } watch;
    void SetUp() override {
        ScanMachine::SetUp();
        InstallShell(&watch);
        world().AddDrive('E', platform::kDriveRemovable);
        world().AddFile("E:\\Autorun.inf", "[autorun]\r\nshellexecute=explorer.exe\r\n");
        processes().Add("explorer.exe", "C:\\WINDOWS\\explorer.exe");
    }
};

TEST_F(DriveClaim, HeldWhileADriveIsScannedAndLetGoAfter) {
    ScanAndCleanDrive("E:\\");
    EXPECT_EQ(watch.heldDuringCleaning, 1);
    EXPECT_EQ(sim::TheNamedMarks().Holders("Global\\KestroneCleaningDriveE"), 0);
}

TEST_F(DriveClaim, AClaimIsAloneOnlyWhileNobodyElseCleansTheDrive) {
    EXPECT_TRUE(DriveCleaningClaim("E:\\").Alone());
    sim::TheNamedMarks().HoldElsewhere("Global\\KestroneCleaningDriveE");
    EXPECT_FALSE(DriveCleaningClaim("E:\\").Alone());
    EXPECT_TRUE(DriveCleaningClaim("F:\\").Alone());
    sim::TheNamedMarks().HoldElsewhere("Global\\KestroneCleaningDriveE", false);
    EXPECT_TRUE(DriveCleaningClaim("e:\\").Alone());
}

}  // namespace
}  // namespace kestrone
