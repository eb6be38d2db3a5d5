// kestrone-scan's runs against the simulated machine: what is printed where,
// what is changed, and the exit code, for the cases a script relies on.
#include "cli/scan_session.h"

#include "cli/json_console.h"
#include "json_reader.h"
#include "platform/remote_modules.h"

#include "core/history_log.h"
#include "core/machine_changes.h"
#include "core/quarantine_store.h"
#include "platform/registry.h"
#include "platform/sim/named_marks.h"
#include "platform/sim/process_table.h"
#include "platform/sim/registry_tree.h"
#include "scan/signature_scan.h"
#include "sim_fixture.h"
#include "unit/crypto/openssl_helpers.h"

namespace kestrone::cli {
namespace {

constexpr char kProgramDir[] = "C:\\Program Files\\Kestrone\\";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct Captured : ScanConsole {
    TextList out, err;
    void Report(const std::string& line) override { out.push_back(line); }
    void Progress(const std::string& text) override { err.push_back(text); }
};

class ScanSession : public test::SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        ResetSignatureScanState();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddDrive('E', platform::kDriveRemovable);
        world().AddFolder("C:\\Temp");
        world().AddFolder("C:\\WINDOWS\\system32");
        world().SetExecutablePath(std::string(kProgramDir) + "kestrone-scan.exe");
        world().AddFile(std::string(kProgramDir) + "kestrone-scan.exe", "MZ scanner");
        world().SetCurrentProcessId(sim::TheProcesses().Add(
            "kestrone-scan.exe", std::string(kProgramDir) + "kestrone-scan.exe"));
        Definitions(
            "[VirusName]\r\nName=STICKWORM\r\n"
            "[STICKWORM]\r\nFileToDelete=%disk%\\stick.ico,%disk%\\worm.exe\r\n");
    }
    void TearDown() override {
        ResetSignatureScanState();
        SimTest::TearDown();
    }
    // kernel.dll beside the program, encrypted as the packer does it.
    void Definitions(const std::string& plain) {
        world().AddFile(
            std::string(kProgramDir) + "kernel.dll",
            test::EncryptedFile(test::Key128("wren"), plain, static_cast<int64_t>(plain.size())));
    }
    void InfectedStick() {
        world().AddFile("E:\\Autorun.inf", "[autorun]\r\nshellexecute=worm.exe\r\n");
        world().AddFile("E:\\worm.exe", "MZ worm", platform::kAttrHidden);
        world().AddFile("E:\\stick.ico");
        world().AddFile("E:\\photo.jpg", "JPEG");
    }
    int Run(ScanRequest request) { return RunScan(request, console); }
    static ScanRequest Drive(const std::string& root, bool reportOnly = false) {
        ScanRequest request;
        request.drives = {root};
        request.reportOnly = reportOnly;
        return request;
    }
    Captured console;
};

TEST_F(ScanSession, AnInfectedStickIsCleanedAndReportedWithExitCodeOne) {
    InfectedStick();
    EXPECT_EQ(Run(Drive("E:\\")), 1);
    EXPECT_EQ(console.out, (TextList{"E:\\STICK.ICO  cleaned", "E:\\WORM.EXE  cleaned",
                                     "E:\\Autorun.inf  cleaned", "E:\\ cleaned completed."}));
    EXPECT_EQ(console.err, (TextList{"Scanning E:\\", "Threats found and removed."}));
    EXPECT_FALSE(world().Exists("E:\\worm.exe"));
    EXPECT_TRUE(world().Exists("E:\\photo.jpg"));
    EXPECT_EQ(CurrentChangeMode(), ChangeMode::Apply);
}

TEST_F(ScanSession, ACleanStickGivesItsNoThreatLineAndExitCodeZero) {
    world().AddFile("E:\\photo.jpg", "JPEG");
    EXPECT_EQ(Run(Drive("E:\\")), 0);
    EXPECT_EQ(console.out, TextList{"E:\\  no threat found"});
    EXPECT_EQ(console.err.back(), "No threat found.");
}

