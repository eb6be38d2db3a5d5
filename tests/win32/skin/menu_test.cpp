// Popup menus under Wine: taken over while open (items drawn by the skin,
// measured through their owner), given back as they were afterwards; also
// for an owner that is no skinned window and a menu opened without
// notifications, as the tray icon opens its menu.
#include <string>

#include "skin_fixture.h"
#include "ui/skin/skin_messages.h"
#include "ui/skin/win32/win_skin_menu.h"
#include "ui/skin/win32/win_skin_pop_menu.h"

namespace kestrone::test {
namespace {

struct MenuProbe {
    bool seen = false;
    bool answersQuery = false;
    bool ownerDrawn = false;
    int width = 0;
    size_t skinners = 0;
    HMENU menu = nullptr;
    ui::TSkinManage* manager = nullptr;
};
MenuProbe g_probe;

BOOL CALLBACK FindMenuWindow(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32768" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK LookAtOpenMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menu = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMenuWindow, reinterpret_cast<LPARAM>(&menu));
    if (!menu) return;
    KillTimer(nullptr, timer);
    g_probe.seen = true;
    g_probe.answersQuery = SendMessageA(menu, skinmsg::kQuery, 0, 0) == 1;
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(g_probe.menu, 0, TRUE, &info);
    g_probe.ownerDrawn = (info.fType & MFT_OWNERDRAW) != 0;
    RECT box;
    GetWindowRect(menu, &box);
    g_probe.width = box.right - box.left;
    g_probe.skinners = g_probe.manager->PopupMenuCount();
    EndMenu();
}

HMENU MakeMenu() {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "Display main window");
    AppendMenuA(menu, MF_STRING | MF_CHECKED, 2, "Unlock USB disk");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | MF_GRAYED, 3, "Quit");
    return menu;
}

void ExpectRestored(HMENU menu) {
    char text[64] = {};
    GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "Display main window");
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        EXPECT_EQ(info.fType & MFT_OWNERDRAW, 0u) << i;
        EXPECT_EQ(info.dwItemData, 0u) << i;
    }
    EXPECT_EQ(GetMenuState(menu, 1, MF_BYPOSITION) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_FALSE(ui::TWinSkinPopMenu::Prepared(menu));
}

void Track(HMENU menu, HWND owner, UINT flags, ui::TSkinManage& manager) {
    g_probe = {};
    g_probe.menu = menu;
    g_probe.manager = &manager;
    SetForegroundWindow(owner);
    SetTimer(nullptr, 0, 100, LookAtOpenMenu);
    TrackPopupMenu(menu, flags, 200, 200, 0, owner, nullptr);
    PumpFor(50);
}

TEST_F(SkinTest, PopupMenuOfASkinnedWindowIsSkinnedWhileOpen) {
    HWND window = MakeWindow(WS_OVERLAPPEDWINDOW, 300, 200, "Owner");
    ASSERT_TRUE(WaitRunning(window));
    HMENU menu = MakeMenu();
    Track(menu, window, TPM_RIGHTBUTTON, Manager());
    ASSERT_TRUE(g_probe.seen);
    EXPECT_TRUE(g_probe.answersQuery);
    EXPECT_TRUE(g_probe.ownerDrawn);
    EXPECT_EQ(g_probe.skinners, 1u);
    EXPECT_GT(g_probe.width, 120);  // measured by the skin, not left at nothing
    ExpectRestored(menu);
    EXPECT_EQ(Manager().PopupMenuCount(), 0u);
    DestroyMenu(menu);
}

TEST_F(SkinTest, TrayStyleMenuOfAnUnskinnedOwnerIsSkinnedToo) {
    // Like the tray icon's hidden window: a window of ours with no size.
    HWND owner = CreateWindowExA(WS_EX_TOOLWINDOW, kSkinTestClass, "", WS_POPUP, 0, 0, 0, 0,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    windows_.push_back(owner);
    HMENU menu = MakeMenu();
    Track(menu, owner, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, Manager());
    EXPECT_EQ(Form(owner), nullptr);
    ASSERT_TRUE(g_probe.seen);
    EXPECT_TRUE(g_probe.answersQuery);
    EXPECT_TRUE(g_probe.ownerDrawn);
    EXPECT_GT(g_probe.width, 120);
    ExpectRestored(menu);
    DestroyMenu(menu);
}

TEST_F(SkinTest, MenusAreLeftAloneWhileTheSkinIsOff) {
    component_->Data.SetActive(false);
    Manager().RunPendingAction();
    HWND owner = MakeWindow(WS_OVERLAPPEDWINDOW, 200, 100, "Plain");
    HMENU menu = MakeMenu();
    Track(menu, owner, TPM_RIGHTBUTTON, Manager());
    ASSERT_TRUE(g_probe.seen);
    EXPECT_FALSE(g_probe.answersQuery);
    EXPECT_FALSE(g_probe.ownerDrawn);
    DestroyMenu(menu);
}

}  // namespace
}  // namespace kestrone::test

namespace kestrone::test {
namespace {

struct BarProbe {
    bool popupSeen = false;
    int openIndex = -1;
    const ui::TWinSkinMenu* bar = nullptr;
};
BarProbe g_bar;

void CALLBACK LookAtBarMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menu = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMenuWindow, reinterpret_cast<LPARAM>(&menu));
    if (!menu) return;
    KillTimer(nullptr, timer);
    g_bar.popupSeen = SendMessageA(menu, skinmsg::kQuery, 0, 0) == 1;
    g_bar.openIndex = g_bar.bar->OpenIndex();
    EndMenu();
}

// The skinned menu bar: a press on a popup item opens its menu (skinned) and
// marks the item open; a press on a command item sends its command.
TEST_F(SkinTest, MenuBarOpensMenusAndSendsCommands) {
    HMENU menu = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, 100, "Open");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "File");
    AppendMenuA(menu, MF_STRING, 101, "Help");
    HWND window = MakeWindow(WS_OVERLAPPEDWINDOW, 400, 300, "Bar", menu);
    ASSERT_TRUE(WaitRunning(window));
    SendMessageA(window, skinmsg::kRepaintFrame, 0, 0);
    const ui::TWinSkinMenu* bar = Form(window)->MenuBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->Items().size(), 2u);
    const RECT box = WindowBox(window);
    const auto press = [&](const Rect& item) {
        const LPARAM at = MAKELPARAM(box.left + (item.left + item.right) / 2,
                                     box.top + (item.top + item.bottom) / 2);
        EXPECT_EQ(SendMessageA(window, WM_NCHITTEST, 0, at), HTMENU);
        SendMessageA(window, WM_NCLBUTTONDOWN, HTMENU, at);
    };
    g_bar = {};
    g_bar.bar = bar;
    SetTimer(nullptr, 0, 100, LookAtBarMenu);
    press(bar->Items()[0]);
    EXPECT_TRUE(g_bar.popupSeen);
    EXPECT_EQ(g_bar.openIndex, 0);
    EXPECT_EQ(bar->OpenIndex(), -1);  // closed again
    press(bar->Items()[1]);
    PumpFor(100);
    EXPECT_EQ(LOWORD(Logs()[window].lastCommand), 101);
}

}  // namespace
}  // namespace kestrone::test
