// One installed set of definitions: a folder's manifest.txt, manifest.sig and
// the files the manifest lists, all under one name suffix ("" for the set in
// use, ".new" for one being installed). Verified afresh whenever it is read,
// because anything in the user's folder may have changed since it was written.
#pragma once

#include <functional>
#include <string>

#include "update/key_chain.h"
#include "update/manifest.h"

namespace kestrone::update {

// The set's signature holds under a key of the chain, its manifest parses and
// every listed file has its announced size and digest.
bool VerifyDefinitionsSet(const std::string& folder, const std::string& suffix, const KeyChain& keys,
                          Manifest& manifest);

// Tries the definitions file the way the program will use it; true when it is
// usable. A hook, so that tests can stand in for the real decryption.
using TrialLoad = std::function<bool(const std::string& kernelPath)>;

// The real trial: decrypts into a scratch copy in the data directory, reads the
// list of threat names, then removes the copy. Any decryption error is a "no".
bool DecryptAndReadDefinitions(const std::string& kernelPath);

}  // namespace kestrone::update
