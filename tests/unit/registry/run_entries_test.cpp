// Start-up command lines and the scan of the Run keys by file code.
#include "scan/run_entries.h"

#include "platform/sim/registry_tree.h"
#include "sim_fixture.h"

namespace kestrone::test {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

TEST(RunTarget, WorkedExamplesAndCorners) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\WINDOWS\\system32\\evil.exe", "c:\\windows\\system32\\evil.exe"},
        {"\"C:\\Program Files\\App\\app.exe\" -min", "c:\\program files\\app\\app.exe"},
        {"rundll32.exe c:\\windows\\x.dll,Run", "c:\\windows\\x.dll"},
        {"C:\\WINDOWS\\system32\\rundll32.exe C:\\x\\y.dll,Start", "c:\\x\\y.dll"},
        {"C:\\x\\app.exe C:\\docs", "None"},
        {"C:\\x\\app.exe /quiet", "c:\\x\\app.exe"},
        {"ctfmon.exe", "None"},
        {"wscript.exe c:\\x\\a.vbs", ""},
        {"c:\\a.tmp c:\\b.dll", "c:\\b.dll"},
        {"c:\\a.dll c:\\b.exe", "c:\\b.exe"},
        {"c:\\docs\\readme.txt", "Skip"},
        {"C:\\A\\B.EXE", "c:\\a\\b.exe"},
        {"", "None"},
        {"\"\"\"", "None"},
        {":\\", "Skip"},
        {"c:\\a.tmp", "Skip"},  // ".tmp" counts only when a blank follows
        {"rundll32.exe", "None"},
        {"rundll32.exe c:\\x", ""},  // no ".dll": nothing to copy
    };
    for (const auto& [line, target] : cases) EXPECT_EQ(ExtractRunTarget(line), target) << line;
}

TEST(RunTarget, CommandPathPieces) {
    EXPECT_EQ(ExtractCommandPath("x C:\\A.EXE y"), "c:\\a.exe");
    EXPECT_EQ(ExtractCommandPath("nothing here"), "None");
    EXPECT_EQ(ExtractCommandPath("see d:\\notes"), "Skip");
    EXPECT_EQ(StripQuotes("\"a\" \"b\"\""), "a b");
    // Positions: 0 is absent; c counts only when a or b is missing.
    const size_t cases[][4] = {{3, 5, 1, 3}, {0, 5, 2, 2}, {7, 0, 2, 2}, {0, 0, 4, 4},
                               {0, 0, 0, 0}, {0, 6, 0, 6}, {9, 0, 0, 9}};
    for (const auto& c : cases) EXPECT_EQ(MinPosition(c[0], c[1], c[2]), c[3]);
}

TEST(RunTarget, HostileCommandLines) {
    std::string huge =
        "\"" + std::string(100000, 'A') + "c:\\" + std::string(50000, 'b') + ".exe\"";
    EXPECT_EQ(ExtractRunTarget(huge).size(), 50000u + 7u);
    EXPECT_EQ(ExtractRunTarget(std::string(1000, '"')), "None");
    EXPECT_EQ(ExtractRunTarget(std::string("c:\\\0.exe", 8)), std::string("c:\\\0.exe", 8));
    EXPECT_EQ(ExtractRunTarget(".exe.dll:\\"), "");
    for (size_t length = 0; length < 40; ++length) {
        std::string text = std::string("rundll32.exe c:\\x.dll .tmp c:\\").substr(0, length);
        (void)ExtractRunTarget(text);  // any prefix must stay inside the text
    }
}

class RunEntries : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddFile("C:\\x\\evil.exe", "123456789");  // file code CBF43926
        world().AddFile("C:\\x\\good.exe", "something else");
    }
    static constexpr char kMachineRun[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    static constexpr char kUserRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    static constexpr char kUserLoad[] =
        "Software\\Microsoft\\WindowsNT\\CurrentVersion\\Windows\\load";
    static sim::RegistryTree& reg() { return sim::TheRegistry(); }
};

TEST_F(RunEntries, FindsTargetsWithTheCodeInKeyValueAndCodeOrder) {
    reg().SetString(kHkeyCurrentUser, kUserLoad, "l", "C:\\X\\EVIL.EXE");
    reg().SetString(kHkeyCurrentUser, kUserRun, "u", "\"c:\\x\\evil.exe\" -run");
    reg().SetString(kHkeyLocalMachine, kMachineRun, "good", "c:\\x\\good.exe");
    reg().SetString(kHkeyLocalMachine, kMachineRun, "evil", "rundll32.exe c:\\x\\evil.exe.dll,x",
                    platform::kRegExpandSz);
    reg().SetString(kHkeyLocalMachine, kMachineRun, "plain", "c:\\x\\evil.exe");
    EXPECT_EQ(ScanRunEntries({"cbf43926"}),
              (TextList{"c:\\x\\evil.exe", "c:\\x\\evil.exe", "c:\\x\\evil.exe"}));
    EXPECT_EQ(ScanRunEntries({"CBF43926", "0000", "CBF43926"}),
              (TextList{"c:\\x\\evil.exe", "c:\\x\\evil.exe", "c:\\x\\evil.exe", "c:\\x\\evil.exe",
                        "c:\\x\\evil.exe", "c:\\x\\evil.exe"}));
    EXPECT_TRUE(ScanRunEntries({}).empty());
}

TEST_F(RunEntries, NonStringValuesAreSkippedAndTheScanGoesOn) {
    reg().SetDword(kHkeyLocalMachine, kMachineRun, "number", 1);
    reg().SetRaw(kHkeyLocalMachine, kMachineRun, "blob", platform::kRegBinary, "c:\\x\\evil.exe");
    reg().SetRaw(kHkeyLocalMachine, kMachineRun, "raw", platform::kRegSz,
                 "c:\\x\\evil.exe");  // no NUL
    EXPECT_EQ(ScanRunEntries({"CBF43926"}), (TextList{"c:\\x\\evil.exe"}));
}

TEST_F(RunEntries, KeysThatCannotBeOpenedAreSkipped) {
    reg().SetString(kHkeyLocalMachine, kMachineRun, "evil", "c:\\x\\evil.exe");
    reg().RefuseFullAccess(kHkeyLocalMachine, kMachineRun);
    reg().SetString(kHkeyCurrentUser, kUserRun, "evil", "c:\\x\\evil.exe");
    EXPECT_EQ(ScanRunEntries({"CBF43926"}), (TextList{"c:\\x\\evil.exe"}));
}

TEST_F(RunEntries, WordsThatAreNoPathsNeverMatch) {
    // Files named like the extraction's markers must not be found relative to the current folder.
    world().AddFile("C:\\None", "123456789");
    world().AddFile("C:\\Skip", "123456789");
    reg().SetString(kHkeyCurrentUser, kUserRun, "a", "ctfmon.exe");
    reg().SetString(kHkeyCurrentUser, kUserRun, "b", "c:\\docs\\readme.txt");
    reg().SetString(kHkeyCurrentUser, kUserRun, "c", "c:\\x\\missing.exe");
    EXPECT_TRUE(ScanRunEntries({"CBF43926"}).empty());
}

}  // namespace
}  // namespace kestrone::test
