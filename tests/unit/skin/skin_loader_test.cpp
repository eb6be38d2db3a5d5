// Loading skins made for the purpose: defaults, frame-count rules, derived
// objects and refusals.
#include <gtest/gtest.h>

#include "platform/system_metrics.h"
#include "sim_fixture.h"
#include "skin_test_support.h"
#include "ui/skin/skin_data.h"

namespace kestrone {
namespace {

using skinpack::ContainerEntry;

const TSkinContent& Load(TSkinData& data, const std::string& ini, std::vector<ContainerEntry> entries = {}) {
    data.SetPackedSkin(test::PackedSkin(ini, std::move(entries)));
    EXPECT_TRUE(data.LoadSkin());
    static const TSkinContent empty;
    return data.Content() ? *data.Content() : empty;
}

TColor System(int index) { return static_cast<TColor>(platform::GetSystemColour(index)); }

TEST(SkinLoader, AnEmptySkinGivesDefaults) {
    TSkinData data;
    const TSkinContent& s = Load(data, "");
    EXPECT_TRUE(data.Loaded());
    EXPECT_EQ(s.Colours.ButtonFace, System(platform::kColourButtonFace));
    EXPECT_EQ(s.Colours.Menubar, s.Colours.ButtonFace);
    EXPECT_EQ(s.Colours.Buttonlight, System(platform::kColourButtonHighlight));
    EXPECT_EQ(s.Colours.TitleTextNoActive, System(platform::kColourInactiveCaptionText));
    EXPECT_EQ(s.Colours.custom[9], RGBColour(255, 255, 255));
    EXPECT_EQ(s.Button.NormalColour, kNoColour);
    EXPECT_EQ(s.Button.NormalColour2, s.Colours.ButtonText);
    EXPECT_FALSE(s.Button.HasNormalColour2);
    EXPECT_EQ(s.Title.FontHeight, 14);
    EXPECT_EQ(s.Title.ActiveTextColour, TDataSkinTitle::kColourNotGiven);
    EXPECT_EQ(s.TitleColour, s.Colours.ButtonFace);  // no top border
    EXPECT_EQ(s.LeftBorder.Frame, 1);
    EXPECT_EQ(s.LeftBorder.Trans, 1);
    // Only the program's own tracks and the tool-bar gradient exist; the three
    // child-window buttons are always there.
    ASSERT_NE(s.Find("Track"), nullptr);
    EXPECT_EQ(s.Find("Track")->LeftWidth, 3);
    EXPECT_FALSE(s.Find("TRACKVERT")->Map.Empty());
    EXPECT_NE(s.Find("Toolbar"), nullptr);
    EXPECT_EQ(s.Objects.size(), 3u);
    EXPECT_EQ(s.SysButtons.size(), 3u);
    // Check and radio frame counts fall back to at least 4.
    EXPECT_EQ(s.Button.CheckFrame, 4);
}

TEST(SkinLoader, ObjectsExistOnlyWithAnImage) {
    TSkinData data;
    const TSkinContent& s = Load(data,
                                 "[SunkEdge]\nImage=\n[MenuItem]\nStyle=3\n[Tabs]\nImage=missing.bmp\n",
                                 {});
    EXPECT_EQ(s.Find("SunkEdge"), nullptr);  // "Image=" alone
    EXPECT_EQ(s.Find("MenuItem"), nullptr);
    ASSERT_NE(s.Find("Tabs"), nullptr);      // named, even if the entry is missing
    EXPECT_TRUE(s.Find("Tabs")->Map.Empty());
}

TEST(SkinLoader, AppliesTheFrameCountRules) {
    const std::string ini =
        "[Progress]\nBitmap=p.bmp\nStyle=1\nTile=5\n"
        "[Progress.Chunk]\nImage=p.bmp\n"
        "[Headerbar]\nImage=p.bmp\nFrame=0\n"
        "[Tab.Pane]\nImage=p.bmp\nLeftWidth=9\nTopHeight=3\nRightWidth=5\nBottomHeight=4\n"
        "[HorzScrollThumb]\nImage=p.bmp\n[VertScrollThumb]\nImage=p.bmp\nFrameCount=2\n"
        "[ToolBars]\nImage=p.bmp\nFrame=9\nTile=2\n"
        "[Track]\nImage=p.bmp\nFrame=3\n"
        "[Buttons]\nBitmap=p.bmp\nTile=3\nCheckButton=small.bmp\nRadioButton=tall.bmp\n";
    TSkinData data;
    const TSkinContent& s = Load(data, ini,
                                 {{"p.bmp", test::SolidBmp(40, 10)},
                                  {"small.bmp", test::SolidBmp(13 * 6, 13)},
                                  {"tall.bmp", test::SolidBmp(16 * 8, 16)}});
    const struct {
        const char* name;
        int frames;
    } frames[] = {
        {"Progress", 1}, {"Progress.Chunk", 1}, {"Headerbar", 5}, {"Tab.Pane", 1},
        {"HorzScrollThumb", 3}, {"VertScrollThumb", 2}, {"ToolBars", 5}, {"Track", 3},
    };
    for (const auto& f : frames) {
        ASSERT_NE(s.Find(f.name), nullptr) << f.name;
        EXPECT_EQ(s.Find(f.name)->Frame, f.frames) << f.name;
    }
    EXPECT_EQ(s.Find("Progress")->Tile, 1);  // above 1 becomes 1 for progress
    EXPECT_EQ(s.Find("ToolBars")->Tile, 0);  // and 0 for the others
    EXPECT_EQ(s.Button.Tile, 0);
    const TDataSkinObject& pane = *s.Find("Tab.Pane");
    EXPECT_EQ(pane.LeftWidth, 4);
    EXPECT_EQ(pane.TopHeight, 3);
    EXPECT_EQ(pane.RightWidth, 4);
    EXPECT_EQ(pane.BottomHeight, 4);
    EXPECT_EQ(s.Button.CheckFrame, 6);  // 78 / 13: less than 16 high
    EXPECT_EQ(s.Button.RadioFrame, 8);  // 128 / 16
}

TEST(SkinLoader, ProgressWithStyleZeroHasTwoFrames) {
    TSkinData data;
    const TSkinContent& s = Load(data, "[Progress]\nBitmap=p.bmp\n", {{"p.bmp", test::SolidBmp(8, 4)}});
    EXPECT_EQ(s.Find("Progress")->Frame, 2);
}

TEST(SkinLoader, ChoosesAndCompletesTitleButtons) {
    const std::string ini =
        "[Button]\nAction=5\n[BUTTONS]\nBitmap=x.bmp\n[Button.Radio]\nAction=1\n[button.checkbox]\nAction=1\n"
        "[ButtonHidden]\nAction=-1\nVisibility=3\n"
        "[ButtonNoVisibility]\nAction=-1\n"
        "[ButtonShownAlways]\nAction=-1\nVisibility=0\nButtonImage=narrow.bmp\n"
        "[ButtonNarrow]\nAction=1\nButtonImage=narrow.bmp\n"
        "[ButtonWide]\nAction=2\nButtonImage=wide.bmp\n"
        "[ButtonGiven]\nAction=0\nframe=2\nButtonImage=wide.bmp\nCombineOp=4\n"
        "[ButtonMenu]\nAction=11\nButtonImage=wide.bmp\n"
        "[ButtonMenuFramed]\nAction=3\nframe=1\nButtonImage=wide.bmp\n"
        "[MDICONTROLS]\nImage=mdi.bmp\n";
    TSkinData data;
    const TSkinContent& s = Load(data, ini,
                                 {{"narrow.bmp", test::SolidBmp(57, 15)},   // 3.8 : 1
                                  {"wide.bmp", test::SolidBmp(58, 15)},     // above 3.8 : 1
                                  {"mdi.bmp", test::SolidBmp(120, 9)}});
    std::vector<std::string> names;
    for (const auto& b : s.SysButtons) names.push_back(b->IDName);
    EXPECT_EQ(names, (std::vector<std::string>{"ButtonShownAlways", "ButtonNarrow", "ButtonWide", "ButtonGiven",
                                               "ButtonMenu", "ButtonMenuFramed", "MdiMinimize", "MdiRestore",
                                               "MdiClose"}));
    const auto& b = s.SysButtons;
    EXPECT_EQ(b[0]->Frame, 6);  // negative Action: always 6
    EXPECT_EQ(b[0]->Visibility1, -1);
    EXPECT_EQ(b[1]->Frame, 3);
    EXPECT_EQ(b[1]->Visibility1, 0);
    EXPECT_EQ(b[1]->CombineOp, -1);
    EXPECT_EQ(b[2]->Frame, 6);
    EXPECT_EQ(b[3]->Frame, 2);
    EXPECT_EQ(b[3]->CombineOp, 4);
    EXPECT_TRUE(b[4]->Map.Empty());   // system-menu button without frames: the icon shows
    EXPECT_FALSE(b[5]->Map.Empty());  // with frames of its own it keeps its image
    // 120 / 12 = 10-pixel columns; button i takes columns 4i..4i+3.
    EXPECT_EQ(b[6]->Map.width, 40);
    EXPECT_EQ(b[6]->Xcoord, 42);
    EXPECT_EQ(b[7]->Xcoord, 28);
    EXPECT_EQ(b[8]->Xcoord, 14);
    for (int i = 6; i < 9; ++i) {
        EXPECT_EQ(b[i]->Action, 7 + (i - 6));
        EXPECT_EQ(b[i]->Frame, 4);
        EXPECT_EQ(b[i]->Visibility1, 100);
    }
}

TEST(SkinLoader, ReadsTitleColoursOnlyWhenComplete) {
    TSkinData data;
    const TSkinContent& s = Load(data,
                                 "[Personality]\nActiveTextR=10\nActiveTextG=20\nActiveTextB=30\n"
                                 "InActiveTextR=1\nInActiveTextG=-2\nInActiveTextB=3\n[Fonts]\nFontHeight=0x10\n");
    EXPECT_EQ(s.Title.ActiveTextColour, RGBColour(10, 20, 30));
    EXPECT_EQ(s.Title.InactiveTextColour, TDataSkinTitle::kColourNotGiven);
    EXPECT_EQ(s.Title.FontHeight, 16);
}

TEST(SkinLoader, ReadsColourSectionsInOrder) {
    TSkinData data;
    const TSkinContent& s = Load(data,
                                 "[ColourB]\ncolor=1 2 3\n[Colours]\nButtonFace=9 9 9\n[colourA]\nx=1\n"
                                 "[Customcolors]\nColor3=4,5,6\n");
    ASSERT_EQ(s.Colours.sectionColours.size(), 2u);
    EXPECT_EQ(s.Colours.sectionColours[0].colour, RGBColour(1, 2, 3));
    EXPECT_EQ(s.Colours.sectionColours[1].section, "colourA");
    EXPECT_EQ(s.Colours.sectionColours[1].colour, s.Colours.WindowText);
    EXPECT_EQ(s.Colours.ButtonFace, RGBColour(9, 9, 9));
    EXPECT_EQ(s.Colours.Menubar, RGBColour(9, 9, 9));
    EXPECT_EQ(s.Colours.custom[3], RGBColour(4, 5, 6));
}

TEST(SkinLoader, CombosWithoutAnEditEdgeKeepTheWholeButtonImage) {
    SkinBitmap art(8, 4, 0x123456);
    art.At(0, 0) = kMagentaPixel;
    TSkinData data;
    const TSkinContent& s = Load(data, "[Colours]\nButtonFace=1 2 3\n[ComboButton]\nImage=c.bmp\n",
                                 {{"c.bmp", skinart::EncodeBmp(art)}});
    const TDataSkinObject* arrow = s.Find("ComboxArrow");
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(arrow->Map.width, 8);
    EXPECT_EQ(arrow->Map.At(0, 0), PixelOf(RGBColour(1, 2, 3)));  // magenta takes the face colour
    EXPECT_EQ(arrow->Map.At(1, 0), 0x123456u);
    EXPECT_TRUE(s.ComboImage.Empty());
}

TEST(SkinLoader, ABrokenBitmapRefusesTheSkinAndKeepsTheLastOne) {
    TSkinData data;
    Load(data, "[TitlebarSkin]\nSkinName=First\n");
    ASSERT_TRUE(data.Loaded());
    std::string truncated = test::SolidBmp(20, 20);
    truncated.resize(truncated.size() - 7);
    data.SetPackedSkin(test::PackedSkin("[TitlebarSkin]\nSkinName=Second\n[Personality]\nTop=t.bmp\n",
                                        {{"t.bmp", truncated}}));
    EXPECT_FALSE(data.LoadSkin());
    EXPECT_FALSE(data.Loaded());
    EXPECT_EQ(data.Content()->SkinName, "First");
}

TEST(SkinLoader, AnOlderContainerKeepsTheLastSkin) {
    TSkinData data;
    Load(data, "[TitlebarSkin]\nSkinName=First\n");
    data.SetPackedSkin(test::PackedSkin("[TitlebarSkin]\nSkinName=Old\n", {}, 10000));
    EXPECT_FALSE(data.LoadSkin());
    EXPECT_FALSE(data.Loaded());
    EXPECT_EQ(data.Content()->SkinName, "First");
}

TEST(SkinLoader, ASkinWithoutIniTextStillLoadsWithDefaults) {
    TSkinData data;
    data.SetPackedSkin(skinpack::PackSkin(skinpack::BuildContainer({{"a.bmp", test::SolidBmp(2, 2)}})));
    EXPECT_TRUE(data.LoadSkin());
    EXPECT_EQ(data.Content()->SkinName, "");
}

}  // namespace
}  // namespace kestrone
