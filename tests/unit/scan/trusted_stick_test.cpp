// Trusted sticks: known by serial and label together, never without a
// serial. On a trusted stick the worms the definitions name still go; the
// programs the stick's own Autorun.inf starts and the items the launch rules
// would take for a worm's stay, and the report says why.
#include "scan/trusted_stick_clean.h"

#include "core/history_log.h"
#include "core/trusted_sticks.h"
#include "scan/drive_clean.h"
#include "scan/drive_scan.h"
#include "scan/file_code.h"
#include "scan_machine.h"

namespace kestrone {
namespace {

using platform::kAttrHidden;
using platform::kAttrSystem;

constexpr uint32_t kSerial = 0x1A2B3C4D;
const std::string kTrustLine = std::string("E:\\") + kTrustedStickSuffix;

TEST(TrustedVolume, SerialAndLabelMustBothMatchAndSerialZeroIsNeverTrusted) {
    const std::vector<TrustedStick> trusted = {{kSerial, "WORK"}, {0x00000007, ""}};
    struct Case {
        uint32_t serial;
        std::string label;
        bool trusted;
    } cases[] = {
        {kSerial, "WORK", true},
        {kSerial, "work", false},    // a label is compared as it is
        {kSerial, "WORK ", false},   // relabelled, however slightly
        {kSerial, "", false},
        {0x1A2B3C4E, "WORK", false},  // formatted anew: a new serial
        {0x00000007, "", true},       // an unlabelled stick can be trusted
        {0, "", false},
        {0, "WORK", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(VolumeSerialText(c.serial) + " \"" + c.label + "\"");
        EXPECT_EQ(IsTrustedVolume({c.serial, c.label}, trusted), c.trusted);
    }
    // Even a list that holds serial 0 (edited by hand) trusts no serial-less volume.
    EXPECT_FALSE(IsTrustedVolume({0, ""}, {{0, ""}}));
}

TEST(TrustedVolume, SerialTextRoundTripsAndRejectsOtherShapes) {
    uint32_t serial = 0;
    EXPECT_EQ(VolumeSerialText(0x0000ABCD), "0000-ABCD");
    ASSERT_TRUE(ParseVolumeSerialText("1a2b-3C4D", serial));
    EXPECT_EQ(serial, kSerial);
    for (const char* bad : {"1A2B3C4D", "1A2B-3C4", "1A2B-3C4DD", "1A2B-3C4G", "", "-1A2B3C4"})
        EXPECT_FALSE(ParseVolumeSerialText(bad, serial)) << bad;
}

TEST(TrustedLaunchRemovals, OnlyNamedLaunchesGoAndTheAutorunFileWithThem) {
    auto named = [](const std::string& path) { return path == "E:\\bin\\kavo.exe"; };
    EXPECT_EQ(TrustedLaunchRemovals({"E:\\tool.exe", "E:\\Autorun.inf"}, named), TextList{});
    EXPECT_EQ(TrustedLaunchRemovals({"E:\\tool.exe", "E:\\bin\\kavo.exe", "E:\\Autorun.inf"}, named),
              (TextList{"E:\\bin\\kavo.exe", "E:\\Autorun.inf"}));
}

class TrustedStickClean : public test::ScanMachine {
protected:
    void SetUp() override {
        ScanMachine::SetUp();
        world().AddDrive('E', platform::kDriveRemovable);
        world().SetVolumeIdentity('E', kSerial, "WORK");
        Definitions("[VirusName]\r\nName=Kavo,\r\n[KAVO]\r\nFileToDelete=%disk%\\kavo.exe,\r\n");
        // The stick's own starter, and a copy beside a hidden folder that the
        // look-alike rule would take for a worm's.
        world().AddFile("E:\\Autorun.inf", "[AutoRun]\r\nopen=tool.exe\r\nshell\\open\\command=tool.exe\r\n");
        world().AddFile("E:\\tool.exe", "MZ the stick's own tool");
        world().AddFolder("E:\\Photos", kAttrHidden | kAttrSystem);
        world().AddFile("E:\\Photos.exe", "MZ the user's viewer");
    }
    void Trust() { ASSERT_TRUE(TrustStick({kSerial, "WORK"}, "E:\\")); }
    void ExpectOwnProgramsKept() {
        EXPECT_TRUE(world().Exists("E:\\tool.exe"));
        EXPECT_TRUE(world().Exists("E:\\Autorun.inf"));
        EXPECT_TRUE(world().Exists("E:\\Photos.exe"));
        EXPECT_EQ(world().Attributes("E:\\Photos") & kAttrHidden, kAttrHidden);
    }
};

TEST_F(TrustedStickClean, ArrivalKeepsTheSticksOwnLaunchedProgram) {
    Trust();
    EXPECT_EQ(CleanDriveOnArrival("E:\\"), TextList{kTrustLine});
    ExpectOwnProgramsKept();
}

TEST_F(TrustedStickClean, ArrivalStillRemovesWormsTheDefinitionsName) {
    Trust();
    world().AddFile("E:\\kavo.exe", "worm", kAttrHidden);              // a listed name in the root
    world().AddFile("E:\\bin\\kavo.exe", "worm");                      // launched, named by its list
    std::string coded = "MZ a renamed worm the definitions know by code";
    world().AddFile("E:\\run.exe", coded);
    Definitions("[VirusName]\r\nName=Kavo,\r\n[KAVO]\r\nFileToDelete=%disk%\\kavo.exe,\r\n"
                "[VirusProcess]\r\nProcesses=worm.exe=" + GetFileCode("E:\\run.exe") + ",\r\n");
    world().AddFile("E:\\Autorun.inf", "[AutoRun]\r\nopen=tool.exe\r\nshell\\open\\command=tool.exe\r\n"
                                       "shell\\x\\command=bin\\kavo.exe\r\nshellexecute=run.exe\r\n");

    TextList lines = CleanDriveOnArrival("E:\\");
    EXPECT_FALSE(world().Exists("E:\\kavo.exe"));
    EXPECT_FALSE(world().Exists("E:\\bin\\kavo.exe"));
    EXPECT_FALSE(world().Exists("E:\\run.exe"));
    EXPECT_FALSE(world().Exists("E:\\Autorun.inf"));  // it started named worms
    EXPECT_TRUE(world().Exists("E:\\tool.exe"));
    EXPECT_TRUE(world().Exists("E:\\Photos.exe"));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), kTrustLine);
    EXPECT_NE(IndexOfText(lines, "E:\\bin\\kavo.exe  cleaned"), -1);
}

TEST_F(TrustedStickClean, AnotherLabelOrNoTrustMeansTheLaunchRulesApply) {
    Trust();
    world().SetVolumeIdentity('E', kSerial, "WORM");  // a worm relabelled it, or another stick
    EXPECT_FALSE(IsTrustedDrive("E:\\"));
    CleanDriveOnArrival("E:\\");
    EXPECT_FALSE(world().Exists("E:\\tool.exe"));
    EXPECT_FALSE(world().Exists("E:\\Autorun.inf"));
}

TEST_F(TrustedStickClean, ScanReportSaysTheLaunchRulesWereSkipped) {
    Trust();
    EXPECT_EQ(ScanAndCleanDrive("E:\\"), (TextList{"E:\\  no threat found", kTrustLine}));
    world().AddFile("E:\\kavo.exe", "worm");
    EXPECT_EQ(ScanAndCleanDrive("E:\\"),
              (TextList{"E:\\kavo.exe  cleaned", kTrustLine, "E:\\ cleaned completed."}));
    ExpectOwnProgramsKept();
    // What a program writes under the guard's eyes is judged as on any drive.
    ScanAndCleanDrive("E:\\", StickTrust::Disregard);
    EXPECT_FALSE(world().Exists("E:\\tool.exe"));
}

TEST_F(TrustedStickClean, TrustIsStoredWithItsLabelIntactAndRecordedWhenGivenAndTaken) {
    // Blanks and quotes at a label's ends are what the profile functions strip.
    platform::VolumeIdentity odd{0x0BAD0001, " \"Odd\" "};
    ASSERT_TRUE(TrustStick(odd, "F:\\"));
    Trust();
    std::vector<TrustedStick> sticks = ReadTrustedSticks();
    ASSERT_EQ(sticks.size(), 2u);
    EXPECT_EQ(sticks[0].label, odd.label);
    EXPECT_FALSE(TrustStick({0, "NOSERIAL"}, "G:\\"));
    EXPECT_EQ(ReadTrustedSticks().size(), 2u);

    EXPECT_TRUE(RemoveTrustedStick(kSerial));
    EXPECT_FALSE(RemoveTrustedStick(kSerial));
    ASSERT_EQ(ReadTrustedSticks().size(), 1u);
    EXPECT_EQ(ReadTrustedSticks()[0].serial, odd.serial);
    TextList history = ReadHistory();
    ASSERT_EQ(history.size(), 3u);
    EXPECT_NE(history[1].find("Trust  Stick in E:\\ trusted: 1A2B-3C4D \"WORK\""), std::string::npos);
    EXPECT_NE(history[2].find("Trust  Trust removed from stick 1A2B-3C4D \"WORK\""), std::string::npos);
    EXPECT_EQ(world().Events().size(), 3u);  // each also reaches the event log
}

}  // namespace
}  // namespace kestrone
