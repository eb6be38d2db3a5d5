#include "update/package_check.h"

#include "platform/files.h"
#include "platform/signature.h"

namespace kestrone::update {

namespace {

// The size of a file on disk without reading it; false when it is no file.
bool FileSize(const std::string& path, uint64_t& size) {
    std::vector<platform::FolderEntry> entries = platform::ListFolder(path);
    if (entries.size() != 1 || entries[0].IsFolder()) return false;
    size = entries[0].size;
    return true;
}

// Reads a file of at most `limit` bytes; `present` tells a missing file from a large one.
bool ReadBounded(const std::string& path, uint64_t limit, std::string& bytes, bool& present) {
    uint64_t size = 0;
    present = FileSize(path, size);
    return present && size <= limit && platform::ReadWholeFile(path, bytes) && bytes.size() <= limit;
}

Verdict CheckNewKey(const PackageBytes& package, const KeyChain& keys) {
    if (package.newKey.empty() && package.newKeySignature.empty()) return Accept();
    platform::RsaPublicKeyParts parts;
    if (!platform::SplitPublicKeyBlob(package.newKey, parts) ||
        !keys.SignedByNewest(package.newKey, package.newKeySignature)) {
        return Refuse(Refusal::BadNewKey);
    }
    return Accept();
}

Verdict ReadSignedPart(const std::string& folder, PackageBytes& package) {
    bool present = false;
    if (!ReadBounded(folder + kManifestName, kManifestSizeLimit, package.manifestText, present)) {
        return Refuse(present ? Refusal::Malformed : Refusal::FileMissing, kManifestName);
    }
    if (!ReadBounded(folder + kManifestSignatureName, platform::kRsaSignatureSize, package.manifestSignature,
                     present)) {
        return Refuse(present ? Refusal::Malformed : Refusal::FileMissing, kManifestSignatureName);
    }
    bool keyRead = ReadBounded(folder + kNewKeyName, platform::kPublicKeyBlobSize, package.newKey, present);
    bool keyPresent = present;
    bool signatureRead = ReadBounded(folder + kNewKeySignatureName, platform::kRsaSignatureSize,
                                     package.newKeySignature, present);
    // Half a rollover (a key without its signature, or the reverse) is no rollover.
    if (keyPresent || present) {
        if (!keyRead || !signatureRead) return Refuse(Refusal::BadNewKey);
    }
    return Accept();
}

Verdict ReadListedFiles(const std::string& folder, const Manifest& manifest, PackageBytes& package) {
    for (const ManifestFile& file : manifest.files) {
        bool present = false;
        std::string bytes;
        if (!ReadBounded(folder + file.name, file.size, bytes, present)) {
            return Refuse(present ? Refusal::FileSizeDiffers : Refusal::FileMissing, file.name);
        }
        package.files[file.name] = std::move(bytes);
    }
    return Accept();
}

}  // namespace

Verdict CheckSignedPart(const PackageBytes& package, const KeyChain& keys, const UpdateContext& context,
                        Manifest& manifest) {
    if (Verdict key = CheckNewKey(package, keys); !key.Accepted()) return key;
    // A rollover package may already be signed by the key it introduces.
    bool signedByNewKey = !package.newKey.empty() &&
        platform::VerifyRsaSha256Signature(package.newKey, package.manifestText, package.manifestSignature);
    if (!signedByNewKey && !keys.SignedByNewest(package.manifestText, package.manifestSignature)) {
        return Refuse(Refusal::BadSignature);
    }
    std::string problem;
    if (!ParseManifest(package.manifestText, manifest, problem)) return Refuse(Refusal::Malformed, problem);
    return CheckManifestRules(manifest, context);
}

Verdict CheckPackageFiles(const Manifest& manifest, const std::map<std::string, std::string>& files) {
    for (const ManifestFile& file : manifest.files) {
        auto found = files.find(file.name);
        if (found == files.end()) return Refuse(Refusal::FileMissing, file.name);
        if (Verdict verdict = CheckFileBytes(file, found->second); !verdict.Accepted()) return verdict;
    }
    return Accept();
}

Verdict CheckPackage(const PackageBytes& package, const KeyChain& keys, const UpdateContext& context,
                     Manifest& manifest) {
    if (Verdict verdict = CheckSignedPart(package, keys, context, manifest); !verdict.Accepted()) return verdict;
    return CheckPackageFiles(manifest, package.files);
}

Verdict ReadPackageFolder(const std::string& folder, const KeyChain& keys, const UpdateContext& context,
                          PackageBytes& package, Manifest& manifest) {
    package = PackageBytes();
    if (Verdict verdict = ReadSignedPart(folder, package); !verdict.Accepted()) return verdict;
    if (Verdict verdict = CheckSignedPart(package, keys, context, manifest); !verdict.Accepted()) return verdict;
    if (Verdict verdict = ReadListedFiles(folder, manifest, package); !verdict.Accepted()) return verdict;
    return CheckPackageFiles(manifest, package.files);
}

}  // namespace kestrone::update
