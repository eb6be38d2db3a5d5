// A brake on mass removal. Shortcuts and look-alike copies look like the
// user's own files; a clean that would remove more than a few of them on one
// drive asks first, listing them. Without a window to ask in (the
// command-line scanner, the elevated copy) the answer is no: they are
// reported and left.
#pragma once

#include <cstddef>
#include <string>

#include "core/text.h"

namespace kestrone {

// More than this many on one drive in one clean need the user's yes.
inline constexpr size_t kMassRemovalLimit = 5;
// The report line of an item left for want of that yes: path + this.
inline constexpr char kLeftUnconfirmedSuffix[] = "  left, removal not confirmed";

// The question the window asks, listing the items (at most 20, then how many more).
std::string MassRemovalQuestion(const std::string& driveRoot, const TextList& items);

// True when the items may go: at most the limit, or the user said yes.
bool MayRemoveOwnLookingItems(const std::string& driveRoot, const TextList& items);

// Each item followed by kLeftUnconfirmedSuffix.
TextList MarkLeftUnconfirmed(const TextList& items);

}  // namespace kestrone
