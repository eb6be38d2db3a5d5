// What a kestrone-scan run amounts to: which report lines name a threat, how
// a report-only run words its lines, and the exit code that sums it all up.
#pragma once

#include <string>

namespace kestrone::cli {

enum ExitCode : int {
    kExitClean = 0,               // nothing found
    kExitRemoved = 1,             // threats found, all removed
    kExitNotAllRemoved = 2,       // threats found, some still there (or report-only)
    kExitUsageOrData = 3,         // wrong arguments, missing or broken data files
    kExitDriveBusy = 4,           // a drive was left alone: Kestrone was cleaning it
    kExitNeedsAdministrator = 5,  // threats stayed because Windows refused a process without
                                  // administrator rights
};

struct ScanOutcome {
    int threatLines = 0;     // report lines that name a removed (or removable) threat
    int refusedChanges = 0;  // deletions and terminations the system refused
    int busyDrives = 0;      // drives skipped because another cleaning held them
    int leftLines = 0;       // worm files left: removing that many needs a yes in the window
    bool reportOnly = false;
    bool dataError = false;      // data files missing or broken: the scan did not run (fully)
    bool commandFailed = false;  // a scan target ended with an error of the engine
    bool elevated = true;        // the run held administrator rights
};

int ExitCodeFor(const ScanOutcome& outcome);

// True for the engine's lines that stand for a threat: a path followed by
// "  cleaned", a drive's closing " cleaned completed." and a virus found in
// memory. No-threat lines, notes and blank lines are not threats.
bool IsThreatLine(const std::string& line);

// True for a worm file left because its removal needed the user's yes.
bool IsLeftUnconfirmedLine(const std::string& line);

// The line as a report-only run prints it: the engine reports every change as
// done, so "cleaned" becomes what would happen. Other lines stay as they are.
std::string ReportOnlyWording(const std::string& line);

}  // namespace kestrone::cli
