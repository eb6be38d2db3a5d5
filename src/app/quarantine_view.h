// What the quarantine page says: the cells of an entry's row, the summary
// line under the list, and the message for each outcome of a restore.
#pragma once

#include <string>
#include <vector>

#include "core/quarantine_store.h"

namespace kestrone {

struct QuarantineRow {
    std::string time;
    std::string file;  // the original path
    std::string reason;
    std::string copy;  // "Kept" or the note why not
};

QuarantineRow RowOfEntry(const QuarantineEntry& entry);
// "3 files, 2 copies, 1.5 MB"
std::string QuarantineSummary(const std::vector<QuarantineEntry>& entries);
// The message after a restore; empty for TargetExists, which is a question.
std::string RestoreMessage(RestoreOutcome outcome, const std::string& path);
std::string OverwriteQuestion(const std::string& path);
std::string TrustQuestion(const std::string& path, const std::string& fileCode);

}  // namespace kestrone
