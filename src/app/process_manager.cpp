#include "app/process_manager.h"

#include <algorithm>

#include "platform/processes.h"
#include "scan/process_info.h"
#include "scan/process_lists.h"

namespace kestrone {

std::string ProcessStatusText(bool system, bool trusted) {
    if (system) return kSystemProcessText;
    return trusted ? kTrustedProcessText : kUnknownProcessText;
}

std::vector<ProcessRow> ReadProcessRows() {
    std::vector<ProcessRow> rows;
    for (const platform::ProcessEntry& process : platform::SnapshotProcesses()) {
        ProcessRow row;
        row.name = process.exeName.substr(0, 260);
        bool system = IsSystemProcess(process.id);
        row.status = ProcessStatusText(system, !system && IsTrustedProcess(process.id));
        row.path = GetProcessExePath(process.id);
        rows.push_back(std::move(row));
    }
    return rows;
}

namespace {
const std::string& ColumnText(const ProcessRow& row, int column) {
    if (column == 1) return row.status;
    if (column == 2) return row.path;
    return row.name;
}
}  // namespace

int CompareProcessRows(const ProcessRow& a, const ProcessRow& b, int column, bool ascending) {
    int r = UpperCase(ColumnText(a, column)).compare(UpperCase(ColumnText(b, column)));
    r = r < 0 ? -1 : (r > 0 ? 1 : 0);
    return ascending ? r : -r;
}

void ProcessSort::ColumnClick(int column, std::vector<ProcessRow>& rows) {
    SortColumn = column;
    std::stable_sort(rows.begin(), rows.end(), [this](const ProcessRow& a, const ProcessRow& b) {
        return CompareProcessRows(a, b, SortColumn, SortAscending) < 0;
    });
    SortAscending = !SortAscending;
}

TextList CheckedNames(const std::vector<ProcessRow>& rows) {
    TextList names;
    for (const ProcessRow& row : rows)
        if (row.checked) names.push_back(row.name);
    return names;
}

TextList CheckedPaths(const std::vector<ProcessRow>& rows) {
    TextList paths;
    for (const ProcessRow& row : rows)
        if (row.checked) paths.push_back(row.path);
    return paths;
}

std::string CloseResultMessage(size_t names, size_t terminated) {
    return names == terminated ? kCloseDoneMessage : kCloseFailedMessage;
}

std::string PopupCloseMessage(bool stillRunning) {
    return stillRunning ? kCloseFailedMessage : kCloseDoneMessage;
}

TextList InquireNames(const std::vector<ProcessRow>& rows, int focused) {
    TextList names = CheckedNames(rows);
    if (focused >= 0 && static_cast<size_t>(focused) < rows.size())
        names.push_back(rows[static_cast<size_t>(focused)].name);
    return names;
}

std::string PercentEncode(const std::string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (unsigned char c : text) {
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                     c == '-' || c == '_' || c == '.' || c == '~';
        if (plain) {
            encoded += static_cast<char>(c);
        } else {
            encoded += '%';
            encoded += kHex[c >> 4];
            encoded += kHex[c & 15];
        }
    }
    return encoded;
}

std::string InquireRequest(const std::string& name) { return kInquireAddress + PercentEncode(name); }

std::string OpenContainingFolderCommand(const std::string& path) {
    return "explorer /select,\"" + path + "\"";
}

}  // namespace kestrone
