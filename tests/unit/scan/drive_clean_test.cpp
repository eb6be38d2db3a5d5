#include "scan/drive_clean.h"

#include "sim_fixture.h"

namespace kestrone {
namespace {

using platform::kAttrHidden;
using platform::kAttrReadOnly;
using platform::kAttrSystem;

class DriveClean : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        AddPcWithStick();
    }
    void Definitions(const std::string& text) { world().AddFile("C:\\Temp\\KERNEL.DLL", text); }
    void KavoDefinitions() {
        Definitions(
            "[VirusName]\r\nName=Kavo,Setupworm,\r\n"
            "[KAVO]\r\nFileToDelete=%disk%\\kavo.exe,%disk%\\kavo1.dll,%windir%\\kavo.exe\r\n"
            "[SETUPWORM]\r\nFileToDelete=%disk%\\setup.exe,%temp%\\*.tmp,%disk%\\setup.ico\r\n");
    }
    void Inf(const std::string& body) { world().AddFile("E:\\Autorun.inf", "[AutoRun]\r\n" + body); }
};

TEST_F(DriveClean, NothingHappensWithoutAnAutorunFile) {
    KavoDefinitions();
    world().AddFile("E:\\kavo.exe");
    EXPECT_TRUE(CleanDriveOnArrival("E:\\").empty());
    world().AddFolder("E:\\Autorun.inf");  // an immunised drive
    EXPECT_FALSE(HasAutorunInf("E:\\"));
    EXPECT_TRUE(CleanDriveOnArrival("E:\\").empty());
    EXPECT_TRUE(world().Exists("E:\\kavo.exe"));
}

TEST_F(DriveClean, ArrivalCleanReportsExtraFilesThenLaunchTargetsThenKnownExecutables) {
    KavoDefinitions();
    Inf("shell\\open\\command=setup.exe /auto\r\n");
    world().AddFile("E:\\setup.exe", "worm", kAttrReadOnly | kAttrHidden | kAttrSystem);
    world().AddFile("E:\\setup.ico");
    world().AddFile("C:\\Temp\\a.tmp");
    world().AddFile("C:\\Temp\\b.tmp");
    world().AddFile("E:\\kavo.exe", "other worm", kAttrHidden);
    world().AddFile("E:\\holiday.exe", "a user's program");

    EXPECT_EQ(CleanDriveOnArrival("E:\\"),
              (TextList{"E:\\SETUP.EXE  cleaned", "C:\\Temp\\*.TMP  cleaned",
                        "E:\\SETUP.ICO  cleaned", "E:\\Autorun.inf  cleaned",
                        "E:\\kavo.exe  cleaned"}));
    EXPECT_EQ(world().ListTree("E:\\"), (TextList{"E:\\holiday.exe"}));
    EXPECT_TRUE(world().ListTree("C:\\Temp").size() == 1);  // only the definitions remain
}

TEST_F(DriveClean, LockedFilesAreScheduledAndStillReported) {
    Definitions("");
    Inf("shellexecute=run.exe\r\n");
    world().AddFile("E:\\run.exe");
    world().Lock("E:\\run.exe");
    EXPECT_EQ(CleanDriveOnArrival("E:\\"),
              (TextList{"E:\\run.exe  cleaned", "E:\\Autorun.inf  cleaned"}));
    EXPECT_EQ(world().RestartDeletions(), (TextList{"E:\\run.exe"}));
}

TEST_F(DriveClean, AFileThatResistsEverythingIsLeftOutOfTheReport) {
    Inf("shellexecute=run.exe\r\n");
    world().AddFile("E:\\run.exe");
    world().Lock("E:\\Autorun.inf");
    world().RefuseRestartScheduling(true);
    EXPECT_EQ(CleanDriveOnArrival("E:\\"), (TextList{"E:\\run.exe  cleaned"}));
    EXPECT_TRUE(world().Exists("E:\\Autorun.inf"));
}

TEST_F(DriveClean, WildcardLaunchTargetsAreNeverPatterns) {
    // A worm writing "*.*" as its program must not empty the drive.
    Inf("shell\\open\\command=*.*\r\nshellexecute=?.exe\r\nshell\\x\\command=<.exe\r\n");
    world().AddFile("E:\\thesis.doc");
    world().AddFile("E:\\a.exe");
    EXPECT_EQ(CleanDriveOnArrival("E:\\"), (TextList{"E:\\Autorun.inf  cleaned"}));
    EXPECT_EQ(world().ListTree("E:\\"), (TextList{"E:\\a.exe", "E:\\thesis.doc"}));
}

TEST_F(DriveClean, OnlyWholeListedNamesMatchNotFragmentsOfThem) {
    KavoDefinitions();
    Inf("shellexecute=o.exe\r\n");
    world().AddFile("E:\\o.exe", "worm launcher");
    world().AddFile("E:\\avo.exe", "a user's program");
    world().AddFile("C:\\WINDOWS\\kavo.exe");
    TextList cleaned = CleanDriveOnArrival("E:\\");
    EXPECT_EQ(cleaned, (TextList{"E:\\o.exe  cleaned", "E:\\Autorun.inf  cleaned"}));
    EXPECT_TRUE(world().Exists("E:\\avo.exe"));
    EXPECT_TRUE(world().Exists("C:\\WINDOWS\\kavo.exe"));  // o.exe did not pull in KAVO's list
    EXPECT_EQ(MatchFileToDelete({"E:\\o.exe", "E:\\KAVO.exe", "E:\\setup.exe "}),
              (TextList{"E:\\KAVO.exe", "E:\\setup.exe "}));
}

TEST_F(DriveClean, WithoutDefinitionsTheLaunchedFilesAreStillRemoved) {
    Inf("shellexecute=x.exe\r\n");
    world().AddFile("E:\\x.exe");
    EXPECT_EQ(CleanDriveOnArrival("E:\\"),
              (TextList{"E:\\x.exe  cleaned", "E:\\Autorun.inf  cleaned"}));
    EXPECT_TRUE(MatchFileToDelete({"E:\\x.exe"}).empty());
}

TEST_F(DriveClean, PatternDeletionSkipsFoldersAndReportsTheLastFile) {
    world().AddFolder("E:\\dir.tmp");
    world().AddFile("E:\\a.tmp");
    world().AddFile("E:\\b.tmp");
    world().Lock("E:\\b.tmp");
    world().RefuseRestartScheduling(true);
    EXPECT_FALSE(DeleteFiles("E:\\*.tmp"));  // the last match resisted
    EXPECT_FALSE(world().Exists("E:\\a.tmp"));
    EXPECT_TRUE(world().IsFolder("E:\\dir.tmp"));
    EXPECT_FALSE(DeleteFiles("E:\\none\\*.tmp"));
    EXPECT_EQ(DeleteFileList({"E:\\missing.exe", "E:\\dir.tmp"}), TextList{});
    EXPECT_EQ(world().currentFolder_, "C:\\");  // restored after the deletion
}

TEST_F(DriveClean, ListHelpers) {
    TextList found;
    world().AddFile("E:\\A.EXE", "", kAttrHidden | kAttrSystem);
    world().AddFolder("E:\\folder.exe");
    FindFilesByMask("E:", "*.exe", found);
    EXPECT_EQ(found, (TextList{"E:\\A.EXE", "E:\\folder.exe"}));
    EXPECT_EQ(FileNamesOf({"E:\\x\\y.exe", "plain"}), (TextList{"y.exe", "plain"}));
    EXPECT_EQ(MarkCleaned({"a"}), TextList{"a  cleaned"});
}

}  // namespace
}  // namespace kestrone
