// The user's choices in UserSettings.ini beside the program: the threat action,
// whether to ask before acting on an infected drive, and the plug-in blocking
// switch, and the guard of attached drives. Read and written key by key;
// nothing is cached. A Group Policy value (core/policy_values.h) outranks the
// file.
#pragma once

#include <cstdint>

namespace kestrone {

inline constexpr char kSettingsSection[] = "Settings";

// Threat actions: what happens when an infected drive is attached.
enum ThreatAction : int32_t {
    kActionCleanOnly = 1,
    kActionOpenOnly = 2,
    kActionCleanAndOpen = 3,
    kActionNothing = 4,
};

// The two reads below give the administrator's policy where one is set.
int32_t ReadUserChoice();            // default 3; any value is kept as read
void WriteUserChoice(int32_t choice);
bool ReadNeedShowSelDiag();          // default true
void WriteNeedShowSelDiag(bool show);
bool ReadBlockPlugInstall();         // default false
void WriteBlockPlugInstall(bool block);
// "GuardDrives": whether attached removable drives are watched for worms
// written to them. Default true.
bool ReadGuardDrives();
void WriteGuardDrives(bool guard);

// The main window's client size in 96-DPI units ("[Window] Width", "Height");
// 0 when never stored.
struct StoredWindowSize {
    int32_t width = 0;
    int32_t height = 0;
};
StoredWindowSize ReadWindowSize();
void WriteWindowSize(StoredWindowSize size);

// Whether an action cleans the drive, and whether it opens it (1, 2, 3; others neither).
bool ActionCleans(int32_t action);
bool ActionOpens(int32_t action);

}  // namespace kestrone
