// System repairs on the real system of the test's Wine prefix: the hosts file
// of the prefix's system folder, Debugger hijacks in its registry, and a
// registry export imported by the real registry editor.
#include <gtest/gtest.h>
#include <windows.h>

#include "core/errors.h"
#include "core/path_macros.h"
#include "core/text.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "repair/repair_actions.h"

namespace kestrone::test {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

constexpr char kOptions[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options";

// Keeps the prefix's hosts file as it was, whatever the test does to it.
class HostsFileWin32 : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = HostsFilePath();
        // The prefix's own system folder, never a file outside the test prefix.
        ASSERT_EQ(path_, GetSpecialDir(platform::kCsidlSystem) + "drivers\\etc\\Hosts");
        existed_ = platform::ReadWholeFile(path_, saved_);
    }
    void TearDown() override {
        platform::SetAttributes(path_, FILE_ATTRIBUTE_NORMAL);
        if (existed_) {
            EXPECT_TRUE(platform::WriteTextFile(path_, saved_));
        } else {
            platform::RemoveFile(path_);
        }
    }
    std::string path_, saved_;
    bool existed_ = false;
};

TEST_F(HostsFileWin32, ManyEntriesBecomeTheLocalhostLine) {
    ASSERT_TRUE(platform::WriteTextFile(
        path_, "127.0.0.1 localhost\r\n0.0.0.0 update.example.com\r\n10.0.0.9 a.example.org\r\n"));
    ResetHostsFile();
    std::string content;
    ASSERT_TRUE(platform::ReadWholeFile(path_, content));
    EXPECT_EQ(content, "127.0.0.1       localhost\r\n");
}

TEST_F(HostsFileWin32, MissingFileStaysMissing) {
    platform::RemoveFile(path_);
    ResetHostsFile();
    EXPECT_EQ(platform::GetAttributes(path_), platform::kInvalidAttributes);
}

TEST_F(HostsFileWin32, ReadOnlyFileRaisesAndKeepsItsEntries) {
    ASSERT_TRUE(platform::WriteTextFile(path_, "10.0.0.9 a.example.org\r\n"));
    ASSERT_TRUE(platform::SetAttributes(path_, FILE_ATTRIBUTE_READONLY));
    HANDLE probe = CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        // Wine run by the Unix superuser opens read-only files for writing anyway.
        CloseHandle(probe);
        GTEST_SKIP() << "this system lets read-only files be written";
    }
    EXPECT_THROW(ResetHostsFile(), EFileError);
    platform::SetAttributes(path_, FILE_ATTRIBUTE_NORMAL);
    std::string content;
    ASSERT_TRUE(platform::ReadWholeFile(path_, content));
    EXPECT_EQ(content, "10.0.0.9 a.example.org\r\n");
}

TEST(DebuggerHijacksWin32, HijackedEntryIsRemovedOthersStay) {
    std::string victim = std::string(kOptions) + "\\kestrone-test-victim.exe";
    std::string honest = std::string(kOptions) + "\\kestrone-test-honest.exe";
    {
        platform::RegistryKey key;
        ASSERT_TRUE(key.OpenOrCreate(kHkeyLocalMachine, victim + "\\Nested"));
        ASSERT_TRUE(key.OpenOrCreate(kHkeyLocalMachine, victim));
        ASSERT_TRUE(key.WriteString("Debugger", "C:\\windows\\notepad.exe"));
        ASSERT_TRUE(key.WriteDword("GlobalFlag", 2));
        ASSERT_TRUE(key.OpenOrCreate(kHkeyLocalMachine, honest));
        ASSERT_TRUE(key.WriteDword("GlobalFlag", 2));
    }
    RemoveDebuggerHijacks();
    platform::RegistryKey key;
    EXPECT_FALSE(key.OpenForReading(kHkeyLocalMachine, victim));
    EXPECT_TRUE(key.OpenForReading(kHkeyLocalMachine, honest));
    key.Close();
    EXPECT_TRUE(platform::DeleteKeyTree(kHkeyLocalMachine, honest));
}

TEST(ShortPathWin32, ExistingPathsOnlyAndNeverLonger) {
    std::string exe = platform::GetExecutablePath();
    std::string shortPath = GetShortPath(exe);
    ASSERT_FALSE(shortPath.empty());
    EXPECT_LE(shortPath.size(), exe.size());
    EXPECT_TRUE(platform::FileExists(shortPath));
    EXPECT_EQ(GetShortPath(FolderPart(exe) + "no such file.rep"), "");
}

// The registry editor really imports the export file, started hidden and silent.
TEST(ImportRegFileWin32, RegistryEditorImportsTheFile) {
    const std::string keyPath = "Software\\KestroneRepairTest";
    platform::DeleteKeyTree(kHkeyCurrentUser, keyPath);
    std::string file = GetExeDir() + "kestrone test import.rep";
    ASSERT_TRUE(platform::WriteTextFile(
        file, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\KestroneRepairTest]\r\n"
              "\"Imported\"=\"yes\"\r\n\r\n"));
    ImportRegFile("kestrone test import.rep");
    std::string value;
    for (int i = 0; i < 200 && value.empty(); ++i) {
        Sleep(100);
        platform::RegistryKey key;
        if (key.OpenForReading(kHkeyCurrentUser, keyPath)) key.TryReadString("Imported", value);
    }
    EXPECT_EQ(value, "yes");
    platform::RemoveFile(file);
    platform::DeleteKeyTree(kHkeyCurrentUser, keyPath);
}

}  // namespace
}  // namespace kestrone::test
