#include "list_view.h"

#include <algorithm>

#include "app/page_layout.h"
#include "dpi.h"

namespace kestrone::app {

void AddColumn(HWND list, int index, const char* caption, int width, int format) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = format;
    column.cx = ScaleToDpi(width, WindowDpi(list));  // widths are given at 96 DPI
    column.pszText = const_cast<char*>(caption);
    SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

void SetCell(HWND list, int row, int column, const std::string& text) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

void AddRow(HWND list, int row, const std::vector<std::string>& cells) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<char*>(cells[0].c_str());
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    for (size_t column = 1; column < cells.size(); ++column)
        SetCell(list, row, static_cast<int>(column), cells[column]);
}

namespace {
// The width a column's caption needs with the header's margins.
int CaptionWidth(HWND list, int column) {
    char caption[128] = {};
    LVCOLUMNA item{};
    item.mask = LVCF_TEXT;
    item.pszText = caption;
    item.cchTextMax = sizeof caption;
    if (!SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&item))) return 0;
    return ListView_GetStringWidth(list, caption) + ScaleToDpi(16, WindowDpi(list));
}
}  // namespace

void FitColumns(HWND list, int columns) {
    for (int column = 0; column < columns; ++column) {
        ListView_SetColumnWidth(list, column, LVSCW_AUTOSIZE);
        const int content = std::max(ListView_GetColumnWidth(list, column), CaptionWidth(list, column));
        ListView_SetColumnWidth(list, column, LVSCW_AUTOSIZE_USEHEADER);
        if (ListView_GetColumnWidth(list, column) < content)
            ListView_SetColumnWidth(list, column, content);
    }
}

void FillLastColumn(HWND list) {
    HWND header = ListView_GetHeader(list);
    const int last = header ? Header_GetItemCount(header) - 1 : -1;
    if (last < 0) return;
    const int before = ListView_GetColumnWidth(list, last);
    ListView_SetColumnWidth(list, last, LVSCW_AUTOSIZE_USEHEADER);
    if (ListView_GetColumnWidth(list, last) < before) ListView_SetColumnWidth(list, last, before);
}

int SelectedRow(HWND list) { return ListView_GetNextItem(list, -1, LVNI_SELECTED); }

}  // namespace kestrone::app
