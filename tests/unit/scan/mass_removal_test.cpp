// The brake on mass removal: more than five shortcuts and look-alike copies
// on one drive go only with the user's yes; without a window they stay.
#include "scan/mass_removal.h"

#include "core/shell.h"
#include "scan/drive_clean.h"
#include "scan/drive_scan.h"
#include "scan_machine.h"

namespace kestrone {
namespace {

using platform::kAttrHidden;

class AnsweringShell : public ShellCallbacks {
  public:
    explicit AnsweringShell(bool yes) : yes_(yes) {}
    bool AskYesNo(const std::string& question) override {
        questions.push_back(question);
        return yes_;
    }
    TextList questions;

  private:
    bool yes_;
};

class MassRemoval : public test::ScanMachine {
  protected:
    void SetUp() override {
        ScanMachine::SetUp();
        world().AddDrive('E', platform::kDriveRemovable);
    }
    void FolderIconWorm(int folders) {
        for (int i = 0; i < folders; ++i) {
            std::string name = "E:\\Folder" + std::to_string(i);
            world().AddFolder(name, kAttrHidden);
            world().AddFile(name + ".exe", "MZ worm");
        }
    }
};

TEST_F(MassRemoval, WithoutAWindowMoreThanFiveAreReportedAndLeft) {
    FolderIconWorm(6);
    TextList lines = CleanDriveOnArrival("E:\\");
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "E:\\Folder0.exe  left, removal not confirmed");
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(world().Exists("E:\\Folder" + std::to_string(i) + ".exe"));
        EXPECT_EQ(world().Attributes("E:\\Folder" + std::to_string(i)) & kAttrHidden, kAttrHidden);
    }
    TextList report = ScanAndCleanDrive("E:\\");
    EXPECT_EQ(report.size(), 7u);
    EXPECT_EQ(report.back(), "E:\\ cleaned completed.");
}

TEST_F(MassRemoval, TheWindowAsksOnceListingThemAndYesRemovesThem) {
    FolderIconWorm(7);
    AnsweringShell shell(true);
    InstallShell(&shell);
    TextList lines = CleanDriveOnArrival("E:\\");
    ASSERT_EQ(shell.questions.size(), 1u);
    EXPECT_EQ(shell.questions[0].rfind("7 items on E:\\ look like your own files", 0), 0u);
    EXPECT_NE(shell.questions[0].find("  E:\\Folder6.exe\r\n"), std::string::npos);
    EXPECT_EQ(lines.size(), 14u);  // seven cleaned, seven restored
    EXPECT_FALSE(world().Exists("E:\\Folder6.exe"));
}

TEST_F(MassRemoval, NoMeansNothingChangesAndFiveNeedNoQuestion) {
    FolderIconWorm(6);
    AnsweringShell no(false);
    InstallShell(&no);
    CleanDriveOnArrival("E:\\");
    EXPECT_TRUE(world().Exists("E:\\Folder0.exe"));
    EXPECT_EQ(no.questions.size(), 1u);

    world().RemoveDrive('E');
    world().AddDrive('E', platform::kDriveRemovable);
    FolderIconWorm(5);
    AnsweringShell asked(false);
    InstallShell(&asked);
    EXPECT_EQ(CleanDriveOnArrival("E:\\").size(), 10u);
    EXPECT_TRUE(asked.questions.empty());
}

TEST(MassRemovalQuestion, ListsTwentyThenCountsTheRest) {
    TextList items;
    for (int i = 0; i < 23; ++i) items.push_back("E:\\f" + std::to_string(i) + ".lnk");
    std::string question = MassRemovalQuestion("E:\\", items);
    EXPECT_NE(question.find("  E:\\f19.lnk\r\n  and 3 more\r\nRemove them?"), std::string::npos);
    EXPECT_EQ(question.find("f20.lnk"), std::string::npos);
}

}  // namespace
}  // namespace kestrone
