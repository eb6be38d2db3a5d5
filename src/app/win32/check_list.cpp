#include "check_list.h"

#include <windows.h>
#include <commctrl.h>

#include "app/page_layout.h"
#include "dpi.h"
#include "win_support.h"

namespace kestrone::app {

void MakeCheckList(HWND listView, int columnWidth) {
    ListView_SetExtendedListViewStyle(listView, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = ScaleToDpi(columnWidth, WindowDpi(listView));
    SendMessageA(listView, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
}

void SetCheckListItems(HWND listView, const std::vector<std::string>& items) {
    ListView_DeleteAllItems(listView);
    int index = 0;
    for (const std::string& text : items) {
        std::wstring shown = LocalizedWide(text);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = index++;
        item.pszText = shown.data();
        SendMessageW(listView, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void SetAllChecked(HWND listView, bool checked) {
    int count = ListView_GetItemCount(listView);
    for (int index = 0; index < count; ++index) ListView_SetCheckState(listView, index, checked);
}

}  // namespace kestrone::app
