#include "sel_choice_dialog.h"

#include <exception>

#include "app/threat_choice.h"
#include "core/user_settings.h"
#include "resource_ids.h"
#include "win_support.h"

namespace kestrone::app {

namespace {

constexpr int kChoiceIds[] = {IDC_SEL_CHOICE1, IDC_SEL_CHOICE2, IDC_SEL_CHOICE3};

int SelectedChoice(HWND dialog) {
    for (int index = 0; index < 3; ++index)
        if (IsDlgButtonChecked(dialog, kChoiceIds[index]) == BST_CHECKED) return index;
    return -1;
}

}  // namespace

int TfrmSelChoice::ShowModal() {
    INT_PTR result = DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_SELCHOICE), owner_, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    if (boldFont_) DeleteObject(boldFont_);
    boldFont_ = nullptr;
    return result >= 1 && result <= 4 ? static_cast<int>(result) : kActionNothing;
}

void TfrmSelChoice::OnInitDialog(HWND dialog) {
    LocalizeDialogTexts(dialog);
    SetDialogClientSize(dialog, kSelChoiceClientWidth, kSelChoiceClientHeight);
    RECT box;
    GetWindowRect(dialog, &box);
    int width = box.right - box.left, height = box.bottom - box.top;
    SetWindowPos(dialog, HWND_TOPMOST, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE);
    PlaceControl(dialog, IDC_SEL_IMAGE, 12, 12, 32, 32);
    PlaceControl(dialog, IDC_SEL_LABEL, 56, 12, 320, 18);
    PlaceControl(dialog, IDC_SEL_GROUP, 56, 34, 318, 82);
    PlaceControl(dialog, IDC_SEL_CHOICE1, 68, 52, 300, 18);
    PlaceControl(dialog, IDC_SEL_CHOICE2, 68, 72, 300, 18);
    PlaceControl(dialog, IDC_SEL_CHOICE3, 68, 92, 300, 18);
    PlaceControl(dialog, IDC_SEL_NOT_SHOW_AGAIN, 56, 124, 150, 17);
    PlaceControl(dialog, IDC_SEL_TRUST, 56, 145, 150, 17);
    PlaceControl(dialog, IDOK, 216, 132, 75, 25);
    PlaceControl(dialog, IDCANCEL, 299, 132, 75, 25);
    SendDlgItemMessageA(dialog, IDC_SEL_IMAGE, STM_SETICON,
                        reinterpret_cast<WPARAM>(LoadIconA(nullptr, IDI_WARNING)), 0);
    boldFont_ = MakeFont(UiFontFace(), -12, true);
    SendDlgItemMessageA(dialog, IDC_SEL_LABEL, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_), FALSE);
    SetLocalizedText(GetDlgItem(dialog, IDC_SEL_LABEL), kSelChoiceHeading);
    int selected = InitialChoiceIndex(ReadUserChoice());
    for (int index = 0; index < 3; ++index)
        CheckDlgButton(dialog, kChoiceIds[index], index == selected ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_SEL_NOT_SHOW_AGAIN, BST_UNCHECKED);
    trustBox_ = TrustBoxForDrive(driveRoot_, volume_);
    SetDlgItemTextA(dialog, IDC_SEL_TRUST, kTrustCheckBoxCaption);
    CheckDlgButton(dialog, IDC_SEL_TRUST, trustBox_.checked ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(dialog, IDC_SEL_TRUST), trustBox_.enabled);
    SetForegroundWindow(dialog);
}

void TfrmSelChoice::OnOk(HWND dialog) {
    bool dontShowAgain = IsDlgButtonChecked(dialog, IDC_SEL_NOT_SHOW_AGAIN) == BST_CHECKED;
    int result = SelChoiceResult(SelChoiceAnswer::Ok, SelectedChoice(dialog), dontShowAgain);
    if (result == 0) return;  // no choice: the question stays
    // Before the clean that follows, so that it already spares the stick's own programs.
    bool trust = IsDlgButtonChecked(dialog, IDC_SEL_TRUST) == BST_CHECKED;
    ApplyTrustAnswer(driveRoot_, volume_, trustBox_, trust);
    EndDialog(dialog, result);
}

INT_PTR CALLBACK TfrmSelChoice::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TfrmSelChoice*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        self = reinterpret_cast<TfrmSelChoice*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        self->OnInitDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && self) {
            try {
                self->OnOk(dialog);
            } catch (const std::exception& error) {
                ShowErrorBox(dialog, error.what());  // the settings file refused the choice
            }
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {  // the Cancel button, Escape and the close box
            EndDialog(dialog, SelChoiceResult(SelChoiceAnswer::Cancel, -1, false));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace kestrone::app
