// What the clean of one kind of worm did on a drive: the worm's files it
// removed and the user's items it showed again.
#pragma once

#include "core/text.h"

namespace kestrone {

inline constexpr char kRestoredSuffix[] = "  restored";

struct WormCleanReport {
    TextList cleaned;   // paths deleted (payloads, shortcuts, copies, emptied worm folders)
    TextList restored;  // items made visible again or moved back to the root
    TextList left;      // worm files left because their removal was not confirmed
};

}  // namespace kestrone
