// The engine's only doors to changing the machine: deleting a file, ending a
// process, writing or deleting in the registry, making a blocking folder.
// Every scan goes through these, so two things are written once for all of
// them: a report-only run (nothing changes, each operation answers as if it
// had succeeded, so the reports list what a real run would remove), and a
// count of the changes that were attempted and of those the system refused.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace kestrone {

enum class ChangeMode {
    Apply,       // the normal case: every change is made
    ReportOnly,  // nothing is changed; every change counts as made
};

ChangeMode CurrentChangeMode();
void SetChangeMode(ChangeMode mode);
inline bool ChangesApplied() {
    return CurrentChangeMode() == ChangeMode::Apply;
}

// In report-only mode a file or process that was "removed" once stays removed
// for the rest of the run (a second removal of it answers false), as it would
// be after a real removal; changing the mode or resetting the tally forgets them.

// Sets a mode for the life of the object and puts the previous one back.
class ChangeModeScope {
  public:
    explicit ChangeModeScope(ChangeMode mode) : saved_(CurrentChangeMode()) { SetChangeMode(mode); }
    ~ChangeModeScope() { SetChangeMode(saved_); }
    ChangeModeScope(const ChangeModeScope&) = delete;
    ChangeModeScope& operator=(const ChangeModeScope&) = delete;

  private:
    ChangeMode saved_;
};

// What the doors below saw since the last reset. A change that finds nothing to
// do (a registry value that is not there) is neither attempted nor refused.
struct ChangeTally {
    int attempted = 0;
    int refused = 0;  // things the system would not let go (each counted once): still there
    std::vector<uint32_t> endedProcesses;  // ids the process door ended (report-only: would end)
};
const ChangeTally& MachineChanges();
void ResetMachineChanges();

// Asked by the delete door before every real deletion: a keeper may leave a
// file where it is (one the user trusts) and keeps a copy of the others.
class RemovalKeeper {
  public:
    virtual ~RemovalKeeper() = default;
    virtual bool Allows(const std::string& path) = 0;
    virtual void Keep(const std::string& path, const std::string& reason) = 0;
};
// Null removes the keeper; the caller keeps the object alive while installed.
void InstallRemovalKeeper(RemovalKeeper* keeper);

// The reason deletions are recorded with while the object lives ("Drive clean",
// "Full scan", a virus name); the previous reason comes back afterwards.
class RemovalReasonScope {
  public:
    explicit RemovalReasonScope(std::string reason);
    ~RemovalReasonScope();
    RemovalReasonScope(const RemovalReasonScope&) = delete;
    RemovalReasonScope& operator=(const RemovalReasonScope&) = delete;

  private:
    std::string saved_;
};
const std::string& CurrentRemovalReason();

// Clears the attributes and deletes the file; one that resists is scheduled
// for deletion at the next restart, which counts as done when the system
// accepts it. A file the keeper does not allow is left and answers false,
// uncounted; otherwise the keeper keeps its copy first.
bool RemoveOrScheduleFile(const std::string& path);
// Ends a process with exit code 0.
bool EndProcess(uint32_t processId);
// Deletes a value of an open key; false (and nothing counted) when it is missing.
bool DeleteRegistryValue(platform::RegistryKey& key, const std::string& name);
// Deletes a key with everything below it.
bool DeleteRegistryKey(uint32_t root, const std::string& path);
bool WriteRegistryString(platform::RegistryKey& key, const std::string& name,
                         const std::string& value);
bool WriteRegistryDword(platform::RegistryKey& key, const std::string& name, uint32_t value);
bool CreateRegistrySubKey(platform::RegistryKey& key, const std::string& subPath);
// Creates a folder (one level; an existing one is fine) and sets its attributes.
void MakeBlockingFolder(const std::string& path, uint32_t attributes);

}  // namespace kestrone
