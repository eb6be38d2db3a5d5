// Control skins under Wine: which skin each of a window's controls gets, the
// query and on/off messages, a click, and controls made after the start.
#include <commctrl.h>
#include <windows.h>

#include <cstdlib>

#include "skin_fixture.h"
#include "ui/skin/skin_messages.h"
#include "ui/skin/win32/skin_control.h"

namespace kestrone::test {
namespace {

using K = ControlSkinKind;

class ControlSkinTest : public SkinTest {
  protected:
    void SetUp() override {
        SkinTest::SetUp();
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
    }
    K KindOf(HWND window, HWND control) {
        ui::TSkinControl* skin = Form(window)->FindControl(control);
        return skin ? skin->Kind() : K::None;
    }
};

TEST_F(ControlSkinTest, EachControlGetsItsSkin) {
    HWND window = CreateWindowExA(0, kSkinTestClass, "Controls", WS_OVERLAPPEDWINDOW, 50, 50, 500,
                                  400, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    windows_.push_back(window);
    const struct {
        const char* className;
        DWORD style;
        K kind;
    } controls[] = {
        {"BUTTON", BS_PUSHBUTTON, K::Button},
        {"BUTTON", BS_AUTOCHECKBOX, K::CheckBox},
        {"BUTTON", BS_AUTORADIOBUTTON, K::RadioButton},
        {"BUTTON", BS_GROUPBOX, K::GroupBox},
        {"EDIT", WS_BORDER, K::Edit},
        {"EDIT", ES_MULTILINE | WS_VSCROLL, K::ScrollBars},  // the memo
        {"LISTBOX", WS_VSCROLL, K::ScrollBars},
        {"COMBOBOX", CBS_DROPDOWNLIST, K::ComboBox},
        {STATUSCLASSNAMEA, 0, K::StatusBar},
        {WC_LISTVIEWA, LVS_REPORT, K::ListView},
        {WC_TABCONTROLA, 0, K::Tab},
        {PROGRESS_CLASSA, 0, K::Progress},
        {TOOLBARCLASSNAMEA, CCS_NORESIZE,
         K::None},  // the main window's settings leave tool bars out
        {"STATIC", 0, K::None},
    };
    std::vector<HWND> made;
    int y = 0;
    for (const auto& c : controls) {
        made.push_back(Child(window, c.className, "Text", c.style, 10, y, 150, 22, 200 + y));
        y += 24;
    }
    HWND tagged = Child(window, "BUTTON", "Tagged", BS_PUSHBUTTON, 200, 0, 80, 22, 900);
    ui::SetSkinTag(tagged, 99);
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    ASSERT_TRUE(WaitRunning(window));
    for (size_t i = 0; i < made.size(); ++i) {
        EXPECT_EQ(KindOf(window, made[i]), controls[i].kind)
            << controls[i].className << " got " << ControlSkinKindName(KindOf(window, made[i]));
        EXPECT_EQ(ui::IsSkinnedWindow(made[i]), controls[i].kind != K::None)
            << controls[i].className;
    }
    EXPECT_EQ(KindOf(window, tagged), K::None);  // the DisableTag
    EXPECT_FALSE(ui::IsSkinnedWindow(tagged));

    // Switching the skin off gives the control back; on again takes it.
    EXPECT_EQ(SendMessageA(made[0], skinmsg::kQuery, 0, 0), 1);
    SendMessageA(made[0], skinmsg::kControlSkinning, 0, 0);
    EXPECT_EQ(SendMessageA(made[0], skinmsg::kQuery, 0, 0), 0);
    SendMessageA(made[0], skinmsg::kControlSkinning, 1, 0);
    EXPECT_EQ(SendMessageA(made[0], skinmsg::kQuery, 0, 0), 1);

    // Unskinning the window gives every control its own procedure back.
    component_->Data.SetActive(false);
    Manager().RunPendingAction();
    for (HWND control : made) EXPECT_FALSE(ui::IsSkinnedWindow(control));
}

TEST_F(ControlSkinTest, SkinnedButtonClicksAndShowsItsFrame) {
    HWND window = MakeWindow(WS_OVERLAPPEDWINDOW, 300, 200, "Click");
    ASSERT_TRUE(WaitRunning(window));
    // A control made after the window started running is skinned as well.
    HWND button = Child(window, "BUTTON", "Press", BS_PUSHBUTTON, 20, 20, 100, 30, 321);
    ASSERT_TRUE(PumpUntil([&] { return ui::IsSkinnedWindow(button); }, 2000));
    SendMessageA(button, BM_CLICK, 0, 0);
    PumpFor(100);
    EXPECT_EQ(Logs()[window].commands, 1);
    EXPECT_EQ(LOWORD(Logs()[window].lastCommand), 321);
    EXPECT_EQ(HIWORD(Logs()[window].lastCommand), BN_CLICKED);

    // The left edge of the button is the left edge of the skin's frame 1
    // (the button has no focus and no mouse over it).
    SetFocus(window);
    RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const SkinBitmap& map = component_->Data.Content()->Button.Map;
    const uint32_t edge = map.At(0, map.height / 2);
    HDC dc = GetDC(button);
    const COLORREF pixel = GetPixel(dc, 0, 15);
    ReleaseDC(button, dc);
    EXPECT_LE(std::abs(GetRValue(pixel) - static_cast<int>((edge >> 16) & 0xFF)), 12);
    EXPECT_LE(std::abs(GetGValue(pixel) - static_cast<int>((edge >> 8) & 0xFF)), 12);
    EXPECT_LE(std::abs(GetBValue(pixel) - static_cast<int>(edge & 0xFF)), 12);
}

}  // namespace
}  // namespace kestrone::test
