#include "updater/update_flow.h"

#include "core/history_log.h"
#include "core/path_macros.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/signature.h"
#include "update/definitions_in_use.h"

namespace kestrone::updater {

namespace {

using update::Refusal;
using update::Verdict;

constexpr char kKept[] = " The definitions in use stay as they are.";

int Rank(UpdateResult result) {
    switch (result) {
        case UpdateResult::Installed:
            return 4;
        case UpdateResult::Refused:
            return 3;
        case UpdateResult::AlreadyCurrent:
            return 2;
        case UpdateResult::NoMirrorReachable:
            return 1;
        case UpdateResult::BadArguments:
            return 0;
    }
    return 0;
}

UpdateOutcome Silence() {
    return {};
}
UpdateOutcome Refused(Verdict verdict) {
    return {UpdateResult::Refused, std::move(verdict), 0, ""};
}

// The version and date a definitions folder now claims.
void ReadInstalled(const std::string& folder, UpdateOutcome& outcome) {
    std::string text, problem;
    update::Manifest manifest;
    if (platform::ReadWholeFile(folder + update::kManifestName, text) &&
        update::ParseManifest(text, manifest, problem)) {
        outcome.version = manifest.version;
        outcome.date = manifest.date;
    }
}

UpdateOutcome Finished(const update::InstallRequest& request, const Verdict& verdict,
                       int64_t installed) {
    if (!verdict.Accepted()) return OutcomeOfVerdict(verdict, installed);
    UpdateOutcome outcome{UpdateResult::Installed, verdict, 0, ""};
    ReadInstalled(request.definitionsFolder, outcome);
    return outcome;
}

// One mirror, from its signed part to the install.
class MirrorCheck {
  public:
    MirrorCheck(const update::InstallRequest& request, MirrorAccess& access,
                UpdateProgress& progress)
        : request_(request),
          access_(access),
          progress_(progress),
          installed_(InstalledVersion(request)),
          keys_(update::LoadKeyChain(request.rootKey,
                                     update::KeysFolderOf(request.definitionsFolder))) {}

    UpdateOutcome Run(const Mirror& mirror);

  private:
    // Fetched, or an outcome that ends this mirror. `optional` files may be missing.
    bool Fetch(const Mirror& mirror, const std::string& name, uint64_t limit, bool optional,
               std::string& bytes, UpdateOutcome& ended);
    bool FetchSignedPart(const Mirror& mirror, update::PackageBytes& package, UpdateOutcome& ended);

