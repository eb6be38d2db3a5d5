// Removes the files of drive-borne worms: by pattern (attributes cleared first,
// deletion at the next restart when a file is locked), the extra files the
// definitions list for a virus, listed executables in a drive root, and the
// clean that follows the attachment of a drive: the light Autorun.inf clean
// and the removal of shortcut worms.
#pragma once

#include <string>

#include "core/text.h"

namespace kestrone {

inline constexpr char kCleanedSuffix[] = "  cleaned";

bool HasAutorunInf(const std::string& driveRoot);
// True when the drive holds an Autorun.inf or, being removable, a worm
// shortcut: the question to ask before cleaning a drive that arrives.
bool HasDriveThreat(const std::string& driveRoot);
// Lines "<path>  cleaned" for what was removed, then "<path>  restored" for
// what a shortcut worm had hidden and is shown again; empty when the drive
// holds neither an Autorun.inf nor a worm shortcut. The Autorun.inf part
// terminates nothing and leaves the registry alone; a shortcut worm's
// processes and start-up values go with it. On a stick the user trusts only
// what the definitions name goes, and a last line says that the launch rules
// were skipped (scan/trusted_stick_clean.h).
TextList CleanDriveOnArrival(const std::string& driveRoot);

// Deletes every file matching the pattern's file part (wildcards allowed). True
// when the last matching file was deleted or scheduled for deletion at restart.
bool DeleteFiles(const std::string& pattern);
// The patterns for which DeleteFiles returned true, as they were listed.
TextList DeleteFileList(const TextList& patterns);

// Deletes exactly the one file a path names, never treating it as a pattern:
// paths taken from a drive's Autorun.inf are untrusted, and "*.*" there must not
// empty the drive. Wildcard characters make the path name no file.
bool DeleteLiteralFile(const std::string& path);
TextList DeleteLiteralFileList(const TextList& paths);

// Appends folder + name for every entry matching the mask (every attribute).
void FindFilesByMask(const std::string& folder, const std::string& mask, TextList& list);
// Executables in the root that a virus lists, deleted; returns their paths.
TextList FindKnownExeFiles(const std::string& driveRoot);
// The paths whose file name is the file name of an entry of some virus's
// FileToDelete list (case-insensitive); once per matching virus.
TextList MatchFileToDelete(const TextList& paths);
// Deletes the FileToDelete lists of the viruses whose lists name a launched program.
TextList CleanKnownVirusFiles(const TextList& launchList);

TextList MarkCleaned(const TextList& lines);
// Each line followed by "  restored".
TextList MarkRestored(const TextList& lines);
TextList FileNamesOf(const TextList& paths);

// True when the name equals the file part of an entry of the comma list (an
// empty name never matches).
bool ListNamesFile(const std::string& fileToDeleteText, const std::string& name);

}  // namespace kestrone
