// Profile files of the simulated machine, following Windows' own rules:
// case-insensitive sections and keys, the first duplicate wins, ';' comments,
// blanks trimmed, one pair of matching quotes stripped, values cut to the buffer,
// and a file that begins with the UTF-16LE mark read and written as UTF-16.
#include "platform/profile.h"

#include <string_view>

#include "platform/sim/profile_encoding.h"
#include "platform/sim/sim_text.h"
#include "platform/sim/world.h"

namespace kestrone::platform {

using sim::SameName;

namespace {

// The text of a profile file in either encoding; false when it cannot be read.
bool ReadProfileText(const std::string& path, std::string& text, bool& wide) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) return false;
    text = sim_profile::DecodeProfileText(bytes, wide);
    return true;
}

bool IsSpaceOrTab(char c) { return c == ' ' || c == '\t'; }

std::string TrimBlanks(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && IsSpaceOrTab(text[b])) ++b;
    while (e > b && IsSpaceOrTab(text[e - 1])) --e;
    return std::string(text.substr(b, e - b));
}

// Arguments lose spaces only (tabs stay).
std::string TrimSpaces(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    return std::string(text.substr(b, e - b));
}


struct Line {
    size_t begin = 0;  // offset of the line in the file
    size_t end = 0;    // offset just past the line's text (before its break)
    std::string text;  // trimmed text
};

std::vector<Line> SplitLines(const std::string& content) {
    std::vector<Line> lines;
    size_t pos = 0;
    while (pos < content.size()) {
        size_t end = content.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = content.size();
        lines.push_back({pos, end, TrimBlanks(std::string_view(content).substr(pos, end - pos))});
        pos = end;
        if (pos < content.size() && content[pos] == '\r') ++pos;
        if (pos < content.size() && content[pos] == '\n') ++pos;
    }
    return lines;
}

bool IsSectionHeader(const Line& line) { return !line.text.empty() && line.text[0] == '['; }

std::string SectionName(const Line& line) {
    size_t close = line.text.find(']');
    std::string_view inner = std::string_view(line.text).substr(1, close == std::string::npos
                                                                      ? std::string::npos
                                                                      : close - 1);
    return TrimBlanks(inner);
}

bool IsComment(const Line& line) { return !line.text.empty() && line.text[0] == ';'; }

// Index range [first, last) of the body of the first section with this name.
bool FindSection(const std::vector<Line>& lines, const std::string& section, size_t& first,
                 size_t& last) {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (IsSectionHeader(lines[i]) && SameName(SectionName(lines[i]), section)) {
            first = i + 1;
            last = first;
            while (last < lines.size() && !IsSectionHeader(lines[last])) ++last;
            return true;
        }
    }
    return false;
}

bool SplitKeyLine(const Line& line, std::string& key, std::string& value) {
    if (IsComment(line)) return false;
    size_t eq = line.text.find('=');
    if (eq == std::string::npos) return false;
    key = TrimBlanks(std::string_view(line.text).substr(0, eq));
    value = TrimBlanks(std::string_view(line.text).substr(eq + 1));
    return true;
}

std::string StripQuotes(const std::string& value) {
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Names laid into a NUL-separated buffer of the given size, as the system does:
// when they do not fit, the last one is cut and the buffer ends in two NULs.
std::vector<std::string> FitList(const std::vector<std::string>& items, size_t bufferSize) {
    std::vector<std::string> result;
    if (bufferSize < 2) return result;
    size_t room = bufferSize - 2;  // characters that fit before the closing NULs
    size_t used = 0;
    for (const std::string& item : items) {
        if (used + item.size() + 1 <= bufferSize - 1) {
            result.push_back(item);
            used += item.size() + 1;
            continue;
        }
        if (used < room) result.push_back(item.substr(0, room - used));
        break;
    }
    return result;
}

}  // namespace

std::string ReadProfileValue(const std::string& section, const std::string& key,
                             const std::string& defaultValue, const std::string& path,
                             size_t bufferSize) {
    std::string fallback = defaultValue;
    while (!fallback.empty() && fallback.back() == ' ') fallback.pop_back();
    auto cut = [bufferSize](std::string value) {
        if (bufferSize == 0) return std::string();
        if (value.size() > bufferSize - 1) value.resize(bufferSize - 1);
        return value;
    };
    std::string content;
    bool wide = false;
    if (!ReadProfileText(path, content, wide)) return cut(fallback);
    std::vector<Line> lines = SplitLines(content);
    size_t first = 0, last = 0;
    if (!FindSection(lines, TrimSpaces(section), first, last)) return cut(fallback);
    std::string wanted = TrimSpaces(key);
    for (size_t i = first; i < last; ++i) {
        std::string name, value;
        if (SplitKeyLine(lines[i], name, value) && SameName(name, wanted)) {
            return cut(StripQuotes(value));
        }
    }
    return cut(fallback);
}

