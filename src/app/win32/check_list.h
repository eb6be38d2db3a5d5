// A check list (a list of texts, each with a check box) built on the list view.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kestrone::app {

// Makes an existing list-view control (report style, no header) a check list.
void MakeCheckList(HWND listView, int columnWidth);
void SetCheckListItems(HWND listView, const std::vector<std::string>& items);
void SetAllChecked(HWND listView, bool checked);

}  // namespace kestrone::app
