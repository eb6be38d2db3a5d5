// The scan history: report lines, arrival popups, repairs, immunity and
// policy changes, one dated line each, in "History.log" beside the data
// files. Kept to a size limit by dropping the oldest lines; rewritten through
// a temporary file so that a crash leaves the old or the new history whole.
#pragma once

#include <cstddef>
#include <string>

#include "core/text.h"

namespace kestrone {

inline constexpr char kHistoryFileName[] = "History.log";
inline constexpr size_t kHistoryLimitBytes = 512 * 1024;

// "2026-01-01 12:00:00  Scan  E:\kavo.exe  cleaned"
std::string FormatHistoryLine(const std::string& time, const std::string& kind,
                              const std::string& text);
// The text with whole lines dropped from the front until it fits the limit
// (a single line longer than the limit is dropped too).
std::string TrimHistory(const std::string& text, size_t limitBytes);

std::string HistoryPath();
// Appends one line stamped with the local time, and writes the line's event
// to the Windows event log (core/history_events.h); a history that cannot be
// written is not an error for the action that is recorded.
void AppendHistory(const std::string& kind, const std::string& text);
TextList ReadHistory();
// Writes the history as plain text; false when the file cannot be written.
bool ExportHistory(const std::string& path);

}  // namespace kestrone
