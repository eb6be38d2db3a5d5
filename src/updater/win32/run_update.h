// One run of the updater, the same for the window and the silent use: the
// mirrors (or a package folder), the history line and the word to Kestrone.
#pragma once

#include <string>

#include "updater/update_flow.h"
#include "updater/updater_arguments.h"

namespace kestrone::updater {

struct UpdateRun {
    UpdateOutcome outcome;
    std::string kestroneNote;  // what became of the running Kestrone, after an install
    std::string Message() const;
};

UpdateRun RunUpdate(const std::string& packageFolder, UpdateProgress& progress);

// "version 42 of 2026-12-01", as this machine's definitions stand now.
std::string InstalledDefinitionsText();

}  // namespace kestrone::updater
