#include "update/package_rules.h"

#include "app/version.h"
#include "platform/signature.h"

namespace kestrone::update {

namespace {

constexpr char kKept[] = " The definitions in use stay as they are.";

std::string Quoted(const std::string& detail) { return detail.empty() ? "" : " (" + detail + ")"; }

}  // namespace

std::string Verdict::Message() const {
    switch (refusal) {
        case Refusal::None:
            return "The definitions update is genuine and complete.";
        case Refusal::Malformed:
            return "The definitions update is damaged" + Quoted(detail) + "." + kKept;
        case Refusal::BadSignature:
            return std::string("The definitions update is not signed by Kestrone's publisher and was "
                               "not installed.") + kKept;
        case Refusal::BadNewKey:
            return std::string("The definitions update carries a publisher key that Kestrone cannot "
                               "trust and was not installed.") + kKept;
        case Refusal::NotNewer:
            return "The definitions update (version " + detail +
                   ") is not newer than the installed definitions." + kKept;
        case Refusal::Expired:
            return "The definitions update expired on " + detail +
                   "; an old update is not installed." + kKept;
        case Refusal::ProgramTooOld:
            return "The definitions update needs Kestrone " + detail +
                   " or later. Please install the new Kestrone first." + kKept;
        case Refusal::FileMissing:
            return "The definitions update is incomplete: " + detail + " is missing." + kKept;
        case Refusal::FileSizeDiffers:
        case Refusal::FileHashDiffers:
            return "The definitions update is damaged: " + detail +
                   " is not the file that was published." + kKept;
        case Refusal::DownloadTooLarge:
            return "The download of " + detail + " is larger than announced and was stopped." + kKept;
        case Refusal::TrialLoadFailed:
            return "The new definitions could not be read and were not installed." + std::string(kKept);
        case Refusal::WriteFailed:
            return "The new definitions could not be saved" + Quoted(detail) + "." + kKept;
    }
    return "The definitions update was refused." + std::string(kKept);
}

std::string ThisProgramVersion() { return KESTRONE_VERSION_TEXT; }

std::string TodayFromLocalTime(const std::string& localTimeText) { return localTimeText.substr(0, 10); }

Verdict CheckVersionIsNewer(const Manifest& manifest, int64_t installedVersion) {
    if (manifest.version <= installedVersion) return Refuse(Refusal::NotNewer, std::to_string(manifest.version));
    return Accept();
}

Verdict CheckNotExpired(const Manifest& manifest, const std::string& today) {
    // Without a usable date of today nothing can prove the package is current.
    if (!IsCalendarDate(today) || today > manifest.expires) return Refuse(Refusal::Expired, manifest.expires);
    return Accept();
}

Verdict CheckProgramIsRecentEnough(const Manifest& manifest, const std::string& programVersion) {
    std::array<uint32_t, 4> needed, ours;
    if (!ParseProgramVersion(manifest.minProgram, needed)) return Refuse(Refusal::Malformed, "min-program");
    if (!ParseProgramVersion(programVersion, ours) || CompareProgramVersions(ours, needed) < 0) {
        return Refuse(Refusal::ProgramTooOld, manifest.minProgram);
    }
    return Accept();
}

Verdict CheckManifestRules(const Manifest& manifest, const UpdateContext& context) {
    for (Verdict verdict : {CheckProgramIsRecentEnough(manifest, context.programVersion),
                            CheckVersionIsNewer(manifest, context.installedVersion),
                            CheckNotExpired(manifest, context.today)}) {
        if (!verdict.Accepted()) return verdict;
    }
    return Accept();
}

Verdict CheckFileBytes(const ManifestFile& file, const std::string& bytes) {
    if (bytes.size() != file.size) return Refuse(Refusal::FileSizeDiffers, file.name);
    if (HexText(platform::Sha256(bytes)) != file.sha256Hex) return Refuse(Refusal::FileHashDiffers, file.name);
    return Accept();
}

Verdict CheckDownloadSize(const std::string& name, uint64_t announced, uint64_t received) {
    if (received > announced) return Refuse(Refusal::DownloadTooLarge, name);
    return Accept();
}

}  // namespace kestrone::update
