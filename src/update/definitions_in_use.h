// The definitions this process reads. At start-up DecryptDataFiles asks here
// where kernel.dll comes from: the newest installed set that verifies and
// decrypts, else the set before it, else the file shipped beside the program.
// The choice is remembered so that the About page and the tray tip can say
// which definitions are at work without deciding again.
#pragma once

#include <cstdint>
#include <string>

#include "update/definitions_choice.h"

namespace kestrone::update {

inline constexpr char kDefinitionsFolderName[] = "Definitions";

// <user data folder>\Definitions\: the user's own, so no administrator is needed.
std::string InstalledDefinitionsFolder();

// The key chain's root for this process: the built-in publisher key. Native
// tests, which cannot sign with the publisher's key, put their own here;
// an empty key restores the built-in one.
void SetRootKeyOverride(const std::string& key);
std::string RootKeyInUse();

// This machine's definitions folder, program folder and trusted root.
ChoiceRequest MachineChoiceRequest();

struct DefinitionsInUse {
    bool found = false;
    DefinitionsOrigin origin = DefinitionsOrigin::Shipped;
    int64_t version = 0;  // 0 for shipped definitions without a signed manifest
    std::string date;     // the manifest's "date", empty without one
    std::string kernelPath;
};

// ChooseDefinitions with the manifest's date added. With no manifest in any
// of the three folders the shipped file is taken as it is, without a trial
// load: a machine that never updated starts exactly as before updates existed.
DefinitionsInUse FindDefinitionsInUse(const ChoiceRequest& request);

// Where DecryptDataFiles reads an encrypted data file from; for kernel.dll the
// choice above (remembered), for any other name the program folder.
std::string EncryptedDataFileSource(const std::string& fileName);
// The definitions of the last start-up decryption (shipped until one ran).
const DefinitionsInUse& DefinitionsLoaded();

// For the user: "version 42 of 2026-12-01", or "as shipped with Kestrone 2.3.0.618".
std::string DefinitionsVersionText(const DefinitionsInUse& definitions);

}  // namespace kestrone::update
