#include <gtest/gtest.h>

#include "ui/skin/quick_ini.h"

namespace kestrone {
namespace {

const char* kIni =
    "; comment line\r\n"
    "[TitlebarSkin]\r\n"
    "SkinName = Kestrone \r\n"
    "\r\n"
    "[cOLOURs]\r\n"
    "Scrollbar=1 2 3\r\n"
    "Empty=\r\n"
    "  ; Hidden=1\r\n"
    "NoEquals\r\n"
    "Hex=0x1F\r\n"
    "Dollar=$1F\r\n"
    "Upper=0X10\r\n"
    "Letters=abc\r\n"
    "Negative=-12\r\n"
    "Spaced = 7 \r\n"
    "TooBig=99999999999\r\n"
    "AllBits=0xFFFFFFFF\r\n"
    "BareHex=0x\r\n"
    "Twice=first\r\n"
    "twice=second\r\n"
    "Eq=a=b\r\n"
    "[ Spaced ]\r\n"
    "Key=spaced section\r\n"
    "[Colours]\r\n"
    "Scrollbar=second section\r\n"
    "Later=only in the second\r\n";

class QuickIniTest : public ::testing::Test {
protected:
    void SetUp() override { ini.Load(kIni); }
    TQuickIni ini;
};

TEST_F(QuickIniTest, ReadsStringsByTheSkinRules) {
    const struct {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"TitlebarSkin", "SkinName", "Kestrone"},
        {"COLOURS", "scrollbar", "1 2 3"},          // any case, first section wins
        {"Colours", "Empty", "default"},            // empty value gives the default
        {"Colours", "NoEquals", "default"},         // a line without "=" is no key
        {"Colours", "; Hidden", "default"},         // comment lines are dropped
        {"Colours", "Hidden", "default"},
        {"Colours", "Twice", "first"},              // first matching line decides
        {"Colours", "Eq", "a=b"},                   // split at the first "="
        {"Colours", "Spaced", "7"},
        {"Colours", "Later", "default"},            // the second [Colours] is never searched
        {"Spaced", "Key", "default"},               // blanks inside brackets count
        {" Spaced ", "Key", "spaced section"},
        {"Missing", "Key", "default"},
        {"Colours", "SkinName", "default"},         // keys stop at the next section
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ini.ReadString(c.section, c.key, "default"), c.expected) << c.section << "/" << c.key;
    }
}

TEST_F(QuickIniTest, ReadsIntegers) {
    const struct {
        const char* key;
        int expected;
    } cases[] = {
        {"Hex", 31}, {"Dollar", 31}, {"Upper", 16}, {"Letters", -5}, {"Negative", -12},
        {"Spaced", 7}, {"TooBig", -5}, {"AllBits", -1}, {"BareHex", -5}, {"Empty", -5},
        {"Missing", -5},
    };
    for (const auto& c : cases) EXPECT_EQ(ini.ReadInteger("Colours", c.key, -5), c.expected) << c.key;
}

TEST_F(QuickIniTest, ListsSectionsInFileOrder) {
    EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"TitlebarSkin", "cOLOURs", "Spaced", "Colours"}));
}

TEST(QuickIni, ANulEndsTheText) {
    TQuickIni ini;
    ini.Load(std::string("[a]\nk=1\n\0[b]\nk=2\n", 18));
    EXPECT_EQ(ini.ReadString("a", "k", ""), "1");
    EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"a"}));
}

TEST(QuickIni, AcceptsAnyLineEnding) {
    TQuickIni ini;
    ini.Load("[a]\rone=1\ntwo=2\r\n[b]\rthree=3");
    EXPECT_EQ(ini.ReadInteger("a", "one", 0) + ini.ReadInteger("a", "two", 0) + ini.ReadInteger("b", "three", 0), 6);
}

}  // namespace
}  // namespace kestrone
