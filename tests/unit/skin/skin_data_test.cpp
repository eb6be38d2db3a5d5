// TSkinData: its settings, the stored form of the packed skin and loading
// from a skin file.
#include <gtest/gtest.h>

#include "sim_fixture.h"
#include "skin_test_support.h"
#include "ui/skin/skin_data.h"

namespace kestrone {
namespace {

TEST(SkinData, StartsWithTheBuiltInSettings) {
    TSkinData data;
    EXPECT_FALSE(data.Loaded());
    EXPECT_EQ(data.DisableTag, 99);
    EXPECT_TRUE(data.MenuUpdate);
    EXPECT_FALSE(data.MenuMerge);
    for (uint32_t v = xcMainMenu; v <= xcFastReport; ++v) {
        const auto kind = static_cast<TSkinControlType>(v);
        EXPECT_EQ(data.SkinControls.Has(kind), kind != xcMenuItem && kind != xcFastReport) << v;
    }
    EXPECT_EQ(data.Options, (TSkinOptionSet{xoPreview, xoToolbarBK}));
    EXPECT_EQ(data.Skin3rd.size(), 117u);
    for (const char* line : {"TComboboxex=combobox", "TControlBar=Panel", "TDBCtrlGrid=scrollbar"}) {
        EXPECT_NE(IndexOfText(data.Skin3rd, line), -1) << line;
    }
    EXPECT_EQ(data.SkinStore(), "(none)");
}

TEST(SkinData, StoresThePackedSkinWithItsCount) {
    const struct {
        const char* name;
        std::string stored;
        bool accepted;
        std::string packed;
    } cases[] = {
        {"count and bytes", std::string("\x03\x00\x00\x00" "abc", 7), true, "abc"},
        {"extra bytes after the count", std::string("\x02\x00\x00\x00" "abc", 7), true, "ab"},
        {"zero count", std::string("\x00\x00\x00\x00", 4), true, ""},
        {"negative count", std::string("\xFF\xFF\xFF\xFF" "abc", 7), true, ""},
        {"count past the data", std::string("\x09\x00\x00\x00" "abc", 7), false, ""},
        {"no count", "ab", false, ""},
    };
    for (const auto& c : cases) {
        TSkinData data;
        data.SetPackedSkin("old");
        EXPECT_EQ(data.ReadSkinStream(c.stored), c.accepted) << c.name;
        EXPECT_EQ(data.PackedSkin(), c.packed) << c.name;
    }
    TSkinData data;
    data.SetPackedSkin("xyz");
    EXPECT_EQ(data.WriteSkinStream(), std::string("\x03\x00\x00\x00" "xyz", 7));
    EXPECT_EQ(data.SkinStore(), "(Good)");
}

TEST(SkinData, TellsTheManagerAndTheOwnerAfterALoad) {
    TSkinData data;
    std::vector<std::string> calls;
    data.OnSkinLoaded = [&](TSkinData& d) { calls.push_back(d.Loaded() ? "manager, loaded" : "manager"); };
    data.OnSkinChanged = [&](TSkinData&) { calls.push_back("changed"); };
    data.SetPackedSkin(test::PackedSkin("[TitlebarSkin]\nSkinName=x\n"));
    ASSERT_TRUE(data.LoadSkin());
    EXPECT_EQ(calls, (std::vector<std::string>{"manager, loaded", "changed"}));
    data.SetPackedSkin("broken");
    EXPECT_FALSE(data.LoadSkin());
    EXPECT_EQ(calls.size(), 2u);
}

TEST(SkinData, NothingLoadsWhileDesigning) {
    TSkinData data;
    data.Designing = true;
    data.SetPackedSkin(test::PackedSkin(""));
    EXPECT_FALSE(data.LoadSkin());
    EXPECT_EQ(data.Content(), nullptr);
}

class SkinFileTest : public test::SimTest {};

TEST_F(SkinFileTest, LoadsAnExistingSkinFile) {
    world().AddDrive('C', platform::kDriveFixed);
    world().AddFile("C:\\Skins\\Kestrone.skin", test::DefaultPackedSkin());
    TSkinData data;
    data.SetPackedSkin(test::PackedSkin("[TitlebarSkin]\nSkinName=Stored\n"));
    ASSERT_TRUE(data.LoadSkin());
    data.SetSkinFile("C:\\Skins\\kestrone.SKIN");
    EXPECT_TRUE(data.Loaded());
    EXPECT_EQ(data.Content()->SkinName, "Kestrone");
    EXPECT_EQ(data.PackedSkin(), test::DefaultPackedSkin());
    EXPECT_EQ(data.SkinFile(), "C:\\Skins\\kestrone.SKIN");
}

TEST_F(SkinFileTest, AMissingFileLeavesTheStoredSkinNotLoaded) {
    world().AddDrive('C', platform::kDriveFixed);
    TSkinData data;
    data.SetPackedSkin(test::PackedSkin("[TitlebarSkin]\nSkinName=Stored\n"));
    ASSERT_TRUE(data.LoadSkin());
    data.SetSkinFile("C:\\nowhere.skin");
    EXPECT_FALSE(data.Loaded());
    EXPECT_EQ(data.Content()->SkinName, "Stored");
    EXPECT_TRUE(data.LoadSkin());  // the stored bytes are still there
}

}  // namespace
}  // namespace kestrone

namespace kestrone {
namespace {

// Switching Active tells the manager, except while the form is designed or
// its description is read, and only when the value changes.
TEST(SkinDataActive, TellsTheManagerOfRealChanges) {
    TSkinData data;
    int told = 0;
    data.OnActiveChanged = [&](TSkinData& d) { told += d.Active ? 1 : 10; };
    data.SetActive(true);
    data.SetActive(true);
    data.SetActive(false);
    EXPECT_EQ(told, 11);
    data.Loading = true;
    data.SetActive(true);
    data.Loading = false;
    data.Designing = true;
    data.SetActive(false);
    EXPECT_EQ(told, 11);
    EXPECT_FALSE(data.Active);  // the value itself always changes
}

}  // namespace
}  // namespace kestrone
