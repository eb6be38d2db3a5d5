// The shield mark on a skinned push button: the flag is kept per button
// through the skin's message and the program's helper, and the skin draws the
// system's shield left of the caption. Pictures are taken through
// WM_PRINTCLIENT, which the skin answers with its own painting.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "skin_fixture.h"
#include "ui/skin/skin_messages.h"
#include "ui/skin/win32/button_shield.h"
#include "win_support.h"

namespace kestrone::test {
namespace {

using Picture = std::vector<COLORREF>;

class ShieldTest : public SkinTest {
  protected:
    HWND SkinnedButton(const char* caption) {
        HWND window = MakeWindow(WS_OVERLAPPEDWINDOW, 300, 120, "Shield");
        EXPECT_TRUE(WaitRunning(window));
        HWND button = Child(window, "BUTTON", caption, BS_PUSHBUTTON, 20, 20, 200, 40, 401);
        EXPECT_TRUE(PumpUntil([&] { return ui::IsSkinnedWindow(button); }, 2000));
        SetFocus(window);  // no focus rectangle in the pictures
        return button;
    }
    static Picture Take(HWND button) {
        RECT client;
        GetClientRect(button, &client);
        HDC screen = GetDC(button);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
        HGDIOBJ previous = SelectObject(dc, bitmap);
        SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        Picture picture;
        for (int y = 0; y < client.bottom; ++y)
            for (int x = 0; x < client.right; ++x) picture.push_back(GetPixel(dc, x, y));
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(button, screen);
        return picture;
    }
    // The first and last columns where two pictures of the button differ
    // ({-1, -1} when they are the same).
    static std::pair<int, int> ChangedColumns(HWND button, const Picture& a, const Picture& b) {
        RECT client;
        GetClientRect(button, &client);
        std::pair<int, int> columns{-1, -1};
        for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
            if (a[i] == b[i]) continue;
            const int x = static_cast<int>(i % client.right);
            if (columns.first < 0 || x < columns.first) columns.first = x;
            columns.second = std::max(columns.second, x);
        }
        return columns;
    }
};

TEST_F(ShieldTest, ShieldIsDrawnLeftOfTheCaptionAndGoesAgain) {
    if (!ui::SmallShieldIcon()) GTEST_SKIP() << "the system has no shield icon";
    HWND button = SkinnedButton("Repair");
    SetWindowTextA(button, "");
    const Picture blank = Take(button);
    SetWindowTextA(button, "Repair");
    const Picture plain = Take(button);
    const std::pair<int, int> caption = ChangedColumns(button, blank, plain);
    ASSERT_GE(caption.first, 0);

    SendMessageA(button, ui::kSetShieldMessage, 0, 1);  // as any sender would
    EXPECT_TRUE(ui::ButtonShield(button));
    const Picture shielded = Take(button);
    const std::pair<int, int> changed = ChangedColumns(button, plain, shielded);
    ASSERT_GE(changed.first, 0) << "the shield changed nothing";
    EXPECT_LT(changed.first, caption.first);  // the shield sits before the caption
    // The caption made room: something is drawn right of where it ended.
    EXPECT_GT(ChangedColumns(button, blank, shielded).second, caption.second);

    app::SetButtonShield(button, false);
    EXPECT_FALSE(ui::ButtonShield(button));
    EXPECT_EQ(Take(button), plain);
}

TEST_F(ShieldTest, HelperKeepsTheFlagWhileTheSkinIsOff) {
    HWND button = SkinnedButton("Policies");
    const Picture plain = Take(button);
    SendMessageA(button, skinmsg::kControlSkinning, 0, 0);
    app::SetButtonShield(button, true);  // the skin does not see this one
    EXPECT_TRUE(ui::ButtonShield(button));
    SendMessageA(button, skinmsg::kControlSkinning, 1, 0);
    if (ui::SmallShieldIcon()) {
        EXPECT_NE(Take(button), plain);
    }
    app::SetButtonShield(button, false);
    EXPECT_EQ(Take(button), plain);
}

}  // namespace
}  // namespace kestrone::test
