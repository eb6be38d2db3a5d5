// Paths that a command on a drive writes, confined to that drive: what a
// relative, root-relative or drive-absolute path names there, and nothing
// that leaves the drive (another drive, the network, environment variables,
// "..") or that is no single file name (wildcards, invalid characters).
#pragma once

#include <string>
#include <string_view>

namespace kestrone {

// The full path on the drive (root such as "E:\") that `written` names when it
// is read in `baseFolder` (a folder on that drive, ending in a backslash);
// empty when it names nothing there. "." segments and doubled backslashes are
// dropped; the root itself is no file and gives the empty text too.
std::string ResolveOnDrive(std::string_view written, const std::string& driveRoot,
                           const std::string& baseFolder);

// The path without its drive root: "E:\RECYCLER\x.vmx" gives "RECYCLER\x.vmx".
std::string PathBelowRoot(const std::string& path);

// True for "X:\..." (a drive letter, a colon and a backslash).
bool IsDriveAbsolute(std::string_view path);

}  // namespace kestrone
