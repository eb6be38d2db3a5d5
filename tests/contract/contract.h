// Platform contract: the same tests run against the simulated machine (native)
// and the real Win32 API (under Wine), so the simulation cannot drift from
// Windows. Each suite supplies the hooks below.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kestrone::contract {

// A fresh, empty folder for one test, ending in a backslash.
std::string MakeScratchFolder();
// Removes what MakeScratchFolder made.
void RemoveScratchFolder(const std::string& folder);

// Keeps a file open the way a running program does (deletion fails while held).
class FileHold {
public:
    virtual ~FileHold() = default;
};
std::unique_ptr<FileHold> HoldFile(const std::string& path);

// The letter of a drive that the system reports as removable.
char RemovableDriveLetter();

class PlatformContract : public ::testing::Test {
protected:
    void SetUp() override { dir = MakeScratchFolder(); }
    void TearDown() override { RemoveScratchFolder(dir); }
    std::string dir;
};

}  // namespace kestrone::contract
