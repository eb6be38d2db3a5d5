#include "core/history_log.h"

#include "core/definitions.h"
#include "core/history_events.h"
#include "core/quarantine_format.h"
#include "platform/environment.h"
#include "platform/files.h"

namespace kestrone {

std::string FormatHistoryLine(const std::string& time, const std::string& kind,
                              const std::string& text) {
    return time + "  " + kind + "  " + OneLineText(text) + "\r\n";
}

std::string TrimHistory(const std::string& text, size_t limitBytes) {
    size_t start = 0;
    while (text.size() - start > limitBytes) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) return "";
        start = end + 1;
    }
    return text.substr(start);
}

std::string HistoryPath() {
    return DataFilePath(kHistoryFileName);
}

void AppendHistory(const std::string& kind, const std::string& text) {
    // The blank separator lines of a report say nothing in the history.
    if (Trim(OneLineText(text)).empty()) return;
    ReportHistoryEvent(kind, text);  // also when the file cannot be written
    std::string history;
    platform::ReadWholeFile(HistoryPath(), history);
    if (!history.empty() && history.back() != '\n')
        history += "\r\n";  // a cut last line stays apart
    history += FormatHistoryLine(platform::CurrentLocalTimeText(), kind, text);
    std::string temporary = HistoryPath() + ".new";
    if (platform::WriteTextFile(temporary, TrimHistory(history, kHistoryLimitBytes)) &&
        platform::ReplaceFileWith(temporary, HistoryPath()))
        return;
    platform::RemoveFile(temporary);
}

TextList ReadHistory() {
    TextList lines;
    std::string history;
    if (!platform::ReadWholeFile(HistoryPath(), history)) return lines;
    size_t start = 0;
    while (start < history.size()) {
        size_t end = history.find('\n', start);
        std::string line = history.substr(start, end == std::string::npos ? end : end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

bool ExportHistory(const std::string& path) {
    std::string text;
    for (const std::string& line : ReadHistory()) text += line + "\r\n";
    return platform::WriteTextFile(path, text);
}

}  // namespace kestrone
