#include "ui/skin/quick_ini.h"

#include <cstdint>

#include "core/text.h"

namespace kestrone {
namespace {

bool ParseHex(std::string_view digits, int& value) {
    if (digits.empty() || digits.size() > 8) return false;
    uint32_t v = 0;
    for (char ch : digits) {
        int d;
        if (ch >= '0' && ch <= '9') {
            d = ch - '0';
        } else if (ch >= 'a' && ch <= 'f') {
            d = ch - 'a' + 10;
        } else if (ch >= 'A' && ch <= 'F') {
            d = ch - 'A' + 10;
        } else {
            return false;
        }
        v = (v << 4) | static_cast<uint32_t>(d);
    }
    value = static_cast<int>(v);  // eight digits wrap into the sign, as the skin intends
    return true;
}

bool ParseDecimal(std::string_view text, int& value) {
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return false;
    int64_t v = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9') return false;
        v = v * 10 + (ch - '0');
        if (v > int64_t{1} << 31) return false;
    }
    if (negative) v = -v;
    if (v > INT32_MAX || v < INT32_MIN) return false;
    value = static_cast<int>(v);
    return true;
}

}  // namespace

bool ParseSkinInteger(std::string_view text, int& value) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        return ParseHex(text.substr(2), value);
    }
    if (!text.empty() && text[0] == '$') return ParseHex(text.substr(1), value);
    return ParseDecimal(text, value);
}

void TQuickIni::Load(std::string_view text) {
    lines_.clear();
    sections_.clear();
    const size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        std::string line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == ';') continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            sections_.push_back({line, lines_.size()});
        }
        lines_.push_back(std::move(line));
    }
}

int TQuickIni::FindSection(std::string_view name) const {
    const std::string wanted = "[" + std::string(name) + "]";
    for (size_t i = 0; i < sections_.size(); ++i) {
        if (SameText(sections_[i].header, wanted)) return static_cast<int>(i);
    }
    return -1;
}

bool TQuickIni::FindValue(std::string_view section, std::string_view key,
                          std::string& value) const {
    const int index = FindSection(section);
    if (index < 0) return false;
    const size_t first = sections_[index].line + 1;
    const size_t last = static_cast<size_t>(index) + 1 < sections_.size()
                            ? sections_[index + 1].line
                            : lines_.size();
    for (size_t i = first; i < last; ++i) {
        const std::string& line = lines_[i];
        const size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        if (!SameText(Trim(std::string_view(line).substr(0, eq)), key)) continue;
        value = Trim(std::string_view(line).substr(eq + 1));
        return true;
    }
    return false;
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const {
    std::string value;
    if (!FindValue(section, key, value) || value.empty()) return std::string(defaultValue);
    return value;
}

int TQuickIni::ReadInteger(std::string_view section, std::string_view key,
                           int defaultValue) const {
    const std::string text = ReadString(section, key, "");
    int value = 0;
    return ParseSkinInteger(text, value) ? value : defaultValue;
}

bool TQuickIni::HasKey(std::string_view section, std::string_view key) const {
    std::string value;
    return FindValue(section, key, value) && !value.empty();
}

std::vector<std::string> TQuickIni::SectionNames() const {
    std::vector<std::string> names;
    for (const Section& s : sections_) {
        names.push_back(Trim(std::string_view(s.header).substr(1, s.header.size() - 2)));
    }
    return names;
}

}  // namespace kestrone
