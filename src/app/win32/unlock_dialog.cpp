#include "unlock_dialog.h"

#include <commctrl.h>

#include "list_view.h"
#include "resource_ids.h"
#include "win_support.h"

namespace kestrone::app {

bool UnlockDialog::ShowModal(std::vector<DriveHolder>& chosen) {
    INT_PTR result = DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_UNLOCK), owner_, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    if (result != IDOK) return false;
    chosen = chosen_;
    return true;
}

void UnlockDialog::OnInitDialog(HWND dialog) {
    LocalizeDialogTexts(dialog);
    HWND list = GetDlgItem(dialog, IDC_UNLOCK_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT |
                                                LVS_EX_INFOTIP | LVS_EX_LABELTIP);
    AddColumn(list, 0, "Program", 110);
    AddColumn(list, 1, "Using", 160);
    AddColumn(list, 2, "Program file", 200);
    for (size_t index = 0; index < holders_.size(); ++index) {
        const DriveHolder& holder = holders_[index];
        AddRow(list, static_cast<int>(index), {holder.name, holder.holds, holder.path});
        ListView_SetCheckState(list, static_cast<int>(index), TRUE);
    }
    SetForegroundWindow(dialog);
}

void UnlockDialog::OnOk(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_UNLOCK_LIST);
    chosen_.clear();
    for (size_t index = 0; index < holders_.size(); ++index)
        if (ListView_GetCheckState(list, static_cast<int>(index))) chosen_.push_back(holders_[index]);
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK UnlockDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<UnlockDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        self = reinterpret_cast<UnlockDialog*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        self->OnInitDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && self) {
            self->OnOk(dialog);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace kestrone::app
