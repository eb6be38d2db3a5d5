// Drives: which letters exist, what kind of drive each one is, and which
// volume is in it.
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

// What tells one volume from another: the serial number the file system got
// when it was formatted, and the label the user gave it.
struct VolumeIdentity {
    uint32_t serial = 0;
    std::string label;
};
// The volume in a drive given by its root; false (and an empty identity) when
// the drive has no readable volume.
bool GetVolumeIdentity(const std::string& root, VolumeIdentity& identity);

}  // namespace kestrone::platform
