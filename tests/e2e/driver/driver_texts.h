// The driver's look at what the main window says: every visible text of its
// controls (window texts, toolbar buttons, list-view column captions), each
// marked as Chinese, as one of the program's English texts that has a
// Chinese twin, or as something else (names, paths, numbers).
#pragma once

#include <windows.h>

// "page-texts": one line per text, "zh|", "en|" or "--|" and the text in
// UTF-8, then "zh=N en=M". Returns 0.
int PageTexts(HWND main);
