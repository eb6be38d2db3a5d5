// Where Update.exe looks for definitions packages: the policy `UpdateMirrors`,
// else `UpdateMirrors` in
// [Update] of UserSettings.ini, a list separated by ';' (or line ends), tried
// in its order. A mirror is the folder of a package's static files on a web
// server (http:// or https://) or on a file share or disk (\\server\defs,
// D:\defs). Anything else is left out with a word for the user, not guessed at.
#pragma once

#include <string>
#include <vector>

namespace kestrone::updater {

enum class MirrorKind { Http, Https, Folder };

struct Mirror {
    MirrorKind kind = MirrorKind::Folder;
    std::string location;  // ends in '/' (web) or '\' (folder)
};

inline constexpr char kUpdateSection[] = "Update";
inline constexpr char kMirrorsKey[] = "UpdateMirrors";
// The publisher's own mirror, used when nothing is configured.
inline constexpr char kDefaultMirrors[] = "https://www.example.com/kestrone/definitions/";
// A longer list is a mistake, and each entry costs the user a wait.
inline constexpr size_t kMirrorLimit = 8;

struct MirrorList {
    std::vector<Mirror> mirrors;
    std::vector<std::string> ignored;  // entries that are no mirror, as written
};

// One entry: false when it is no http(s) URL with a host, nor a UNC or drive path.
bool ParseMirror(const std::string& entry, Mirror& mirror);
// The whole setting; repeats (case-insensitive) and entries past the limit are left out.
MirrorList ParseMirrorList(const std::string& text);
// The setting as this user and the machine's defaults give it.
MirrorList ConfiguredMirrors();

// A file of the package at the mirror: URL or path.
std::string MirrorFileLocation(const Mirror& mirror, const std::string& fileName);

}  // namespace kestrone::updater
