// The process page's rules: the rows of the list (name, state, path), the
// column sort that alternates with every click, and the texts and commands of
// Close, Inquire and "Open containing folder".
#pragma once

#include <string>
#include <vector>

#include "core/text.h"

namespace kestrone {

inline constexpr char kSystemProcessText[] = "System process";
inline constexpr char kTrustedProcessText[] = "Trusted process";
inline constexpr char kUnknownProcessText[] = "UnKnow process";
inline constexpr char kCloseDoneMessage[] = "Close the process successfully";
inline constexpr char kCloseFailedMessage[] = "Unable to close the process";
inline constexpr char kInquireAddress[] = "https://www.google.com/search?hl=en&newwindow=1&q=";

struct ProcessRow {
    std::string name;    // the snapshot's executable name
    std::string status;  // one of the three state texts
    std::string path;    // empty when it cannot be read
    bool checked = false;
};

// One row per running process, in snapshot order. System is tested first.
std::vector<ProcessRow> ReadProcessRows();
std::string ProcessStatusText(bool system, bool trusted);

// The sort state of the list, shared by all columns.
struct ProcessSort {
    int SortColumn = 0;
    bool SortAscending = false;
    // A click on a column: sorts by it, then flips the direction, so the first
    // click sorts Z to A and every click after turns the order round.
    void ColumnClick(int column, std::vector<ProcessRow>& rows);
};
// Case-insensitive comparison of the column's texts (0 name, 1 state, 2 path),
// negated when descending.
int CompareProcessRows(const ProcessRow& a, const ProcessRow& b, int column, bool ascending);

TextList CheckedNames(const std::vector<ProcessRow>& rows);
TextList CheckedPaths(const std::vector<ProcessRow>& rows);
// Close's message: success only when every name came back terminated once.
std::string CloseResultMessage(size_t names, size_t terminated);
// The popup's Close: success only when no process of that name runs any more.
std::string PopupCloseMessage(bool stillRunning);

// Inquire: the checked names, then the focused row's name (focused < 0: none).
TextList InquireNames(const std::vector<ProcessRow>& rows, int focused);
// The search request for a name, the name percent-encoded so that it stays
// one query value whatever characters it holds.
std::string InquireRequest(const std::string& name);
std::string PercentEncode(const std::string& text);

// The command that opens Explorer with the file selected; the path is quoted
// so that blanks and commas in it cannot split it.
std::string OpenContainingFolderCommand(const std::string& path);

}  // namespace kestrone
