#include "unlock_dialog.h"

#include <commctrl.h>

#include "resource_ids.h"

namespace kestrone::app {

namespace {

void AddColumn(HWND list, int index, const char* caption, int width) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = width;
    column.pszText = const_cast<char*>(caption);
    SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

void SetCell(HWND list, int row, int column, const std::string& text) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

bool UnlockDialog::ShowModal(std::vector<DriveHolder>& chosen) {
    INT_PTR result = DialogBoxParamA(instance_, MAKEINTRESOURCEA(IDD_UNLOCK), owner_, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    if (result != IDOK) return false;
    chosen = chosen_;
    return true;
}

void UnlockDialog::OnInitDialog(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_UNLOCK_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT |
                                                LVS_EX_INFOTIP | LVS_EX_LABELTIP);
    AddColumn(list, 0, "Program", 110);
    AddColumn(list, 1, "Using", 160);
    AddColumn(list, 2, "Program file", 200);
    for (size_t index = 0; index < holders_.size(); ++index) {
        const DriveHolder& holder = holders_[index];
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(index);
        item.pszText = const_cast<char*>(holder.name.c_str());
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        SetCell(list, static_cast<int>(index), 1, holder.holds);
        SetCell(list, static_cast<int>(index), 2, holder.path);
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
