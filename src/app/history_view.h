// The History page's list: each line of History.log in columns (time, what
// recorded it, what happened, the path concerned), so that a long line is read
// in its parts instead of being cut at the list's edge.
#pragma once

#include <string>

namespace kestrone {

struct HistoryRow {
    std::string time;    // "2026-12-08 16:47:12"; empty for a line of another shape
    std::string action;  // who recorded it: "Scan", "Popup", "Update", ...
    std::string result;  // what happened ("cleaned", or the whole text)
    std::string path;    // the file or drive concerned; empty when the text names none
};

// Lines are "time  action  text"; a text that starts with a path followed by
// two blanks ("E:\x.exe  cleaned") gives the path and its result apart. A line
// of any other shape is kept whole in `result`, never dropped.
HistoryRow ParseHistoryLine(const std::string& line);

}  // namespace kestrone
