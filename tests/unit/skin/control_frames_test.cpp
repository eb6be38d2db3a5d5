// State frames of the control skins, button captions, menu layout and the
// list of skinned windows kept by handle.
#include "ui/skin/control_frames.h"

#include <gtest/gtest.h>

#include "ui/skin/menu_layout.h"
#include "ui/skin/skinned_list.h"

namespace kestrone {
namespace {

TEST(PushButton, FramesByState) {
    const struct {
        bool disabled, pressed, hover, focused;
        int frame;
    } cases[] = {
        {false, false, false, false, 1}, {false, false, false, true, 5},
        {false, false, true, true, 4},   {false, true, true, true, 2},  // pressed under the mouse
        {true, true, true, true, 3},  // disabled whatever else holds
        {true, false, false, false, 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PushButtonFrame(c.disabled, c.pressed, c.hover, c.focused), c.frame);
    }
    EXPECT_EQ(PushButtonTextColour(1), ButtonTextColour::Normal);
    EXPECT_EQ(PushButtonTextColour(2), ButtonTextColour::Pressed);
    EXPECT_EQ(PushButtonTextColour(3), ButtonTextColour::Disabled);
    EXPECT_EQ(PushButtonTextColour(4), ButtonTextColour::MouseOver);
    EXPECT_EQ(PushButtonTextColour(5), ButtonTextColour::Normal);
}

TEST(PushButton, TwoBarsBreakTheCaption) {
    EXPECT_EQ(SplitButtonCaption("Scan||Now"), (std::vector<std::string>{"Scan", "Now"}));
    EXPECT_EQ(SplitButtonCaption("Apply"), (std::vector<std::string>{"Apply"}));
    EXPECT_EQ(SplitButtonCaption("a|b"), (std::vector<std::string>{"a|b"}));
    EXPECT_EQ(SplitButtonCaption("a||"), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(SplitButtonCaption("a|||b"), (std::vector<std::string>{"a", "|b"}));
}

TEST(CheckAndRadio, FramesOfEachStripLength) {
    using S = CheckState;
    const struct {
        S state;
        bool disabled, hover, pressed;
        int frames, frame;
    } checks[] = {
        // Twelve frames: 2 -> 5, 3 -> 4, 4 -> 8, indeterminate 9 or 12.
        {S::Unchecked, false, false, false, 12, 1},
        {S::Checked, false, false, false, 12, 5},
        {S::Unchecked, true, false, false, 12, 4},
        {S::Checked, true, false, false, 12, 8},
        {S::Indeterminate, false, false, false, 12, 9},
        {S::Indeterminate, true, false, false, 12, 12},
        {S::Checked, false, true, false, 12, 6},
        {S::Unchecked, false, true, true, 12, 3},
        {S::Checked, true, true, true, 12, 8},  // disabled ignores the mouse
        // Four frames: the plain numbering.
        {S::Unchecked, false, true, false, 4, 1},
        {S::Checked, false, false, false, 4, 2},
        {S::Unchecked, true, false, false, 4, 3},
        {S::Checked, true, false, false, 4, 4},
        {S::Indeterminate, false, false, false, 4, 4},
        // A short strip never points past its end.
        {S::Checked, true, false, false, 2, 2},
    };
    for (const auto& c : checks) {
        EXPECT_EQ(CheckBoxFrame(c.state, c.disabled, c.hover, c.pressed, c.frames), c.frame)
            << static_cast<int>(c.state) << c.disabled << c.hover << c.pressed << " of "
            << c.frames;
    }
    const struct {
        bool checked, disabled, hover, pressed;
        int frames, frame;
    } radios[] = {
        {false, false, false, false, 8, 1}, {true, false, false, false, 8, 5},
        {false, true, false, false, 8, 4},  {true, true, false, false, 8, 8},
        {true, false, true, false, 8, 6},   {true, false, false, true, 8, 7},
        {false, false, false, false, 4, 1}, {true, true, false, false, 4, 4},
        {true, false, false, false, 4, 2},
    };
    for (const auto& c : radios) {
        EXPECT_EQ(RadioButtonFrame(c.checked, c.disabled, c.hover, c.pressed, c.frames), c.frame);
    }
}

TEST(ScrollBar, ArrowTrackThumbAndGripFrames) {
    EXPECT_EQ(ScrollArrowFrame(ScrollArrow::Up, false, false, false), 9);
    EXPECT_EQ(ScrollArrowFrame(ScrollArrow::Down, false, false, false), 13);
    EXPECT_EQ(ScrollArrowFrame(ScrollArrow::Left, false, false, false), 1);
    EXPECT_EQ(ScrollArrowFrame(ScrollArrow::Right, false, false, false), 5);
    EXPECT_EQ(ScrollArrowFrame(ScrollArrow::Up, true, false, false), 12);   // hover adds 3
    EXPECT_EQ(ScrollArrowFrame(ScrollArrow::Down, true, true, false), 14);  // pressed adds 1
    EXPECT_EQ(ScrollArrowFrame(ScrollArrow::Right, true, true, true), 7);   // disabled
    EXPECT_EQ(ScrollTrackFrame(false), 1);
    EXPECT_EQ(ScrollTrackFrame(true), 3);
    EXPECT_EQ(ScrollThumbFrame(false, false), 1);
    EXPECT_EQ(ScrollThumbFrame(true, true), 2);
    EXPECT_EQ(ScrollThumbFrame(true, false), 3);
    EXPECT_EQ(ScrollGripFrame(true, false, false), 20);
    EXPECT_EQ(ScrollGripFrame(false, false, false), 17);
    EXPECT_EQ(ScrollGripFrame(true, false, true), 21);
    EXPECT_EQ(ScrollGripFrame(false, true, false), 19);
    EXPECT_TRUE(ThumbHasRoomForGrip(10, 8));
    EXPECT_FALSE(ThumbHasRoomForGrip(9, 8));
    EXPECT_EQ(ScrollArrowLength(17, 100), 17);
    EXPECT_EQ(ScrollArrowLength(17, 20), 10);  // a short bar: half each
}

TEST(OtherControls, ToolComboAndMenuFrames) {
    EXPECT_EQ(ToolButtonFrame(false, false, false, false), 1);
    EXPECT_EQ(ToolButtonFrame(false, true, false, false), 2);
    EXPECT_EQ(ToolButtonFrame(false, true, true, true), 3);
    EXPECT_EQ(ToolButtonFrame(true, true, true, true), 4);
    EXPECT_EQ(ToolButtonFrame(false, true, false, true), 5);
    EXPECT_EQ(ComboEdgeFrame(false, false, false), 1);
    EXPECT_EQ(ComboEdgeFrame(false, false, true), 2);
    EXPECT_EQ(ComboEdgeFrame(false, true, true), 3);
    EXPECT_EQ(ComboEdgeFrame(true, true, true), 4);
    EXPECT_EQ(ComboButtonFrame(false, true, true), 3);
    EXPECT_EQ(ComboButtonFrame(true, true, true), 4);
    EXPECT_EQ(MenuItemFrame(false, true), 1);
    EXPECT_EQ(MenuItemFrame(true, false), 2);
    EXPECT_EQ(MenuItemFrame(true, true), 3);
    EXPECT_EQ(MenuBarItemFrame(true, false), 4);
    EXPECT_EQ(MenuBarItemFrame(true, true), 5);
    EXPECT_EQ(MenuBarItemFrame(false, false), 1);
}

TEST(MenuBar, ItemsInARowAndTheKeyboardWalk) {
    const Rect bar{5, 27, 405, 46};
    const std::vector<Rect> items = LayoutMenuBar({30, 40, 0}, bar, 6, false);
    EXPECT_EQ(items, (std::vector<Rect>{{5, 27, 47, 46}, {47, 27, 99, 46}, {99, 27, 111, 46}}));
    EXPECT_EQ(MenuBarItemAt(items, 46, 30), 0);
    EXPECT_EQ(MenuBarItemAt(items, 47, 30), 1);
    EXPECT_EQ(MenuBarItemAt(items, 200, 30), -1);
    EXPECT_EQ(MenuBarItemAt(items, 50, 26), -1);  // above the bar
    const std::vector<Rect> rtl = LayoutMenuBar({30}, bar, 6, true);
    EXPECT_EQ(rtl.front(), (Rect{363, 27, 405, 46}));
    EXPECT_EQ(NeighbourMenu(0, 3, true, false), 1);
    EXPECT_EQ(NeighbourMenu(2, 3, true, false), 0);  // wraps
    EXPECT_EQ(NeighbourMenu(0, 3, false, false), 2);
    EXPECT_EQ(NeighbourMenu(0, 3, true, true), 2);  // right-to-left: the arrows swap
    EXPECT_EQ(NeighbourMenu(0, 0, true, false), -1);
}

TEST(PopupItems, SizeOfTextShortcutAndSeparator) {
    const PopupItemMetrics m;
    EXPECT_EQ(PopupItemSize(100, 0, 14, false, m), (Size{24 + 8 + 100 + 8 + 16, 20}));
    EXPECT_EQ(PopupItemSize(100, 30, 18, false, m), (Size{24 + 8 + 100 + 8 + 16 + 24 + 30, 24}));
    EXPECT_EQ(PopupItemSize(100, 30, 18, true, m), (Size{24 + 16, 7}));
}

struct Attached {
    explicit Attached(int& freed) : freed_(freed) {}
    ~Attached() { ++freed_; }
    int& freed_;
    int busy = 0;
};

// Entries are kept by window handle and leave at once when their window
// goes; the object is freed once no call of its own runs.
TEST(SkinnedList, EntriesLeaveWithTheirWindow) {
    int freed = 0;
    SkinnedList<Attached> list;
    Attached* a = list.Add(0x100, std::make_unique<Attached>(freed));
    list.Add(0x200, std::make_unique<Attached>(freed));
    EXPECT_EQ(list.Find(0x100), a);
    EXPECT_EQ(list.Keys(), (std::vector<uintptr_t>{0x100, 0x200}));

    a->busy = 1;  // destroyed from inside its own window procedure
    list.Retire(0x100);
    EXPECT_EQ(list.Find(0x100), nullptr);
    EXPECT_EQ(list.Size(), 1u);
    const auto idle = [](const Attached& o) { return o.busy == 0; };
    list.Purge(idle);
    EXPECT_EQ(freed, 0);  // still running: kept
    a->busy = 0;
    list.Purge(idle);
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(list.RetiredCount(), 0u);

    // A handle handed out again gets a fresh entry; the old one never answers.
    Attached* b = list.Add(0x100, std::make_unique<Attached>(freed));
    EXPECT_EQ(list.Find(0x100), b);
    Attached* c = list.Add(0x100, std::make_unique<Attached>(freed));
    EXPECT_EQ(list.Find(0x100), c);
    EXPECT_EQ(list.RetiredCount(), 1u);
    list.Retire(0x999);  // unknown handles are ignored
    std::unique_ptr<Attached> taken = list.Take(0x200);
    ASSERT_TRUE(taken);
    EXPECT_EQ(list.Find(0x200), nullptr);
    EXPECT_EQ(list.Keys(), (std::vector<uintptr_t>{0x100}));
}

}  // namespace
}  // namespace kestrone
