#include "cli/scan_outcome.h"

#include "core/text.h"
#include "scan/drive_clean.h"
#include "scan/drive_scan.h"
#include "scan/mass_removal.h"
#include "scan/memory_scan.h"

namespace kestrone::cli {

namespace {

struct Wording {
    const char* suffix;
    const char* reportOnly;
};

const Wording kWordings[] = {
    {kCompletedSuffix, " threats found, nothing changed."},
    {kCleanedInMemorySuffix, " virus found in memory, would be cleaned"},
    {kCleanedSuffix, "  would be removed"},
};

}  // namespace

int ExitCodeFor(const ScanOutcome& outcome) {
    if (outcome.dataError) return kExitUsageOrData;
    if (outcome.busyDrives > 0) return kExitDriveBusy;
    bool found = outcome.threatLines > 0 || outcome.leftLines > 0;
    if (outcome.reportOnly) return found ? kExitNotAllRemoved : kExitClean;
    // A refusal or a failed target means something stayed behind, even when
    // no line says so: a file that could not go is left out of the report.
    if (outcome.refusedChanges > 0 && !outcome.elevated) return kExitNeedsAdministrator;
    if (outcome.refusedChanges > 0 || outcome.commandFailed || outcome.leftLines > 0)
        return kExitNotAllRemoved;
    return found ? kExitRemoved : kExitClean;
}

bool IsThreatLine(const std::string& line) {
    for (const Wording& wording : kWordings) {
        if (line.size() > std::string(wording.suffix).size() && EndsWith(line, wording.suffix))
            return true;
    }
    return false;
}

bool IsLeftUnconfirmedLine(const std::string& line) {
    return line.size() > std::string(kLeftUnconfirmedSuffix).size() &&
           EndsWith(line, kLeftUnconfirmedSuffix);
}

std::string ReportOnlyWording(const std::string& line) {
    for (const Wording& wording : kWordings) {
        std::string suffix = wording.suffix;
        if (line.size() > suffix.size() && EndsWith(line, suffix))
            return line.substr(0, line.size() - suffix.size()) + wording.reportOnly;
    }
    return line;
}

}  // namespace kestrone::cli
