// Recognising threats by file code: running programs whose executable has a
// given code, the walk of the folders the definitions list, specimen codes
// derived from Autorun.inf programs, and ThreatLocations, the process-wide list
// of where each virus was seen (rebuilt by every memory scan).
#pragma once

#include <string>

#include "core/text.h"

namespace kestrone {

inline constexpr char kUnknownVirusName[] = "Unknow virus";

enum class ProcessNaming { FullPaths, ExeNames };

// For each running process whose executable's code equals an entry of `codes`:
// "name,exe" when `names` is given (the name at the code's index), otherwise
// the executable path or the snapshot's executable name.
TextList MatchProcessesByCode(const TextList& codes, const TextList* names, ProcessNaming naming);

// The first path that exists as a file and contains ".exe" (checked first) or ".vbs".
std::string FirstExistingProgram(const TextList& paths);
// The code of the first program an Autorun.inf on a fixed drive launches;
// cached for the life of the program once found.
std::string FirstAutorunProgramCode();

// "name,exe" for running processes the VirusProcess definitions describe.
TextList ReadVirusProcesses();
// "name,path" for files in the VirusFile folders whose code is listed there.
TextList ScanVirusFiles();
// Walks one folder (not its subfolders), reporting progress and polling the stop request.
TextList ScanVirusFolder(const std::string& folder, const TextList& codes, const TextList& names);
// At most 260 characters and none of \ : / * ? " < > |.
bool IsValidFileName(const std::string& name);

// Replaces ThreatLocations by ReadVirusProcesses then ScanVirusFiles.
void BuildThreatLocations();
// Locations recorded for a virus (substring test on "NAME,"); empty before the
// first build.
TextList FindThreatLocations(const std::string& virusName);
// Moves "CODE=" entries out of the list and appends the executable names of
// running processes with those codes.
void ResolveCodeEntries(TextList& list);

// Forgets the cached specimen code and ThreatLocations (a fresh program start).
void ResetSignatureScanState();

}  // namespace kestrone
