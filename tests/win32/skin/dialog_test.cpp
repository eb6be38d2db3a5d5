// The program's own dialogs wear the skin: the tip dialog, made from the
// program's resources as a "#32770", is skinned with its buttons and check
// box while it asks. It stays up long enough for the suite's picture.
#include "resource_ids.h"
#include "skin_fixture.h"
#include "tip_dialog.h"
#include "ui/skin/skin_messages.h"
#include "ui/skin/win32/skin_control.h"

namespace kestrone::test {
namespace {

struct DialogProbe {
    bool seen = false;
    bool skinned = false;
    FrameKind kind = FrameKind::NoCaption;
    ControlSkinKind ok = ControlSkinKind::None, check = ControlSkinKind::None;
    bool labelSkinned = true;
    DWORD shownAt = 0;
    ui::TSkinManage* manager = nullptr;
};
DialogProbe g_dialog;

ControlSkinKind KindOf(ui::TWinSkinForm& form, HWND control) {
    ui::TSkinControl* skin = form.FindControl(control);
    return skin ? skin->Kind() : ControlSkinKind::None;
}

void CALLBACK LookAtDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowA("#32770", "Prompt");
    ui::TWinSkinForm* form = dialog ? g_dialog.manager->FindForm(dialog) : nullptr;
    if (!form || form->Life() != ui::FormLife::Running) return;
    if (!g_dialog.seen) {
        g_dialog.seen = true;
        g_dialog.shownAt = GetTickCount();
        g_dialog.skinned = SendMessageA(dialog, skinmsg::kQuery, 0, 0) == 1;
        g_dialog.kind = form->Kind();
        g_dialog.ok = KindOf(*form, GetDlgItem(dialog, IDOK));
        g_dialog.check = KindOf(*form, GetDlgItem(dialog, IDC_TIP_NOT_SHOW_AGAIN));
        g_dialog.labelSkinned = ui::IsSkinnedWindow(GetDlgItem(dialog, IDC_TIP_LABEL));
    }
    if (GetTickCount() - g_dialog.shownAt < 2500) return;  // time for the picture
    KillTimer(nullptr, timer);
    SendDlgItemMessageA(dialog, IDCANCEL, BM_CLICK, 0, 0);
}

TEST_F(SkinTest, TipDialogWearsTheSkin) {
    g_dialog = {};
    g_dialog.manager = &Manager();
    SetTimer(nullptr, 0, 100, LookAtDialog);
    app::TfrmTipWithNoShowAgain tip(GetModuleHandleA(nullptr), nullptr);
    bool notShowAgain = false;
    const int answer = tip.Ask("UnLockFlash",
                               "  Kestrone will exit programs using USB disk ,\r\n"
                               "please save your important data and click ok to continue.",
                               notShowAgain);
    ASSERT_TRUE(g_dialog.seen);
    EXPECT_TRUE(g_dialog.skinned);
    EXPECT_EQ(g_dialog.kind, FrameKind::Dialog);
    EXPECT_EQ(g_dialog.ok, ControlSkinKind::Button);
    EXPECT_EQ(g_dialog.check, ControlSkinKind::CheckBox);
    EXPECT_FALSE(g_dialog.labelSkinned);
    EXPECT_EQ(answer, 2);  // Cancel, clicked on the skinned button
}

}  // namespace
}  // namespace kestrone::test
