#include "core/quarantine_store.h"

#include "core/machine_changes.h"
#include "scan/drive_clean.h"
#include "scan/file_code.h"
#include "sim_fixture.h"

namespace kestrone {
namespace {

using platform::kAttrHidden;
using platform::kAttrReadOnly;
using platform::kAttrSystem;

constexpr char kStore[] = "C:\\Program Files\\Kestrone\\Quarantine\\";

class Quarantine : public test::SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        AddPcWithStick(true);
        world().AddFile("C:\\Temp\\KERNEL.DLL",
                        "[VirusName]\r\nName=Kavo,\r\n[KAVO]\r\nFileToDelete=%disk%\\kavo.exe\r\n");
        UseQuarantine(true);
    }
    void TearDown() override {
        UseQuarantine(false);
        SimTest::TearDown();
    }
    std::vector<QuarantineEntry> Entries() { return QuarantineStore(kStore).Entries(); }
    std::string Code(const std::string& bytes) {
        return FormatFileCode(Crc32(bytes.data(), bytes.size()));
    }
};

TEST_F(Quarantine, EveryDeletingOperationLeavesARecordAndARecoverableCopy) {
    world().AddFile("E:\\Autorun.inf", "[AutoRun]\r\nshellexecute=setup.exe\r\n");
    world().AddFile("E:\\setup.exe", "installer", kAttrReadOnly | kAttrHidden);
    world().AddFile("E:\\kavo.exe", "worm", kAttrHidden | kAttrSystem);
    world().AddFile("E:\\x1.tmp", "one");
    world().AddFile("E:\\x2.tmp", "two");
    {
        RemovalReasonScope reason("Drive clean");
        CleanDriveOnArrival("E:\\");
    }
    {
        RemovalReasonScope reason("Memory scan");
        DeleteFileList({"E:\\*.tmp"});
    }
    EXPECT_EQ(world().ListTree("E:\\"), TextList{});

    std::vector<QuarantineEntry> entries = Entries();
    ASSERT_EQ(entries.size(), 5u);
    std::map<std::string, QuarantineEntry> byPath;
    for (const QuarantineEntry& e : entries) byPath[UpperCase(e.originalPath)] = e;
    const QuarantineEntry& setup = byPath.at("E:\\SETUP.EXE");
    EXPECT_TRUE(setup.kept);
    EXPECT_EQ(setup.reason, "Drive clean");
    EXPECT_EQ(setup.attributes, kAttrReadOnly | kAttrHidden);
    EXPECT_EQ(setup.size, 9u);
    EXPECT_EQ(setup.fileCode, Code("installer"));
    EXPECT_EQ(setup.time, "2026-01-01 12:00:00");
    EXPECT_EQ(byPath.at("E:\\X2.TMP").reason, "Memory scan");
    ASSERT_TRUE(byPath.count("E:\\AUTORUN.INF") && byPath.count("E:\\KAVO.EXE"));
    for (const QuarantineEntry& e : entries) {
        std::string bytes;
        EXPECT_TRUE(UnsealContent(world().Content(kStore + SealedFileName(e.number)), bytes));
        EXPECT_EQ(Code(bytes), e.fileCode) << e.originalPath;
    }
    EXPECT_EQ(QuarantineStore(kStore).Restore(setup.number, false), RestoreOutcome::Restored);
    EXPECT_EQ(world().Content("E:\\setup.exe"), "installer");
    EXPECT_EQ(world().Attributes("E:\\setup.exe"), kAttrReadOnly | kAttrHidden);
    EXPECT_EQ(Entries().size(), 4u);
    EXPECT_FALSE(world().Exists(kStore + SealedFileName(setup.number)));
}

TEST_F(Quarantine, ReportOnlyRunsKeepNothing) {
    world().AddFile("E:\\a.exe", "x");
    ChangeModeScope reportOnly(ChangeMode::ReportOnly);
    EXPECT_TRUE(RemoveOrScheduleFile("E:\\a.exe"));
    EXPECT_TRUE(Entries().empty());
    EXPECT_FALSE(world().Exists(kStore));
}

