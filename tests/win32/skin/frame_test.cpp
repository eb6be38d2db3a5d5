// Skinned frames under Wine: the menu example, title-button clicks, what the
// frame shows, a failed paint, and the caption check of narrow dialogs.
#include <windowsx.h>

#include <cstdlib>
#include <string>

#include "skin_fixture.h"
#include "ui/skin/skin_messages.h"

namespace kestrone::test {
namespace {

bool Near(COLORREF a, COLORREF b, int tolerance = 10) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

COLORREF PixelColour(uint32_t pixel) {
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

COLORREF FramePixel(HWND window, int x, int y) {
    HDC dc = GetWindowDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

const ui::TWinSysButton* ButtonWithAction(ui::TWinSkinForm& form, int action) {
    for (const ui::TWinSysButton& b : form.Buttons()) {
        if (b.data->Action == action && b.shown) return &b;
    }
    return nullptr;
}

void Click(HWND window, const ui::TWinSysButton& button) {
    const RECT box = [&] {
        RECT r;
        GetWindowRect(window, &r);
        return r;
    }();
    const LPARAM at = MAKELPARAM(box.left + (button.rect.left + button.rect.right) / 2,
                                 box.top + (button.rect.top + button.rect.bottom) / 2);
    SendMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, at);
    SendMessageA(window, WM_NCLBUTTONUP, HTCAPTION, at);
    PumpFor(150);
}

TEST_F(SkinTest, WindowWithMenuOf400By300) {
    HMENU menu = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, 100, "Open");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "File");
    AppendMenuA(menu, MF_STRING, 101, "Help");
    HWND window = MakeWindow(WS_OVERLAPPEDWINDOW, 400, 300, "Menu", menu);
    ASSERT_TRUE(WaitRunning(window));
    const RECT box = WindowBox(window);
    EXPECT_EQ(box.right - box.left, 410);
    EXPECT_EQ(box.bottom - box.top, 300 + 27 + 5 + GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(ClientSize(window).cx, 400);
    EXPECT_EQ(ClientSize(window).cy, 300);
    EXPECT_EQ(GetMenu(window), nullptr);  // the skin draws the bar now
    EXPECT_TRUE(Form(window)->HasMenuBar());

    component_->Data.SetActive(false);
    Manager().RunPendingAction();
    EXPECT_EQ(GetMenu(window), menu);
    EXPECT_EQ(ClientSize(window).cx, 400);
    EXPECT_EQ(ClientSize(window).cy, 300);
}

TEST_F(SkinTest, TitleButtonsMaximiseRestoreMinimiseAndClose) {
    HWND window = MakeWindow(WS_OVERLAPPEDWINDOW, 300, 200, "Buttons");
    ASSERT_TRUE(WaitRunning(window));
    SendMessageA(window, skinmsg::kRepaintFrame, 0, 0);
    ui::TWinSkinForm& form = *Form(window);
    const ui::TWinSysButton* maximise = ButtonWithAction(form, 1);
    ASSERT_NE(maximise, nullptr);
    EXPECT_TRUE(maximise->enabled);
    Click(window, *maximise);
    EXPECT_TRUE(IsZoomed(window));
    SendMessageA(window, skinmsg::kRepaintFrame, 0, 0);
    Click(window, *ButtonWithAction(form, 1));  // now it restores
    EXPECT_FALSE(IsZoomed(window));
    SendMessageA(window, skinmsg::kRepaintFrame, 0, 0);
    Click(window, *ButtonWithAction(form, 2));
    EXPECT_TRUE(IsIconic(window));
    ShowWindow(window, SW_RESTORE);
    PumpFor(100);
    SendMessageA(window, skinmsg::kRepaintFrame, 0, 0);
    const ui::TWinSysButton* close = ButtonWithAction(form, 0);
    ASSERT_NE(close, nullptr);
    Click(window, *close);
    EXPECT_EQ(Logs()[window].closes, 1);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(SkinTest, DisabledMaximiseButtonDoesNothing) {
    HWND window =
        MakeWindow(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 300, 200, "No max");
    ASSERT_TRUE(WaitRunning(window));
    SendMessageA(window, skinmsg::kRepaintFrame, 0, 0);
    const ui::TWinSysButton* maximise = ButtonWithAction(*Form(window), 1);
    ASSERT_NE(maximise, nullptr);  // shown (the window has a box) but not enabled
    EXPECT_FALSE(maximise->enabled);
    Click(window, *maximise);
    EXPECT_FALSE(IsZoomed(window));
}

TEST_F(SkinTest, FrameShowsTheSkinActiveAndInactive) {
    HWND window = MakeWindow(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 300, 200, "Pix");
    ASSERT_TRUE(WaitRunning(window));
    PumpFor(100);
    const TSkinContent& skin = *component_->Data.Content();
    const SkinBitmap& top = skin.TopBorder.Map;
    const int frameHeight = top.height / skin.TopBorder.Frame;
    const COLORREF activeTitle = PixelColour(top.At(top.width / 2, 20));
    const COLORREF inactiveTitle = PixelColour(top.At(top.width / 2, frameHeight + 20));
    ASSERT_FALSE(Near(activeTitle, inactiveTitle));
    EXPECT_TRUE(Near(FramePixel(window, 200, 20), activeTitle));
    // The left border's middle piece (between its title and bottom corners)
    // stretches down the side.
    const TDataSkinObject& left = skin.LeftBorder;
    const int middleRow = (left.TopHeight + left.Map.height - left.BottomHeight) / 2;
    EXPECT_TRUE(Near(FramePixel(window, 1, 120), PixelColour(left.Map.At(1, middleRow))));

    HWND other = MakeWindow(WS_OVERLAPPED | WS_CAPTION, 100, 50, "Other");
    ASSERT_TRUE(WaitRunning(other));
    PumpFor(100);
    EXPECT_FALSE(Form(window)->IsActive());
    EXPECT_TRUE(Near(FramePixel(window, 200, 20), inactiveTitle));
}

// A failed paint leaves the system's own frame, never a hole.
TEST_F(SkinTest, FailedFramePaintDrawsTheSystemFrame) {
    HWND window = MakeWindow(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 300, 200, "Fails");
    ASSERT_TRUE(WaitRunning(window));
    const int before = Logs()[window].ncPaints;
    SendMessageA(window, WM_NCPAINT, 1, 0);
    EXPECT_EQ(Logs()[window].ncPaints,
              before);  // the skin painted; the window's own code never saw it
    ui::TWinSkinForm::SimulatePaintFailure(true);
    SendMessageA(window, WM_NCPAINT, 1, 0);
    ui::TWinSkinForm::SimulatePaintFailure(false);
    EXPECT_EQ(Logs()[window].ncPaints, before + 1);
    // Where the skin's title would be, the system's frame colours stand.
    const COLORREF pixel = FramePixel(window, 150, 24);
    EXPECT_NE(pixel, CLR_INVALID);
    const TSkinContent& skin = *component_->Data.Content();
    EXPECT_FALSE(
        Near(pixel, PixelColour(skin.TopBorder.Map.At(skin.TopBorder.Map.width / 2, 24)), 2));
}

TEST_F(SkinTest, NarrowDialogGrowsToItsCaptionAndMovesItsChildren) {
    const char* caption = "A caption far too long for such a narrow dialog";
    constexpr DWORD kDialog = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    RECT frame{0, 0, 120, 60};
    AdjustWindowRectEx(&frame, kDialog, FALSE, WS_EX_DLGMODALFRAME);
    HWND dialog = CreateWindowExA(WS_EX_DLGMODALFRAME, kSkinTestClass, caption, kDialog, 100, 100,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    windows_.push_back(dialog);
    HWND button = Child(dialog, "BUTTON", "OK", BS_PUSHBUTTON, 10, 20, 60, 24, IDOK);
    ShowWindow(dialog, SW_SHOWNORMAL);
    SetForegroundWindow(dialog);
    ASSERT_TRUE(WaitRunning(dialog));
    EXPECT_EQ(Form(dialog)->Kind(), FrameKind::Dialog);

    HDC dc = GetDC(dialog);
    SIZE text{};
    {
        HGDIOBJ old = SelectObject(dc, Manager().CaptionFont());
        const std::wstring wide = L" " + std::wstring(caption, caption + strlen(caption));
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &text);
        SelectObject(dc, old);
    }
    ReleaseDC(dialog, dc);
    const TDataSkinTitle& title = component_->Data.Content()->Title;
    const int wanted = text.cx + title.LeftWidth + title.RightWidth;
    const int skinnedWidth = 120 + 5 + 5;
    ASSERT_GT(wanted, skinnedWidth);
    EXPECT_EQ(WindowBox(dialog).right - WindowBox(dialog).left, wanted);
    RECT place;
    GetWindowRect(button, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, 10 + (wanted - skinnedWidth) / 2);

    component_->Data.SetActive(false);
    Manager().RunPendingAction();
    GetWindowRect(button, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, 10);
    EXPECT_EQ(ClientSize(dialog).cx, 120);
}

}  // namespace
}  // namespace kestrone::test