TEST_F(ScanSession, ReportOnlyListsWhatWouldGoAndLeavesEveryFileAsItWas) {
    InfectedStick();
    std::vector<std::string> before = world().ListTree("E:\\");
    EXPECT_EQ(Run(Drive("E:\\", true)), 2);
    EXPECT_EQ(
        console.out,
        (TextList{"E:\\STICK.ICO  would be removed", "E:\\WORM.EXE  would be removed",
                  "E:\\Autorun.inf  would be removed", "E:\\ threats found, nothing changed."}));
    EXPECT_EQ(world().ListTree("E:\\"), before);
    EXPECT_EQ(world().Attributes("E:\\worm.exe"), platform::kAttrHidden);
    EXPECT_EQ(console.err.back(), "Threats found; nothing was changed (report only).");
    EXPECT_EQ(CurrentChangeMode(), ChangeMode::Apply);
}

TEST_F(ScanSession, AFileThatCannotGoMakesItExitCodeTwo) {
    InfectedStick();
    world().Lock("E:\\worm.exe");
    world().RefuseRestartScheduling(true);
    EXPECT_EQ(Run(Drive("E:\\")), 2);
    // The worm that stayed is not reported as cleaned.
    EXPECT_EQ(console.out, (TextList{"E:\\STICK.ICO  cleaned", "E:\\Autorun.inf  cleaned",
                                     "E:\\ cleaned completed."}));
    EXPECT_TRUE(world().Exists("E:\\worm.exe"));
}

TEST_F(ScanSession, ADriveThatKestroneIsCleaningIsLeftAloneWithExitCodeFour) {
    InfectedStick();
    world().AddDrive('F', platform::kDriveRemovable);
    sim::TheNamedMarks().HoldElsewhere("Global\\KestroneCleaningDriveE");
    ScanRequest request = Drive("E:\\");
    request.drives.push_back("F:\\");
    EXPECT_EQ(Run(request), 4);
    EXPECT_TRUE(world().Exists("E:\\worm.exe"));
    EXPECT_EQ(console.out, TextList{"F:\\  no threat found"});  // the other drive is scanned
    EXPECT_EQ(console.err.front(),
              "kestrone-scan: E:\\ skipped: Kestrone is cleaning this drive right now");
    // Our own claim on F: is let go at the end.
    EXPECT_EQ(sim::TheNamedMarks().Holders("Global\\KestroneCleaningDriveF"), 0);
}

