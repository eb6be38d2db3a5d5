// Drives: which letters exist and what kind of drive each one is.
#pragma once

#include <cstdint>
#include <string>

namespace kestrone::platform {

// Drive types, as Windows numbers them.
enum DriveType : unsigned {
    kDriveUnknown = 0,
    kDriveNoRootDir = 1,
    kDriveRemovable = 2,
    kDriveFixed = 3,
    kDriveRemote = 4,
    kDriveCdRom = 5,
    kDriveRamDisk = 6,
};

// Bit 0 is A:, bit 25 is Z:.
uint32_t GetLogicalDriveMask();
// The type of a drive given by its root, such as "E:\".
unsigned GetDriveKind(const std::string& root);

}  // namespace kestrone::platform
