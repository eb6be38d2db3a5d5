// Rewriting a small text file from the start, as the repair and immunity
// actions do with the hosts file and the immunity ReadMe. A file that cannot be
// written ends the command with an error the user sees.
#pragma once

#include <string>

namespace kestrone {

// Creates the file or replaces its whole content with the text. Raises
// EFileError "Cannot create file "<path>". <reason>" when the file cannot be
// created (read-only, locked, a folder, no such folder, write-protected
// media) and EStreamError "Stream write error" when the text does not fit.
void RewriteTextFile(const std::string& path, const std::string& text);

}  // namespace kestrone
