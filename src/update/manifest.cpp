#include "update/manifest.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace kestrone::update {

namespace {

constexpr size_t kHexDigestLength = 64;

bool IsDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

template <typename Number>
bool ParseDecimal(std::string_view text, Number& value) {
    // No signs, no leading zeros that could hide two spellings of one number.
    if (!IsDigits(text) || (text.size() > 1 && text[0] == '0')) return false;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool IsLowerHex(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::vector<std::string_view> SplitWords(std::string_view line) {
    std::vector<std::string_view> words;
    size_t at = 0;
    while (at <= line.size()) {
        size_t end = line.find(' ', at);
        if (end == std::string_view::npos) end = line.size();
        words.push_back(line.substr(at, end - at));
        at = end + 1;
    }
    return words;
}

bool ParseFileLine(const std::vector<std::string_view>& words, Manifest& manifest, std::string& problem) {
    ManifestFile file;
    if (words.size() != 4 || !IsPackageFileName(words[1])) {
        problem = "a file line is not \"file <name> <size> <sha-256>\"";
        return false;
    }
    file.name = words[1];
    if (!ParseDecimal(words[2], file.size) || file.size > kPackageFileSizeLimit) {
        problem = "the size of " + file.name + " is not a usable number";
        return false;
    }
    if (words[3].size() != kHexDigestLength || !IsLowerHex(words[3])) {
        problem = "the digest of " + file.name + " is not 64 hex digits";
        return false;
    }
    file.sha256Hex = words[3];
    if (manifest.Find(file.name) || manifest.files.size() >= kManifestFileLimit) {
        problem = "the file list repeats " + file.name + " or is too long";
        return false;
    }
    manifest.files.push_back(std::move(file));
    return true;
}

// The four header items, each exactly once and in their order.
bool ParseHeaderLine(size_t index, const std::vector<std::string_view>& words, Manifest& manifest,
                     std::string& problem) {
    static constexpr const char* kKeys[] = {"version", "date", "expires", "min-program"};
    if (words.size() != 2 || words[0] != kKeys[index]) {
        problem = std::string("expected the \"") + kKeys[index] + "\" line";
        return false;
    }
    std::string_view value = words[1];
    std::array<uint32_t, 4> parts;
    bool good = false;
    switch (index) {
        case 0: good = ParseDecimal(value, manifest.version) && manifest.version > 0; break;
        case 1: good = IsCalendarDate(value); manifest.date = value; break;
        case 2: good = IsCalendarDate(value); manifest.expires = value; break;
        default: good = ParseProgramVersion(value, parts); manifest.minProgram = value;
    }
    if (!good) problem = std::string("the \"") + kKeys[index] + "\" value is not valid";
    return good;
}

}  // namespace

const ManifestFile* Manifest::Find(std::string_view name) const {
    for (const ManifestFile& file : files) {
        if (UpperAscii(file.name) == UpperAscii(name)) return &file;
    }
    return nullptr;
}

bool ParseManifest(std::string_view text, Manifest& manifest, std::string& problem) {
    manifest = Manifest();
    if (text.size() > kManifestSizeLimit) {
        problem = "the manifest is too large";
        return false;
    }
    std::vector<std::string_view> lines = SplitLines(text);
    if (lines.empty() || lines[0] != kManifestFormatLine) {
        problem = "the manifest is of an unknown format";
        return false;
    }
    constexpr size_t kHeaderLines = 4;
    for (size_t i = 1; i < lines.size(); ++i) {
        std::vector<std::string_view> words = SplitWords(lines[i]);
        bool good = i <= kHeaderLines ? ParseHeaderLine(i - 1, words, manifest, problem)
                                      : words[0] == "file" ? ParseFileLine(words, manifest, problem)
                                                           : (problem = "the manifest has an unknown line", false);
        if (!good) return false;
    }
    if (lines.size() <= kHeaderLines) {
        problem = "the manifest is incomplete";
        return false;
    }
    if (!manifest.Find(kDefinitionsName)) {
        problem = "the manifest lists no kernel.dll";
        return false;
    }
    if (manifest.expires < manifest.date) {
        problem = "the manifest expires before it was made";
        return false;
    }
    return true;
}

std::string FormatManifest(const Manifest& manifest) {
    std::string text = std::string(kManifestFormatLine) + "\n";
    text += "version " + std::to_string(manifest.version) + "\n";
    text += "date " + manifest.date + "\n";
    text += "expires " + manifest.expires + "\n";
    text += "min-program " + manifest.minProgram + "\n";
    for (const ManifestFile& file : manifest.files) {
        text += "file " + file.name + " " + std::to_string(file.size) + " " + file.sha256Hex + "\n";
    }
    return text;
}

bool IsCalendarDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    if (!IsDigits(text.substr(0, 4)) || !IsDigits(text.substr(5, 2)) || !IsDigits(text.substr(8, 2))) {
        return false;
    }
    int year = std::stoi(std::string(text.substr(0, 4)));
    int month = std::stoi(std::string(text.substr(5, 2)));
    int day = std::stoi(std::string(text.substr(8, 2)));
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 2000 || month < 1 || month > 12 || day < 1) return false;
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

bool ParseProgramVersion(std::string_view text, std::array<uint32_t, 4>& parts) {
    parts = {0, 0, 0, 0};
    size_t count = 0;
    size_t at = 0;
    while (true) {
        size_t end = text.find('.', at);
        std::string_view part = text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
        if (count == parts.size() || !ParseDecimal(part, parts[count])) return false;
        ++count;
        if (end == std::string_view::npos) return true;
        at = end + 1;
    }
}

int CompareProgramVersions(const std::array<uint32_t, 4>& a, const std::array<uint32_t, 4>& b) {
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    }
    return 0;
}

bool IsPackageFileName(std::string_view name) {
    if (name.empty() || name.size() > 64 || name[0] == '.' || name.back() == '.') return false;
    for (char c : name) {
        bool plain = std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' || c == '-';
        if (!plain) return false;
    }
    std::string upper = UpperAscii(name);
    std::string stem = upper.substr(0, upper.find('.'));
    static constexpr const char* kDevices[] = {"CON", "PRN", "AUX", "NUL", "CLOCK$"};
    for (const char* device : kDevices) {
        if (stem == device) return false;
    }
    if (stem.size() == 4 && (stem.rfind("COM", 0) == 0 || stem.rfind("LPT", 0) == 0) &&
        std::isdigit(static_cast<unsigned char>(stem[3]))) {
        return false;
    }
    static constexpr const char* kReserved[] = {"MANIFEST.TXT", "MANIFEST.SIG", "NEWKEY", "NEWKEY.SIG",
                                                "PREVIOUS", "KEYS"};
    for (const char* reserved : kReserved) {
        if (upper == reserved) return false;
    }
    // The installer's working names (".new" files, trial copies) stay its own.
    return !(upper.ends_with(".NEW") || upper.ends_with(".OLD") || upper.ends_with(".TRIAL"));
}

std::string HexText(const std::string& bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char byte : bytes) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0x0F];
    }
    return hex;
}

}  // namespace kestrone::update
