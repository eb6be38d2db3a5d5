// The simulated Windows machine behind the native tests. Tests arrange it
// through World (drives, files, locks, special folders, ...) and then run
// engine code, which sees it through the ordinary platform headers.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/drives.h"
#include "platform/environment.h"
#include "platform/event_log.h"
#include "platform/files.h"

namespace kestrone::sim {

struct Node {
    std::string path;  // full path with the case it was created with
    bool folder = false;
    std::string content;
    uint32_t attributes = 0;
    bool locked = false;      // held open by a process: deletion fails, writes fail
    bool unlistable = false;  // a folder whose listing is refused
    bool readOnlyMedia = false;  // writes below it are refused (write-protected drive)
    bool unreadable = false;     // opened elsewhere without sharing: opening it for reading fails
    bool link = false;           // a junction or symbolic link (a reparse point)
};

// One event as the simulated Application log received it.
struct LoggedEvent {
    std::string source;
    platform::EventType type = platform::EventType::Information;
    uint32_t id = 0;
    std::vector<std::string> strings;
};

class World {
public:
    // An empty machine: no drives, temp folder C:\Temp\, Windows in C:\WINDOWS,
    // executable C:\Program Files\Kestrone\Kestrone.exe (folders not created).
    void Reset();

    // Drives. Adding a drive creates its root folder.
    void AddDrive(char letter, unsigned type);
    void RemoveDrive(char letter);
    unsigned DriveType(char letter) const;
    uint32_t DriveMask() const;
    // The volume in a drive: serial 0 and no label until a test sets them.
    void SetVolumeIdentity(char letter, uint32_t serial, const std::string& label);
    platform::VolumeIdentity VolumeIdentityOf(char letter) const;

    // Files and folders. Missing parent folders are created.
    void AddFolder(const std::string& path, uint32_t attributes = 0);
    void AddFile(const std::string& path, const std::string& content = "",
                 uint32_t attributes = platform::kAttrArchive);
    bool Exists(const std::string& path) const;
    bool IsFile(const std::string& path) const;
    bool IsFolder(const std::string& path) const;
    std::string Content(const std::string& path) const;  // empty when missing
    uint32_t Attributes(const std::string& path) const;   // kInvalidAttributes when missing
    void Lock(const std::string& path, bool locked = true);
    void MakeUnlistable(const std::string& folder);
    void MakeWriteProtected(const std::string& folder);
    void MakeUnreadable(const std::string& path, bool unreadable = true) {
        if (Node* node = Find(path)) node->unreadable = unreadable;
    }
    // Marks a folder (or file) as a junction or symbolic link.
    void MakeLink(const std::string& path) {
        if (Node* node = Find(path)) node->link = true;
    }
    // Every path below a folder (files and folders), for assertions.
    std::vector<std::string> ListTree(const std::string& folder) const;

    // Deletions scheduled for the next restart, in order; scheduling can be refused.
    const std::vector<std::string>& RestartDeletions() const { return restartDeletions_; }
    void RefuseRestartScheduling(bool refuse) { refuseRestartScheduling_ = refuse; }

    // The Application event log: what was written, in order; writing can be refused.
    const std::vector<LoggedEvent>& Events() const { return events_; }
    void RefuseEvents(bool refuse) { refuseEvents_ = refuse; }
    bool LogEvent(const LoggedEvent& event) {
        if (refuseEvents_) return false;
        events_.push_back(event);
        return true;
    }

    // Environment.
    void SetTempFolder(const std::string& path) { tempFolder_ = path; }
    void SetSpecialFolder(int csidl, const std::string& path) { specialFolders_[csidl] = path; }
    void SetExecutablePath(const std::string& path) { executablePath_ = path; }
    void SetCurrentProcessId(uint32_t id) { currentProcessId_ = id; }
    // The local time the machine reports ("YYYY-MM-DD HH:MM:SS").
    void SetLocalTime(const std::string& text) { localTime_ = text; }
    void SetDesktopHostProcessId(uint32_t id) { desktopHostProcessId_ = id; }
    // The short (8.3) form the system gives for a path; empty when none was set.
    void SetShortPath(const std::string& path, const std::string& shortPath);
    std::string ShortPath(const std::string& path) const;

    // The process's token. By default the machine is an old one without user
    // account control, where the program runs with administrator rights. A
    // standard account on Vista or later: no elevation, so writes below the
    // protected folders (Program Files, the Windows folder) and to
    // HKEY_LOCAL_MACHINE are refused, as Windows refuses them.
    void SetStandardUser() {
        userAccountControl_ = true;
        elevated_ = false;
    }
    void SetElevated(bool elevated) { elevated_ = elevated; }
    void SetUserAccountControl(bool on) { userAccountControl_ = on; }
    bool Elevated() const { return elevated_; }
    bool UserAccountControl() const { return userAccountControl_; }
    // What the user answers at the elevation prompt.
    void SetElevationAnswer(bool accept) { elevationAccepted_ = accept; }
    bool ElevationAccepted() const { return elevationAccepted_; }
    // True below a folder that only administrators may write.
    bool InProtectedFolder(const std::string& path) const;

    // ---- used by the simulated platform itself ----
    // Windows-style normalisation: separators, ".", "..", trailing dots and spaces.
    // A path behind the "\\?\" prefix is taken literally (its dots stay).
    std::string Normalize(const std::string& path) const;
    Node* Find(const std::string& path);
    const Node* Find(const std::string& path) const;
    Node* Create(const std::string& path, bool folder);  // parent must exist; null if not
    bool Erase(const std::string& path);
    // Renames a node and everything below it, as MoveFile does on one drive:
    // the target must not exist and its folder must; locked nodes, moves into
    // the node itself and write-protected places refuse.
    bool Move(const std::string& from, const std::string& to);
    std::vector<const Node*> Children(const std::string& folder) const;
    bool WritesRefused(const std::string& path) const;
    bool ScheduleRestartDeletion(const std::string& path);

    std::string tempFolder_;
    std::map<int, std::string> specialFolders_;
    std::string executablePath_;
    std::string currentFolder_;
    uint32_t currentProcessId_ = 0;
    std::string localTime_;
    uint32_t desktopHostProcessId_ = 0;

private:
    static std::string Key(const std::string& normalized);
    std::map<std::string, Node> nodes_;  // by upper-cased normalized path
    unsigned driveTypes_[26] = {};
    platform::VolumeIdentity volumes_[26];
    std::vector<std::string> restartDeletions_;
    bool refuseRestartScheduling_ = false;
    bool userAccountControl_ = false;
    bool elevated_ = true;
    bool elevationAccepted_ = true;
    std::map<std::string, std::string> shortPaths_;  // by Key(Normalize(path))
    std::vector<LoggedEvent> events_;
    bool refuseEvents_ = false;
};

// The one simulated machine of the test process.
World& TheWorld();

// Matches a file name against a wildcard mask the way FindFirstFile does
// (case-insensitive; '*' any run, '?' one character or none at a dot or the end,
// "*.*" everything, "*." names without a dot).
bool WildcardMatch(const std::string& mask, const std::string& name);

}  // namespace kestrone::sim
