// The skinned frame's geometry: frame kinds, border sizes from the skin's
// bitmaps, the client rectangle, hit testing and the dialog caption check.
#include "ui/skin/frame_geometry.h"

#include <gtest/gtest.h>

#include "skin_test_support.h"
#include "ui/skin/skin_data.h"

namespace kestrone {
namespace {

using namespace winstyle;

const TSkinContent& DefaultSkin() {
    static TSkinData* data = [] {
        auto* d = new TSkinData;
        d->SetPackedSkin(test::DefaultPackedSkin());
        d->LoadSkin();
        return d;
    }();
    return *data->Content();
}

TEST(FrameKind, FollowsCaptionFrameAndDialogMarks) {
    constexpr uint32_t kOverlapped =
        kCaption | kSysMenu | kThickFrame | kMinimizeBox | kMaximizeBox;
    const struct {
        uint32_t style, exStyle;
        const char* className;
        FrameKind kind;
    } cases[] = {
        {kOverlapped, 0, "TMainForm", FrameKind::Sizeable},
        {kCaption | kSysMenu | kMinimizeBox, 0, "TMainForm", FrameKind::Caption},
        {kCaption | kSysMenu, 0, "#32770", FrameKind::Dialog},
        {kCaption | kThickFrame, 0, "#32770", FrameKind::Dialog},  // a sizeable dialog is a dialog
        {kCaption | kModalFrameBit, 0, "Any", FrameKind::Dialog},
        {kCaption, kExDlgModalFrame, "Any", FrameKind::Dialog},
        {kCaption, 0, "tmessageform", FrameKind::Dialog},
        {0x00800000 /* border only */, 0, "#32770", FrameKind::NoCaption},
        {0x80000000 /* popup */ | kThickFrame, 0, "TfrmMSNPopUp", FrameKind::NoCaption},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClassifyFrameKind(c.style, c.exStyle, c.className), c.kind)
            << std::hex << c.style << " " << c.exStyle << " " << c.className;
    }
}

TEST(FormRole, MdiChildWinsOverParent) {
    EXPECT_EQ(ClassifyRole(false, 0), FormRole::Plain);
    EXPECT_EQ(ClassifyRole(true, 0), FormRole::MdiParent);
    EXPECT_EQ(ClassifyRole(true, kExMdiChild), FormRole::MdiChild);
    EXPECT_EQ(WindowStateOf(3), WindowState::Maximised);
    EXPECT_EQ(WindowStateOf(2), WindowState::Minimised);
    EXPECT_EQ(WindowStateOf(1), WindowState::Normal);
}

TEST(BorderSizes, OneFrameOfEachBorderBitmap) {
    TSkinContent skin;
    skin.LeftBorder.Map = SkinBitmap(12, 40);  // two frames side by side
    skin.LeftBorder.Frame = 2;
    skin.RightBorder.Map = SkinBitmap(7, 40);
    skin.TopBorder.Map = SkinBitmap(30, 60);  // three frames stacked
    skin.TopBorder.Frame = 3;
    skin.BottomBorder.Map = SkinBitmap(30, 8);
    skin.BottomBorder.Frame = 2;
    const FrameMetrics metrics{19, 18, 4};
    EXPECT_EQ(ComputeBorderSizes(skin, FrameKind::Caption, FormRole::Plain, false, metrics),
              (BorderSizes{6, 7, 20, 4, 0}));
    EXPECT_EQ(ComputeBorderSizes(skin, FrameKind::Dialog, FormRole::Plain, true, metrics),
              (BorderSizes{6, 7, 20, 4, 19}));
    EXPECT_EQ(ComputeBorderSizes(skin, FrameKind::NoCaption, FormRole::Plain, true, metrics),
              BorderSizes{});
    // A missing border bitmap is no border at all.
    skin.RightBorder.Map = SkinBitmap();
    EXPECT_EQ(ComputeBorderSizes(skin, FrameKind::Sizeable, FormRole::Plain, false, metrics).right,
              0);
    // A low title of a child window: the menu strip makes up the rest of
    // caption + frame (18 + 4 = 22, title 20).
    EXPECT_EQ(
        ComputeBorderSizes(skin, FrameKind::Sizeable, FormRole::MdiChild, false, metrics).menu, 2);
}

TEST(BorderSizes, DefaultSkinIsTitle27AndBorders5) {
    const BorderSizes sizes =
        ComputeBorderSizes(DefaultSkin(), FrameKind::Caption, FormRole::Plain, false, {19, 18, 4});
    EXPECT_EQ(sizes, (BorderSizes{5, 5, 27, 5, 0}));
}

// A form with a 400 x 300 client area and a menu becomes 410 x (300 + 27 + 5 +
// the menu height) and keeps its 400 x 300 client area.
TEST(SkinnedWindow, FourHundredByThreeHundredWithMenuKeepsItsClientArea) {
    for (int menuHeight : {19, 20, 23}) {
        const BorderSizes sizes = ComputeBorderSizes(DefaultSkin(), FrameKind::Sizeable,
                                                     FormRole::Plain, true, {menuHeight, 18, 4});
        const Size window = SkinnedWindowSize({400, 300}, sizes);
        EXPECT_EQ(window, (Size{410, 300 + 27 + 5 + menuHeight}));
        const Rect at{120, 80, 120 + window.width, 80 + window.height};
        const Rect client = SkinnedClientRect(at, sizes);
        EXPECT_EQ(client, (Rect{125, 80 + 27 + menuHeight, 525, 80 + 27 + menuHeight + 300}));
    }
}

TEST(SkinnedWindow, ClientRectNeverTurnsInsideOut) {
    const BorderSizes sizes{5, 5, 27, 5, 20};
    EXPECT_EQ(SkinnedClientRect({0, 0, 8, 30}, sizes), (Rect{5, 47, 5, 47}));
    EXPECT_EQ(SkinnedClientRect({10, 10, 10, 10}, BorderSizes{}), (Rect{10, 10, 10, 10}));
}

TEST(HitTest, CaptionAndMenuStripOfTheSkinnedFrame) {
    const BorderSizes sizes{5, 5, 27, 5, 19};
    const struct {
        int previous, x, y;
        bool menuBar;
        int expected;
    } cases[] = {
        {hit::kNowhere, 100, 10, false, hit::kCaption},  // the skin's title is taller
        {hit::kCaption, 100, 26, false, hit::kCaption},
        {hit::kCaption, 100, 2, false, hit::kCaption},  // top edge: stays what it was
        {hit::kNowhere, 100, 3, false, hit::kNowhere},
        {hit::kNowhere, 100, 30, true, hit::kMenu},      // below the title, a menu bar
        {hit::kNowhere, 100, 30, false, hit::kNowhere},  // no menu bar: nothing there
        {hit::kNowhere, 100, 45, true, hit::kMenu},
        {hit::kNowhere, 100, 46, true, hit::kNowhere},  // the client area starts here
        {hit::kClient, 100, 60, true, hit::kClient},    // the window's own answers stand
        {13 /* HTLEFT */, 1, 60, false, 13},
        {12 /* HTTOP */, 100, 1, false, 12},
        // The system's caption buttons are not drawn any more: they are caption.
        {hit::kClose, 400, 10, false, hit::kCaption},
        {hit::kSysMenu, 8, 10, false, hit::kCaption},
        {hit::kMinButton, 380, 2, false, hit::kCaption},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SkinnedHitTest(c.previous, c.x, c.y, sizes, c.menuBar), c.expected)
            << c.previous << " at " << c.x << "," << c.y;
    }
}

TEST(DialogCaption, NarrowDialogWidensAndMovesChildrenByHalf) {
    TDataSkinTitle title;
    title.LeftWidth = 30;    // text shift
    title.RightWidth = 100;  // right clip
    EXPECT_EQ(DialogCaptionWidening(FrameKind::Dialog, 150, title, 200),
              (CaptionWidening{280, 40}));
    EXPECT_EQ(DialogCaptionWidening(FrameKind::Dialog, 151, title, 280),
              (CaptionWidening{281, 0}));  // one pixel: children stay
    EXPECT_FALSE(DialogCaptionWidening(FrameKind::Dialog, 150, title, 280));   // fits exactly
    EXPECT_FALSE(DialogCaptionWidening(FrameKind::Caption, 500, title, 200));  // not a dialog
}

}  // namespace
}  // namespace kestrone
