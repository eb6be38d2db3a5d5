// The two encodings of a profile file: ANSI bytes, or UTF-16LE behind its
// byte-order mark. Windows' profile functions read and write a file that
// begins with that mark as UTF-16 (the A functions convert to and from the
// ANSI code page); the simulated machine's code page is Latin-1, so a UTF-16
// character above 0xFF reads as '?'.
#pragma once

#include <string>

namespace kestrone::platform::sim_profile {

// The file's text as the A functions see it; `wide` tells whether it was UTF-16.
std::string DecodeProfileText(const std::string& bytes, bool& wide);
// The bytes to write back for that text, in the file's encoding.
std::string EncodeProfileText(const std::string& text, bool wide);

}  // namespace kestrone::platform::sim_profile