    const update::InstallRequest& request_;
    MirrorAccess& access_;
    UpdateProgress& progress_;
    int64_t installed_;
    update::KeyChain keys_;
};

bool MirrorCheck::Fetch(const Mirror& mirror, const std::string& name, uint64_t limit,
                        bool optional, std::string& bytes, UpdateOutcome& ended) {
    FetchRequest request{name, limit, [&](uint64_t received) {
                             progress_.Transfer(received, limit);
                             return !progress_.StopRequested();
                         }};
    switch (access_.Fetch(mirror, request, bytes)) {
        case FetchStatus::Fetched:
            return true;
        case FetchStatus::Missing:
            if (optional) return true;
            // Without a manifest the mirror holds no package; any later file missing is a broken
            // package.
            ended = name == update::kManifestName
                        ? Silence()
                        : Refused(update::Refuse(Refusal::FileMissing, name));
            if (name == update::kManifestName) progress_.Line("No definitions package there.");
            return false;
        case FetchStatus::TooLarge:
            ended = Refused(update::Refuse(Refusal::DownloadTooLarge, name));
            return false;
        case FetchStatus::Unreachable:
            break;
    }
    progress_.Line(progress_.StopRequested() ? "Stopped." : "The mirror cannot be reached.");
    ended = Silence();
    return false;
}

bool MirrorCheck::FetchSignedPart(const Mirror& mirror, update::PackageBytes& package,
                                  UpdateOutcome& ended) {
    return Fetch(mirror, update::kManifestName, update::kManifestSizeLimit, false,
                 package.manifestText, ended) &&
           Fetch(mirror, update::kManifestSignatureName, platform::kRsaSignatureSize, false,
                 package.manifestSignature, ended) &&
           Fetch(mirror, update::kNewKeyName, platform::kPublicKeyBlobSize, true, package.newKey,
                 ended) &&
           Fetch(mirror, update::kNewKeySignatureName, platform::kRsaSignatureSize, true,
                 package.newKeySignature, ended);
}

UpdateOutcome MirrorCheck::Run(const Mirror& mirror) {
    progress_.Line("Checking " + mirror.location);
    update::PackageBytes package;
    UpdateOutcome ended;
    if (!FetchSignedPart(mirror, package, ended)) return ended;
    update::Manifest manifest;
    update::UpdateContext context{installed_, request_.today, request_.programVersion};
    Verdict verdict = update::CheckSignedPart(package, keys_, context, manifest);
    if (!verdict.Accepted()) return OutcomeOfVerdict(verdict, installed_);
    progress_.Line("Version " + std::to_string(manifest.version) + " of " + manifest.date +
                   " is available.");
    for (const update::ManifestFile& file : manifest.files) {
        progress_.Line("Downloading " + file.name + " (" + std::to_string(file.size) + " bytes)");
        if (!Fetch(mirror, file.name, file.size, false, package.files[file.name], ended))
            return ended;
    }
    progress_.Line("Verifying and installing version " + std::to_string(manifest.version));
    return Finished(request_, update::InstallPackage(request_, package), installed_);
}

}  // namespace

std::string UpdateOutcome::Message() const {
    switch (result) {
        case UpdateResult::Installed:
            return "Definitions version " + std::to_string(version) + " of " + date +
                   " are installed.";
        case UpdateResult::AlreadyCurrent:
            return "The definitions in use (version " + std::to_string(version) +
                   ") are the newest; there is nothing to install.";
        case UpdateResult::Refused:
            return verdict.Message();
        case UpdateResult::NoMirrorReachable:
            return std::string("No update mirror could be reached.") + kKept;
        case UpdateResult::BadArguments:
            return "Usage: Update.exe [/S] [/FOLDER=<package folder>]";
    }
    return verdict.Message();
}

UpdateOutcome BetterOutcome(const UpdateOutcome& a, const UpdateOutcome& b) {
    return Rank(b.result) > Rank(a.result) ? b : a;
}

UpdateOutcome OutcomeOfVerdict(const Verdict& verdict, int64_t installedVersion) {
    if (verdict.Accepted()) return {UpdateResult::Installed, verdict, 0, ""};
    if (verdict.refusal == Refusal::NotNewer &&
        verdict.detail == std::to_string(installedVersion)) {
        return {UpdateResult::AlreadyCurrent, verdict, installedVersion, ""};
    }
    return Refused(verdict);
}

UpdateOutcome UpdateFromMirrors(const update::InstallRequest& request, const MirrorList& mirrors,
                                MirrorAccess& access, UpdateProgress& progress) {
    for (const std::string& entry : mirrors.ignored)
        progress.Line("Not a mirror, left out: " + entry);
    UpdateOutcome best = Silence();
    MirrorCheck check(request, access, progress);
    for (const Mirror& mirror : mirrors.mirrors) {
        if (progress.StopRequested()) break;
        UpdateOutcome outcome = check.Run(mirror);
        // With one mirror its refusal is the run's last line already.
        if (outcome.result == UpdateResult::Refused && mirrors.mirrors.size() > 1)
            progress.Line(outcome.Message());
        best = BetterOutcome(best, outcome);
        if (best.result == UpdateResult::Installed) break;
    }
    return best;
}

UpdateOutcome UpdateFromFolder(const update::InstallRequest& request,
                               const std::string& packageFolder, UpdateProgress& progress) {
    std::string folder = WithBackslash(packageFolder);
    progress.Line("Reading the package in " + folder);
    int64_t installed = InstalledVersion(request);
    return Finished(request, update::InstallPackageFolder(request, folder), installed);
}

update::InstallRequest MachineInstallRequest() {
    update::InstallRequest request;
    request.definitionsFolder = update::InstalledDefinitionsFolder();
    request.shippedFolder = GetExeDir();
    request.rootKey = update::RootKeyInUse();
    request.today = update::TodayFromLocalTime(platform::CurrentLocalTimeText());
    return request;
}

int64_t InstalledVersion(const update::InstallRequest& request) {
    update::ChoiceRequest choice{request.definitionsFolder, request.shippedFolder, request.rootKey,
                                 request.programVersion, request.trialLoad};
    return update::ChooseDefinitions(choice).version;
}

void RecordUpdateOutcome(const UpdateOutcome& outcome) {
    if (outcome.result != UpdateResult::BadArguments) AppendHistory("Update", outcome.Message());
}

}  // namespace kestrone::updater
