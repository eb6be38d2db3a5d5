// The command line of kestrone-scan: drives to clean, --all, --memory,
// --report-only, --json and --help. Parsing is a plain function so that every rule
// has a test; whether a named drive exists is checked when the scan starts.
#pragma once

#include <string>
#include <vector>

namespace kestrone::cli {

struct ScanRequest {
    std::vector<std::string> drives;  // roots such as "E:\", upper-case, each once, in order
    bool allDrives = false;           // --all: every fixed and removable drive
    bool memory = false;              // --memory
    bool reportOnly = false;          // --report-only: change nothing, list what would go
    bool json = false;                // --json: findings and a summary as JSON lines
    bool help = false;                // --help, -h, /?
};

struct ParsedArguments {
    bool ok = false;
    ScanRequest request;
    std::string error;  // what was wrong, for the usage message
};

// The arguments after the program name. Options and drives may come in any
// order and may be repeated. A drive is a letter and a colon, with or without
// a backslash (or slash) after it. Without any target (drive, --all or
// --memory) the arguments are incomplete, unless help was asked for.
ParsedArguments ParseScanArguments(const std::vector<std::string>& arguments);

// "E:\" for "e:", "E:\" or "e:/"; empty when the text is no drive root.
std::string DriveRootOf(const std::string& argument);

// The text --help prints.
std::string UsageText();

}  // namespace kestrone::cli
