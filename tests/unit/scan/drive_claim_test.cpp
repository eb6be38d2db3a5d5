// Kestrone.exe holds a drive's cleaning mark while it scans and cleans that
// drive, so that the command-line scanner can see the cleaning and stay away.
#include "core/drive_claim.h"

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
    void SetUp() override {
        ScanMachine::SetUp();
        world().AddDrive('E', platform::kDriveRemovable);
        world().AddFile("E:\\Autorun.inf", "[autorun]\r\nshellexecute=worm.exe\r\n");
        world().AddFile("E:\\worm.exe", "MZ worm");
        processes().Add("worm.exe", "E:\\worm.exe");
        // The worm's process ends in the middle of the cleaning: how many
        // hold the mark at that moment?
        processes().WatchTerminations([this](const sim::SimProcess&) {
            heldDuringCleaning = sim::TheNamedMarks().Holders("Global\\KestroneCleaningDriveE");
        });
    }
    int heldDuringCleaning = -1;
};

TEST_F(DriveClaim, HeldWhileADriveIsScannedAndLetGoAfter) {
    ScanAndCleanDrive("E:\\");
    EXPECT_EQ(heldDuringCleaning, 1);
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
