#include "update/install.h"

#include <vector>

#include "platform/files.h"
#include "update/definitions_choice.h"

namespace kestrone::update {

namespace {

constexpr char kNew[] = ".new";

class Installer {
public:
    Installer(const InstallRequest& request, const KeyChain& keys, const PackageBytes& package,
              const Manifest& manifest)
        : request_(request), folder_(request.definitionsFolder), keys_(keys), package_(package),
          manifest_(manifest) {}

    Verdict Run();

private:
    void Step(const std::string& name) const {
        if (request_.afterStep) request_.afterStep(name);
    }
    // Every name of the set: the listed files, then the signature, the manifest
    // last, so that the folder only claims a version once all its files are there.
    std::vector<std::pair<std::string, const std::string*>> SetFiles() const;
    void TidyLeftovers() const;
    bool WriteNewSet() const;
    void RemoveNewSet() const;
    bool SavePrevious() const;
    bool ReplaceCurrent() const;

    const InstallRequest& request_;
    const std::string& folder_;
    const KeyChain& keys_;
    const PackageBytes& package_;
    const Manifest& manifest_;
};

bool RemoveTree(const std::string& folder) {
    for (const platform::FolderEntry& entry : platform::ListFolder(folder + "*")) {
        if (entry.IsFolder()) {
            RemoveTree(folder + entry.name + "\\");
        } else {
            platform::SetAttributes(folder + entry.name, platform::kAttrNormal);
            platform::RemoveFile(folder + entry.name);
        }
    }
    return platform::RemoveFolder(folder);
}

std::string WithoutBackslash(const std::string& folder) { return folder.substr(0, folder.size() - 1); }

std::vector<std::pair<std::string, const std::string*>> Installer::SetFiles() const {
    std::vector<std::pair<std::string, const std::string*>> files;
    for (const ManifestFile& file : manifest_.files) files.emplace_back(file.name, &package_.files.at(file.name));
    files.emplace_back(kManifestSignatureName, &package_.manifestSignature);
    files.emplace_back(kManifestName, &package_.manifestText);
    return files;
}

// What an interrupted install may have left: half-written .new files, a copy
// of the old set that never became previous\, or previous\ moved aside.
void Installer::TidyLeftovers() const {
    for (const platform::FolderEntry& entry : platform::ListFolder(folder_ + "*.new")) {
        if (!entry.IsFolder()) platform::RemoveFile(folder_ + entry.name);
    }
    std::string previous = PreviousFolderOf(folder_);
    std::string aside = WithoutBackslash(previous) + ".old\\";
    std::string copy = WithoutBackslash(previous) + kNew + "\\";
    if (platform::FolderExists(copy)) RemoveTree(copy);
    if (!platform::FolderExists(previous) && platform::FolderExists(aside)) {
        platform::MoveEntry(WithoutBackslash(aside), WithoutBackslash(previous));
    }
    if (platform::FolderExists(aside)) RemoveTree(aside);
}

bool Installer::WriteNewSet() const {
    for (const auto& [name, bytes] : SetFiles()) {
        if (!platform::WriteTextFile(folder_ + name + kNew, *bytes)) return false;
    }
    return true;
}

void Installer::RemoveNewSet() const {
    for (const auto& file : SetFiles()) platform::RemoveFile(folder_ + file.first + kNew);
}

// The set in use becomes previous\ only when it is itself sound; a broken one
// (an earlier install cut short) keeps the previous\ that still works.
bool Installer::SavePrevious() const {
    Manifest current;
    if (!VerifyDefinitionsSet(folder_, "", keys_, current)) return true;
    std::string previous = WithoutBackslash(PreviousFolderOf(folder_));
    std::string copy = previous + kNew + "\\";
    if (!platform::MakeFolder(copy)) return false;
    std::vector<std::string> names{kManifestName, kManifestSignatureName};
    for (const ManifestFile& file : current.files) names.push_back(file.name);
    for (const std::string& name : names) {
        std::string bytes;
        if (!platform::ReadWholeFile(folder_ + name, bytes) || !platform::WriteTextFile(copy + name, bytes)) {
            return false;
        }
    }
    Step("previous copied");
    if (platform::FolderExists(previous + "\\")) {
        if (!platform::MoveEntry(previous, previous + ".old")) return false;
        Step("previous moved aside");
    }
    if (!platform::MoveEntry(previous + kNew, previous)) return false;
    Step("previous in place");
    if (platform::FolderExists(previous + ".old\\")) RemoveTree(previous + ".old\\");
    return true;
}

bool Installer::ReplaceCurrent() const {
    for (const auto& file : SetFiles()) {
        if (!platform::ReplaceFileWith(folder_ + file.first + kNew, folder_ + file.first)) return false;
        Step("replaced " + file.first);
    }
    return true;
}

Verdict Installer::Run() {
    if (!platform::FolderExists(folder_) && !platform::MakeFolder(folder_)) {
        return Refuse(Refusal::WriteFailed, folder_);
    }
    TidyLeftovers();
    if (!WriteNewSet()) {
        RemoveNewSet();
        return Refuse(Refusal::WriteFailed, folder_);
    }
    Step("new files written");
    // Read back from the disk: what was written is what will be used.
    KeyChain trusted = keys_;
    if (!package_.newKey.empty()) trusted.Append(package_.newKey);
    Manifest written;
    if (!VerifyDefinitionsSet(folder_, kNew, trusted, written) || written.version != manifest_.version) {
        RemoveNewSet();
        return Refuse(Refusal::WriteFailed, folder_);
    }
    Step("new files verified");
    if (!request_.trialLoad(folder_ + kDefinitionsName + kNew)) {
        RemoveNewSet();
        return Refuse(Refusal::TrialLoadFailed);
    }
    Step("trial load passed");
    // The key is kept before the set it signs becomes the one in use.
    if (!package_.newKey.empty()) {
        if (!KeepKey(KeysFolderOf(folder_), keys_, package_.newKey, package_.newKeySignature)) {
            RemoveNewSet();
            return Refuse(Refusal::WriteFailed, KeysFolderOf(folder_));
        }
        Step("key kept");
    }
    if (!SavePrevious()) {
        RemoveNewSet();
        return Refuse(Refusal::WriteFailed, PreviousFolderOf(folder_));
    }
    if (!ReplaceCurrent()) return Refuse(Refusal::WriteFailed, folder_);
    Step("done");
    return Accept();
}

struct Prepared {
    KeyChain keys;
    UpdateContext context;
};

Prepared Prepare(const InstallRequest& request) {
    ChoiceRequest choice{request.definitionsFolder, request.shippedFolder, request.rootKey,
                         request.programVersion, request.trialLoad};
    int64_t installed = ChooseDefinitions(choice).version;
    return {LoadKeyChain(request.rootKey, KeysFolderOf(request.definitionsFolder)),
            {installed, request.today, request.programVersion}};
}

}  // namespace

Verdict InstallPackage(const InstallRequest& request, const PackageBytes& package) {
    Prepared prepared = Prepare(request);
    Manifest manifest;
    if (Verdict verdict = CheckPackage(package, prepared.keys, prepared.context, manifest); !verdict.Accepted()) {
        return verdict;
    }
    return Installer(request, prepared.keys, package, manifest).Run();
}

Verdict InstallPackageFolder(const InstallRequest& request, const std::string& packageFolder) {
    Prepared prepared = Prepare(request);
    PackageBytes package;
    Manifest manifest;
    Verdict verdict = ReadPackageFolder(packageFolder, prepared.keys, prepared.context, package, manifest);
    if (!verdict.Accepted()) return verdict;
    return Installer(request, prepared.keys, package, manifest).Run();
}

}  // namespace kestrone::update
