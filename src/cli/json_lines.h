// kestrone-scan's output for scripts (--json): one JSON object a line, one
// per finding and a summary at the end. Texts are the system's ANSI bytes;
// they are written as pure ASCII JSON, every other character as a \u escape
// of its UTF-16 code unit, so that the output reads the same whatever code
// page the console or the script uses.
#pragma once

#include <string>

#include "cli/scan_outcome.h"

namespace kestrone::cli {

// A JSON string literal (with its quotes) for UTF-16 text: quote, backslash
// and control characters escaped, everything beyond ASCII as \uXXXX.
std::string JsonString(const std::u16string& text);
// The same for ANSI text, converted with the system's code page.
std::string JsonAnsiString(const std::string& ansiText);

// What a report line that names a threat says, taken apart.
struct Finding {
    std::string kind;    // "file", "memory" or "drive"
    std::string where;   // the path, the program's name or the drive root
    std::string action;  // "removed" or "would be removed" (report only)
};
// False for lines that name no threat.
bool FindingOfLine(const std::string& engineLine, bool reportOnly, Finding& finding);

// {"type":"finding","kind":"file","path":"E:\\WORM.EXE","action":"removed","line":"..."}
std::string FindingJson(const Finding& finding, const std::string& shownLine);
// {"type":"summary","exitCode":1,"threats":4,"refused":0,"busyDrives":0,"reportOnly":false,
//  "message":"Threats found and removed."}
std::string SummaryJson(const ScanOutcome& outcome, int exitCode, const std::string& message);

}  // namespace kestrone::cli
