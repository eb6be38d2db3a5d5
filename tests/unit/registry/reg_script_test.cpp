// Registry operation lines and RegOperate scripts.
#include "scan/reg_script.h"

#include "core/errors.h"
#include "platform/sim/registry_tree.h"
#include "sim_fixture.h"

namespace kestrone::test {
namespace {

using platform::kHkeyClassesRoot;
using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
using platform::kHkeyUsers;

class RegScript : public SimTest {
  protected:
    static sim::RegistryTree& reg() { return sim::TheRegistry(); }
    // Runs a line and returns the error text it raised ("" when none).
    static std::string ErrorOf(const std::string& line) {
        try {
            ExecRegLine(line);
        } catch (const KestroneError& error) {
            return error.what();
        }
        return std::string();
    }
};

TEST(ParseRegPathTest, RootTable) {
    struct Case {
        const char* text;
        bool valid;
        uint32_t root;
        const char* keyPath;
    };
    const Case cases[] = {
        {"HKLM\\SOFTWARE\\X", true, kHkeyLocalMachine, "\\SOFTWARE\\X"},
        {"hkey_local_machine\\a", true, kHkeyLocalMachine, "\\a"},
        {"HKCU\\Software\\", true, kHkeyCurrentUser, "\\Software\\"},
        {"HKEY_CURRENT_USER\\x", true, kHkeyCurrentUser, "\\x"},
        {"HKEY_USERS\\.DEFAULT", true, kHkeyUsers, "\\.DEFAULT"},
        {"HKCR\\exefile", true, kHkeyClassesRoot, "\\exefile"},
        {"HKEY_CLASSES_ROOT\\", true, kHkeyClassesRoot, "\\"},
        {"HKU\\x", false, 0, ""},
        {"HKEY_CURRENT_CONFIG\\System", false, 0, ""},
        {"HKLM", false, 0, ""},  // no backslash: no key
        {"", false, 0, ""},
        {"\\SOFTWARE", false, 0, ""},
    };
    for (const Case& c : cases) {
        RegPath path = ParseRegPath(c.text);
        EXPECT_EQ(path.valid, c.valid) << c.text;
        EXPECT_EQ(path.root, c.root) << c.text;
        EXPECT_EQ(path.keyPath, c.keyPath) << c.text;
    }
}

TEST_F(RegScript, AddValueUpperCasesTheWholeLine) {
    reg().AddKey(kHkeyLocalMachine, "SOFTWARE\\X");
    ExecRegLine("regaddvalue,HKLM\\SOFTWARE\\X,Shell,REG_SZ,explorer.exe");
    EXPECT_EQ(reg().ValueNames(kHkeyLocalMachine, "SOFTWARE\\X"),
              (std::vector<std::string>{"SHELL"}));
    EXPECT_EQ(reg().StringValue(kHkeyLocalMachine, "SOFTWARE\\X", "shell"), "EXPLORER.EXE");

    reg().AddKey(kHkeyCurrentUser, "Software\\X");
    ExecRegLine("regaddvalue,HKCU\\Software\\X,,REG_SZ,abc");
    EXPECT_EQ(reg().StringValue(kHkeyCurrentUser, "Software\\X", ""), "ABC");
}

TEST_F(RegScript, AddValueDwordForms) {
    reg().AddKey(kHkeyCurrentUser, "Software\\P");
    const std::pair<const char*, uint32_t> cases[] = {
        {"255", 255}, {"$FF", 255}, {"0x10", 16}, {"-1", 0xFFFFFFFFu}, {"+7", 7}};
    for (const auto& [data, expected] : cases) {
        ExecRegLine(std::string("regaddvalue,HKCU\\Software\\P,N,reg_dword,") + data);
        EXPECT_EQ(reg().DwordValue(kHkeyCurrentUser, "Software\\P", "N"), expected) << data;
        EXPECT_EQ(reg().ValueType(kHkeyCurrentUser, "Software\\P", "N"), platform::kRegDword);
    }
}

TEST_F(RegScript, MissingKeysAreNeverCreated) {
    ExecRegLine("regaddvalue,HKLM\\SOFTWARE\\Missing,V,REG_SZ,1");
    ExecRegLine("regaddkey,HKLM\\SOFTWARE\\Missing,Sub");
    EXPECT_FALSE(reg().KeyExists(kHkeyLocalMachine, "SOFTWARE\\Missing"));
}

TEST_F(RegScript, KeysRefusingFullAccessAreLeftAlone) {
    reg().SetString(kHkeyLocalMachine, "SOFTWARE\\Locked", "V", "keep");
    reg().RefuseFullAccess(kHkeyLocalMachine, "SOFTWARE\\Locked");
    ExecRegLine("regdeletevalue,HKLM\\SOFTWARE\\Locked,V");
    ExecRegLine("regdeletekey,HKLM\\SOFTWARE\\Locked");
    ExecRegLine("regaddvalue,HKLM\\SOFTWARE\\Locked,W,REG_SZ,x");
    EXPECT_EQ(reg().ValueNames(kHkeyLocalMachine, "SOFTWARE\\Locked"),
              (std::vector<std::string>{"V"}));
}

TEST_F(RegScript, OtherTypesOpenTheKeyAndWriteNothing) {
    reg().AddKey(kHkeyLocalMachine, "SOFTWARE\\X");
    size_t before = reg().CallCount();
    ExecRegLine("regaddvalue,HKLM\\SOFTWARE\\X,N,REG_BINARY,00");
    EXPECT_GT(reg().CallCount(), before);
    EXPECT_TRUE(reg().ValueNames(kHkeyLocalMachine, "SOFTWARE\\X").empty());
}

TEST_F(RegScript, DeleteKeyTakesEverythingBelow) {
    reg().SetString(kHkeyCurrentUser, "Software\\X\\A\\B", "v", "1");
    reg().AddKey(kHkeyCurrentUser, "Software\\X\\C");
    reg().AddKey(kHkeyCurrentUser, "Software\\Y");
    ExecRegLine("regdeletekey,HKCU\\Software\\X");
    EXPECT_FALSE(reg().KeyExists(kHkeyCurrentUser, "Software\\X"));
    EXPECT_TRUE(reg().KeyExists(kHkeyCurrentUser, "Software\\Y"));
}

TEST_F(RegScript, DeleteValueAnyCaseOfOperationAndRoot) {
    reg().SetString(kHkeyCurrentUser, "Software\\X", "V", "1");
    reg().SetString(kHkeyCurrentUser, "Software\\X", "W", "2");
    ExecRegLine("REGDELETEVALUE,hkcu\\software\\x,v");
    EXPECT_EQ(reg().ValueNames(kHkeyCurrentUser, "Software\\X"), (std::vector<std::string>{"W"}));
}

TEST_F(RegScript, AddKeyNestedRelativeOrFromTheRoot) {
    reg().AddKey(kHkeyCurrentUser, "Software\\X");
    ExecRegLine("regaddkey,HKCU\\Software\\X,A\\B");
    EXPECT_TRUE(reg().KeyExists(kHkeyCurrentUser, "Software\\X\\A\\B"));
    ExecRegLine("regaddkey,HKCU\\Software\\X,\\Software\\Elsewhere\\Deep");
    EXPECT_TRUE(reg().KeyExists(kHkeyCurrentUser, "Software\\Elsewhere\\Deep"));
    EXPECT_FALSE(reg().KeyExists(kHkeyCurrentUser, "Software\\X\\Software"));
}

TEST_F(RegScript, UnknownRootOrNoBackslashMakesNoRegistryCall) {
    reg().AddKey(kHkeyCurrentUser, "Software\\X");
    for (const char* line :
         {"regaddvalue,HKEY_CURRENT_CONFIG\\Software\\X,V,REG_SZ,1",
          "regaddvalue,HKCU,V,REG_DWORD,notanumber", "regdeletevalue,HKU\\Software\\X,V",
          "regdeletekey,HKCU", "regaddkey,Software\\X,Sub"}) {
        EXPECT_EQ(ErrorOf(line), "") << line;
    }
    EXPECT_EQ(reg().CallCount(), 0u);
    EXPECT_TRUE(reg().KeyExists(kHkeyCurrentUser, "Software\\X"));
}

TEST_F(RegScript, UnknownOperationsDoNothing) {
    reg().SetString(kHkeyCurrentUser, "Software\\X", "V", "1");
    EXPECT_EQ(ErrorOf("regrename,HKCU\\Software\\X,V"), "");
    EXPECT_EQ(ErrorOf("x"), "");
    EXPECT_EQ(reg().CallCount(), 0u);
}

TEST_F(RegScript, ErrorTexts) {
    reg().AddKey(kHkeyCurrentUser, "Software\\X");
    reg().AddKey(kHkeyCurrentUser, "Software\\Locked");
    reg().RefuseWrites(kHkeyCurrentUser, "Software\\Locked");
    const std::pair<const char*, const char*> cases[] = {
        {"None", "List index out of bounds (0)"},
        {"", "List index out of bounds (0)"},
        {"regdeletevalue,", "List index out of bounds (1)"},
        {"regdeletevalue,HKCU\\Software\\X", "List index out of bounds (2)"},
        {"regaddvalue,HKCU\\Software\\X,V,REG_SZ", "List index out of bounds (4)"},
        {"regaddkey,HKCU\\Software\\X", "List index out of bounds (2)"},
        {"regaddvalue,HKCU\\Software\\X,V,REG_DWORD,12a", "'12A' is not a valid integer value"},
        {"regaddvalue,HKCU\\Software\\X,V,REG_DWORD,,", "'' is not a valid integer value"},
        {"regaddvalue,HKCU\\Software\\Locked,Val,REG_SZ,x", "Failed to set data for 'VAL'"},
        {"regaddkey,HKCU\\Software\\Locked,New\\Sub", "Failed to create key NEW\\SUB"},
    };
    for (const auto& [line, error] : cases) EXPECT_EQ(ErrorOf(line), error) << line;
    // A missing key is not an error, even with fields missing after the key.
    EXPECT_EQ(ErrorOf("regdeletevalue,HKCU\\Software\\Missing"), "");
    EXPECT_EQ(ErrorOf("regaddvalue,HKCU\\Software\\Missing,V,REG_DWORD,bad"), "");
}

TEST_F(RegScript, WriteRegValueKeepsTheCallersCase) {
    reg().AddKey(kHkeyLocalMachine, "Software\\Policies");
    WriteRegValue("HKLM\\Software\\Policies", "NoDriveTypeAutoRun", "reg_dword", "$FF");
    WriteRegValue("HKLM\\Software\\Policies", "Note", "REG_SZ", "Mixed Case");
    EXPECT_EQ(reg().DwordValue(kHkeyLocalMachine, "Software\\Policies", "NoDriveTypeAutoRun"),
              255u);
    EXPECT_EQ(reg().ValueNames(kHkeyLocalMachine, "Software\\Policies"),
              (std::vector<std::string>{"NoDriveTypeAutoRun", "Note"}));
    EXPECT_EQ(reg().StringValue(kHkeyLocalMachine, "Software\\Policies", "note"), "Mixed Case");
}

class RegOperate : public RegScript {
  protected:
    void SetUp() override {
        RegScript::SetUp();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddFolder("C:\\Temp");
    }
    void Definitions(const std::string& section) {
        world().AddFile("C:\\Temp\\kernel.dll", "[Worm]\r\n" + section);
    }
};

TEST_F(RegOperate, RunsTheAnnouncedLinesInOrder) {
    reg().SetString(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "xworm",
                    "x");
    reg().AddKey(kHkeyCurrentUser,
                 "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer");
    Definitions(
        "RegOperate=2\r\n"
        "Reg1=regdeletevalue,HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run,xworm\r\n"
        "Reg2=regaddvalue,HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer,"
        "NoDriveTypeAutoRun,REG_DWORD,255\r\n"
        "Reg3=regdeletekey,HKCU\\Software\r\n");  // beyond the count: not run
    ApplyRegOperate("Worm");
    EXPECT_FALSE(reg().HasValue(kHkeyLocalMachine,
                                "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "xworm"));
    EXPECT_EQ(reg().DwordValue(kHkeyCurrentUser,
                               "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                               "NODRIVETYPEAUTORUN"),
              255u);
    EXPECT_TRUE(reg().KeyExists(kHkeyCurrentUser, "Software"));
}

TEST_F(RegOperate, NoCountRunsNothing) {
    Definitions("Reg1=regdeletekey,HKCU\\Software\r\n");
    reg().AddKey(kHkeyCurrentUser, "Software");
    ApplyRegOperate("Worm");
    ApplyRegOperate("Missing");
    Definitions("RegOperate=0\r\nReg1=regdeletekey,HKCU\\Software\r\n");
    ApplyRegOperate("Worm");
    EXPECT_TRUE(reg().KeyExists(kHkeyCurrentUser, "Software"));
}

TEST_F(RegOperate, BrokenScriptStopsAtItsLineAndKeepsWhatRan) {
    reg().AddKey(kHkeyCurrentUser, "Software\\A");
    reg().AddKey(kHkeyCurrentUser, "Software\\B");
    Definitions(
        "RegOperate=3\r\nReg1=regdeletekey,HKCU\\Software\\A\r\nReg3=regdeletekey,"
        "HKCU\\Software\\B\r\n");
    try {
        ApplyRegOperate("Worm");
        FAIL() << "no error";
    } catch (const EDataError& error) {
        EXPECT_STREQ(error.what(), "List index out of bounds (0)");  // Reg2 is missing
    }
    EXPECT_FALSE(reg().KeyExists(kHkeyCurrentUser, "Software\\A"));
    EXPECT_TRUE(reg().KeyExists(kHkeyCurrentUser, "Software\\B"));

    Definitions("RegOperate=two\r\n");
    try {
        ApplyRegOperate("Worm");
        FAIL() << "no error";
    } catch (const EDataError& error) {
        EXPECT_STREQ(error.what(), "'two' is not a valid integer value");
    }
}

}  // namespace
}  // namespace kestrone::test
