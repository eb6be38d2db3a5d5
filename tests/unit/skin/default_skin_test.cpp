// Kestrone's own skin: it unpacks to a format-20000 container whose objects
// all load with the geometry and frame counts the program expects.
#include <gtest/gtest.h>

#include "skin_test_support.h"
#include "ui/skin/bmp_decoder.h"
#include "ui/skin/lzh.h"
#include "ui/skin/skin_data.h"
#include "ui/skin/skin_reader.h"

namespace kestrone {
namespace {

class DefaultSkinTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        data = new TSkinData;
        data->SetPackedSkin(test::DefaultPackedSkin());
        ASSERT_TRUE(data->LoadSkin());
    }
    static void TearDownTestSuite() { delete data; }
    static const TSkinContent& skin() { return *data->Content(); }
    static TSkinData* data;
};
TSkinData* DefaultSkinTest::data = nullptr;

TEST_F(DefaultSkinTest, IsAFormat20000ContainerWithOneIniText) {
    TSkinReader reader;
    ASSERT_TRUE(reader.ReadPacked(test::DefaultPackedSkin()));
    EXPECT_EQ(reader.Format(), 20000u);
    int inis = 0;
    for (const std::string& name : reader.Names()) {
        if (name.find(".ini") != std::string::npos) {
            ++inis;
        } else {
            SkinBitmap map;
            EXPECT_TRUE(DecodeBmp(reader.Entry(name), map)) << name;
        }
    }
    EXPECT_EQ(inis, 1);
    EXPECT_LE(reader.Names().size(), kMaxSkinEntries);
    EXPECT_TRUE(data->Loaded());
    EXPECT_EQ(skin().SkinName, "Kestrone");
}

TEST_F(DefaultSkinTest, HasTheWindowGeometryTheProgramExpects) {
    const TSkinContent& s = skin();
    EXPECT_EQ(s.TopBorder.Map.height / s.TopBorder.Frame, 27);
    EXPECT_EQ(s.LeftBorder.Map.width / s.LeftBorder.Frame, 5);
    EXPECT_EQ(s.RightBorder.Map.width / s.RightBorder.Frame, 5);
    EXPECT_EQ(s.BottomBorder.Map.height / s.BottomBorder.Frame, 5);
    EXPECT_EQ(s.LeftBorder.TopHeight, 27);
    EXPECT_EQ(s.LeftBorder.BottomHeight, 5);
    for (const TDataSkinObject* b : {&s.LeftBorder, &s.RightBorder, &s.TopBorder, &s.BottomBorder}) {
        EXPECT_EQ(b->Frame, 2) << b->IDName;
        EXPECT_EQ(b->Tile, 1) << b->IDName;
    }
}

TEST_F(DefaultSkinTest, HasTitleButtonsWithTheirVisibilityCodes) {
    struct Expected {
        const char* name;
        int action, align, visibility, visibility1, frames;
        bool image;
    };
    const Expected expected[] = {
        {"ButtonClose", 0, 1, 0, 0, 6, true},
        {"ButtonMaximize", 1, 1, 6, 0, 6, true},
        {"ButtonMinimize", 2, 1, 6, 0, 6, true},
        {"ButtonSystemMenu", 3, 0, 0, 0, 6, false},  // worked out; shows the window icon
        {"MdiMinimize", 7, 100, 100, 100, 4, true},
        {"MdiRestore", 8, 100, 100, 100, 4, true},
        {"MdiClose", 9, 100, 100, 100, 4, true},
    };
    ASSERT_EQ(skin().SysButtons.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const TDataSkinSysButton& b = *skin().SysButtons[i];
        const Expected& e = expected[i];
        EXPECT_EQ(b.IDName, e.name);
        EXPECT_EQ(b.Action, e.action) << e.name;
        EXPECT_EQ(b.Align, e.align) << e.name;
        EXPECT_EQ(b.Visibility, e.visibility) << e.name;
        EXPECT_EQ(b.Visibility1, e.visibility1) << e.name;
        EXPECT_EQ(b.Frame, e.frames) << e.name;
        EXPECT_EQ(!b.Map.Empty(), e.image) << e.name;
    }
    // The child-window buttons share one 12-column strip of 16-pixel columns.
    EXPECT_EQ(skin().SysButtons[4]->Xcoord, 60);
    EXPECT_EQ(skin().SysButtons[6]->Xcoord, 20);
    EXPECT_EQ(skin().SysButtons[5]->Map.width, 64);
}

