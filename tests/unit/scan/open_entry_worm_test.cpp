// A plain open entry names an installer's setup as often as a worm: its
// program is removed only where the worm's hand shows on it.
#include "core/machine_changes.h"
#include "scan/autorun.h"
#include "scan/drive_clean.h"
#include "scan/drive_scan.h"
#include "scan/file_code.h"
#include "scan_machine.h"

namespace kestrone {
namespace {

using platform::kAttrArchive;
using platform::kAttrHidden;
using platform::kAttrReadOnly;
using platform::kAttrSystem;
using platform::kInvalidAttributes;

const uint32_t kHiddenSystem = kAttrHidden | kAttrSystem;

TEST(OpenProgramShowsWormsHand, AttributesAndCodes) {
    const TextList codes{"6851CF3C", "ABCDE"};
    struct Case {
        uint32_t attributes;
        std::string code;
        bool worm;
    } cases[] = {
        {kHiddenSystem, "1234", true},
        {kHiddenSystem | kAttrReadOnly | kAttrArchive, "", true},
        {kAttrArchive, "6851CF3C", true},
        {kAttrArchive, "ABCDE", true},
        // An installer's program: visible, hidden alone, read-only, unknown code.
        {kAttrArchive, "1234", false},
        {kAttrHidden, "1234", false},
        {kAttrSystem | kAttrReadOnly, "1234", false},
        {kAttrArchive, "0000", false},  // unreadable: identifies nothing
        {kAttrArchive, "", false},
        {kInvalidAttributes, "6851CF3C", false},  // no such file
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OpenProgramShowsWormsHand(c.attributes, c.code, codes), c.worm)
            << std::hex << c.attributes << " " << c.code;
    }
}

class OpenEntryWorm : public test::ScanMachine {
  protected:
    void SetUp() override {
        ScanMachine::SetUp();
        world().AddDrive('E', platform::kDriveRemovable);
    }
    std::string Code(const std::string& bytes) {
        return FormatFileCode(Crc32(bytes.data(), bytes.size()));
    }
};

TEST_F(OpenEntryWorm, TheProgramTheWormHidIsRemovedTheInstallersStays) {
    world().AddFile("E:\\Autorun.inf", "[autorun]\r\nopen=ravmon.exe\r\n");
    world().AddFile("E:\\ravmon.exe", "MZ worm", kHiddenSystem | kAttrReadOnly);
    EXPECT_EQ(ParseAutorunInf("E:\\"), (TextList{"E:\\ravmon.exe", "E:\\Autorun.inf"}));
    EXPECT_EQ(CleanDriveOnArrival("E:\\"),
              (TextList{"E:\\ravmon.exe  cleaned", "E:\\Autorun.inf  cleaned"}));
    EXPECT_FALSE(world().Exists("E:\\ravmon.exe"));

    world().AddFile("E:\\Autorun.inf",
                    "[AutoRun]\r\nopen=setup.exe /autorun\r\nicon=setup.exe,0\r\n");
    world().AddFile("E:\\setup.exe", "MZ the vendor's installer");
    world().AddFile("E:\\data.cab", "installer data", kAttrHidden);
    EXPECT_EQ(ParseAutorunInf("E:\\"), TextList{"E:\\Autorun.inf"});
    EXPECT_EQ(CleanDriveOnArrival("E:\\"), TextList{"E:\\Autorun.inf  cleaned"});
    EXPECT_TRUE(world().Exists("E:\\setup.exe"));
    EXPECT_TRUE(world().Exists("E:\\data.cab"));
}

TEST_F(OpenEntryWorm, OnlyHiddenOrOnlySystemIsNoHand) {
    world().AddFile("E:\\Autorun.inf", "[autorun]\r\nopen=menu.exe\r\n");
    world().AddFile("E:\\menu.exe", "MZ a vendor's menu", kAttrHidden | kAttrReadOnly);
    EXPECT_EQ(ScanAndCleanDrive("E:\\"),
              (TextList{"E:\\Autorun.inf  cleaned", "E:\\ cleaned completed."}));
    EXPECT_TRUE(world().Exists("E:\\menu.exe"));
}

TEST_F(OpenEntryWorm, AVisibleProgramWithAKnownWormCodeIsRemoved) {
    const std::string worm = "MZ known worm";
    Definitions("[VirusProcess]\r\nProcesses=KAVO\\kavo.exe=" + Code(worm) + "\r\n");
    world().AddFile("E:\\Autorun.inf", "[autorun]\r\nopen=game.exe\r\n");
    world().AddFile("E:\\game.exe", worm);
    uint32_t running = processes().Add("game.exe", "E:\\game.exe");
    EXPECT_EQ(
        ScanAndCleanDrive("E:\\"),
        (TextList{"E:\\game.exe  cleaned", "E:\\Autorun.inf  cleaned", "E:\\ cleaned completed."}));
    EXPECT_FALSE(processes().IsRunning(running));
}

TEST_F(OpenEntryWorm, TheCodeOfALookalikeCopyOnTheDriveNamesTheWorm) {
    const std::string worm = "MZ folder-icon worm";
    world().AddFile("E:\\Autorun.inf", "[autorun]\r\nopen=Music.exe\r\n");
    world().AddFolder("E:\\Photos", kAttrHidden);
    world().AddFile("E:\\Photos.exe", worm);
    world().AddFile("E:\\Music.exe", worm);  // no folder Music: only its code gives it away
    world().AddFile("E:\\Player.exe", "MZ the user's player");
    EXPECT_EQ(CleanDriveOnArrival("E:\\"),
              (TextList{"E:\\Music.exe  cleaned", "E:\\Autorun.inf  cleaned",
                        "E:\\Photos.exe  cleaned", "E:\\Photos  restored"}));
    EXPECT_TRUE(world().Exists("E:\\Player.exe"));
}

// Worms write Autorun.inf as UTF-16 too; Windows reads it, and so must the clean.
TEST_F(OpenEntryWorm, AnAutorunInfWrittenAsUtf16IsCleanedAlike) {
    std::string text = "[AutoRun]\r\nshellexecute=RECYCLER\\x.exe\r\nopen=ravmon.exe\r\n";
    std::string utf16 = "\xFF\xFE";
    for (char c : text) utf16 += std::string{c, '\0'};
    world().AddFile("E:\\Autorun.inf", utf16, kHiddenSystem);
    world().AddFile("E:\\RECYCLER\\x.exe", "MZ worm", kHiddenSystem);
    world().AddFile("E:\\ravmon.exe", "MZ worm copy", kHiddenSystem);
    EXPECT_EQ(CleanDriveOnArrival("E:\\"),
              (TextList{"E:\\RECYCLER\\x.exe  cleaned", "E:\\ravmon.exe  cleaned",
                        "E:\\Autorun.inf  cleaned"}));
}

}  // namespace
}  // namespace kestrone
