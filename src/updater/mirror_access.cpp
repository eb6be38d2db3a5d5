#include "updater/mirror_access.h"

#include <vector>

#include "platform/files.h"

namespace kestrone::updater {

bool BoundedDownload::Append(const char* bytes, size_t count) {
    if (!verdict_.Accepted()) return false;
    verdict_ = update::CheckDownloadSize(name_, limit_, bytes_.size() + count);
    if (!verdict_.Accepted()) {
        bytes_.clear();
        return false;
    }
    bytes_.append(bytes, count);
    return true;
}

FetchStatus FolderMirrorAccess::Fetch(const Mirror& mirror, const FetchRequest& request,
                                      std::string& bytes) {
    std::string path = MirrorFileLocation(mirror, request.name);
    // The share itself missing is an unreachable mirror; a file missing in it is a missing file.
    if (!platform::FolderExists(mirror.location)) return FetchStatus::Unreachable;
    std::vector<platform::FolderEntry> entries = platform::ListFolder(path);
    if (entries.size() != 1 || entries[0].IsFolder()) return FetchStatus::Missing;
    // Judged by the size on disk first, so a huge file is never read.
    if (!update::CheckDownloadSize(request.name, request.limit, entries[0].size).Accepted()) {
        return FetchStatus::TooLarge;
    }
    std::string read;
    if (!platform::ReadWholeFile(path, read)) return FetchStatus::Unreachable;
    BoundedDownload download(request.name, request.limit);
    if (!download.Append(read.data(), read.size())) return FetchStatus::TooLarge;
    if (request.onChunk && !request.onChunk(read.size())) return FetchStatus::Unreachable;
    bytes = std::move(download.Bytes());
    return FetchStatus::Fetched;
}

FetchStatus MirrorAccessByKind::Fetch(const Mirror& mirror, const FetchRequest& request,
                                      std::string& bytes) {
    if (mirror.kind == MirrorKind::Folder) return folders_.Fetch(mirror, request, bytes);
    return web_.Fetch(mirror, request, bytes);
}

}  // namespace kestrone::updater
