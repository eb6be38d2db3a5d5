// Installing a verified package into the definitions folder so that a crash,
// a full disk or a pulled plug at any moment leaves definitions that work:
//   1. the new files are written beside the old ones as <name>.new,
//   2. read back and verified again, then loaded once as a trial,
//   3. a rolled-over publisher key is kept,
//   4. the set in use is copied to previous.new\ and swapped in as previous\,
//   5. each file is moved over its old one in one step, manifest.txt last.
// Until step 5 the old set is untouched; during it the folder holds a mix that
// fails verification, and ChooseDefinitions falls back to previous\.
#pragma once

#include <functional>
#include <string>

#include "update/definitions_set.h"
#include "update/package_check.h"

namespace kestrone::update {

struct InstallRequest {
    std::string definitionsFolder;  // <user data folder>\Definitions\, ends in a backslash
    std::string shippedFolder;      // the program's folder, ends in a backslash
    std::string rootKey = BuiltInPublisherKey();
    std::string today;              // YYYY-MM-DD
    std::string programVersion = ThisProgramVersion();
    TrialLoad trialLoad = DecryptAndReadDefinitions;
    // Called after every step that changes the disk, with the step's name;
    // tests throw from here to play a crash at that moment.
    std::function<void(const std::string& step)> afterStep;
};

// Judges the package against what is installed (the version in use comes
// from ChooseDefinitions) and installs it. The verdict says why not.
Verdict InstallPackage(const InstallRequest& request, const PackageBytes& package);
// The same for a package folder (where the downloader left the files).
Verdict InstallPackageFolder(const InstallRequest& request, const std::string& packageFolder);

}  // namespace kestrone::update