bool WriteProfileValue(const std::string& section, const std::string& key,
                       const std::string& value, const std::string& path) {
    sim::World& world = sim::TheWorld();
    std::string folder = world.Normalize(path);
    folder = folder.substr(0, folder.rfind('\\') + 1);
    if (!world.IsFolder(folder) || world.WritesRefused(path)) return false;
    const sim::Node* node = world.Find(path);
    if (node && (node->folder || (node->attributes & kAttrReadOnly))) return false;

    bool wide = false;
    std::string content =
        node ? sim_profile::DecodeProfileText(node->content, wide) : std::string();
    auto save = [&path, wide](const std::string& text) {
        return WriteTextFile(path, sim_profile::EncodeProfileText(text, wide));
    };
    std::string sectionName = TrimSpaces(section);
    std::string keyName = TrimSpaces(key);
    std::vector<Line> lines = SplitLines(content);
    size_t first = 0, last = 0;
    if (!FindSection(lines, sectionName, first, last)) {
        if (!content.empty() && content.back() != '\n' && content.back() != '\r') content += "\r\n";
        content += "[" + sectionName + "]\r\n" + keyName + "=" + value + "\r\n";
        return save(content);
    }
    size_t lastKeyLine = first - 1;  // the header when the section has no key yet
    for (size_t i = first; i < last; ++i) {
        std::string name, old;
        if (!SplitKeyLine(lines[i], name, old)) continue;
        lastKeyLine = i;
        if (SameName(name, keyName)) {
            // An existing key keeps its place and spelling; only the value changes.
            size_t eq = content.find('=', lines[i].begin);
            content.replace(eq + 1, lines[i].end - eq - 1, value);
            return save(content);
        }
    }
    size_t insertAt = lines[lastKeyLine].end;
    std::string newLine = "\r\n" + keyName + "=" + value;
    content.insert(insertAt, newLine);
    return save(content);
}

bool DeleteProfileKey(const std::string& section, const std::string& key, const std::string& path) {
    sim::World& world = sim::TheWorld();
    const sim::Node* node = world.Find(path);
    if (!node) return true;
    if (node->folder || (node->attributes & kAttrReadOnly) || world.WritesRefused(path)) return false;
    bool wide = false;
    std::string content = sim_profile::DecodeProfileText(node->content, wide);
    std::vector<Line> lines = SplitLines(content);
    size_t first = 0, last = 0;
    if (!FindSection(lines, TrimSpaces(section), first, last)) return true;
    std::string wanted = TrimSpaces(key);
    for (size_t i = first; i < last; ++i) {
        std::string name, value;
        if (!SplitKeyLine(lines[i], name, value) || !SameName(name, wanted)) continue;
        size_t end = i + 1 < lines.size() ? lines[i + 1].begin : content.size();
        content.erase(lines[i].begin, end - lines[i].begin);
        return WriteTextFile(path, sim_profile::EncodeProfileText(content, wide));
    }
    return true;
}

namespace {
// The lines of a file and the body of the first section of that name; false
// when the file or the section is missing.
bool ReadSectionBody(const std::string& section, const std::string& path, std::vector<Line>& lines,
                     size_t& first, size_t& last) {
    std::string content;
    bool wide = false;
    if (!ReadProfileText(path, content, wide)) return false;
    lines = SplitLines(content);
    return FindSection(lines, TrimSpaces(section), first, last);
}
}  // namespace

std::vector<std::string> ReadProfileKeyNames(const std::string& section, const std::string& path,
                                             size_t bufferSize) {
    std::vector<Line> lines;
    size_t first = 0, last = 0;
    if (!ReadSectionBody(section, path, lines, first, last)) return {};
    std::vector<std::string> names;
    for (size_t i = first; i < last; ++i) {
        std::string name, value;
        if (SplitKeyLine(lines[i], name, value)) names.push_back(name);
    }
    return FitList(names, bufferSize);
}

std::vector<std::string> ReadProfileSection(const std::string& section, const std::string& path,
                                            size_t bufferSize) {
    std::vector<Line> lines;
    size_t first = 0, last = 0;
    if (!ReadSectionBody(section, path, lines, first, last)) return {};
    std::vector<std::string> entries;
    for (size_t i = first; i < last; ++i) {
        if (lines[i].text.empty() || IsComment(lines[i])) continue;
        std::string name, value;
        entries.push_back(SplitKeyLine(lines[i], name, value) ? name + "=" + value : lines[i].text);
    }
    return FitList(entries, bufferSize);
}

}  // namespace kestrone::platform
