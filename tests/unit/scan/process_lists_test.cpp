#include "scan/process_lists.h"

#include "core/definitions.h"
#include "core/shell.h"
#include "core/user_settings.h"
#include "scan_machine.h"

namespace kestrone {
namespace {

class ProcessLists : public test::ScanMachine {
protected:
    void ProcessDat(const std::string& text) {
        world().AddFile("C:\\Program Files\\Kestrone\\Process.dat", text);
    }
    std::string StoredTrustList() {
        return ReadDataString("Process", "TrustProcesses", "<missing>", kProcessFile);
    }
};

TEST_F(ProcessLists, SettingsHaveTheirDefaultsAndReadBackWhatIsStored) {
    EXPECT_EQ(ReadUserChoice(), 3);
    EXPECT_TRUE(ReadNeedShowSelDiag());
    EXPECT_FALSE(ReadBlockPlugInstall());
    WriteUserChoice(1);
    WriteNeedShowSelDiag(false);
    WriteBlockPlugInstall(true);
    EXPECT_EQ(ReadUserChoice(), 1);
    EXPECT_FALSE(ReadNeedShowSelDiag());
    EXPECT_TRUE(ReadBlockPlugInstall());
    WriteDataString("Settings", "NeedShowSelDiag", "2", kUserSettingsFile);
    EXPECT_TRUE(ReadNeedShowSelDiag());
    EXPECT_TRUE(ActionCleans(3) && ActionOpens(3) && ActionCleans(1) && ActionOpens(2));
    EXPECT_FALSE(ActionCleans(2) || ActionOpens(1) || ActionCleans(4) || ActionOpens(0));
}

TEST_F(ProcessLists, SystemProcessesNeedAListAndMatchByPathPieces) {
    TextList none;
    EXPECT_FALSE(IsSystemPath("", none));  // no list: not even a pathless process
    TextList list = {"C:\\WINDOWS\\SYSTEM32\\SVCHOST.EXE"};
    EXPECT_TRUE(IsSystemPath("", list));
    EXPECT_TRUE(IsSystemPath("c:\\windows\\system32\\svchost.exe", list));
    EXPECT_TRUE(IsSystemPath("\\SystemRoot\\System32\\smss.exe", list));
    EXPECT_FALSE(IsSystemPath("C:\\WINDOWS\\explorer.exe", list));

    ProcessDat("[Process]\r\nSystemProcesses=%systemroot%\\csrss.exe,\r\n");
    uint32_t csrss = processes().Add("csrss.exe", "C:\\WINDOWS\\system32\\csrss.exe");
    uint32_t idle = processes().Add("[System Process]", "");
    EXPECT_TRUE(IsSystemProcess(csrss));
    EXPECT_TRUE(IsSystemProcess(idle));
    EXPECT_FALSE(IsSystemProcess(ourId));
}

TEST_F(ProcessLists, TrustIsAPieceOfThePathAndNeverEmpty) {
    EXPECT_TRUE(IsTrustedPath("C:\\TOOLS\\NOTEPAD.EXE.OLD\\RUN.EXE", {"NOTEPAD.EXE"}));
    EXPECT_FALSE(IsTrustedPath("", {"NOTEPAD.EXE"}));
    EXPECT_FALSE(IsTrustedPath("C:\\x.exe", {""}));
    ProcessDat("[Process]\r\nTrustProcesses=KESTRONE.EXE,\r\n");
    EXPECT_TRUE(IsTrustedProcess(ourId));
}

TEST_F(ProcessLists, NewTrustedPathsGoInFrontWithoutDuplicates) {
    ProcessDat("[Process]\r\nTrustProcesses=A.EXE,\r\n");
    EXPECT_TRUE(AddTrustedProcesses({"C:\\x\\b.exe", "C:\\y\\c.exe", "c:\\X\\B.EXE", "a.exe"}));
    EXPECT_EQ(StoredTrustList(), "C:\\x\\b.exe,C:\\y\\c.exe,A.EXE,");
    EXPECT_TRUE(AddTrustedProcesses({"C:\\X\\B.EXE"}));  // present already: nothing changes
    EXPECT_EQ(StoredTrustList(), "C:\\x\\b.exe,C:\\y\\c.exe,A.EXE,");
}

TEST_F(ProcessLists, AFullTrustListIsRefusedNotCut) {
    struct Prompts : ShellCallbacks {
        TextList shown;
        void ShowPrompt(const std::string& text) override { shown.push_back(text); }
    } shell;
    InstallShell(&shell);
    std::string existing;
    for (int i = 0; existing.size() < 2000; ++i) existing += "C:\\APPS\\PROGRAM" + std::to_string(i) + ".EXE,";
    ProcessDat("[Process]\r\nTrustProcesses=" + existing + "\r\n");
    EXPECT_FALSE(AddTrustedProcesses({"C:\\a rather long path\\to a program\\tool.exe"}));
    EXPECT_EQ(StoredTrustList(), existing);  // nothing stored is lost
    EXPECT_EQ(shell.shown, TextList{"The trusted process list is full."});
    EXPECT_TRUE(AddTrustedProcesses({"C:\\t.exe"}));  // what still fits is taken
    EXPECT_LE(StoredTrustList().size(), 2047u);
}

}  // namespace
}  // namespace kestrone
