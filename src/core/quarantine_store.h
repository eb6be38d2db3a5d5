// The quarantine store in the folder "Quarantine" beside the data files:
// every file Kestrone deletes is sealed into it first, with a record of
// where it was and why it went. Nothing is cached: each call reads the index
// from disk and writes it back through a temporary file that then replaces
// it, so a crash leaves either the old index or the new one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/quarantine_format.h"

namespace kestrone {

inline constexpr char kQuarantineFolderName[] = "Quarantine";
inline constexpr char kQuarantineIndexName[] = "index.txt";
inline constexpr uint32_t kDefaultQuarantineLimitMegabytes = 200;

enum class RestoreOutcome {
    Restored,
    NoSuchEntry,
    NoCopy,        // the record says no copy was kept
    UnsafePath,    // the recorded path is not one a file may be written to
    DriveMissing,  // the original drive is not there
    TargetExists,  // a file is at the original path: ask, then pass overwrite
    CopyDamaged,   // the sealed copy is missing or does not check out
    WriteRefused,
};

class QuarantineStore {
  public:
    // A store in the given folder (with or without trailing backslash).
    explicit QuarantineStore(std::string folder);

    // The entries, oldest first. A corrupt index is renamed aside
    // ("index.bad") and the store starts empty; Problem() then says so.
    std::vector<QuarantineEntry> Entries();
    const std::string& Problem() const { return problem_; }

    // Records the file about to be deleted and seals a copy of it, unless the
    // copy cannot be made (unreadable, larger than the limit, store not
    // writable): then the record says why. Entries over the limit are
    // dropped, oldest first. Returns the record.
    QuarantineEntry Keep(const std::string& path, const std::string& reason, uint64_t limitBytes);

    // Puts an entry's file back where it was, with its attributes, creating
    // missing folders; the entry leaves the store.
    RestoreOutcome Restore(uint32_t number, bool overwrite);
    // Drops an entry and its copy for good.
    bool Remove(uint32_t number);

    std::string IndexPath() const { return folder_ + kQuarantineIndexName; }
    std::string SealedPath(uint32_t number) const { return folder_ + SealedFileName(number); }

  private:
    bool Save(const std::vector<QuarantineEntry>& entries);
    void DropCopy(uint32_t number);

    std::string folder_;
    std::string problem_;
};

// The application's store, beside the data files.
std::string QuarantineFolder();
// The size limit: the policy "QuarantineLimitMB", else UserSettings.ini
// ("QuarantineLimitMB", default 200).
uint64_t QuarantineLimitBytes();
void WriteQuarantineLimitMegabytes(uint32_t megabytes);

// File codes the user trusts: a restored file with such a code is left
// where it is by every later scan.
bool IsTrustedFileCode(const std::string& fileCode);
void TrustFileCode(const std::string& fileCode);

// Installs the store into the delete door: from now on every deletion keeps
// a copy first, and trusted files are left alone. Uninstall with false.
void UseQuarantine(bool use);

}  // namespace kestrone
