#include "platform/sim/world.h"

#include <algorithm>

#include "platform/sim/named_marks.h"
#include "platform/sim/process_table.h"
#include "platform/sim/registry_tree.h"
#include "platform/sim/sim_text.h"

namespace kestrone::sim {

namespace {

bool HasDrive(const std::string& path) {
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

int DriveIndex(char letter) {
    char upper = (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 32) : letter;
    return (upper >= 'A' && upper <= 'Z') ? upper - 'A' : -1;
}

std::string ParentOf(const std::string& normalized) {
    size_t slash = normalized.rfind('\\');
    if (slash == std::string::npos || normalized.size() <= 3) return std::string();
    return slash == 2 ? normalized.substr(0, 3) : normalized.substr(0, slash);
}

}  // namespace

World& TheWorld() {
    static World world = [] {
        World w;
        w.Reset();
        return w;
    }();
    return world;
}

void World::Reset() {
    nodes_.clear();
    std::fill(std::begin(driveTypes_), std::end(driveTypes_), 0u);
    std::fill(std::begin(volumes_), std::end(volumes_), platform::VolumeIdentity{});
    restartDeletions_.clear();
    refuseRestartScheduling_ = false;
    userAccountControl_ = false;
    elevated_ = true;
    elevationAccepted_ = true;
    shortPaths_.clear();
    events_.clear();
    refuseEvents_ = false;
    tempFolder_ = "C:\\Temp\\";
    specialFolders_ = {{platform::kCsidlWindows, "C:\\WINDOWS"},
                       {platform::kCsidlSystem, "C:\\WINDOWS\\system32"},
                       {platform::kCsidlProgramFiles, "C:\\Program Files"},
                       {platform::kCsidlLocalAppData, "C:\\Users\\User\\AppData\\Local"}};
    executablePath_ = "C:\\Program Files\\Kestrone\\Kestrone.exe";
    currentFolder_ = "C:\\";
    currentProcessId_ = 4000;
    localTime_ = "2026-01-01 12:00:00";
    desktopHostProcessId_ = 0;
    TheRegistry().Reset();
    TheProcesses().Reset();
    TheShellLog().Reset();
    TheNamedMarks().Reset();
}

void World::AddDrive(char letter, unsigned type) {
    int index = DriveIndex(letter);
    if (index < 0) return;
    driveTypes_[index] = type;
    std::string root = std::string(1, static_cast<char>('A' + index)) + ":\\";
    Node& node = nodes_[root];
    node.path = root;
    node.folder = true;
    node.attributes = platform::kAttrDirectory;
}

void World::RemoveDrive(char letter) {
    int index = DriveIndex(letter);
    if (index < 0) return;
    driveTypes_[index] = 0;
    volumes_[index] = {};
    std::string prefix(1, static_cast<char>('A' + index));
    prefix += ':';
    for (auto it = nodes_.begin(); it != nodes_.end();) {
        it = it->first.compare(0, 2, prefix) == 0 ? nodes_.erase(it) : std::next(it);
    }
}

void World::SetVolumeIdentity(char letter, uint32_t serial, const std::string& label) {
    int index = DriveIndex(letter);
    if (index >= 0) volumes_[index] = {serial, label};
}

platform::VolumeIdentity World::VolumeIdentityOf(char letter) const {
    int index = DriveIndex(letter);
    return index < 0 ? platform::VolumeIdentity{} : volumes_[index];
}

unsigned World::DriveType(char letter) const {
    int index = DriveIndex(letter);
    return index < 0 ? 0u : driveTypes_[index];
}

uint32_t World::DriveMask() const {
    uint32_t mask = 0;
    for (int i = 0; i < 26; ++i) {
        if (driveTypes_[i] != 0) mask |= 1u << i;
    }
    return mask;
}

// "\\?\C:\a\b..." names exactly that path: no separator conversion, no
// "." or ".." handling and no trimming of trailing dots or spaces.
static std::string LiteralPath(const std::string& path) {
    std::string result = Upper(path.substr(0, 2)) + "\\";
    bool first = true;
    for (size_t pos = 3; pos < path.size();) {
        size_t slash = path.find('\\', pos);
        if (slash == std::string::npos) slash = path.size();
        if (slash > pos) {
            if (!first) result += '\\';
            result += path.substr(pos, slash - pos);
            first = false;
        }
        pos = slash + 1;
    }
    return result;
}

std::string World::Normalize(const std::string& input) const {
    if (input.compare(0, 4, "\\\\?\\") == 0 && HasDrive(input.substr(4))) {
        return LiteralPath(input.substr(4));
    }
    std::string path = input;
    std::replace(path.begin(), path.end(), '/', '\\');
    if (!HasDrive(path)) {
        path = (path.empty() || path[0] != '\\') ? currentFolder_ + "\\" + path
                                                 : currentFolder_.substr(0, 2) + path;
    }
    std::string drive = Upper(path.substr(0, 2));
    std::vector<std::string> segments;
    size_t pos = 2;
    while (pos <= path.size()) {
        size_t slash = path.find('\\', pos);
        bool followedBySlash = slash != std::string::npos;
        std::string segment = path.substr(pos, followedBySlash ? slash - pos : std::string::npos);
        pos = followedBySlash ? slash + 1 : path.size() + 1;
        if (segment.empty() || segment == ".") continue;
        if (segment == "..") {
            if (!segments.empty()) segments.pop_back();
            continue;
        }
        if (followedBySlash) {
            // A segment followed by a backslash loses one trailing dot only.
            if (segment.back() == '.') segment.pop_back();
        } else {
            // The final segment loses all trailing dots and spaces.
            while (!segment.empty() && (segment.back() == '.' || segment.back() == ' ')) {
                segment.pop_back();
            }
        }
        if (!segment.empty()) segments.push_back(segment);
    }
    std::string result = drive + "\\";
    for (size_t i = 0; i < segments.size(); ++i) {
        if (i > 0) result += '\\';
        result += segments[i];
    }
    return result;
}

std::string World::Key(const std::string& normalized) { return Upper(normalized); }

void World::SetShortPath(const std::string& path, const std::string& shortPath) {
    shortPaths_[Key(Normalize(path))] = shortPath;
}

std::string World::ShortPath(const std::string& path) const {
    auto it = shortPaths_.find(Key(Normalize(path)));
    return it == shortPaths_.end() ? std::string() : it->second;
}

Node* World::Find(const std::string& path) {
    auto it = nodes_.find(Key(Normalize(path)));
    return it == nodes_.end() ? nullptr : &it->second;
}

const Node* World::Find(const std::string& path) const {
    auto it = nodes_.find(Key(Normalize(path)));
    return it == nodes_.end() ? nullptr : &it->second;
}

Node* World::Create(const std::string& path, bool folder) {
    std::string normalized = Normalize(path);
    std::string parent = ParentOf(normalized);
    if (parent.empty()) return nullptr;
    const Node* parentNode = Find(parent);
    if (!parentNode || !parentNode->folder) return nullptr;
    auto [it, inserted] = nodes_.try_emplace(Key(normalized));
    if (!inserted) return it->second.folder == folder ? &it->second : nullptr;
    it->second.path = normalized;
    it->second.folder = folder;
    it->second.attributes = folder ? platform::kAttrDirectory : platform::kAttrArchive;
    return &it->second;
}

bool World::Erase(const std::string& path) { return nodes_.erase(Key(Normalize(path))) > 0; }

bool World::Move(const std::string& from, const std::string& to) {
    std::string source = Normalize(from);
    std::string target = Normalize(to);
    const Node* node = Find(source);
    const Node* targetFolder = Find(ParentOf(target));
    if (!node || Find(target) || !targetFolder || !targetFolder->folder) return false;
    if (Upper(source.substr(0, 2)) != Upper(target.substr(0, 2))) return false;  // another drive
    std::string sourceKey = Key(source);
    auto atOrBelow = [&sourceKey](const std::string& key) {
        return key == sourceKey || key.compare(0, sourceKey.size() + 1, sourceKey + "\\") == 0;
    };
    if (atOrBelow(Key(target)) || WritesRefused(source) || WritesRefused(target)) return false;
    std::vector<Node> moved;
    for (const auto& [key, entry] : nodes_) {
        if (!atOrBelow(key)) continue;
        if (entry.locked) return false;  // held open, also inside a folder
        moved.push_back(entry);
    }
    for (Node& entry : moved) {
        nodes_.erase(Key(entry.path));
        entry.path = target + entry.path.substr(source.size());
        nodes_[Key(entry.path)] = entry;
    }
    return true;
}

std::vector<const Node*> World::Children(const std::string& folder) const {
    std::string key = Key(Normalize(folder));
    std::string prefix = key.back() == '\\' ? key : key + "\\";
    std::vector<const Node*> children;
    for (auto it = nodes_.lower_bound(prefix); it != nodes_.end(); ++it) {
        if (it->first.compare(0, prefix.size(), prefix) != 0) break;
        if (it->first.find('\\', prefix.size()) == std::string::npos) {
            children.push_back(&it->second);
        }
    }
    return children;
}

bool World::InProtectedFolder(const std::string& path) const {
    std::string key = Key(Normalize(path));
    for (int csidl : {platform::kCsidlWindows, platform::kCsidlProgramFiles}) {
        auto folder = specialFolders_.find(csidl);
        if (folder == specialFolders_.end() || folder->second.empty()) continue;
        std::string protectedKey = Key(Normalize(folder->second));
        if (key == protectedKey ||
            (key.size() > protectedKey.size() && key.compare(0, protectedKey.size(), protectedKey) == 0 &&
             key[protectedKey.size()] == '\\'))
            return true;
    }
    return false;
}

bool World::WritesRefused(const std::string& path) const {
    std::string normalized = Normalize(path);
    if (!elevated_ && InProtectedFolder(normalized)) return true;
    for (std::string p = normalized; !p.empty(); p = ParentOf(p)) {
        const Node* node = Find(p);
        if (node && (node->readOnlyMedia || (node->locked && p == normalized))) return true;
    }
    return false;
}

bool World::ScheduleRestartDeletion(const std::string& path) {
    if (refuseRestartScheduling_) return false;
    restartDeletions_.push_back(Normalize(path));
    return true;
}

void World::AddFolder(const std::string& path, uint32_t attributes) {
    std::string normalized = Normalize(path);
    std::string parent = ParentOf(normalized);
    if (!parent.empty() && !Find(parent)) AddFolder(parent);
    if (Node* node = Create(normalized, true)) {
        node->attributes = platform::kAttrDirectory | attributes;
    }
}

void World::AddFile(const std::string& path, const std::string& content, uint32_t attributes) {
    std::string normalized = Normalize(path);
    std::string parent = ParentOf(normalized);
    if (!parent.empty() && !Find(parent)) AddFolder(parent);
    if (Node* node = Create(normalized, false)) {
        node->content = content;
        node->attributes = attributes;
    }
}

bool World::Exists(const std::string& path) const { return Find(path) != nullptr; }

bool World::IsFile(const std::string& path) const {
    const Node* node = Find(path);
    return node && !node->folder;
}

bool World::IsFolder(const std::string& path) const {
    const Node* node = Find(path);
    return node && node->folder;
}

std::string World::Content(const std::string& path) const {
    const Node* node = Find(path);
    return node ? node->content : std::string();
}

uint32_t World::Attributes(const std::string& path) const {
    const Node* node = Find(path);
    return node ? node->attributes : platform::kInvalidAttributes;
}

void World::Lock(const std::string& path, bool locked) {
    if (Node* node = Find(path)) node->locked = locked;
}

void World::MakeUnlistable(const std::string& folder) {
    if (Node* node = Find(folder)) node->unlistable = true;
}

void World::MakeWriteProtected(const std::string& folder) {
    if (Node* node = Find(folder)) node->readOnlyMedia = true;
}

std::vector<std::string> World::ListTree(const std::string& folder) const {
    std::string key = Key(Normalize(folder));
    std::string prefix = key.back() == '\\' ? key : key + "\\";
    std::vector<std::string> paths;
    for (auto it = nodes_.lower_bound(prefix); it != nodes_.end(); ++it) {
        if (it->first.compare(0, prefix.size(), prefix) != 0) break;
        if (it->first.size() > prefix.size()) paths.push_back(it->second.path);
    }
    return paths;
}

bool WildcardMatch(const std::string& mask, const std::string& name) {
    std::string m = Upper(mask);
    std::string n = Upper(name);
    if (m == "*.*" || m == "*") return true;
    if (m == "*.") return n.find('.') == std::string::npos;
    // Classic backtracking match; '?' may also match nothing before a dot or at the end.
    size_t mi = 0, ni = 0, starM = std::string::npos, starN = 0;
    while (ni < n.size()) {
        if (mi < m.size() && (m[mi] == n[ni] || (m[mi] == '?' && n[ni] != '.'))) {
            ++mi;
            ++ni;
        } else if (mi < m.size() && m[mi] == '?' && n[ni] == '.') {
            ++mi;  // '?' matches nothing in front of a dot
        } else if (mi < m.size() && m[mi] == '*') {
            starM = mi++;
            starN = ni;
        } else if (starM != std::string::npos) {
            mi = starM + 1;
            ni = ++starN;
        } else {
            return false;
        }
    }
    while (mi < m.size() && (m[mi] == '*' || m[mi] == '?')) ++mi;
    // "name.*" also finds a name without any dot.
    if (mi + 2 == m.size() && m[mi] == '.' && m[mi + 1] == '*') mi += 2;
    return mi == m.size();
}

}  // namespace kestrone::sim
