#include "scan/drive_paths.h"

#include <vector>

#include "core/text.h"

namespace kestrone {

namespace {

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Characters that cannot stand in a file name, and '%', which would need an
// environment that a drive does not carry.
bool HasForbiddenCharacter(std::string_view path) {
    for (char c : path) {
        if (static_cast<unsigned char>(c) < ' ' ||
            std::string_view("*?\"<>|%").find(c) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool IsDriveAbsolute(std::string_view path) {
    return path.size() >= 3 && IsLetter(path[0]) && path[1] == ':' &&
           (path[2] == '\\' || path[2] == '/');
}

std::string ResolveOnDrive(std::string_view written, const std::string& driveRoot,
                           const std::string& baseFolder) {
    std::string path = Trim(written);
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    if (path.empty() || driveRoot.empty() || HasForbiddenCharacter(path)) return std::string();
    if (StartsWith(path, "\\\\")) return std::string();  // the network or a device
    if (path.size() >= 2 && path[1] == ':') {
        if (!SameText(path.substr(0, 1), driveRoot.substr(0, 1))) return std::string();
        path.erase(0, 2);  // "E:x" is read in the drive's current folder, our base
    }
    if (path.empty()) return std::string();
    // A base folder elsewhere than on this drive falls back to the root.
    bool baseOnDrive = SameText(baseFolder.substr(0, driveRoot.size()), driveRoot);
    std::string below =
        path[0] == '\\' ? path : (baseOnDrive ? PathBelowRoot(baseFolder) : "") + path;
    if (below.find(':') != std::string::npos) return std::string();  // streams, or no name at all
    std::string result = driveRoot;
    size_t count = 0;
    for (size_t at = 0; at <= below.size();) {
        size_t slash = below.find('\\', at);
        if (slash == std::string::npos) slash = below.size();
        std::string segment = below.substr(at, slash - at);
        at = slash + 1;
        if (segment.empty() || segment == ".") continue;
        if (segment == "..") return std::string();
        if (count++ > 0) result += '\\';
        result += segment;
    }
    return count == 0 ? std::string() : result;
}

std::string PathBelowRoot(const std::string& path) {
    return IsDriveAbsolute(path) ? path.substr(3) : path;
}

}  // namespace kestrone
