// Judging a whole package: who signed it, whether it may replace what is
// installed, whether its files are the ones it announces. The downloader can
// use the two halves on their own: the signed part first (manifest, signature,
// new key: a few kilobytes), then the files, fetched only once the manifest
// said how large they may be.
#pragma once

#include <map>
#include <string>

#include "update/key_chain.h"
#include "update/manifest.h"
#include "update/package_rules.h"

namespace kestrone::update {

struct PackageBytes {
    std::string manifestText;
    std::string manifestSignature;
    std::string newKey;           // empty when the package rolls no key over
    std::string newKeySignature;
    std::map<std::string, std::string> files;  // by name as listed in the manifest
};

// Signature (and new key), then format, then the version, expiry and program
// rules. The manifest is only parsed once its signature held.
Verdict CheckSignedPart(const PackageBytes& package, const KeyChain& keys, const UpdateContext& context,
                        Manifest& manifest);
// Every listed file present, of its size and digest.
Verdict CheckPackageFiles(const Manifest& manifest, const std::map<std::string, std::string>& files);
Verdict CheckPackage(const PackageBytes& package, const KeyChain& keys, const UpdateContext& context,
                     Manifest& manifest);

// Reads and judges a package folder ("...\", e.g. where the downloader put it).
// A file larger than announced is refused without being read.
Verdict ReadPackageFolder(const std::string& folder, const KeyChain& keys, const UpdateContext& context,
                          PackageBytes& package, Manifest& manifest);

}  // namespace kestrone::update
