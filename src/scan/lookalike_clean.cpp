// Removing look-alike worms from a removable drive.
#include "scan/drive_clean.h"
#include "scan/hidden_items.h"
#include "scan/lookalike_worm.h"
#include "scan/worm_payloads.h"

namespace kestrone {

WormCleanReport CleanLookalikeWorms(const std::string& driveRoot,
                                    const std::vector<Lookalike>& found) {
    WormCleanReport report;
    if (found.empty()) return report;
    WormPayloads worm;
    worm.driveRoot = driveRoot;
    for (const Lookalike& copy : found) {
        if (IndexOfText(worm.paths, copy.program) < 0) worm.paths.push_back(copy.program);
    }
    AddPayloadCodes(worm);  // before the copies go: the worm's copies on this PC share them
    TerminatePayloadProcesses(worm);
    report.cleaned = DeleteLiteralFileList(worm.paths);
    DeletePayloadStartupValues(worm);
    for (const Lookalike& copy : found) {
        // An item whose copy stayed (the user trusts that file) stays as it is.
        if (IndexOfText(report.cleaned, copy.program) < 0 ||
            IndexOfText(report.restored, copy.item) >= 0) {
            continue;
        }
        if (ShowHiddenItem(copy.item, copy.itemAttributes)) report.restored.push_back(copy.item);
    }
    return report;
}

}  // namespace kestrone