TEST_F(Quarantine, FilesThatCannotBeCopiedAreStillRemovedAndRecordedWithoutCopy) {
    world().AddFile("E:\\unreadable.exe", "u");
    world().MakeUnreadable("E:\\unreadable.exe");
    world().AddFile("E:\\locked.exe", "locked bytes");
    world().Lock("E:\\locked.exe");
    world().AddFile("E:\\big.exe", std::string(3 * 1024 * 1024, 'b'));
    WriteQuarantineLimitMegabytes(2);

    EXPECT_TRUE(RemoveOrScheduleFile("E:\\unreadable.exe"));
    EXPECT_TRUE(RemoveOrScheduleFile("E:\\locked.exe"));  // scheduled for the restart
    EXPECT_TRUE(RemoveOrScheduleFile("E:\\big.exe"));
    EXPECT_FALSE(world().Exists("E:\\unreadable.exe"));
    EXPECT_FALSE(world().Exists("E:\\big.exe"));
    EXPECT_EQ(world().RestartDeletions(), TextList{"E:\\locked.exe"});

    std::vector<QuarantineEntry> entries = Entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_FALSE(entries[0].kept);
    EXPECT_EQ(entries[0].note, "No copy kept: the file could not be read.");
    EXPECT_TRUE(entries[1].kept);  // a locked file can still be read
    EXPECT_FALSE(entries[2].kept);
    EXPECT_EQ(entries[2].note, "No copy kept: the file is larger than the quarantine limit.");
    EXPECT_EQ(QuarantineStore(kStore).Restore(entries[0].number, false), RestoreOutcome::NoCopy);
}

TEST_F(Quarantine, AStoreThatCannotBeWrittenStillLetsTheDeletionThrough) {
    world().MakeWriteProtected("C:\\Program Files\\Kestrone");
    world().AddFile("E:\\a.exe", "x");
    EXPECT_TRUE(RemoveOrScheduleFile("E:\\a.exe"));
    EXPECT_FALSE(world().Exists("E:\\a.exe"));
    EXPECT_TRUE(Entries().empty());
}

TEST_F(Quarantine, TheLimitEvictsTheOldestCopiesFirst) {
    WriteQuarantineLimitMegabytes(1);
    const std::string half(600 * 1024, 'h');
    for (const char* name : {"E:\\1.exe", "E:\\2.exe", "E:\\3.exe"}) {
        world().AddFile(name, half + name);
        world().SetLocalTime(std::string("2026-01-0") + name[3] + " 08:00:00");
        ASSERT_TRUE(RemoveOrScheduleFile(name));
    }
    std::vector<QuarantineEntry> entries = Entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].originalPath, "E:\\3.exe");
    EXPECT_EQ(entries[0].time, "2026-01-03 08:00:00");
    TextList files = world().ListTree(kStore);
    EXPECT_EQ(files,
              (TextList{kStore + std::string("00000003.kq"), kStore + std::string("index.txt")}));
}

TEST_F(Quarantine, RestoreChecksTheDriveThePathAndWhatIsThere) {
    world().AddFile("E:\\dir\\sub\\a.exe", "first");
    ASSERT_TRUE(RemoveOrScheduleFile("E:\\dir\\sub\\a.exe"));
    world().RemoveDrive('E');
    QuarantineStore store(kStore);
    uint32_t number = Entries().at(0).number;
    EXPECT_EQ(store.Restore(number, true), RestoreOutcome::DriveMissing);

    world().AddDrive('E', platform::kDriveRemovable);  // a stick without the folders
    world().AddFile("E:\\dir\\sub\\a.exe", "someone else's", kAttrReadOnly);
    EXPECT_EQ(store.Restore(number, false), RestoreOutcome::TargetExists);
    EXPECT_EQ(world().Content("E:\\dir\\sub\\a.exe"), "someone else's");
    EXPECT_EQ(store.Restore(number, true), RestoreOutcome::Restored);
    EXPECT_EQ(world().Content("E:\\dir\\sub\\a.exe"), "first");
    EXPECT_EQ(store.Restore(number, true), RestoreOutcome::NoSuchEntry);

    world().AddFile("E:\\b.exe", "second");
    ASSERT_TRUE(RemoveOrScheduleFile("E:\\b.exe"));
    world().RemoveDrive('E');
    world().AddDrive('E', platform::kDriveRemovable);
    number = Entries().at(0).number;
    EXPECT_EQ(store.Restore(number, false), RestoreOutcome::Restored);
    EXPECT_EQ(world().Content("E:\\b.exe"), "second");
}

