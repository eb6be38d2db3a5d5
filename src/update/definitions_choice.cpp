#include "update/definitions_choice.h"

#include <algorithm>
#include <vector>

#include "update/package_rules.h"

namespace kestrone::update {

namespace {

// A signed set, usable by this program. A set that asks for a newer Kestrone
// (the user went back to an older program) is passed over, not trusted to parse.
bool UsableSet(const std::string& folder, const ChoiceRequest& request, const KeyChain& keys,
               int64_t& version) {
    Manifest manifest;
    if (!VerifyDefinitionsSet(folder, "", keys, manifest)) return false;
    if (!CheckProgramIsRecentEnough(manifest, request.programVersion).Accepted()) return false;
    version = manifest.version;
    return true;
}

std::vector<DefinitionsChoice> Candidates(const ChoiceRequest& request) {
    std::vector<DefinitionsChoice> candidates;
    KeyChain keys = request.definitionsFolder.empty()
                        ? KeyChain(request.rootKey)
                        : LoadKeyChain(request.rootKey, KeysFolderOf(request.definitionsFolder));
    auto consider = [&](DefinitionsOrigin origin, const std::string& folder, bool signedSetNeeded) {
        DefinitionsChoice choice{true, origin, folder, folder + kDefinitionsName, 0};
        if (UsableSet(folder, request, keys, choice.version) || !signedSetNeeded) candidates.push_back(choice);
    };
    if (!request.definitionsFolder.empty()) {
        consider(DefinitionsOrigin::Installed, request.definitionsFolder, true);
        consider(DefinitionsOrigin::Previous, PreviousFolderOf(request.definitionsFolder), true);
    }
    // The shipped file is the program's own and needs no manifest; one that
    // carries a signed manifest competes with its version.
    consider(DefinitionsOrigin::Shipped, request.shippedFolder, false);
    // Newest first; at the same version the installed set, then the previous one.
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const DefinitionsChoice& a, const DefinitionsChoice& b) { return a.version > b.version; });
    return candidates;
}

}  // namespace

std::string PreviousFolderOf(const std::string& definitionsFolder) { return definitionsFolder + "previous\\"; }

DefinitionsChoice ChooseDefinitions(const ChoiceRequest& request) {
    for (const DefinitionsChoice& candidate : Candidates(request)) {
        if (request.trialLoad(candidate.kernelPath)) return candidate;
    }
    return {};
}

}  // namespace kestrone::update
