#include "scan/run_entries.h"

#include <algorithm>

#include "platform/registry.h"
#include "scan/file_code.h"
#include "scan/reg_script.h"

namespace kestrone {

const char* const kStartupKeys[3] = {
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
    "HKEY_CURRENT_USER\\Software\\Microsoft\\WindowsNT\\CurrentVersion\\Windows\\load",
};

namespace {

constexpr char kNone[] = "None";
constexpr char kSkip[] = "Skip";

// 1-based position of the first occurrence, 0 when absent.
size_t Position(const std::string& text, const char* what) {
    size_t found = text.find(what);
    return found == std::string::npos ? 0 : found + 1;
}

// A copy of `count` characters from the 1-based position `from`, clipped to the
// text: nothing for a count below 1, from the start for a position below 1.
std::string CopyText(const std::string& text, long long from, long long count) {
    if (count <= 0) return std::string();
    if (from < 1) from = 1;
    if (from > static_cast<long long>(text.size())) return std::string();
    size_t start = static_cast<size_t>(from - 1);
    return text.substr(start, std::min<size_t>(static_cast<size_t>(count), text.size() - start));
}

// Only a real path names a file whose code can be compared: "None", "Skip" and
// "" would otherwise be looked up relative to the current folder.
std::string TargetCode(const std::string& target) {
    if (target.find(":\\") == std::string::npos) return std::string();
    return GetFileCode(target);
}

void ScanStartupKey(const char* keyText, const TextList& codes, TextList& result) {
    RegPath path = ParseRegPath(keyText);
    platform::RegistryKey key;
    if (!path.valid || !key.Open(path.root, path.keyPath)) return;
    for (const std::string& name : key.ValueNames()) {
        std::string data;
        // A value whose data is not a string names no program; it must not end the scan.
        if (!key.TryReadString(name, data)) continue;
        std::string target = ExtractRunTarget(data);
        std::string code = TargetCode(target);
        for (const std::string& entry : codes) {
            if (code == UpperCase(entry)) result.push_back(target);
        }
    }
}

}  // namespace

TextList ScanRunEntries(const TextList& codes) {
    TextList result;
    for (const char* keyText : kStartupKeys) ScanStartupKey(keyText, codes, result);
    return result;
}

std::string StripQuotes(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c != '"') result += c;
    }
    return result;
}

size_t MinPosition(size_t a, size_t b, size_t c) {
    if (a != 0 && b != 0) return std::min(a, b);
    if (a != 0 && c != 0) return std::min(a, c);
    if (c != 0 && b != 0) return std::min(b, c);
    return a + b + c;
}

std::string ExtractCommandPath(const std::string& text) {
    std::string lower = LowerCase(text);
    long long exe = static_cast<long long>(Position(lower, ".exe"));
    long long dll = static_cast<long long>(Position(lower, ".dll"));
    long long tmp = static_cast<long long>(Position(lower, ".tmp "));
    long long drive = static_cast<long long>(Position(lower, ":\\"));
    if (drive == 0) return kNone;
    if (lower.compare(0, 12, "rundll32.exe") == 0) {
        // The module right after "rundll32.exe" and one separator, through its ".dll".
        return CopyText(lower, 14, dll - drive + 5);
    }
    if (exe == 0 && dll == 0) return kSkip;
    long long earliest = static_cast<long long>(
        MinPosition(static_cast<size_t>(exe), static_cast<size_t>(dll), static_cast<size_t>(tmp)));
    return CopyText(lower, drive - 1, earliest - drive + 5);
}

std::string ExtractRunTarget(const std::string& commandLine) {
    std::string stripped = StripQuotes(commandLine);
    std::string first = ExtractCommandPath(stripped);
    std::string tail = stripped.substr(std::min(first.size(), stripped.size()));
    std::string second = ExtractCommandPath(tail);
    if (second == kSkip) return kNone;  // the arguments hold a drive path that is no program
    if (second != kNone) return second;
    return first;
}

}  // namespace kestrone
