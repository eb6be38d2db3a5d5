#include "tip_dialog.h"

#include "resource_ids.h"
#include "win_support.h"

namespace kestrone::app {

namespace {

// Centred on the owner, or on the desktop's work area without one.
void CentreOn(HWND dialog, HWND owner) {
    RECT area;
    if (owner && IsWindowVisible(owner))
        GetWindowRect(owner, &area);
    else
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT box;
    GetWindowRect(dialog, &box);
    int width = box.right - box.left, height = box.bottom - box.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    SetWindowPos(dialog, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE);
}

}  // namespace

int TfrmTipWithNoShowAgain::Ask(const std::string& tipName, const std::string& message,
                                bool& notShowAgain) {
    tipName_ = tipName;
    message_ = message;
    notShowAgain_ = false;
    INT_PTR result = DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_TIP), owner_, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    notShowAgain = notShowAgain_;
    return result == IDOK ? 1 : 2;
}

void TfrmTipWithNoShowAgain::OnInitDialog(HWND dialog) {
    LocalizeDialogTexts(dialog);
    SetDialogClientSize(dialog, kTipClientWidth, kTipClientHeight);
    PlaceControl(dialog, IDC_TIP_IMAGE, 12, 12, 32, 32);
    PlaceControl(dialog, IDC_TIP_LABEL, 56, 12, 316, 40);
    PlaceControl(dialog, IDC_TIP_NOT_SHOW_AGAIN, 56, 66, 150, 17);
    PlaceControl(dialog, IDOK, 214, 62, 75, 25);
    PlaceControl(dialog, IDCANCEL, 297, 62, 75, 25);
    SendDlgItemMessageA(dialog, IDC_TIP_IMAGE, STM_SETICON,
                        reinterpret_cast<WPARAM>(LoadIconA(nullptr, IDI_INFORMATION)), 0);
    SetLocalizedText(GetDlgItem(dialog, IDC_TIP_LABEL), message_);
    CheckDlgButton(dialog, IDC_TIP_NOT_SHOW_AGAIN, BST_UNCHECKED);
    CentreOn(dialog, owner_);
}

INT_PTR CALLBACK TfrmTipWithNoShowAgain::DialogProc(HWND dialog, UINT message, WPARAM wParam,
                                                    LPARAM lParam) {
    auto* self =
        reinterpret_cast<TfrmTipWithNoShowAgain*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        self = reinterpret_cast<TfrmTipWithNoShowAgain*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        self->OnInitDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            if (self)
                self->notShowAgain_ =
                    IsDlgButtonChecked(dialog, IDC_TIP_NOT_SHOW_AGAIN) == BST_CHECKED;
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace kestrone::app
