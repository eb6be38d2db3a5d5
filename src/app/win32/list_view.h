// Small helpers for the report-style list views of the pages and dialogs:
// columns (captions shown in the language of the run), rows of texts, widths
// fitted to the content.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace kestrone::app {

void AddColumn(HWND list, int index, const char* caption, int width, int format = LVCFMT_LEFT);
void SetCell(HWND list, int row, int column, const std::string& text);
// A cell that holds one of the program's own words (a state, an action).
void SetLocalizedCell(HWND list, int row, int column, const std::string& text);
// A row at `row`: the first text as the item, the others as its columns.
void AddRow(HWND list, int row, const std::vector<std::string>& cells);
// Each column as wide as its widest cell, and never narrower than its caption;
// the user can still drag any column wider.
void FitColumns(HWND list, int columns);
// The last column reaches the list's right edge (after the list grew), but
// never gets narrower than it is.
void FillLastColumn(HWND list);
// The selected row; -1 when none is selected.
int SelectedRow(HWND list);

}  // namespace kestrone::app
