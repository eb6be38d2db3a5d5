#include <gtest/gtest.h>

#include "core/shell.h"
#include "skin_test_support.h"
#include "ui/skin/skin_reader.h"

namespace kestrone {
namespace {

using skinpack::BuildContainer;
using skinpack::ContainerEntry;

class PromptRecorder : public ShellCallbacks {
public:
    void ShowPrompt(const std::string& text) override { prompts.push_back(text); }
    std::vector<std::string> prompts;
};

class SkinReaderTest : public ::testing::Test {
protected:
    void SetUp() override { InstallShell(&shell); }
    void TearDown() override { InstallShell(nullptr); }
    PromptRecorder shell;
};

void Put32(std::string& s, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

TEST_F(SkinReaderTest, ReadsBothFormatsWithLowerCasedNames) {
    const std::vector<ContainerEntry> entries = {
        {"Top.BMP", "top bytes"}, {"Skin.INI", "[x]"}, {"empty.bmp", ""}, {"last.bmp", "L"}};
    for (uint32_t format : {20000u, 30000u}) {
        TSkinReader reader;
        ASSERT_TRUE(reader.ReadUnpacked(BuildContainer(entries, format))) << format;
        EXPECT_EQ(reader.Format(), format);
        EXPECT_EQ(reader.Names(), (std::vector<std::string>{"top.bmp", "skin.ini", "empty.bmp", "last.bmp"}));
        EXPECT_EQ(reader.Entry("TOP.bmp"), "top bytes");
        EXPECT_EQ(reader.Entry("last.bmp"), "L");
        EXPECT_EQ(reader.Entry("empty.bmp"), "");
        EXPECT_TRUE(reader.HasEntry("empty.bmp"));
        EXPECT_FALSE(reader.HasEntry("top"));
        EXPECT_EQ(reader.Entry("missing.bmp"), "");
        std::string bytes, name;
        ASSERT_TRUE(reader.FindContaining(".ini", bytes, name));
        EXPECT_EQ(name, "skin.ini");
        EXPECT_EQ(bytes, "[x]");
        ASSERT_TRUE(reader.FindContaining("KIN.I", bytes, name));
        EXPECT_EQ(name, "skin.ini");
        EXPECT_FALSE(reader.FindContaining(".png", bytes, name));
    }
    EXPECT_TRUE(shell.prompts.empty());
}

TEST_F(SkinReaderTest, LookupTakesTheFirstOfEqualNames) {
    TSkinReader reader;
    ASSERT_TRUE(reader.ReadUnpacked(BuildContainer({{"a.bmp", "first"}, {"A.bmp", "second"}})));
    EXPECT_EQ(reader.Entry("a.bmp"), "first");
}

TEST_F(SkinReaderTest, ReadsAPackedSkin) {
    TSkinReader reader;
    ASSERT_TRUE(reader.ReadPacked(test::PackedSkin("[Colours]", {{"x.bmp", "xyz"}})));
    EXPECT_EQ(reader.Entry("x.bmp"), "xyz");
    EXPECT_EQ(reader.Entry("test.ini"), "[Colours]");
}

TEST_F(SkinReaderTest, ExtraBytesAfterTheEntriesAreAllowed) {
    TSkinReader reader;
    ASSERT_TRUE(reader.ReadUnpacked(BuildContainer({{"a.bmp", "abc"}}) + "trailing"));
    EXPECT_EQ(reader.Entry("a.bmp"), "abc");
}

TEST_F(SkinReaderTest, RefusesBrokenContainers) {
    const std::string good = BuildContainer({{"a.bmp", "abc"}, {"b.ini", "[s]"}});
    std::string older = good;
    Put32(older, 0, 10000);
    std::string longNames = good;
    Put32(longNames, 4, 1000);
    std::string hugeNames = good;
    Put32(hugeNames, 4, 0xFFFFFFF0u);
    std::string bigEntry = good;
    Put32(bigEntry, 16 + 14, 4);  // the first size: one byte more than there is
    std::string hugeEntry = good;
    Put32(hugeEntry, 16 + 14 + 4, 0xFFFFFFFFu);
    std::vector<ContainerEntry> many(1002, {"x.bmp", ""});
    std::vector<ContainerEntry> most(1001, {"x.bmp", ""});
    std::string noSizes = good.substr(0, 16 + 14 + 4);  // names and the first size only

    using R = TSkinReader::Refusal;
    const struct {
        const char* name;
        std::string data;
        R refusal;
    } cases[] = {
        {"shorter than the header", good.substr(0, 15), R::Header},
        {"older format", older, R::OlderFormat},
        {"name list past the data", longNames, R::NameList},
        {"name list length near 4 GiB", hugeNames, R::NameList},
        {"1002 entries", BuildContainer(many), R::TooManyEntries},
        {"size table cut short", noSizes, R::SizeTable},
        {"sizes beyond the data", bigEntry, R::EntryData},
        {"a size near 4 GiB", hugeEntry, R::EntryData},
    };
    for (const auto& c : cases) {
        TSkinReader reader;
        EXPECT_FALSE(reader.ReadUnpacked(c.data)) << c.name;
        EXPECT_EQ(reader.LastRefusal(), c.refusal) << c.name;
        EXPECT_TRUE(reader.Names().empty()) << c.name;
        EXPECT_EQ(reader.Entry("a.bmp"), "") << c.name;
    }
    TSkinReader reader;
    EXPECT_TRUE(reader.ReadUnpacked(BuildContainer(most)));
    // Only the older format is told to the user, with its own message.
    EXPECT_EQ(shell.prompts, (std::vector<std::string>{"This is Older Skin File\rPlease update to new version !"}));
}

TEST_F(SkinReaderTest, RefusesAPackedSkinThatDoesNotUnpack) {
    TSkinReader reader;
    EXPECT_FALSE(reader.ReadPacked("\x10\x00"));
    EXPECT_EQ(reader.LastRefusal(), TSkinReader::Refusal::Unpack);
}

TEST(SplitNameList, FollowsTheLineRules) {
    const struct {
        const char* text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"a.bmp", {"a.bmp"}},
        {"a.bmp\r\n", {"a.bmp"}},
        {"a.bmp\r\nb.ini\r\n", {"a.bmp", "b.ini"}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"a\nb\rc", {"a", "b", "c"}},
        {"\r\n", {""}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitNameList(c.text), c.lines) << c.text;
}

}  // namespace
}  // namespace kestrone
