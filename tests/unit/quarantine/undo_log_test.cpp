#include "core/undo_log.h"

#include "core/history_log.h"
#include "core/machine_changes.h"
#include "platform/registry.h"
#include "repair/repair_actions.h"
#include "sim_fixture.h"

namespace kestrone {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

constexpr char kRunPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class Undo : public test::SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddFolder("C:\\Program Files\\Kestrone");
        UseUndoRecords(true);
    }
    void TearDown() override {
        UseUndoRecords(false);
        SimTest::TearDown();
    }
    platform::RegistryKey Key(uint32_t root, const std::string& path) {
        platform::RegistryKey key;
        EXPECT_TRUE(key.OpenOrCreate(root, path));
        return key;
    }
    // The undo number of the last history line.
    uint32_t LastUndo() {
        TextList history = ReadHistory();
        return history.empty() ? 0 : UndoNumberOfHistoryLine(history.back());
    }
};

TEST(UndoLogText, RoundTripsAnyBytesAndRejectsDamage) {
    UndoRecord record;
    record.number = 3;
    record.time = "2026-01-01 12:00:00";
    record.kind = "file";
    record.path = "C:\\WINDOWS\\system32\\drivers\\etc\\Hosts";
    record.existed = true;
    record.data = std::string("127.0.0.1\tlocalhost\r\n\0\xFF", 24);
    record.change = "Reset\tthe hosts file";
    std::vector<UndoRecord> parsed;
    std::string text = FormatUndoLog({record});
    ASSERT_TRUE(ParseUndoLog(text, parsed));
    ASSERT_EQ(parsed.size(), 1u);
    EXPECT_EQ(parsed[0].data, record.data);
    EXPECT_EQ(parsed[0].path, record.path);
    EXPECT_EQ(parsed[0].change, "Reset the hosts file");
    EXPECT_FALSE(ParseUndoLog(text.substr(0, text.size() - 3), parsed));
    EXPECT_FALSE(ParseUndoLog(FormatUndoLog({record, record}), parsed));  // repeated number
    std::string badHex = text;
    badHex.replace(badHex.find("\t433A"), 5, "\t4G3A");
    EXPECT_FALSE(ParseUndoLog(badHex, parsed));

    struct Case {
        const char* line;
        uint32_t number;
    } cases[] = {{"2026-01-01 12:00:00  Change  Set HKLM\\X\\Y to 1 (undo 12)", 12},
                 {"... (undo 0)", 0},
                 {"... (undo 12) trailing", 0},
                 {"... (undo x)", 0},
                 {"... (undo )", 0},
                 {"... (undo -1)", 0},
                 {"Scan  E:\\a.exe  cleaned", 0}};
    for (const Case& c : cases) EXPECT_EQ(UndoNumberOfHistoryLine(c.line), c.number) << c.line;
}

TEST_F(Undo, ADeletedRunValueComesBack) {
    Key(kHkeyCurrentUser, kRunPath).WriteString("worm", "C:\\worm.exe /q");
    platform::RegistryKey run = Key(kHkeyCurrentUser, kRunPath);
    ASSERT_TRUE(DeleteRegistryValue(run, "worm"));
    EXPECT_FALSE(run.ValueExists("worm"));
    uint32_t number = LastUndo();
    ASSERT_NE(number, 0u);
    EXPECT_NE(ReadHistory().back().find("Deleted HKCU\\" + std::string(kRunPath) + "\\worm"),
              std::string::npos);

    EXPECT_EQ(UndoChange(number), UndoOutcome::Undone);
    EXPECT_EQ(run.ReadString("worm"), "C:\\worm.exe /q");
    EXPECT_EQ(UndoChange(number), UndoOutcome::NoSuchRecord);
}

TEST_F(Undo, AWrittenValuePutsBackItsTypeOrGoesAwayWhenItWasNotThere) {
    platform::RegistryKey key = Key(kHkeyLocalMachine, "Software\\Test");
    key.WriteExpandString("Path", "%windir%\\x");
    ASSERT_TRUE(WriteRegistryDword(key, "Path", 7));
    uint32_t replaced = LastUndo();
    ASSERT_TRUE(WriteRegistryString(key, "Fresh", "new"));
    uint32_t created = LastUndo();
    ASSERT_NE(replaced, created);

    EXPECT_EQ(UndoChange(created), UndoOutcome::Undone);
    EXPECT_FALSE(key.ValueExists("Fresh"));
    EXPECT_EQ(UndoChange(replaced), UndoOutcome::Undone);
    uint32_t type = 0;
    ASSERT_TRUE(key.ValueType("Path", type));
    EXPECT_EQ(type, platform::kRegExpandSz);
    EXPECT_EQ(key.ReadString("Path"), "%windir%\\x");
}

TEST_F(Undo, ReportOnlyRunsAndSwitchedOffRecordsLeaveNothing) {
    platform::RegistryKey key = Key(kHkeyLocalMachine, "Software\\Test");
    {
        ChangeModeScope reportOnly(ChangeMode::ReportOnly);
        WriteRegistryDword(key, "A", 1);
        EXPECT_FALSE(RecordRegistryValue(kHkeyLocalMachine, "Software\\Test", "A", "Set A"));
        EXPECT_FALSE(RecordFileContent("C:\\boot.ini", "Reset"));
    }
    UseUndoRecords(false);
    WriteRegistryDword(key, "B", 1);
    EXPECT_TRUE(ReadUndoRecords().empty());
    EXPECT_TRUE(ReadHistory().empty());
}

TEST_F(Undo, TheHostsFileResetIsUndone) {
    const std::string hosts = "C:\\WINDOWS\\system32\\drivers\\etc\\Hosts";
    world().AddFile(hosts, "127.0.0.1 localhost\r\n10.0.0.5 intranet\r\n", platform::kAttrHidden);
    ResetHostsFile();
    ASSERT_EQ(world().Content(hosts).find("intranet"), std::string::npos);
    EXPECT_EQ(UndoChange(LastUndo()), UndoOutcome::Undone);
    EXPECT_EQ(world().Content(hosts), "127.0.0.1 localhost\r\n10.0.0.5 intranet\r\n");
    EXPECT_EQ(world().Attributes(hosts), platform::kAttrHidden);
    EXPECT_NE(ReadHistory().back().find("Undone: Reset the hosts file"), std::string::npos);
}

TEST_F(Undo, ADamagedUndoFileIsSetAside) {
    world().AddFile("C:\\Program Files\\Kestrone\\Undo.txt", "Kestrone undo 1\r\n1\tbroken");
    EXPECT_TRUE(ReadUndoRecords().empty());
    EXPECT_TRUE(world().Exists("C:\\Program Files\\Kestrone\\Undo.txt.bad"));
    EXPECT_EQ(UndoChange(1), UndoOutcome::NoSuchRecord);
}

}  // namespace
}  // namespace kestrone
