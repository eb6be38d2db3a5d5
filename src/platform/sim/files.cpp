// Files and folders of the simulated machine.
#include "platform/files.h"

#include <algorithm>
#include <cstring>

#include "platform/sim/world.h"

namespace kestrone::platform {

using sim::Node;
using sim::TheWorld;

uint32_t GetAttributes(const std::string& path) { return TheWorld().Attributes(path); }

bool SetAttributes(const std::string& path, uint32_t attributes) {
    Node* node = TheWorld().Find(path);
    if (!node) return false;
    uint32_t kept = node->attributes & kAttrDirectory;
    uint32_t settable = attributes & (kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive);
    node->attributes = kept | settable;
    return true;
}

bool FileExists(const std::string& path) { return TheWorld().IsFile(path); }
bool FolderExists(const std::string& path) { return TheWorld().IsFolder(path); }

std::vector<FolderEntry> ListFolder(const std::string& pattern) {
    std::string normalized = TheWorld().Normalize(pattern);
    size_t slash = normalized.rfind('\\');
    std::string folder = normalized.substr(0, slash + 1);
    std::string mask = normalized.substr(slash + 1);
    // Normalisation drops trailing dots of the mask; take it from the raw text.
    size_t rawSlash = pattern.find_last_of("\\/");
    if (rawSlash != std::string::npos) mask = pattern.substr(rawSlash + 1);
    std::vector<FolderEntry> entries;
    const Node* folderNode = TheWorld().Find(folder);
    if (!folderNode || !folderNode->folder || folderNode->unlistable) return entries;
    for (const Node* child : TheWorld().Children(folder)) {
        std::string name = child->path.substr(child->path.rfind('\\') + 1);
        if (!sim::WildcardMatch(mask, name)) continue;
        entries.push_back({name, child->attributes, child->content.size()});
    }
    return entries;
}

bool RemoveFile(const std::string& path) {
    Node* node = TheWorld().Find(path);
    if (!node || node->folder || node->locked) return false;
    if (node->attributes & kAttrReadOnly) return false;
    if (TheWorld().WritesRefused(path)) return false;
    return TheWorld().Erase(path);
}

bool RemoveFileAtRestart(const std::string& path) {
    return TheWorld().ScheduleRestartDeletion(path);
}

bool MoveEntry(const std::string& from, const std::string& to) {
    return TheWorld().Move(from, to);
}

bool ReplaceFileWith(const std::string& source, const std::string& target) {
    sim::World& world = TheWorld();
    Node* from = world.Find(source);
    if (!from || from->folder || from->locked) return false;
    if (world.WritesRefused(source) || world.WritesRefused(target)) return false;
    if (Node* to = world.Find(target)) {
        if (to->folder || to->locked || (to->attributes & kAttrReadOnly)) return false;
        world.Erase(target);
    }
    Node moved = *world.Find(source);
    Node* created = world.Create(target, false);
    if (!created) return false;
    created->content = moved.content;
    created->attributes = moved.attributes;
    world.Erase(source);
    return true;
}

bool MakeFolder(const std::string& path) {
    if (TheWorld().Exists(path) || TheWorld().WritesRefused(path)) return false;
    return TheWorld().Create(path, true) != nullptr;
}

bool RemoveFolder(const std::string& path) {
    Node* node = TheWorld().Find(path);
    if (!node || !node->folder || !TheWorld().Children(path).empty()) return false;
    if (TheWorld().WritesRefused(path)) return false;
    return TheWorld().Erase(path);
}

std::string GetShortPathForm(const std::string& path) {
    if (!TheWorld().Exists(path)) return std::string();
    std::string shortPath = TheWorld().ShortPath(path);
    if (shortPath.empty()) shortPath = path;  // no 8.3 names: the system hands the path back
    return shortPath.size() < 260 ? shortPath : std::string();
}

std::string GetCurrentFolder() { return TheWorld().currentFolder_; }

bool SetCurrentFolder(const std::string& path) {
    if (!TheWorld().IsFolder(path)) return false;
    TheWorld().currentFolder_ = TheWorld().Normalize(path);
    return true;
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    if (TheWorld().WritesRefused(path)) return false;
    Node* node = TheWorld().Find(path);
    if (!node) node = TheWorld().Create(path, false);
    if (!node || node->folder || (node->attributes & kAttrReadOnly)) return false;
    node->content = text;
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& content) {
    const Node* node = TheWorld().Find(path);
    if (!node || node->folder || node->unreadable) return false;
    content = node->content;
    return true;
}

// ---- FileStream: the handle is an OpenFile owned by the stream ----

namespace {
struct OpenFile {
    std::string path;
    int64_t position = 0;
    bool writable = false;
};

OpenFile* AsOpen(uintptr_t handle) { return reinterpret_cast<OpenFile*>(handle); }

Node* NodeOf(uintptr_t handle) {
    OpenFile* file = AsOpen(handle);
    return file ? TheWorld().Find(file->path) : nullptr;
}
}  // namespace

bool FileStream::Open(const std::string& path, Mode mode, std::string* error) {
    Close();
    Node* node = TheWorld().Find(path);
    if (mode == Mode::Read) {
        if (!node || node->folder) {
            if (error) *error = "The system cannot find the file specified";
            return false;
        }
        if (node->unreadable) {
            if (error) {
                *error = "The process cannot access the file because it is being used by "
                         "another process";
            }
            return false;
        }
    } else {
        bool refused = TheWorld().WritesRefused(path) ||
                       (node && (node->folder || (node->attributes & kAttrReadOnly)));
        if (!refused && !node) node = TheWorld().Create(path, false);
        if (refused || !node) {
            if (error) *error = refused ? "Access is denied" : "The system cannot find the path specified";
            return false;
        }
        node->content.clear();
    }
    handle_ = reinterpret_cast<uintptr_t>(new OpenFile{node->path, 0, mode == Mode::Create});
    return true;
}

void FileStream::Close() {
    delete AsOpen(handle_);
    handle_ = 0;
}

size_t FileStream::Read(void* buffer, size_t count) {
    Node* node = NodeOf(handle_);
    if (!node) return 0;
    OpenFile* file = AsOpen(handle_);
    int64_t available = static_cast<int64_t>(node->content.size()) - file->position;
    size_t n = available <= 0 ? 0 : std::min(count, static_cast<size_t>(available));
    if (n > 0) std::memcpy(buffer, node->content.data() + file->position, n);
    file->position += static_cast<int64_t>(n);
    return n;
}

size_t FileStream::Write(const void* buffer, size_t count) {
    Node* node = NodeOf(handle_);
    OpenFile* file = AsOpen(handle_);
    if (!node || !file->writable) return 0;
    size_t end = static_cast<size_t>(file->position) + count;
    if (node->content.size() < end) node->content.resize(end, '\0');
    std::memcpy(node->content.data() + file->position, buffer, count);
    file->position = static_cast<int64_t>(end);
    return count;
}

int64_t FileStream::Size() const {
    Node* node = NodeOf(handle_);
    return node ? static_cast<int64_t>(node->content.size()) : 0;
}

int64_t FileStream::Position() const { return handle_ ? AsOpen(handle_)->position : 0; }

bool FileStream::Seek(int64_t position) {
    if (!handle_ || position < 0) return false;
    AsOpen(handle_)->position = position;
    return true;
}

bool FileStream::SetSize(int64_t size) {
    Node* node = NodeOf(handle_);
    if (!node || !AsOpen(handle_)->writable || size < 0) return false;
    node->content.resize(static_cast<size_t>(size), '\0');
    return true;
}

}  // namespace kestrone::platform
