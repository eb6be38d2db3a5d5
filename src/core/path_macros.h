// Working directories and the path macros that definitions write paths with
// ("%temp%", "%systemroot%", "%windir%", "%programfiles%", "%disk%").
#pragma once

#include <string>

#include "core/text.h"

namespace kestrone {

// The data directory: the user's temporary folder, ending in a backslash.
std::string GetTempDir();
// A shell folder (CSIDL) ending in a backslash; just "\" when it cannot be resolved.
std::string GetSpecialDir(int csidl);
// The executable's own folder, ending in a backslash.
std::string GetExeDir();

// Expands each entry's leading macro; entries that are neither a macro path nor
// a drive path (":\") are dropped, so the result may be shorter.
TextList ExpandPathMacros(const TextList& entries);
// One path per fixed or removable (not A) drive: letter + ":\" + remainder.
TextList ExpandDiskMacro(const std::string& remainder);

// True when the entry names a path: a macro or ":\" anywhere in it.
bool IsPathEntry(const std::string& entry);
TextList SelectPathEntries(const TextList& entries);
TextList SelectNameEntries(const TextList& entries);

}  // namespace kestrone
