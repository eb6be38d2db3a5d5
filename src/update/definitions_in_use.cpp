#include "update/definitions_in_use.h"

#include "core/data_places.h"
#include "core/definitions.h"
#include "core/path_macros.h"
#include "platform/files.h"
#include "update/manifest.h"

namespace kestrone::update {

namespace {

std::string& RootKeyOverride() {
    static std::string key;
    return key;
}

DefinitionsInUse& Loaded() {
    static DefinitionsInUse loaded;
    return loaded;
}

std::string ManifestDate(const std::string& folder) {
    std::string text, problem;
    Manifest manifest;
    if (!platform::ReadWholeFile(folder + kManifestName, text) ||
        !ParseManifest(text, manifest, problem))
        return "";
    return manifest.date;
}

bool AnyManifest(const ChoiceRequest& request) {
    for (const std::string& folder :
         {request.definitionsFolder, PreviousFolderOf(request.definitionsFolder),
          request.shippedFolder}) {
        if (!folder.empty() && platform::FileExists(folder + kManifestName)) return true;
    }
    return false;
}

}  // namespace

std::string InstalledDefinitionsFolder() {
    return UserDataDir() + kDefinitionsFolderName + "\\";
}

void SetRootKeyOverride(const std::string& key) {
    RootKeyOverride() = key;
}

std::string RootKeyInUse() {
    return RootKeyOverride().empty() ? BuiltInPublisherKey() : RootKeyOverride();
}

ChoiceRequest MachineChoiceRequest() {
    ChoiceRequest request;
    request.definitionsFolder = InstalledDefinitionsFolder();
    request.shippedFolder = GetExeDir();
    request.rootKey = RootKeyInUse();
    return request;
}

DefinitionsInUse FindDefinitionsInUse(const ChoiceRequest& request) {
    DefinitionsInUse found;
    if (!AnyManifest(request)) {
        found.found = true;
        found.kernelPath = request.shippedFolder + kDefinitionsName;
        return found;
    }
    DefinitionsChoice choice = ChooseDefinitions(request);
    found.found = choice.found;
    found.origin = choice.origin;
    found.version = choice.version;
    found.kernelPath = choice.kernelPath;
    if (choice.found && choice.version > 0) found.date = ManifestDate(choice.folder);
    return found;
}

std::string EncryptedDataFileSource(const std::string& fileName) {
    std::string shipped = GetExeDir() + fileName;
    if (!SameText(fileName, kDefinitionsFile)) return shipped;
    DefinitionsInUse chosen = FindDefinitionsInUse(MachineChoiceRequest());
    // Nothing reads: the shipped file goes its old way, with its old messages.
    if (!chosen.found) chosen = DefinitionsInUse{true, DefinitionsOrigin::Shipped, 0, "", shipped};
    // The shipped file under the very name asked for, so its messages read as they always did.
    if (chosen.origin == DefinitionsOrigin::Shipped) chosen.kernelPath = shipped;
    Loaded() = chosen;
    return chosen.kernelPath;
}

const DefinitionsInUse& DefinitionsLoaded() {
    if (Loaded().kernelPath.empty())
        Loaded() = DefinitionsInUse{true, DefinitionsOrigin::Shipped, 0, "", ""};
    return Loaded();
}

std::string DefinitionsVersionText(const DefinitionsInUse& definitions) {
    if (definitions.version <= 0) return "as shipped with Kestrone " + ThisProgramVersion();
    std::string text = "version " + std::to_string(definitions.version);
    if (!definitions.date.empty()) text += " of " + definitions.date;
    return text;
}

}  // namespace kestrone::update
