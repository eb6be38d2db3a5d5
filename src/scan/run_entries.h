// Start-up entries: the programs that the registry's Run keys launch, found by
// file code, and the extraction of a program path from a start-up command line.
#pragma once

#include <cstddef>
#include <string>

#include "core/text.h"

namespace kestrone {

// The start-up keys, in the order they are scanned (also by the drive scan,
// which removes start-up values).
extern const char* const kStartupKeys[3];

// Targets of start-up values whose program's file code is in the list (compared
// with each entry upper-cased): one per (value, matching code), in key, value
// and code-list order. Missing keys, keys refusing full access and values whose
// data is not a string are skipped.
TextList ScanRunEntries(const TextList& codes);

// The program a start-up command line launches, lower-case: a program or
// module named in the arguments wins over the program that runs it. "None"
// when no program is named; "Skip", "" in the corner cases of ExtractCommandPath.
std::string ExtractRunTarget(const std::string& commandLine);

// The first drive path in the text through the end of its earliest ".exe",
// ".dll" or ".tmp " (lower-case); the module after "rundll32.exe"; "None" when
// the text holds no ":\"; "Skip" when it holds one but no ".exe" or ".dll".
std::string ExtractCommandPath(const std::string& text);

// The text without any double-quote character.
std::string StripQuotes(const std::string& text);

// The smallest of three 1-based positions, 0 meaning absent: a and b when both
// are present, else a and c, else b and c, else the one present (or 0).
size_t MinPosition(size_t a, size_t b, size_t c);

}  // namespace kestrone
