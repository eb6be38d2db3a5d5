// The registry platform layer. These tests run on the simulated machine and,
// under Wine, against the real registry, so both sides are held to one behaviour.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/errors.h"
#include "platform/registry.h"
#include "registry_hooks.h"

namespace kestrone::test {
namespace {

using platform::kHkeyCurrentUser;
using platform::RegistryKey;

class RegistryPlatform : public ::testing::Test {
  protected:
    void SetUp() override { ResetTestKey(); }
    void TearDown() override { platform::DeleteKeyTree(kHkeyCurrentUser, kTestKey); }
    static std::string Path(const std::string& below) {
        return std::string(kTestKey) + "\\" + below;
    }
    static std::vector<std::string> Sorted(std::vector<std::string> names) {
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(RegistryPlatform, OpenNeverCreatesOpenOrCreateDoes) {
    RegistryKey key;
    EXPECT_FALSE(key.Open(kHkeyCurrentUser, Path("A")));
    EXPECT_FALSE(key.IsOpen());
    ASSERT_TRUE(key.OpenOrCreate(kHkeyCurrentUser, Path("A\\B\\C")));
    key.Close();
    // Leading and trailing backslashes name the same key.
    EXPECT_TRUE(key.Open(kHkeyCurrentUser, "\\" + Path("a\\b\\c") + "\\"));
    EXPECT_TRUE(key.OpenForReading(kHkeyCurrentUser, Path("A\\B")));
}

TEST_F(RegistryPlatform, UnknownRootsAreRefused) {
    RegistryKey key;
    EXPECT_FALSE(key.OpenOrCreate(0x80000005u, Path("A")));  // HKEY_CURRENT_CONFIG is not ours
    EXPECT_FALSE(key.Open(0, Path("A")));
    EXPECT_FALSE(platform::DeleteKeyTree(0x12345678u, Path("A")));
}

TEST_F(RegistryPlatform, StringsAndDwords) {
    RegistryKey key;
    ASSERT_TRUE(key.OpenOrCreate(kHkeyCurrentUser, Path("V")));
    EXPECT_TRUE(key.WriteString("Shell", "EXPLORER.EXE"));
    EXPECT_TRUE(key.WriteString("", "default"));
    EXPECT_TRUE(key.WriteExpandString("Expand", "%windir%\\x.exe"));
    EXPECT_TRUE(key.WriteDword("Count", 0xFFFFFFFFu));

    EXPECT_EQ(key.ReadString("SHELL"), "EXPLORER.EXE");  // names ignore case
    EXPECT_EQ(key.ReadString(""), "default");
    EXPECT_EQ(key.ReadString("expand"), "%windir%\\x.exe");  // never expanded
    EXPECT_EQ(key.ReadString("missing"), "");
    uint32_t count = 0;
    EXPECT_TRUE(key.ReadDword("count", count));
    EXPECT_EQ(count, 0xFFFFFFFFu);
    EXPECT_FALSE(key.ReadDword("Shell", count));

    uint32_t type = 0;
    EXPECT_TRUE(key.ValueType("Expand", type));
    EXPECT_EQ(type, platform::kRegExpandSz);
    EXPECT_EQ(Sorted(key.ValueNames()), (std::vector<std::string>{"", "Count", "Expand", "Shell"}));

    EXPECT_TRUE(key.WriteString("Count", "now text"));  // replaces a value of another type
    EXPECT_EQ(key.ReadString("Count"), "now text");
}

TEST_F(RegistryPlatform, NonStringReadIsAnErrorOrAFalseTry) {
    RegistryKey key;
    ASSERT_TRUE(key.OpenOrCreate(kHkeyCurrentUser, Path("V")));
    ASSERT_TRUE(key.WriteDword("Number", 5));
    PlantRawValue(Path("V"), "Blob", platform::kRegBinary, std::string("\x01\x02", 2));
    try {
        key.ReadString("Number");
        FAIL() << "no error";
    } catch (const ERegistryError& error) {
        EXPECT_STREQ(error.what(), "Invalid data type for 'Number'");
    }
    EXPECT_THROW(key.ReadString("Blob"), ERegistryError);
    std::string text = "untouched";
    EXPECT_FALSE(key.TryReadString("Number", text));
    EXPECT_FALSE(key.TryReadString("missing", text));
    EXPECT_EQ(text, "untouched");
}

TEST_F(RegistryPlatform, StringsWithoutTerminatorOrWithEmbeddedNul) {
    RegistryKey key;
    ASSERT_TRUE(key.OpenOrCreate(kHkeyCurrentUser, Path("V")));
    PlantUnterminatedString(Path("V"), "Open", "C:\\worm.exe");
    PlantUnterminatedString(Path("V"), "Long", std::string(5000, 'x'));
    PlantRawValue(Path("V"), "Cut", platform::kRegSz, std::string("abc\0def", 7));
    PlantRawValue(Path("V"), "Empty", platform::kRegSz, "");
    EXPECT_EQ(key.ReadString("Open"), "C:\\worm.exe");
    EXPECT_EQ(key.ReadString("Long"), std::string(5000, 'x'));
    EXPECT_EQ(key.ReadString("Cut"), "abc");
    std::string text;
    EXPECT_TRUE(key.TryReadString("Empty", text));
    EXPECT_EQ(text, "");
}

TEST_F(RegistryPlatform, DeletingValuesAndTrees) {
    RegistryKey key;
    ASSERT_TRUE(key.OpenOrCreate(kHkeyCurrentUser, Path("T")));
    ASSERT_TRUE(key.WriteString("v", "1"));
    EXPECT_TRUE(key.DeleteValue("V"));
    EXPECT_FALSE(key.DeleteValue("V"));
    EXPECT_FALSE(key.ValueExists("v"));

    ASSERT_TRUE(key.CreateSubKey("One\\Two\\Three"));
    ASSERT_TRUE(key.CreateSubKey("Other"));
    ASSERT_TRUE(
        key.CreateSubKey("\\" + Path("FromRoot")));  // a leading backslash starts at the root
    EXPECT_EQ(Sorted(key.SubKeyNames()), (std::vector<std::string>{"One", "Other"}));
    key.Close();

    RegistryKey check;
    EXPECT_TRUE(check.Open(kHkeyCurrentUser, Path("FromRoot")));
    check.Close();
    EXPECT_TRUE(platform::DeleteKeyTree(kHkeyCurrentUser, Path("t")));
    EXPECT_FALSE(check.Open(kHkeyCurrentUser, Path("T")));
    EXPECT_FALSE(check.Open(kHkeyCurrentUser, Path("T\\One\\Two\\Three")));
    EXPECT_FALSE(platform::DeleteKeyTree(kHkeyCurrentUser, Path("T")));
    EXPECT_TRUE(check.Open(kHkeyCurrentUser, Path("FromRoot")));
}

TEST_F(RegistryPlatform, ClosedKeyDoesNothing) {
    RegistryKey key;
    EXPECT_FALSE(key.WriteString("a", "b"));
    EXPECT_FALSE(key.CreateSubKey("x"));
    EXPECT_TRUE(key.ValueNames().empty());
    EXPECT_EQ(key.ReadString("a"), "");
}

}  // namespace
}  // namespace kestrone::test