TEST_F(Quarantine, RestoreRefusesPathsAndCopiesThatWereTamperedWith) {
    world().AddFile("E:\\a.exe", "payload");
    ASSERT_TRUE(RemoveOrScheduleFile("E:\\a.exe"));
    std::string index = world().Content(std::string(kStore) + "index.txt");
    world().AddFile(std::string(kStore) + "index.txt",
                    index.replace(index.find("E:\\a.exe"), 8, "E:\\..\\x\\CON"));
    QuarantineStore store(kStore);
    EXPECT_EQ(store.Restore(1, true), RestoreOutcome::UnsafePath);

    world().AddFile("E:\\b.exe", "payload");
    ASSERT_TRUE(RemoveOrScheduleFile("E:\\b.exe"));
    world().AddFile(kStore + SealedFileName(2), "MZ not sealed");
    EXPECT_EQ(store.Restore(2, true), RestoreOutcome::CopyDamaged);
    EXPECT_FALSE(world().Exists("E:\\b.exe"));

    EXPECT_TRUE(store.Remove(2));
    EXPECT_FALSE(world().Exists(kStore + SealedFileName(2)));
    EXPECT_FALSE(store.Remove(2));
    EXPECT_EQ(Entries().size(), 1u);
}

TEST_F(Quarantine, ACorruptIndexIsSetAsideAndTheStoreCarriesOn) {
    world().AddFolder(kStore);
    world().AddFile(std::string(kStore) + "index.txt", "Kestrone quarantine 1\r\n1\tcut sh");
    QuarantineStore store(kStore);
    EXPECT_TRUE(store.Entries().empty());
    EXPECT_NE(store.Problem().find("damaged"), std::string::npos);
    EXPECT_EQ(world().Content(std::string(kStore) + "index.bad"),
              "Kestrone quarantine 1\r\n1\tcut sh");

    world().AddFile("E:\\a.exe", "x");
    ASSERT_TRUE(RemoveOrScheduleFile("E:\\a.exe"));
    EXPECT_EQ(Entries().size(), 1u);
    EXPECT_FALSE(world().Exists(std::string(kStore) + "index.txt.new"));
}

TEST_F(Quarantine, ATrustedFileIsLeftByEveryLaterDeletion) {
    world().AddFile("E:\\Autorun.inf", "[AutoRun]\r\nshellexecute=setup.exe\r\n");
    world().AddFile("E:\\setup.exe", "installer");
    CleanDriveOnArrival("E:\\");
    ASSERT_FALSE(world().Exists("E:\\setup.exe"));
    for (const QuarantineEntry& e : Entries()) {
        if (FilePart(e.originalPath) != "setup.exe") continue;
        ASSERT_EQ(QuarantineStore(kStore).Restore(e.number, false), RestoreOutcome::Restored);
        TrustFileCode(e.fileCode);
    }
    world().AddFile("E:\\Autorun.inf", "[AutoRun]\r\nshellexecute=setup.exe\r\n");
    ResetMachineChanges();
    TextList report = CleanDriveOnArrival("E:\\");
    EXPECT_TRUE(world().Exists("E:\\setup.exe"));
    EXPECT_EQ(report, TextList{"E:\\Autorun.inf  cleaned"});
    EXPECT_EQ(MachineChanges().attempted, 1);

    world().AddFile("E:\\other.exe", "a different program");
    EXPECT_TRUE(RemoveOrScheduleFile("E:\\other.exe"));
}

}  // namespace
}  // namespace kestrone