TEST_F(ScanSession, MissingOrBrokenDataFilesOrAMissingDriveStopBeforeAnyChange) {
    struct Case {
        const char* what;
        void (*arrange)(ScanSession&);
        const char* root;
        const char* message;
    };
    const Case cases[] = {
        {"no kernel.dll",
         [](ScanSession& t) { t.world().Erase("C:\\Program Files\\Kestrone\\kernel.dll"); }, "E:\\",
         "kestrone-scan: the data file kernel.dll is missing beside the program in "
         "C:\\Program Files\\Kestrone\\"},
        {"a kernel.dll of a wrong length",
         [](ScanSession& t) {
             t.world().AddFile("C:\\Program Files\\Kestrone\\kernel.dll",
                               std::string(8, '\x20') + "12345");
         },
         "E:\\",
         "kestrone-scan: the data files cannot be read: Invalid buffer size for decryption"},
        {"a drive that is not there", [](ScanSession&) {}, "G:\\",
         "kestrone-scan: G:\\ is not a drive on this machine"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        InfectedStick();
        c.arrange(*this);
        EXPECT_EQ(Run(Drive(c.root)), 3);
        EXPECT_TRUE(world().Exists("E:\\worm.exe"));
        EXPECT_TRUE(console.out.empty());
        ASSERT_FALSE(console.err.empty());
        EXPECT_EQ(console.err.front(), c.message);
        console = Captured{};
    }
}

TEST_F(ScanSession, MemoryFirstThenDrivesAndBlankSeparatorsLeftOut) {
    world().AddFile("C:\\WINDOWS\\system32\\mw.exe", "MZ memory worm");
    uint32_t worm = sim::TheProcesses().Add("mw.exe", "C:\\WINDOWS\\system32\\mw.exe");
    Definitions(
        "[VirusName]\r\nName=MW\r\n[MW]\r\nSign=mw.exe\r\n"
        "FileToDelete=%systemroot%\\mw.exe\r\nNote=Change your passwords.\r\n");
    world().AddFile("E:\\photo.jpg", "JPEG");
    ScanRequest request = Drive("E:\\");
    request.memory = true;
    EXPECT_EQ(Run(request), 1);
    EXPECT_EQ(console.out, (TextList{"MW virus found in memory, cleaned successfully",
                                     "Change your passwords.", "E:\\  no threat found"}));
    EXPECT_EQ(console.err.front(), "Scanning memory");
    EXPECT_FALSE(sim::TheProcesses().IsRunning(worm));
}

TEST_F(ScanSession, AnEmptyMemoryScanSaysSoAndBrokenDefinitionsGiveExitCodeThree) {
    ScanRequest request;
    request.memory = true;
    EXPECT_EQ(Run(request), 0);
    EXPECT_EQ(console.out, TextList{"No threat found in memory"});

    console = Captured{};
    world().AddFile("C:\\x.exe", "MZ");
    sim::TheProcesses().Add("x.exe", "C:\\x.exe");
    Definitions("[VirusName]\r\nName=XW\r\n[XW]\r\nSign=x.exe\r\nRegOperate=many\r\n");
    EXPECT_EQ(Run(request), 3);
    EXPECT_EQ(console.err[1],
              "kestrone-scan: broken definitions: 'many' is not a valid integer value");
}

TEST_F(ScanSession, AllDrivesMeansTheFixedThenTheRemovableOnesEachOnce) {
    world().AddDrive('D', platform::kDriveFixed);
    world().AddDrive('A', platform::kDriveRemovable);  // never scanned by --all
    ScanRequest request = Drive("E:\\");
    request.allDrives = true;
    EXPECT_EQ(Run(request), 0);
    EXPECT_EQ(console.out, (TextList{"E:\\  no threat found", "C:\\  no threat found",
                                     "D:\\  no threat found"}));
}

// The scanner used to remove files with no copy and no record at all; as a
// standard account with the program in Program Files, both land in the
// user's own folder like the window's.
TEST_F(ScanSession, WhatTheScannerRemovesIsKeptAndRecordedAlsoForAStandardAccount) {
    for (bool standardUser : {false, true}) {
        SCOPED_TRACE(standardUser ? "standard account" : "portable");
        SetUp();
        if (standardUser) {
            world().AddFolder("C:\\Users\\User\\AppData\\Local");
            world().SetStandardUser();
        }
        InfectedStick();
        EXPECT_EQ(Run(Drive("E:\\")), 1);
        std::vector<QuarantineEntry> kept = QuarantineStore(QuarantineFolder()).Entries();
        ASSERT_EQ(kept.size(), 3u);
        for (const QuarantineEntry& entry : kept) EXPECT_TRUE(entry.kept) << entry.originalPath;
        TextList history = ReadHistory();
        ASSERT_EQ(history.size(), 4u);
        EXPECT_NE(history[0].find("Command-line scan  E:\\STICK.ICO  cleaned"), std::string::npos);
        std::string expectedDir =
            standardUser ? "C:\\Users\\User\\AppData\\Local\\Kestrone\\" : kProgramDir;
        EXPECT_EQ(QuarantineFolder(), expectedDir + "Quarantine\\");
        EXPECT_EQ(HistoryPath(), expectedDir + "History.log");
        TearDown();
    }
}

// Refusals are said on standard error and in the exit code; without
// administrator rights the code tells a script that they would help.
TEST_F(ScanSession, RefusalsAreCountedAndAStandardAccountGetsExitCodeFive) {
    InfectedStick();
    world().SetStandardUser();
    world().Lock("E:\\worm.exe");
    world().RefuseRestartScheduling(true);
    EXPECT_EQ(Run(Drive("E:\\")), 5);
    EXPECT_NE(std::find(console.err.begin(), console.err.end(),
                        "kestrone-scan: 1 threat could not be removed: Windows refused access, "
                        "administrator rights are needed."),
              console.err.end());
    EXPECT_EQ(console.err.back(),
              "Threats found; not all of them were removed: administrator rights are needed.");
}

// --json: every line of standard output is one strict JSON object.
class JsonScan : public ScanSession {
  protected:
    std::vector<test::JsonObject> RunJson(ScanRequest request) {
        JsonConsole json(console, request.reportOnly);
        exitCode = RunScan(request, json);
        std::vector<test::JsonObject> objects;
        for (const std::string& line : console.out) {
            test::JsonObject object;
            std::string error;
            EXPECT_TRUE(test::FlatJsonReader().Read(line, object, error)) << error << ": " << line;
            objects.push_back(object);
        }
        return objects;
    }
    static std::string Text(const test::JsonObject& object, const std::string& key) {
        auto found = object.find(key);
        if (found == object.end() || found->second.kind != test::JsonValue::String) return "<none>";
        return std::string(found->second.text.begin(), found->second.text.end());
    }
    static long long Number(const test::JsonObject& object, const std::string& key) {
        auto found = object.find(key);
        return found == object.end() ? -1 : found->second.number;
    }
    int exitCode = -1;
};

TEST_F(JsonScan, OneObjectPerFindingThenASummary) {
    InfectedStick();
    std::vector<test::JsonObject> objects = RunJson(Drive("E:\\"));
    ASSERT_EQ(objects.size(), 5u);
    const char* paths[] = {"E:\\STICK.ICO", "E:\\WORM.EXE", "E:\\Autorun.inf"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Text(objects[i], "type"), "finding");
        EXPECT_EQ(Text(objects[i], "kind"), "file");
        EXPECT_EQ(Text(objects[i], "path"), paths[i]);
        EXPECT_EQ(Text(objects[i], "action"), "removed");
    }
    EXPECT_EQ(Text(objects[3], "kind"), "drive");
    EXPECT_EQ(Text(objects[3], "drive"), "E:\\");
    EXPECT_EQ(Text(objects[4], "type"), "summary");
    EXPECT_EQ(Number(objects[4], "exitCode"), 1);
    EXPECT_EQ(Number(objects[4], "exitCode"), exitCode);
    EXPECT_EQ(Number(objects[4], "threats"), 4);
    EXPECT_EQ(Text(objects[4], "message"), "Threats found and removed.");
    EXPECT_FALSE(objects[4].at("reportOnly").flag);
}

