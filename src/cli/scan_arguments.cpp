#include "cli/scan_arguments.h"

#include <algorithm>

#include "core/text.h"

namespace kestrone::cli {

namespace {

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

void AddDrive(ScanRequest& request, const std::string& root) {
    if (std::find(request.drives.begin(), request.drives.end(), root) == request.drives.end())
        request.drives.push_back(root);
}

// Applies an option; false when the text is no option we know.
bool ApplyOption(ScanRequest& request, const std::string& option) {
    std::string lower = LowerCase(option);
    if (lower == "--all") {
        request.allDrives = true;
    } else if (lower == "--memory") {
        request.memory = true;
    } else if (lower == "--report-only") {
        request.reportOnly = true;
    } else if (lower == "--json") {
        request.json = true;
    } else if (lower == "--help" || lower == "-h" || lower == "/?" || lower == "-?") {
        request.help = true;
    } else {
        return false;
    }
    return true;
}

}  // namespace

std::string DriveRootOf(const std::string& argument) {
    if (argument.size() < 2 || argument.size() > 3) return std::string();
    if (!IsLetter(argument[0]) || argument[1] != ':') return std::string();
    if (argument.size() == 3 && argument[2] != '\\' && argument[2] != '/') return std::string();
    return UpperCase(argument.substr(0, 1)) + ":\\";
}

ParsedArguments ParseScanArguments(const std::vector<std::string>& arguments) {
    ParsedArguments parsed;
    ScanRequest& request = parsed.request;
    for (const std::string& argument : arguments) {
        if (ApplyOption(request, argument)) continue;
        std::string root = DriveRootOf(argument);
        if (!root.empty()) {
            AddDrive(request, root);
            continue;
        }
        bool looksLikeOption = !argument.empty() && (argument[0] == '-' || argument[0] == '/');
        parsed.error = looksLikeOption ? "unknown option " + argument
                                       : "not a drive: " + argument + " (write it as E:\\)";
        return parsed;
    }
    if (!request.help && request.drives.empty() && !request.allDrives && !request.memory) {
        parsed.error = "nothing to scan: name a drive, --all or --memory";
        return parsed;
    }
    parsed.ok = true;
    return parsed;
}

std::string UsageText() {
    return "Usage: kestrone-scan [--report-only] [--json] [--memory] (--all | DRIVE...)\n"
           "       kestrone-scan [--report-only] [--json] --memory\n"
           "\n"
           "  DRIVE          a drive to scan and clean, such as E:\\\n"
           "  --all          every fixed and removable drive\n"
           "  --memory       running programs and the known places of viruses\n"
           "  --report-only  change nothing; list what would be removed\n"
           "  --json         one JSON object a line: each finding, then a summary\n"
           "  --help         this text\n"
           "\n"
           "The memory is scanned first, then the drives in the order given.\n"
           "Report lines go to standard output, progress to standard error.\n"
           "\n"
           "Exit codes:\n"
           "  0  nothing found\n"
           "  1  threats found and all removed\n"
           "  2  threats found and not all removed (always so with --report-only)\n"
           "  3  wrong arguments, or the data files are missing or broken\n"
           "  4  a drive was not scanned because Kestrone is cleaning it\n"
           "  5  threats left because Windows refused: run it as administrator\n";
}

}  // namespace kestrone::cli
