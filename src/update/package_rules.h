// Why a definitions package is refused, and the words the user reads for it.
// Every rule is a plain function so that each can be proved to bite.
#pragma once

#include <cstdint>
#include <string>

#include "update/manifest.h"

namespace kestrone::update {

enum class Refusal {
    None,
    Malformed,         // manifest, key or signature file broken or missing
    BadSignature,      // manifest.sig does not verify with a trusted key
    BadNewKey,         // newkey is malformed or newkey.sig does not verify
    NotNewer,          // version not above the installed one (no rollback)
    Expired,           // the manifest's expiry day has passed
    ProgramTooOld,     // Kestrone is older than min-program
    FileMissing,       // a listed file is not in the package
    FileSizeDiffers,   // a file's size is not the announced one
    FileHashDiffers,   // a file's SHA-256 is not the announced one
    DownloadTooLarge,  // more bytes arrived than the manifest announced
    TrialLoadFailed,   // the new definitions did not decrypt and read
    WriteFailed,       // the definitions folder refused the new files
};

struct Verdict {
    Refusal refusal = Refusal::None;
    std::string detail;  // the file, version or day concerned, when there is one

    bool Accepted() const { return refusal == Refusal::None; }
    // One sentence for the user, naming what was wrong and what stays in use.
    std::string Message() const;
};

inline Verdict Accept() { return {}; }
inline Verdict Refuse(Refusal refusal, std::string detail = {}) { return {refusal, std::move(detail)}; }

// What a package is judged against on this machine.
struct UpdateContext {
    int64_t installedVersion = 0;  // 0 when only the shipped definitions exist
    std::string today;             // YYYY-MM-DD, local date
    std::string programVersion;    // this Kestrone, "2.3.0.618"
};

// This program's own version, from app/version.h.
std::string ThisProgramVersion();
// "YYYY-MM-DD" from the platform's "YYYY-MM-DD HH:MM:SS" local time text.
std::string TodayFromLocalTime(const std::string& localTimeText);

// Version, expiry and program rules of a manifest whose signature already held.
Verdict CheckManifestRules(const Manifest& manifest, const UpdateContext& context);
Verdict CheckVersionIsNewer(const Manifest& manifest, int64_t installedVersion);
Verdict CheckNotExpired(const Manifest& manifest, const std::string& today);
Verdict CheckProgramIsRecentEnough(const Manifest& manifest, const std::string& programVersion);

// A file's bytes against its manifest line (size first, then digest).
Verdict CheckFileBytes(const ManifestFile& file, const std::string& bytes);

// For downloads: the moment a transfer passes what was announced it is refused,
// before the surplus is stored anywhere.
Verdict CheckDownloadSize(const std::string& name, uint64_t announced, uint64_t received);

}  // namespace kestrone::update
