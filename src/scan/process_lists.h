// Process.dat beside the program: the shipped list of system processes and the
// user's list of trusted processes, and the classification of a running process.
#pragma once

#include <cstdint>

#include "core/text.h"

namespace kestrone {

inline constexpr char kProcessSection[] = "Process";
// The most of a value the profile functions hand back; the trust list must
// never grow past it, or entries would be cut in the middle and lost.
inline constexpr size_t kMaxTrustListLength = 2047;
inline constexpr char kTrustListFullMessage[] = "The trusted process list is full.";

TextList ReadSystemProcesses();  // split and macro-expanded
TextList ReadTrustProcesses();   // split (upper-cased)

bool IsSystemProcess(uint32_t processId);
bool IsTrustedProcess(uint32_t processId);
// The same tests on an image path (upper-cased inside).
bool IsSystemPath(const std::string& path, const TextList& systemEntries);
bool IsTrustedPath(const std::string& path, const TextList& trustEntries);

// Puts new paths in front of the stored trust list. Paths already present (any
// case) are not added twice; when the joined list would pass 2047 characters
// nothing is written and the user is told the list is full. Returns whether
// the list was written.
bool AddTrustedProcesses(const TextList& paths);

}  // namespace kestrone
