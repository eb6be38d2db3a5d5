#include "updater/mirror_list.h"

#include "core/definitions.h"
#include "core/policy_values.h"
#include "core/text.h"

namespace kestrone::updater {

namespace {

bool StartsWithText(const std::string& text, const char* prefix) {
    std::string start = text.substr(0, std::string(prefix).size());
    return SameText(start, prefix);
}

// "host[:port]" must come before the path, and a host holds no spaces or backslashes.
bool HasHost(const std::string& afterScheme) {
    std::string host = afterScheme.substr(0, afterScheme.find('/'));
    return !host.empty() && host.find_first_of(" \\@") == std::string::npos && host[0] != ':';
}

bool IsDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsFolderPath(const std::string& text) {
    if (text.find_first_of("*?\"<>|") != std::string::npos) return false;
    if (text.size() > 2 && text[0] == '\\' && text[1] == '\\') {
        size_t share = text.find('\\', 2);
        return share != std::string::npos && share > 2 && share + 1 < text.size();
    }
    return text.size() >= 3 && IsDriveLetter(text[0]) && text[1] == ':' && text[2] == '\\';
}

std::vector<std::string> SplitEntries(const std::string& text) {
    std::vector<std::string> entries;
    std::string current;
    for (char c : text + ";") {
        if (c == ';' || c == '\r' || c == '\n') {
            std::string entry = Trim(current);
            if (!entry.empty()) entries.push_back(entry);
            current.clear();
        } else {
            current += c;
        }
    }
    return entries;
}

}  // namespace

bool ParseMirror(const std::string& entry, Mirror& mirror) {
    std::string text = Trim(entry);
    for (auto [scheme, kind] :
         {std::pair{"http://", MirrorKind::Http}, std::pair{"https://", MirrorKind::Https}}) {
        if (!StartsWithText(text, scheme)) continue;
        std::string rest = text.substr(std::string(scheme).size());
        if (!HasHost(rest) || text.find_first_of(" \\") != std::string::npos) return false;
        mirror = {kind, text.back() == '/' ? text : text + "/"};
        return true;
    }
    if (!IsFolderPath(text)) return false;
    mirror = {MirrorKind::Folder, text.back() == '\\' ? text : text + "\\"};
    return true;
}

MirrorList ParseMirrorList(const std::string& text) {
    MirrorList list;
    for (const std::string& entry : SplitEntries(text)) {
        Mirror mirror;
        if (!ParseMirror(entry, mirror)) {
            list.ignored.push_back(entry);
            continue;
        }
        bool repeated = false;
        for (const Mirror& known : list.mirrors)
            repeated = repeated || SameText(known.location, mirror.location);
        if (!repeated && list.mirrors.size() < kMirrorLimit) list.mirrors.push_back(mirror);
    }
    return list;
}

MirrorList ConfiguredMirrors() {
    std::string text = PolicyTextOr(PolicyId::UpdateMirrors,
                                    ReadDataString(kUpdateSection, kMirrorsKey, "", kUserSettingsFile));
    return ParseMirrorList(Trim(text).empty() ? kDefaultMirrors : text);
}

std::string MirrorFileLocation(const Mirror& mirror, const std::string& fileName) {
    return mirror.location + fileName;
}

}  // namespace kestrone::updater
