// Look-alike worms on a USB stick: a copy of the worm beside each item it
// hid, under the item's name ("Photos.exe" beside the hidden Photos,
// "Report.docx.exe" beside the hidden Report.docx). The copies go, through
// the delete door, and the items come back; the user's programs stay.
#include "scan/lookalike_worm.h"

#include "core/machine_changes.h"
#include "platform/registry.h"
#include "scan/drive_clean.h"
#include "scan/drive_scan.h"
#include "scan_machine.h"

namespace kestrone {
namespace {

using platform::FolderEntry;
using platform::kAttrArchive;
using platform::kAttrDirectory;
using platform::kAttrHidden;
using platform::kAttrReadOnly;
using platform::kAttrSystem;
using platform::kHkeyCurrentUser;

const uint32_t kHiddenSystem = kAttrHidden | kAttrSystem;
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kBlanks(40, ' ');

TEST(ProgramNameStandsFor, NamesAndTheItemsTheyStandFor) {
    struct Case {
        std::string program, item;
        bool standsFor;
    } cases[] = {
        {"Photos.exe", "Photos", true},
        {"PHOTOS.EXE", "photos", true},
        {"Photos.scr", "Photos", true},
        {"Holiday 2026.com", "Holiday 2026", true},
        {"Report.docx.exe", "Report.docx", true},
        {"Report.docx" + kBlanks + ".exe", "Report.docx", true},
        {"Report.docx\t\xA0  .pif", "Report.docx", true},
        {"Photos.vbs", "Photos", true},
        // Not the item's name plus a program extension.
        {"Photos.jpg", "Photos", false},
        {"Photos.exe", "Photos.exe", false},
        {"Report.exe", "Report.docx", false},
        {"Report.doc.exe", "Report.docx", false},
        {"MyPhotos.exe", "Photos", false},
        {"Photos2.exe", "Photos", false},
        {".exe", "", false},
        {kBlanks + ".exe", "", false},
        {"Photos", "Photos", false},
        {"Photos.exe", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProgramNameStandsFor(c.program, c.item), c.standsFor)
            << "'" << c.program << "' for '" << c.item << "'";
    }
}

FolderEntry Folder(const std::string& name, uint32_t attributes = 0) {
    return {name, attributes | kAttrDirectory, 0};
}
FolderEntry File(const std::string& name, uint32_t attributes = kAttrArchive) {
    return {name, attributes, 100};
}

// Every case is one listing of a drive root and the copies judged in it.
TEST(JudgeLookalikes, OnlyProgramsThatStandForAHiddenItemAreCopies) {
    struct Case {
        const char* what;
        std::vector<FolderEntry> root;
        std::vector<std::string> copies;  // program names judged to be the worm
    } cases[] = {
        {"the folder-icon worm",
         {Folder("Photos", kHiddenSystem), File("Photos.exe"), Folder("Music", kAttrHidden),
          File("Music.exe")},
         {"Photos.exe", "Music.exe"}},
        {"a disguised document",
         {File("Report.docx", kAttrHidden), File("Report.docx.exe"),
          File("Budget.xls", kHiddenSystem | kAttrReadOnly), File("Budget.xls" + kBlanks + ".scr")},
         {"Report.docx.exe", "Budget.xls" + kBlanks + ".scr"}},
        // What must stay: the user's programs that stand for no hidden item.
        {"an installer stick",
         {File("setup.exe"), File("Autorun.inf"), Folder("setup"), File("setup.ini", kAttrHidden)},
         {}},
        {"a portable app beside its visible folder",
         {File("Firefox.exe"), Folder("Firefox"), File("Start.exe"), Folder("PortableApps")},
         {}},
        {"a self-extracting archive beside a visible document",
         {File("Report.docx"), File("Report.docx.exe")},
         {}},
        {"a hidden program beside a visible one of another name",
         {File("tool.exe", kAttrHidden), File("tool2.exe")},
         {}},
        {"a folder that only looks like a program",
         {Folder("Photos", kAttrHidden), Folder("Photos.exe")},
         {}},
        {"Windows' own hidden items are nobody's look-alike",
         {Folder("System Volume Information", kHiddenSystem), File("System Volume Information.exe"),
          Folder("RECYCLER", kHiddenSystem), File("RECYCLER.exe"),
          Folder("$RECYCLE.BIN", kHiddenSystem), File("$RECYCLE.BIN.exe"),
          File("desktop.ini", kHiddenSystem), File("desktop.ini.exe")},
         {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> copies;
        for (const LookalikeName& found : JudgeLookalikes(c.root)) copies.push_back(found.program);
        EXPECT_EQ(copies, c.copies) << c.what;
    }
}

// A keeper that records what the delete door keeps and refuses trusted files.
class RecordingKeeper : public RemovalKeeper {
  public:
    bool Allows(const std::string& path) override { return IndexOfText(trusted, path) < 0; }
    void Keep(const std::string& path, const std::string&) override { kept.push_back(path); }
    TextList trusted, kept;
};

class LookalikeWorm : public test::ScanMachine {
  protected:
    void SetUp() override {
        ScanMachine::SetUp();
        world().AddDrive('E', platform::kDriveRemovable);
        InstallRemovalKeeper(&keeper);
    }
    void TearDown() override {
        InstallRemovalKeeper(nullptr);
        ScanMachine::TearDown();
    }
    uint32_t Attributes(const std::string& path) {
        return world().Attributes(path) & ~(kAttrDirectory | kAttrArchive);
    }
    RecordingKeeper keeper;
};

TEST_F(LookalikeWorm, CopiesGoIntoQuarantineItemsComeBackTheUsersProgramsStay) {
    const std::string worm = "MZ folder-icon worm specimen";
    world().AddFolder("E:\\Photos", kHiddenSystem);
    world().AddFile("E:\\Photos\\beach.jpg", "a photo");
    world().AddFolder("E:\\Docs", kHiddenSystem | kAttrReadOnly);
    world().AddFile("E:\\Photos.exe", worm);
    world().AddFile("E:\\Docs.exe", worm);
    world().AddFile("E:\\setup.exe", "MZ the user's installer");
    world().AddFolder("E:\\Firefox");
    world().AddFile("E:\\Firefox.exe", "MZ portable launcher");
    world().AddFolder("E:\\System Volume Information", kHiddenSystem);
    // Running from the stick, and a copy it left on the machine at log-on.
    const std::string copy = "C:\\Documents and Settings\\user\\Application Data\\svc.exe";
    world().AddFile(copy, worm);
    uint32_t fromStick = processes().Add("Photos.exe", "E:\\Photos.exe");
    uint32_t fromCopy = processes().Add("svc.exe", copy);
    uint32_t launcher = processes().Add("Firefox.exe", "E:\\Firefox.exe");
    registry().SetString(kHkeyCurrentUser, kRunKey, "svc", "\"" + copy + "\" -s");
    registry().SetString(kHkeyCurrentUser, kRunKey, "browser", "E:\\Firefox.exe");

    EXPECT_TRUE(HasDriveThreat("E:\\"));
    EXPECT_EQ(CleanDriveOnArrival("E:\\"),
              (TextList{"E:\\Docs.exe  cleaned", "E:\\Photos.exe  cleaned", "E:\\Docs  restored",
                        "E:\\Photos  restored"}));
    EXPECT_EQ(keeper.kept, (TextList{"E:\\Docs.exe", "E:\\Photos.exe"}));
    EXPECT_EQ(
        world().ListTree("E:\\"),
        (TextList{"E:\\Docs", "E:\\Firefox", "E:\\Firefox.exe", "E:\\Photos",
                  "E:\\Photos\\beach.jpg", "E:\\setup.exe", "E:\\System Volume Information"}));
    EXPECT_EQ(Attributes("E:\\Photos"), 0u);
    EXPECT_EQ(Attributes("E:\\Docs"), kAttrReadOnly);
    EXPECT_EQ(Attributes("E:\\System Volume Information"), kHiddenSystem);
    EXPECT_FALSE(processes().IsRunning(fromStick));
    EXPECT_FALSE(processes().IsRunning(fromCopy));  // same file code
    EXPECT_TRUE(processes().IsRunning(launcher));
    EXPECT_FALSE(registry().HasValue(kHkeyCurrentUser, kRunKey, "svc"));
    EXPECT_TRUE(registry().HasValue(kHkeyCurrentUser, kRunKey, "browser"));
    EXPECT_FALSE(HasDriveThreat("E:\\"));
}

TEST_F(LookalikeWorm, TheFullScanReportsDisguisedDocuments) {
    world().AddFile("E:\\Report.docx", "the user's report", kAttrHidden);
    world().AddFile("E:\\Report.docx.exe", "MZ disguised worm");
    world().AddFile("E:\\Thesis.pdf", "the user's thesis", kHiddenSystem);
    world().AddFile("E:\\Thesis.pdf" + kBlanks + ".scr", "MZ disguised worm");
    EXPECT_EQ(ScanAndCleanDrive("E:\\"),
              (TextList{"E:\\Report.docx.exe  cleaned",
                        "E:\\Thesis.pdf" + kBlanks + ".scr  cleaned", "E:\\Report.docx  restored",
                        "E:\\Thesis.pdf  restored", "E:\\ cleaned completed."}));
    EXPECT_EQ(world().ListTree("E:\\"), (TextList{"E:\\Report.docx", "E:\\Thesis.pdf"}));
}

TEST_F(LookalikeWorm, ATrustedCopyStaysAndSoDoesTheItemItStandsFor) {
    world().AddFolder("E:\\Tools", kAttrHidden);
    world().AddFile("E:\\Tools.exe", "MZ the user's own menu program");
    keeper.trusted.push_back("E:\\Tools.exe");
    EXPECT_TRUE(CleanDriveOnArrival("E:\\").empty());
    EXPECT_TRUE(world().Exists("E:\\Tools.exe"));
    EXPECT_EQ(Attributes("E:\\Tools"), kAttrHidden);
}

TEST_F(LookalikeWorm, AReportOnlyRunListsAndChangesNothing) {
    world().AddFolder("E:\\Photos", kHiddenSystem);
    world().AddFile("E:\\Photos.exe", "MZ worm");
    ChangeModeScope reportOnly(ChangeMode::ReportOnly);
    EXPECT_EQ(
        ScanAndCleanDrive("E:\\"),
        (TextList{"E:\\Photos.exe  cleaned", "E:\\Photos  restored", "E:\\ cleaned completed."}));
    EXPECT_TRUE(world().Exists("E:\\Photos.exe"));
    EXPECT_EQ(Attributes("E:\\Photos"), kHiddenSystem);
}

TEST_F(LookalikeWorm, FixedDrivesAreNotJudged) {
    world().AddFolder("C:\\Games", kAttrHidden);
    world().AddFile("C:\\Games.exe", "MZ a user's launcher");
    EXPECT_TRUE(FindLookalikeWorms("C:\\").empty());
    EXPECT_EQ(ScanAndCleanDrive("C:\\"), TextList{"C:\\  no threat found"});
}

}  // namespace
}  // namespace kestrone
