// The running Kestrone as its main window publishes itself (app/publish.h):
// the window handle and the program folder, read from the current user's
// record, which is the one Kestrone writes whatever the user's rights.
#pragma once

#include <cstdint>
#include <string>

namespace kestrone::updater {

struct PublishedKestrone {
    uint32_t windowHandle = 0;  // 0 when no record
    std::string mainPath;       // the program folder, ends in a backslash
};

PublishedKestrone ReadPublishedKestrone();

}  // namespace kestrone::updater
