// The shipped definitions at work: a drive infected by one of the families they
// describe is cleaned of the worm's files, and a user's own programs stay.
#include <gtest/gtest.h>

#include <string>

#include "core/decryption.h"
#include "core/path_macros.h"
#include "openssl_helpers.h"
#include "scan/drive_clean.h"
#include "sim_fixture.h"

namespace kestrone {
namespace {

class ShippedCleanTest : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        AddPcWithStick();
        world().AddFile(GetExeDir() + "kernel.dll", test::ReadHostFile(KESTRONE_TEST_PACKED_DEFINITIONS));
        DecryptDataFiles();
    }
};

TEST_F(ShippedCleanTest, ARavMonDriveLosesTheWormAndItsSystemCopyButKeepsTheUsersPrograms) {
    const uint32_t hiddenSystem = platform::kAttrHidden | platform::kAttrSystem;
    world().AddFile("E:\\autorun.inf", "[AutoRun]\r\nopen=RavMon.exe\r\nshell\\open\\command=RavMon.exe\r\n",
                    hiddenSystem);
    world().AddFile("E:\\RavMon.exe", "worm", hiddenSystem);
    world().AddFile("E:\\RavMonE.exe", "worm", hiddenSystem);
    world().AddFile("C:\\WINDOWS\\RavMonE.exe", "worm", hiddenSystem);
    world().AddFile("E:\\setup.exe", "the user's installer");
    world().AddFile("E:\\o.exe", "the user's tool");

    TextList lines = CleanDriveOnArrival("E:\\");

    for (const char* gone : {"E:\\autorun.inf", "E:\\RavMon.exe", "E:\\RavMonE.exe", "C:\\WINDOWS\\RavMonE.exe"}) {
        EXPECT_FALSE(world().Exists(gone)) << gone;
    }
    EXPECT_TRUE(world().Exists("E:\\setup.exe"));
    EXPECT_TRUE(world().Exists("E:\\o.exe"));
    EXPECT_NE(IndexOfText(lines, "C:\\WINDOWS\\RAVMONE.EXE  cleaned"), -1);
    EXPECT_NE(IndexOfText(lines, "E:\\autorun.inf  cleaned"), -1);
}

TEST_F(ShippedCleanTest, ANewFolderWormIsFoundByNameInTheDriveRoot) {
    world().AddFile("E:\\Autorun.inf", "[autorun]\r\nopen=\r\n");
    world().AddFile("E:\\New Folder.exe", "worm");
    world().AddFile("E:\\Photos.exe", "the user's slideshow");
    CleanDriveOnArrival("E:\\");
    EXPECT_FALSE(world().Exists("E:\\New Folder.exe"));
    EXPECT_TRUE(world().Exists("E:\\Photos.exe"));
}

}  // namespace
}  // namespace kestrone
