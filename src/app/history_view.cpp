#include "app/history_view.h"

#include <cctype>

namespace kestrone {

namespace {

constexpr char kGap[] = "  ";

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// "YYYY-MM-DD HH:MM:SS"
bool IsTimeStamp(const std::string& text) {
    static constexpr char kShape[] = "0000-00-00 00:00:00";
    if (text.size() != sizeof kShape - 1) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (kShape[i] == '0' ? !IsDigit(text[i]) : text[i] != kShape[i]) return false;
    }
    return true;
}

// "E:\..." or "\\server\share\...": a path the text begins with.
bool StartsWithPath(const std::string& text) {
    if (text.size() >= 3 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':' &&
        text[2] == '\\')
        return true;
    return text.rfind("\\\\", 0) == 0;
}

std::string TrimmedRight(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

}  // namespace

HistoryRow ParseHistoryLine(const std::string& line) {
    HistoryRow row;
    size_t afterTime = line.find(kGap);
    if (afterTime == std::string::npos || !IsTimeStamp(line.substr(0, afterTime))) {
        row.result = line;
        return row;
    }
    row.time = line.substr(0, afterTime);
    std::string rest = line.substr(afterTime + 2);
    size_t afterAction = rest.find(kGap);
    row.action = rest.substr(0, afterAction);
    std::string text = afterAction == std::string::npos ? "" : rest.substr(afterAction + 2);
    size_t afterPath = text.find(kGap);
    // One path, then its result: the report lines of scans and popups of one item.
    if (StartsWithPath(text) && afterPath != std::string::npos &&
        text.find(":\\", afterPath) == std::string::npos) {
        row.path = text.substr(0, afterPath);
        row.result = TrimmedRight(text.substr(afterPath + 2));
    } else {
        row.result = TrimmedRight(text);
    }
    return row;
}

}  // namespace kestrone
