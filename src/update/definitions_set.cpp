#include "update/definitions_set.h"

#include "core/decryption.h"
#include "core/errors.h"
#include "core/path_macros.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "update/package_rules.h"

namespace kestrone::update {

namespace {

constexpr char kTrialCopyName[] = "kernel.trial";

}  // namespace

bool VerifyDefinitionsSet(const std::string& folder, const std::string& suffix, const KeyChain& keys,
                          Manifest& manifest) {
    std::string text, signature, problem;
    if (!platform::ReadWholeFile(folder + kManifestName + suffix, text) ||
        !platform::ReadWholeFile(folder + kManifestSignatureName + suffix, signature) ||
        !keys.SignedByAny(text, signature) || !ParseManifest(text, manifest, problem)) {
        return false;
    }
    for (const ManifestFile& file : manifest.files) {
        std::string bytes;
        if (!platform::ReadWholeFile(folder + file.name + suffix, bytes) ||
            !CheckFileBytes(file, bytes).Accepted()) {
            return false;
        }
    }
    return true;
}

bool DecryptAndReadDefinitions(const std::string& kernelPath) {
    std::string trial = GetTempDir() + kTrialCopyName;
    bool usable = false;
    try {
        DecryptFile(kernelPath, trial, kDataFilePassword, kKeySize128);
        // Every set names its threats first; a file without that list would
        // leave the scans with nothing to look for.
        usable = !platform::ReadProfileValue("VirusName", "Name", "", trial).empty();
    } catch (const KestroneError&) {
        usable = false;
    }
    platform::RemoveFile(trial);
    return usable;
}

}  // namespace kestrone::update
