// Terminating processes by name, fragment and command line.
#include "scan/process_kill.h"

#include "process_fixture.h"

namespace kestrone::test {
namespace {

using Kill = ProcessTest;

struct MatchCase {
    const char* entry;
    const char* exeName;
    KillNames mode;
    KillMatch expected;
};

TEST(KillEntryMatch, FormsOfEntries) {
    const MatchCase cases[] = {
        {"ABC.EXE", "abc.exe", KillNames::WithFragments, KillMatch::Name},
        {"abc.exe", "ABC.EXE", KillNames::WithFragments, KillMatch::Name},
        {"ABC.EXE", "C:\\x\\abc.exe", KillNames::WithFragments, KillMatch::Name},  // file part
        {"ABC.EXE", "C:abc.exe", KillNames::WithFragments, KillMatch::Name},       // after ':'
        {"ABC.EXE", "xabc.exe", KillNames::WithFragments, KillMatch::None},
        {"C:\\X\\ABC.EXE", "c:\\x\\abc.exe", KillNames::WithFragments, KillMatch::Name},
        {"C:\\X\\ABC.EXE", "abc.exe", KillNames::WithFragments, KillMatch::None},
        {"?BC", "abc.exe", KillNames::WithFragments, KillMatch::Fragment},
        {"B?C", "xbc.exe", KillNames::WithFragments,
         KillMatch::Fragment},  // only the first '?' goes
        {"?bc", "C:\\bc\\x.exe", KillNames::WithFragments, KillMatch::None},  // file part only
        {"?", "abc.exe", KillNames::WithFragments, KillMatch::None},
        {"??", "a?c.exe", KillNames::WithFragments, KillMatch::Fragment},
        {"", "", KillNames::WithFragments, KillMatch::None},
        // Untrusted names are literal: a '?' never widens them.
        {"?e", "explorer.exe", KillNames::Literal, KillMatch::None},
        {"?", "abc.exe", KillNames::Literal, KillMatch::None},
        {"abc.exe", "ABC.exe", KillNames::Literal, KillMatch::Name},
    };
    for (const MatchCase& c : cases) {
        EXPECT_EQ(MatchKillEntry(c.entry, c.exeName, c.mode), c.expected)
            << c.entry << " vs " << c.exeName;
    }
}

TEST_F(Kill, EmptyListTerminatesNothing) {
    processes().Add("abc.exe", "C:\\abc.exe");
    EXPECT_TRUE(KillProcessesByName({}).empty());
    EXPECT_TRUE(KillProcessesByCommandLine({}).empty());
    EXPECT_EQ(processes().Running().size(), 1u);
}

TEST_F(Kill, EveryMatchingProcessReportedInCallersCase) {
    for (int i = 0; i < 3; ++i) processes().Add("abc.exe", "C:\\x\\abc.exe");
    processes().Add("other.exe", "C:\\x\\other.exe");
    EXPECT_EQ(KillProcessesByName({"Abc.Exe"}), (TextList{"Abc.Exe", "Abc.Exe", "Abc.Exe"}));
    EXPECT_EQ(processes().CountRunning("abc.exe"), 0u);
    EXPECT_EQ(processes().CountRunning("other.exe"), 1u);
    for (const sim::Termination& t : processes().Terminations()) EXPECT_EQ(t.exitCode, 0u);
}

TEST_F(Kill, FragmentsInOurDefinitionsButNotInLiteralNames) {
    processes().Add("explorer.exe", "C:\\WINDOWS\\explorer.exe");
    processes().Add("setup.exe", "E:\\setup.exe");
    processes().Add("calc.exe", "C:\\WINDOWS\\system32\\calc.exe");
    EXPECT_TRUE(KillProcessesByName({"?e"}, KillNames::Literal).empty());
    EXPECT_EQ(processes().Running().size(), 3u);
    EXPECT_TRUE(shell.asked.empty());

    EXPECT_EQ(KillProcessesByName({"?set"}), (TextList{"?set"}));
    EXPECT_EQ(processes().CountRunning("setup.exe"), 0u);
    // What a worm's "?e" would do if it were read as a fragment: every ".exe" contains an E.
    EXPECT_EQ(KillProcessesByName({"?e"}), (TextList{"?e", "?e"}));
    EXPECT_TRUE(processes().Running().empty());
}

TEST_F(Kill, CriticalProcessesSurviveEveryList) {
    uint32_t lsass = processes().Add("lsass.exe", "c:\\windows\\SYSTEM32\\LSASS.EXE");
    uint32_t smss = processes().Add("smss.exe", "\\SystemRoot\\System32\\smss.exe");
    processes().Find(lsass)->critical = true;
    processes().Find(smss)->critical = true;
    uint32_t fake = processes().Add("lsass.exe", "C:\\Temp\\lsass.exe");

    // The fake is already gone when "?ss" comes to it.
    EXPECT_EQ(KillProcessesByName({"LSASS.EXE", "smss.exe", "?ss"}), (TextList{"LSASS.EXE"}));
    EXPECT_TRUE(processes().IsRunning(lsass));
    EXPECT_TRUE(processes().IsRunning(smss));
    EXPECT_FALSE(processes().IsRunning(fake));
    processes().Find(lsass)->commandLine = u"C:\\WINDOWS\\system32\\lsass.exe";
    EXPECT_TRUE(KillProcessesByCommandLine({"lsass"}).empty());
    EXPECT_FALSE(processes().SystemCrashed());
}

TEST_F(Kill, NeverOurOwnProcess) {
    uint32_t self = world().currentProcessId_;
    processes().Add("Kestrone.exe", "C:\\Program Files\\Kestrone\\Kestrone.exe",
                    "\"C:\\Program Files\\Kestrone\\Kestrone.exe\" -Hide", self);
    processes().Add("kestrone.exe", "E:\\kestrone.exe", "E:\\kestrone.exe");  // a worm's namesake

    EXPECT_EQ(KillProcessesByName({"KESTRONE.EXE"}), (TextList{"KESTRONE.EXE"}));
    EXPECT_TRUE(processes().IsRunning(self));
    processes().Add("kestrone2.exe", "E:\\kestrone2.exe");
    EXPECT_EQ(KillProcessesByName({"?kest", "C:\\Program Files\\Kestrone\\Kestrone.exe"}),
              (TextList{"?kest"}));
    EXPECT_TRUE(processes().IsRunning(self));
    processes().Add("usb.exe", "E:\\usb.exe", "E:\\usb.exe");
    EXPECT_EQ(KillProcessesByCommandLine({"kestrone", "e:\\"}), (TextList{"e:\\"}));
    EXPECT_TRUE(processes().IsRunning(self));
}

TEST_F(Kill, RefusedTerminationIsLeftOutAndTheWalkGoesOn) {
    uint32_t stubborn = processes().Add("abc.exe", "C:\\abc.exe");
    processes().Find(stubborn)->refuseTermination = true;
    processes().Add("abc.exe", "C:\\abc.exe");
    EXPECT_EQ(KillProcessesByName({"abc.exe"}), (TextList{"abc.exe"}));
    EXPECT_TRUE(processes().IsRunning(stubborn));
}

TEST_F(Kill, FailedSnapshotTerminatesNothing) {
    processes().Add("abc.exe", "C:\\abc.exe");
    processes().FailSnapshot(true);
    EXPECT_TRUE(KillProcessesByName({"abc.exe"}).empty());
    EXPECT_EQ(processes().Running().size(), 1u);
}

TEST_F(Kill, WithoutPsapiNamesStillWorkButNothingIsCritical) {
    uint32_t lsass = processes().Add("lsass.exe", "C:\\WINDOWS\\system32\\lsass.exe");
    processes().SetPsapiAvailable(false);
    EXPECT_EQ(KillProcessesByName({"lsass.exe"}), (TextList{"lsass.exe"}));
    EXPECT_FALSE(processes().IsRunning(lsass));
}

TEST_F(Kill, ExplorerAnsweredOk) {
    processes().Add("explorer.exe", "C:\\WINDOWS\\explorer.exe");
    processes().Add("explorer.exe", "C:\\WINDOWS\\explorer.exe");
    EXPECT_EQ(KillProcessesByName({"explorer.exe"}), (TextList{"explorer.exe", "explorer.exe"}));
    // Asked again for every Explorer process.
    EXPECT_EQ(shell.asked, (std::vector<std::string>{"CloseExplorer", "CloseExplorer"}));
    EXPECT_EQ(shell.lastMessage,
              "  Since antivirus need for the temporary closure of Explorer,\r\n"
              "and it will cause the temporary lost of desktop.");
    EXPECT_NE(Settings().find("CloseExplorer=1"), std::string::npos);
}

TEST_F(Kill, ExplorerAnsweredCancelKeepsItButAppliesTheOtherEntries) {
    uint32_t explorer = processes().Add("explorer.exe", "C:\\WINDOWS\\explorer.exe");
    processes().Add("worm.exe", "E:\\worm.exe");
    shell.answer = 2;
    shell.tick = true;
    EXPECT_EQ(KillProcessesByName({"EXPLORER.EXE", "worm.exe"}), (TextList{"worm.exe"}));
    EXPECT_TRUE(processes().IsRunning(explorer));
    EXPECT_EQ(Settings(), "");  // Cancel stores nothing, ticked or not
}

TEST_F(Kill, ExplorerTipSwitchedOffClosesWithoutAsking) {
    world().AddFile("C:\\Program Files\\Kestrone\\UserSettings.ini",
                    "[ShowDiag]\r\nCloseExplorer=0\r\n");
    processes().Add("Explorer.EXE", "C:\\WINDOWS\\Explorer.EXE");
    EXPECT_EQ(KillProcessesByName({"explorer.exe"}), (TextList{"explorer.exe"}));
    EXPECT_TRUE(shell.asked.empty());
}

TEST_F(Kill, ByCommandLineMatchesAnyCaseAndNeverAsks) {
    processes().Add("notepad.exe", "C:\\WINDOWS\\notepad.exe", "notepad.exe E:\\readme.txt");
    processes().Add("explorer.exe", "C:\\WINDOWS\\explorer.exe", "C:\\WINDOWS\\Explorer.EXE");
    processes().Add("calc.exe", "C:\\WINDOWS\\calc.exe", "calc.exe f:\\x");
    uint32_t quiet = processes().Add("silent.exe", "C:\\silent.exe", "silent.exe e:\\secret");
    processes().Find(quiet)->refuseCommandLine = true;

    EXPECT_EQ(KillProcessesByCommandLine({"e:\\", "explorer.exe"}),
              (TextList{"e:\\", "explorer.exe"}));
    EXPECT_TRUE(shell.asked.empty());
    EXPECT_EQ(processes().CountRunning("calc.exe"), 1u);
    EXPECT_TRUE(processes().IsRunning(quiet));
}

TEST_F(Kill, EmptyCommandLineEntryNamesNothing) {
    processes().Add("calc.exe", "C:\\WINDOWS\\calc.exe", "calc.exe");
    EXPECT_TRUE(KillProcessesByCommandLine({""}).empty());
    EXPECT_EQ(processes().Running().size(), 1u);
}

TEST_F(Kill, HostileCommandLinesAreReadSafely) {
    std::string huge(70000, 'A');
    processes().Add("big.exe", "C:\\big.exe", huge + "E:\\");
    processes().Add("nul.exe", "C:\\nul.exe", std::string("x\0E:\\", 5));
    // The record cannot announce more than it holds: the long one is cut before its E:\.
    EXPECT_EQ(KillProcessesByCommandLine({"E:\\"}), (TextList{"E:\\"}));
    EXPECT_EQ(processes().CountRunning("big.exe"), 1u);
}

}  // namespace
}  // namespace kestrone::test
