#include "app/quarantine_view.h"

#include "core/text.h"

namespace kestrone {

QuarantineRow RowOfEntry(const QuarantineEntry& entry) {
    return {entry.time, entry.originalPath, entry.reason,
            entry.kept ? "Kept" : (entry.note.empty() ? "No copy kept" : entry.note)};
}

std::string QuarantineSummary(const std::vector<QuarantineEntry>& entries) {
    uint64_t bytes = 0;
    int copies = 0;
    for (const QuarantineEntry& entry : entries) {
        if (!entry.kept) continue;
        ++copies;
        bytes += entry.size;
    }
    std::string size =
        bytes >= 1024 * 1024
            ? Format("%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0))
            : Format("%llu KB", static_cast<unsigned long long>((bytes + 1023) / 1024));
    return Format("%d file%s, %d cop%s, %s", static_cast<int>(entries.size()),
                  entries.size() == 1 ? "" : "s", copies, copies == 1 ? "y" : "ies", size.c_str());
}

std::string RestoreMessage(RestoreOutcome outcome, const std::string& path) {
    switch (outcome) {
        case RestoreOutcome::Restored:
            return path + " has been restored.";
        case RestoreOutcome::NoSuchEntry:
            return "This entry is no longer in the quarantine.";
        case RestoreOutcome::NoCopy:
            return "No copy of " + path + " was kept, so it cannot be restored.";
        case RestoreOutcome::UnsafePath:
            return "The recorded path " + path + " is not a place a file can be restored to.";
        case RestoreOutcome::DriveMissing:
            return "The drive of " + path + " is not there. Insert it and try again.";
        case RestoreOutcome::TargetExists:
            return "";
        case RestoreOutcome::CopyDamaged:
            return "The quarantined copy of " + path + " is damaged and cannot be restored.";
        case RestoreOutcome::WriteRefused:
            return "Unable to write " + path + ".";
    }
    return "";
}

std::string OverwriteQuestion(const std::string& path) {
    return "A file already exists at " + path + ".\r\nReplace it with the quarantined copy?";
}

std::string TrustQuestion(const std::string& path, const std::string& fileCode) {
    return path + " has been restored.\r\nTrust this file (code " + fileCode +
           ") so that later scans leave it where it is?";
}

}  // namespace kestrone
