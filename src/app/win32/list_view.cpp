#include "list_view.h"

#include <algorithm>

#include "app/page_layout.h"
#include "dpi.h"
#include "win_support.h"

namespace kestrone::app {

void AddColumn(HWND list, int index, const char* caption, int width, int format) {
    std::wstring shown = LocalizedWide(caption);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = format;
    column.cx = ScaleToDpi(width, WindowDpi(list));  // widths are given at 96 DPI
    column.pszText = shown.data();
    SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
}

void SetCell(HWND list, int row, int column, const std::string& text) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

void SetLocalizedCell(HWND list, int row, int column, const std::string& text) {
    std::wstring shown = LocalizedWide(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = shown.data();
    SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
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

// The room a column's caption needs in the header's own font, with the
// header's margins; an empty list's header-fitted width can fall short of it.
int CaptionWidth(HWND list, int column) {
    HWND header = ListView_GetHeader(list);
    wchar_t text[128] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = 128;
    if (!header || !SendMessageW(header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item)))
        return 0;
    HDC dc = GetDC(header);
    SIZE size{};
    {
        SelectedObject font(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(header, WM_GETFONT, 0, 0)));
        GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    }
    ReleaseDC(header, dc);
    return size.cx + 6 * GetSystemMetrics(SM_CXEDGE) + 4;
}

}  // namespace

void FitColumns(HWND list, int columns) {
    for (int column = 0; column < columns; ++column) {
        ListView_SetColumnWidth(list, column, LVSCW_AUTOSIZE);
        const int content = ListView_GetColumnWidth(list, column);
        ListView_SetColumnWidth(list, column, LVSCW_AUTOSIZE_USEHEADER);
        const int wanted = std::max(content, CaptionWidth(list, column));
        if (ListView_GetColumnWidth(list, column) < wanted)
            ListView_SetColumnWidth(list, column, wanted);
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
