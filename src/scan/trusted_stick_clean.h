// What trust spares on a stick the user trusts. Worms that the definitions
// name (a virus's FileToDelete list names the file, or its file code is a
// worm code of the definitions) are removed from every drive. The launch
// rules judge a file by what it does, not by what it is: the programs an
// Autorun.inf launches, the code hunt that follows them through the
// machine, shortcuts and look-alike copies in the root. They cannot tell a
// worm from the stick's own starter, so on a trusted stick they are skipped,
// and the report says so.
#pragma once

#include <functional>
#include <string>

#include "core/text.h"

namespace kestrone {

// The report line of a trusted stick: root + this.
inline constexpr char kTrustedStickSuffix[] = "  trusted: launch rules skipped";

// Of a trusted stick's launch list (the launched files, then the Autorun.inf),
// what still goes: the launched files the definitions name, and the
// Autorun.inf when it launches one of them (it is then the worm's starter).
TextList TrustedLaunchRemovals(const TextList& launchList,
                               const std::function<bool(const std::string&)>& definitionsName);

// The definitions name a file: a virus's FileToDelete list names it, or its
// file code is one of theirs.
bool DefinitionsNameFile(const std::string& path, const TextList& definitionCodes);

// The launch list of the drive's Autorun.inf reduced to what trust does not
// spare (TrustedLaunchRemovals with DefinitionsNameFile).
TextList TrustedStickLaunchRemovals(const std::string& driveRoot);

// The clean of a trusted stick: the worms the definitions name (the files of
// viruses whose lists name a launched program, the launched files the
// definitions name, the listed executables in the root) and nothing else.
// Returns the paths removed; terminates nothing and leaves the registry alone.
TextList CleanTrustedStick(const std::string& driveRoot);

}  // namespace kestrone