TEST_F(JsonScan, ReportOnlySaysWhatWouldGoAndACleanDriveGivesTheSummaryAlone) {
    InfectedStick();
    std::vector<test::JsonObject> objects = RunJson(Drive("E:\\", true));
    ASSERT_EQ(objects.size(), 5u);
    EXPECT_EQ(Text(objects[1], "action"), "would be removed");
    EXPECT_EQ(Text(objects[1], "line"), "E:\\WORM.EXE  would be removed");
    EXPECT_TRUE(objects[4].at("reportOnly").flag);
    EXPECT_EQ(Number(objects[4], "exitCode"), 2);
    EXPECT_TRUE(world().Exists("E:\\worm.exe"));

    console = Captured{};
    world().AddDrive('F', platform::kDriveRemovable);
    objects = RunJson(Drive("F:\\"));
    ASSERT_EQ(objects.size(), 1u);  // "F:\  no threat found" is no finding
    EXPECT_EQ(Number(objects[0], "exitCode"), 0);
}

TEST_F(JsonScan, AScanThatCannotStartStillEndsWithItsSummary) {
    world().Erase("C:\\Program Files\\Kestrone\\kernel.dll");
    std::vector<test::JsonObject> objects = RunJson(Drive("E:\\"));
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(Number(objects[0], "exitCode"), 3);
    EXPECT_EQ(exitCode, 3);
    EXPECT_FALSE(console.err.empty());  // the reason, as text on standard error
}

// Quotes and control characters cannot be in a file name; the line test
// (json_lines_test) covers them.
TEST_F(JsonScan, PathsWithBackslashesAndNonAsciiBytesReadBackAsTheyWere) {
    const std::string name = "Fotos \xE4\xFF\x80 {x} & 'y'";
    const std::string folder = "E:\\" + name;
    world().AddFile(folder + "\\worm.exe", "MZ worm");
    world().AddFile("E:\\Autorun.inf", "[autorun]\r\nshellexecute=" + name + "\\worm.exe\r\n");
    std::vector<test::JsonObject> objects = RunJson(Drive("E:\\"));
    std::u16string wanted = platform::AnsiToWide(folder + "\\worm.exe");
    int matches = 0;
    for (const test::JsonObject& object : objects)
        if (object.count("path") && SameText(std::string(object.at("path").text.begin(),
                                                         object.at("path").text.end()),
                                             std::string(wanted.begin(), wanted.end())))
            ++matches;
    EXPECT_EQ(matches, 1) << console.out.front();
    EXPECT_FALSE(world().Exists(folder + "\\worm.exe"));
    for (const std::string& line : console.out)
        for (unsigned char c : line) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << line;
}

}  // namespace
}  // namespace kestrone::cli
