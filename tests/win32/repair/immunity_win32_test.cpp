// Drive immunity and the autorun policy on the real system: the structure on
// the test prefix's removable drive E:, the cancel command run by the real
// command interpreter, and the policy value in the real registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "core/errors.h"
#include "platform/drives.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell_exec.h"
#include "repair/immunity.h"

namespace kestrone::test {
namespace {

constexpr char kRoot[] = "E:\\";
constexpr char kDirectory[] = "E:\\Autorun.inf";
constexpr char kDotted[] = "\\\\?\\E:\\Autorun.inf\\ImmunityFolder...";
constexpr uint32_t kCompared = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                               FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;

// Leaves E: without any Autorun.inf, whatever a test left there.
void ClearDrive() {
    platform::SetAttributes(kDirectory, FILE_ATTRIBUTE_NORMAL);
    for (const auto& entry : platform::ListFolder("\\\\?\\E:\\Autorun.inf\\*")) {
        std::string path = std::string("\\\\?\\E:\\Autorun.inf\\") + entry.name;
        if (entry.IsFolder()) {
            platform::RemoveFolder(path);
        } else {
            platform::RemoveFile(path);
        }
    }
    platform::RemoveFolder(kDirectory);
    platform::RemoveFile(kDirectory);
}

std::vector<std::string> NamesIn(const std::string& pattern) {
    std::vector<std::string> names;
    for (const auto& entry : platform::ListFolder(pattern)) names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    return names;
}

class ImmunityWin32 : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(platform::GetDriveKind(kRoot), platform::kDriveRemovable);
        ClearDrive();
    }
    void TearDown() override { ClearDrive(); }
};

TEST_F(ImmunityWin32, RemovableDriveGetsTheWholeStructure) {
    ImmunizeDrives(kRoot);
    EXPECT_EQ(platform::GetAttributes(kDirectory) & kCompared,
              FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    std::string readMe;
    ASSERT_TRUE(platform::ReadWholeFile("E:\\Autorun.inf\\ReadMe.txt", readMe));
    EXPECT_EQ(readMe, "The directory created by Kestrone should be deleted by itself\r\n");
    EXPECT_EQ(NamesIn("E:\\Autorun.inf\\*"),
              (std::vector<std::string>{"ImmunityFolder...", "ReadMe.txt"}));
    EXPECT_TRUE(platform::FolderExists(kDotted));
    // No worm can now write its Autorun.inf into the root.
    EXPECT_FALSE(platform::WriteTextFile(kDirectory, "[autorun]\r\nopen=worm.exe\r\n"));
}

TEST_F(ImmunityWin32, FileNamedAutorunInfRaisesAndStays) {
    ASSERT_TRUE(platform::WriteTextFile(kDirectory, "[autorun]\r\n"));
    EXPECT_THROW(ImmunizeDrive(kRoot), EFileError);
    EXPECT_TRUE(platform::FileExists(kDirectory));
}

TEST_F(ImmunityWin32, CancelCommandRemovesTheTreeWithTheDottedFolder) {
    ImmunizeDrive(kRoot);
    ASSERT_TRUE(platform::FolderExists(kDotted));
    ASSERT_GT(platform::RunCommandLine(CancelImmunityCommand('E'), platform::kShowHide), 31u);
    for (int i = 0; i < 200 && platform::GetAttributes(kDirectory) != platform::kInvalidAttributes;
         ++i) {
        Sleep(100);
    }
    EXPECT_EQ(platform::GetAttributes(kDirectory), platform::kInvalidAttributes);
}

TEST(AutorunPolicyWin32, DwordValuesInThePolicyKey) {
    const char* keyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
    platform::RegistryKey key;
    ASSERT_TRUE(key.OpenOrCreate(platform::kHkeyCurrentUser, keyPath));
    uint32_t saved = 0;
    bool had = key.ReadDword(kAutorunPolicyValue, saved);

    uint32_t value = 0;
    DisableAutorunAllDrives();
    EXPECT_TRUE(key.ReadDword(kAutorunPolicyValue, value));
    EXPECT_EQ(value, 255u);
    RestoreAutorunDefault();
    EXPECT_TRUE(key.ReadDword(kAutorunPolicyValue, value));
    EXPECT_EQ(value, 149u);

    if (had) {
        key.WriteDword(kAutorunPolicyValue, saved);
    } else {
        key.DeleteValue(kAutorunPolicyValue);
    }
}

}  // namespace
}  // namespace kestrone::test
