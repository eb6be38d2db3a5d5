// Registry scripts and the start-up scan against the real registry.
#include <gtest/gtest.h>

#include "platform/registry.h"
#include "registry_hooks.h"
#include "scan/reg_script.h"

namespace kestrone::test {
namespace {

class RegistryScriptsWin32 : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetTestKey();
        platform::RegistryKey key;
        ASSERT_TRUE(key.OpenOrCreate(platform::kHkeyCurrentUser, kTestKey));
    }
    void TearDown() override { ResetTestKey(); }
    static std::string Line(const std::string& operation, const std::string& rest) {
        return operation + ",HKCU\\" + kTestKey + rest;
    }
};

TEST_F(RegistryScriptsWin32, LinesChangeTheRegistry) {
    ExecRegLine(Line("regaddkey", ",Worm\\Deep"));
    ExecRegLine(Line("regaddvalue", "\\Worm,Shell,REG_SZ,explorer.exe"));
    ExecRegLine(Line("regaddvalue", "\\Worm,Count,REG_DWORD,$10"));
    ExecRegLine(Line("regaddvalue", "\\Missing,V,REG_SZ,x"));

    platform::RegistryKey key;
    ASSERT_TRUE(key.Open(platform::kHkeyCurrentUser, std::string(kTestKey) + "\\WORM\\deep"));
    ASSERT_TRUE(key.Open(platform::kHkeyCurrentUser, std::string(kTestKey) + "\\Worm"));
    EXPECT_EQ(key.ReadString("shell"), "EXPLORER.EXE");
    uint32_t count = 0;
    EXPECT_TRUE(key.ReadDword("COUNT", count));
    EXPECT_EQ(count, 16u);
    EXPECT_FALSE(key.Open(platform::kHkeyCurrentUser, std::string(kTestKey) + "\\Missing"));

    ExecRegLine(Line("regdeletevalue", "\\Worm,Shell"));
    ASSERT_TRUE(key.Open(platform::kHkeyCurrentUser, std::string(kTestKey) + "\\Worm"));
    EXPECT_FALSE(key.ValueExists("Shell"));
    key.Close();
    ExecRegLine(Line("regdeletekey", "\\Worm"));
    EXPECT_FALSE(key.Open(platform::kHkeyCurrentUser, std::string(kTestKey) + "\\Worm"));
}

}  // namespace
}  // namespace kestrone::test
