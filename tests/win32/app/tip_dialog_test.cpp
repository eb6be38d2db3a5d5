// The tip dialog as a user meets it: its look, and what OK, Cancel and the
// close box answer with and without "Don't show this again." ticked.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "resource_ids.h"
#include "tip_dialog.h"

namespace kestrone::app {
namespace {

// What the simulated user does once the dialog is up, and what the test saw.
struct UserPlan {
    bool tick = false;
    int button = IDOK;  // IDOK, IDCANCEL, or 0 for the close box
    bool seen = false;
    std::string caption, label;
    RECT client{};
    LONG exStyle = 0;
};
UserPlan* g_plan = nullptr;

BOOL CALLBACK FindDialog(HWND window, LPARAM result) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK ActAsUser(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog || g_plan->seen) return;
    KillTimer(nullptr, timer);
    g_plan->seen = true;
    char text[512] = {};
    GetWindowTextA(dialog, text, sizeof text);
    g_plan->caption = text;
    GetDlgItemTextA(dialog, IDC_TIP_LABEL, text, sizeof text);
    g_plan->label = text;
    GetClientRect(dialog, &g_plan->client);
    g_plan->exStyle = GetWindowLongA(dialog, GWL_EXSTYLE);
    if (g_plan->tick) SendDlgItemMessageA(dialog, IDC_TIP_NOT_SHOW_AGAIN, BM_CLICK, 0, 0);
    if (g_plan->button)
        SendDlgItemMessageA(dialog, g_plan->button, BM_CLICK, 0, 0);
    else
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

int AskAs(UserPlan& plan, bool& notShowAgain) {
    g_plan = &plan;
    SetTimer(nullptr, 0, 100, ActAsUser);
    TfrmTipWithNoShowAgain dialog(GetModuleHandleA(nullptr), nullptr);
    int result = dialog.Ask("UnLockFlash", "  Kestrone will exit programs using USB disk ,\r\n"
                                           "please save your important data and click ok to continue.",
                            notShowAgain);
    g_plan = nullptr;
    return result;
}

TEST(TipDialog, AnswersAsTheUserChose) {
    struct Case {
        bool tick;
        int button;
        int result;
        bool notShowAgain;
    } cases[] = {
        {false, IDOK, 1, false},
        {true, IDOK, 1, true},
        {false, IDCANCEL, 2, false},
        {true, IDCANCEL, 2, true},  // reported, but ShowTip stores nothing on Cancel
        {false, 0, 2, false},       // the close box cancels
    };
    for (const Case& c : cases) {
        UserPlan plan;
        plan.tick = c.tick;
        plan.button = c.button;
        bool notShowAgain = !c.notShowAgain;
        int result = AskAs(plan, notShowAgain);
        ASSERT_TRUE(plan.seen) << "the dialog never showed";
        EXPECT_EQ(result, c.result) << c.tick << " " << c.button;
        EXPECT_EQ(notShowAgain, c.notShowAgain) << c.tick << " " << c.button;
    }
}

TEST(TipDialog, LooksAsSpecifiedEveryTime) {
    for (int round = 0; round < 2; ++round) {  // a fresh dialog starts unticked again
        UserPlan plan;
        bool notShowAgain = true;
        AskAs(plan, notShowAgain);
        EXPECT_EQ(plan.caption, "Prompt");
        EXPECT_EQ(plan.label,
                  "  Kestrone will exit programs using USB disk ,\r\n"
                  "please save your important data and click ok to continue.");
        EXPECT_EQ(plan.client.right, kTipClientWidth);
        EXPECT_EQ(plan.client.bottom, kTipClientHeight);
        EXPECT_TRUE(plan.exStyle & WS_EX_TOPMOST);
        EXPECT_FALSE(notShowAgain);
    }
}

}  // namespace
}  // namespace kestrone::app