TEST_F(DefaultSkinTest, EveryControlObjectLoadsWithItsFrameCount) {
    const struct {
        const char* name;
        int frames;
    } expected[] = {
        {"Progress", 2}, {"Progress.Chunk", 1}, {"Personality", 2}, {"GroupBoxEdge", 2},
        {"GroupBox", 1}, {"Tabs", 5}, {"StatusBarEdges", 3}, {"Tab.Pane", 1}, {"ToolBars", 5},
        {"ComboButton", 4}, {"SunkEdge", 4}, {"ExtraImages", 5}, {"Headerbar", 5}, {"MenuItem", 5},
        {"MenuBackground", 1}, {"Scrollbar", 23}, {"HorzScroll", 4}, {"VertScroll", 4},
        {"HorzScrollThumb", 3}, {"VertScrollThumb", 3}, {"Trackbar.ThumbHorz", 5},
        {"Trackbar.ThumbVert", 5}, {"Trackbar.ThumbLeft", 5}, {"Trackbar.ThumbRight", 5},
        {"Trackbar.ThumbUp", 5}, {"Trackbar.ThumbDown", 5}, {"UpDown.Horz", 8}, {"UpDown.Vert", 8},
        {"Track", 1}, {"TRACKVERT", 1}, {"Toolbar", 1}, {"ComboxArrow", 4},
    };
    for (const auto& e : expected) {
        const TDataSkinObject* o = skin().Find(e.name);
        ASSERT_NE(o, nullptr) << e.name;
        EXPECT_EQ(o->Frame, e.frames) << e.name;
        ASSERT_FALSE(o->Map.Empty()) << e.name;
        // Side-by-side frames divide the bitmap evenly.
        EXPECT_EQ(o->Map.width % o->Frame, 0) << e.name;
    }
    EXPECT_EQ(skin().Objects.size(), std::size(expected));
    EXPECT_EQ(skin().Button.Frame, 5);
    EXPECT_EQ(skin().Button.CheckFrame, 12);
    EXPECT_EQ(skin().Button.RadioFrame, 8);
    EXPECT_EQ(skin().Button.CheckMap.width, 12 * 13);
    EXPECT_EQ(skin().Button.RadioMap.width, 8 * 13);
    EXPECT_EQ(skin().Title.Frame, 2);
    // Scroll-bar arrows are as long as the system arrow size.
    EXPECT_EQ(skin().Find("Scrollbar")->Map.width / 23, 16);
}

TEST_F(DefaultSkinTest, SecondBitmapsAndReferencesThatNeedLowerCasing) {
    const auto* tabs = dynamic_cast<const TDataSkinBorder*>(skin().Find("Tabs"));
    ASSERT_NE(tabs, nullptr);
    EXPECT_FALSE(tabs->Map2.Empty());
    for (const char* name : {"UpDown.Horz", "UpDown.Vert"}) {
        const auto* ud = dynamic_cast<const TDataSkinBorder*>(skin().Find(name));
        ASSERT_NE(ud, nullptr) << name;
        EXPECT_EQ(ud->Map2.width, ud->Map.width) << name;
    }
    // "Combo-Arrows.bmp" and "art\MenuItem.bmp" in the INI text.
    EXPECT_FALSE(skin().Find("ComboButton")->Map.Empty());
    EXPECT_FALSE(skin().Find("MenuItem")->Map.Empty());
    EXPECT_NE(dynamic_cast<const TDataSkinBoxLabel*>(skin().Find("GroupBox")), nullptr);
}

TEST_F(DefaultSkinTest, BuildsTheDerivedObjects) {
    const TDataSkinObject* toolbar = skin().Find("Toolbar");
    EXPECT_EQ(toolbar->Map.width, 10);
    EXPECT_EQ(toolbar->Map.height, 40);
    const TDataSkinObject* arrow = skin().Find("ComboxArrow");
    EXPECT_EQ(arrow->Map.width, 4 * 17);  // SunkEdge exists: 17 x 17 cells
    EXPECT_EQ(arrow->Map.height, 17);
    EXPECT_EQ(skin().ComboImage.width, 4 * 50);
    EXPECT_EQ(skin().ComboImage.height, 21);
    // The title colour comes from the caption strip, a third of the way in.
    const SkinBitmap& top = skin().TopBorder.Map;
    EXPECT_EQ(skin().TitleColour, ColourOf(top.At(top.width / 3, 27 / 3)));
    EXPECT_NE(skin().TitleColour, skin().Colours.ButtonFace);
}

TEST_F(DefaultSkinTest, HasItsOwnColours) {
    const TSkinColours& c = skin().Colours;
    EXPECT_EQ(c.ButtonFace, RGBColour(243, 245, 248));
    EXPECT_EQ(c.Menubar, RGBColour(243, 245, 248));
    EXPECT_EQ(c.TitleTextActive, RGBColour(255, 255, 255));
    ASSERT_EQ(c.sectionColours.size(), 2u);
    EXPECT_EQ(c.sectionColours[0].section, "ColourAccent");
    EXPECT_EQ(c.custom[0], RGBColour(47, 111, 181));
    EXPECT_EQ(skin().Title.ActiveTextColour, RGBColour(255, 255, 255));
    EXPECT_EQ(skin().Button.NormalColour2, RGBColour(31, 42, 55));
    EXPECT_TRUE(skin().Button.HasPressedColour2);
}

}  // namespace
}  // namespace kestrone
