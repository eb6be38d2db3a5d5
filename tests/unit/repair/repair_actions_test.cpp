// The four repairs: registry scripts, export-file import, hosts reset and the
// removal of Debugger hijacks.
#include "repair/repair_actions.h"

#include "core/errors.h"
#include "platform/shell_exec.h"
#include "repair_fixture.h"

namespace kestrone::test {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

class RepairActions : public RepairTest {};

TEST_F(RepairActions, HostsFileWithManyEntriesKeepsOnlyLocalhost) {
    world().AddFile(kSimHostsFile,
                    "127.0.0.1 localhost\r\n0.0.0.0 update.example.com\r\n"
                    "10.1.2.3 bank.example.org\r\n# comment\r\n");
    ResetHostsFile();
    EXPECT_EQ(world().Content(kSimHostsFile), "127.0.0.1       localhost\r\n");
}

TEST_F(RepairActions, MissingHostsFileIsNotCreated) {
    world().AddFolder("C:\\WINDOWS\\system32\\drivers\\etc");
    ResetHostsFile();
    EXPECT_TRUE(world().ListTree("C:\\WINDOWS\\system32\\drivers\\etc").empty());
}

TEST_F(RepairActions, HostsPathFollowsTheSystemDirectory) {
    world().AddDrive('D', platform::kDriveFixed);
    world().SetSpecialFolder(platform::kCsidlSystem, "D:\\OS\\sys");
    world().AddFile("D:\\OS\\sys\\drivers\\etc\\HOSTS", "1.2.3.4 x\r\n");
    world().AddFile(kSimHostsFile, "1.2.3.4 y\r\n");
    EXPECT_EQ(HostsFilePath(), "D:\\OS\\sys\\drivers\\etc\\Hosts");
    ResetHostsFile();
    EXPECT_EQ(world().Content("D:\\OS\\sys\\drivers\\etc\\hosts"), kResetHostsContent);
    EXPECT_EQ(world().Content(kSimHostsFile), "1.2.3.4 y\r\n");
}

TEST_F(RepairActions, HostsFileThatCannotBeRewrittenRaisesAndKeepsItsEntries) {
    for (bool locked : {false, true}) {
        world().AddFile(kSimHostsFile, "1.2.3.4 x\r\n",
                        locked ? platform::kAttrArchive : platform::kAttrReadOnly);
        world().Lock(kSimHostsFile, locked);
        EXPECT_THROW(ResetHostsFile(), EFileError) << locked;
        EXPECT_EQ(world().Content(kSimHostsFile), "1.2.3.4 x\r\n") << locked;
        world().Lock(kSimHostsFile, false);
        world().Erase(kSimHostsFile);
    }
}

TEST_F(RepairActions, DebuggerEntriesGoWithAllTheirOptions) {
    std::string options = kOptionsBelowMachine;
    reg().SetString(kHkeyLocalMachine, options + "\\hijacked.exe", "Debugger", "evil.exe");
    reg().SetDword(kHkeyLocalMachine, options + "\\hijacked.exe", "GlobalFlag", 2);
    reg().AddKey(kHkeyLocalMachine, options + "\\hijacked.exe\\Nested\\Deeper");
    reg().SetString(kHkeyLocalMachine, options + "\\lower.exe", "debugger", "x.exe");
    reg().SetDword(kHkeyLocalMachine, options + "\\honest.exe", "GlobalFlag", 2);
    reg().SetString(kHkeyLocalMachine, options + "\\honest.exe\\Sub", "Debugger", "x.exe");
    reg().SetString(kHkeyLocalMachine, options, "Debugger", "on the options key itself");

    RemoveDebuggerHijacks();

    EXPECT_EQ(reg().SubKeyNames(kHkeyLocalMachine, options),
              (std::vector<std::string>{"honest.exe"}));
    // Only an entry's own Debugger value counts, not one further down.
    EXPECT_TRUE(reg().KeyExists(kHkeyLocalMachine, options + "\\honest.exe\\Sub"));
    EXPECT_TRUE(reg().HasValue(kHkeyLocalMachine, options, "Debugger"));
}

TEST_F(RepairActions, OptionsKeyWithoutFullAccessOrMissingRemovesNothing) {
    RemoveDebuggerHijacks();  // no options key at all
    std::string options = kOptionsBelowMachine;
    reg().SetString(kHkeyLocalMachine, options + "\\hijacked.exe", "Debugger", "evil.exe");
    reg().RefuseFullAccess(kHkeyLocalMachine, options);
    RemoveDebuggerHijacks();
    EXPECT_TRUE(reg().KeyExists(kHkeyLocalMachine, options + "\\hijacked.exe"));
}

TEST_F(RepairActions, ScriptLinesRunInOrderUpperCased) {
    reg().AddKey(kHkeyCurrentUser, "Software\\X");
    reg().SetString(kHkeyLocalMachine, "SOFTWARE\\X", "W", "gone soon");
    RunRepairScript(
        "regaddvalue,HKCU\\Software\\X,V,REG_DWORD,0$regdeletevalue,HKLM\\SOFTWARE\\X,W$"
        "regaddvalue,HKCU\\Software\\X,S,REG_SZ,text$regaddvalue,HKCU\\Software\\X,V,REG_DWORD,7");
    EXPECT_EQ(reg().DwordValue(kHkeyCurrentUser, "Software\\X", "V"), 7u);
    EXPECT_EQ(reg().StringValue(kHkeyCurrentUser, "Software\\X", "S"), "TEXT");
    EXPECT_FALSE(reg().HasValue(kHkeyLocalMachine, "SOFTWARE\\X", "W"));
}

TEST_F(RepairActions, ScriptsWithoutValidLinesDoNothing) {
    reg().AddKey(kHkeyCurrentUser, "Software\\X");
    for (const char* value : {"None", "", "1", "repairhostfile"}) {
        EXPECT_NO_THROW(RunRepairScript(value)) << value;
    }
    EXPECT_TRUE(reg().ValueNames(kHkeyCurrentUser, "Software\\X").empty());
}

TEST_F(RepairActions, ExportFileIsImportedSilentlyByItsShortPath) {
    std::string file = std::string(kSimExeDir) + "Fix Explorer.rep";
    world().AddFile(file, "REGEDIT4\r\n");
    world().SetShortPath(file, "C:\\PROGRA~1\\KESTRONE\\FIXEXP~1.REP");
    ImportRegFile("Fix Explorer.rep", 0x1234);
    ASSERT_EQ(requests().size(), 1u);
    const sim::ShellRequest& request = requests()[0];
    EXPECT_FALSE(request.commandLine);
    EXPECT_EQ(request.ownerWindow, 0x1234u);
    EXPECT_EQ(request.verb, "open");
    EXPECT_EQ(request.file, "regedit.exe");
    EXPECT_EQ(request.parameters, "/s C:\\PROGRA~1\\KESTRONE\\FIXEXP~1.REP");
    EXPECT_EQ(request.directory, "");
    EXPECT_EQ(request.showCommand, platform::kShowHide);
}

TEST_F(RepairActions, ExportFileThatIsMissingOrHasNoShortPathStartsNothing) {
    ImportRegFile("Missing.rep");
    std::string file = std::string(kSimExeDir) + "Deep.rep";
    world().AddFile(file);
    world().SetShortPath(file, std::string(300, 'X'));  // longer than any short path may be
    ImportRegFile("Deep.rep");
    EXPECT_TRUE(requests().empty());
}

}  // namespace
}  // namespace kestrone::test
