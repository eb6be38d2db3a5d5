// The pieces behind the rights answers: a real write probe, the access check
// for another token, and the steps of a path that a link could sit on.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kestrone::platform {

// Creates a uniquely named file in the folder (which ends in a separator) and
// lets it go at once; true when the file could be made.
bool ProbeFolderWrite(const std::string& folder);

// True when the token (an impersonation token, as a linked token is) may
// create files in the folder, by the folder's own security descriptor.
bool TokenMayAddFile(HANDLE token, const std::string& folder);

// The path itself and each folder above it, longest first, without trailing
// separators; the root (a drive, a share, a \\?\ prefix) is not a step.
std::vector<std::string> PathSteps(const std::string& path);

}  // namespace kestrone::platform
