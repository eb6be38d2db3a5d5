#include "core/drive_claim.h"

#include "core/text.h"

namespace kestrone {

std::string DriveCleaningMarkName(const std::string& driveRoot) {
    std::string letter = UpperCase(driveRoot.substr(0, 1));
    return "Global\\KestroneCleaningDrive" + letter;
}

}  // namespace kestrone
