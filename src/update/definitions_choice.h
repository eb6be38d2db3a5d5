// Which definitions the program starts with. Installed updates live in the
// definitions folder (<user data folder>\Definitions\, the set in use) and its
// previous\ (the set before the last update); the shipped kernel.dll sits
// beside the program. The newest set that verifies and decrypts wins, so an
// update that was interrupted or damaged later falls back by itself.
#pragma once

#include <cstdint>
#include <string>

#include "update/definitions_set.h"
#include "update/key_chain.h"
#include "update/package_rules.h"

namespace kestrone::update {

enum class DefinitionsOrigin { Installed, Previous, Shipped };

struct DefinitionsChoice {
    bool found = false;
    DefinitionsOrigin origin = DefinitionsOrigin::Shipped;
    std::string folder;      // ends in a backslash
    std::string kernelPath;  // the encrypted definitions to decrypt
    int64_t version = 0;     // 0 for shipped definitions that carry no signed manifest
};

struct ChoiceRequest {
    std::string definitionsFolder;  // ends in a backslash
    std::string shippedFolder;      // the program's folder, ends in a backslash
    // The chain's root; the kept keys come from the definitions folder's keys\ folder.
    std::string rootKey = BuiltInPublisherKey();
    std::string programVersion = ThisProgramVersion();
    TrialLoad trialLoad = DecryptAndReadDefinitions;
};

std::string PreviousFolderOf(const std::string& definitionsFolder);

// found is false only when not even the shipped definitions can be read.
DefinitionsChoice ChooseDefinitions(const ChoiceRequest& request);

}  // namespace kestrone::update
