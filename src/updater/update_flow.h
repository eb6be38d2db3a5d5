// What Update.exe does, free of windows: check each mirror in turn, fetch the
// small signed part first, judge it, fetch the files it announces (no more
// bytes than announced), install; or install a package folder the user chose.
// Every refusal leaves the definitions as they are and carries the
// foundation's message for the user.
#pragma once

#include <cstdint>
#include <string>

#include "update/install.h"
#include "updater/mirror_access.h"

namespace kestrone::updater {

// Update.exe's outcomes, also its exit codes in silent use.
enum class UpdateResult {
    Installed = 0,          // a newer package was installed
    AlreadyCurrent = 1,     // the mirrors hold nothing newer than what is in use
    Refused = 2,            // a package was refused (see the verdict); nothing changed
    NoMirrorReachable = 3,  // no mirror answered with a package
    BadArguments = 4,       // the command line is not understood
};

struct UpdateOutcome {
    UpdateResult result = UpdateResult::NoMirrorReachable;
    update::Verdict verdict;  // the refusal, for Refused
    int64_t version = 0;      // the package concerned (installed, current or refused)
    std::string date;
    // One sentence for the user.
    std::string Message() const;
};

inline int ExitCodeOf(UpdateResult result) {
    return static_cast<int>(result);
}

// What the window shows while the work goes on.
class UpdateProgress {
  public:
    virtual ~UpdateProgress() = default;
    virtual void Line(const std::string& text) = 0;
    // Bytes of the current file received, of its announced size.
    virtual void Transfer(uint64_t received, uint64_t total) { (void)received, (void)total; }
    virtual bool StopRequested() { return false; }
};

// Among several mirrors the one that says most wins: an install, then a
// refusal (the user learns of a mirror that serves a bad package), then
// "nothing newer", then silence.
UpdateOutcome BetterOutcome(const UpdateOutcome& a, const UpdateOutcome& b);

// A package whose version is the installed one is "already current"; every
// other refusal (older included: no rollback) is a refusal.
UpdateOutcome OutcomeOfVerdict(const update::Verdict& verdict, int64_t installedVersion);

UpdateOutcome UpdateFromMirrors(const update::InstallRequest& request, const MirrorList& mirrors,
                                MirrorAccess& access, UpdateProgress& progress);
UpdateOutcome UpdateFromFolder(const update::InstallRequest& request,
                               const std::string& packageFolder, UpdateProgress& progress);

// The request for this machine: its definitions folder, the program folder,
// the trusted root key and today's local date.
update::InstallRequest MachineInstallRequest();
// The installed definitions' version as the foundation judges packages by.
int64_t InstalledVersion(const update::InstallRequest& request);
// One line in History.log, as every front-end records what it changed or refused.
void RecordUpdateOutcome(const UpdateOutcome& outcome);

}  // namespace kestrone::updater
