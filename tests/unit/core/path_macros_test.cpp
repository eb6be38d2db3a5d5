#include "core/path_macros.h"

#include "sim_fixture.h"

namespace kestrone {
namespace {

class PathMacros : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('A', platform::kDriveRemovable);
        world().AddDrive('C', platform::kDriveFixed);
        world().AddDrive('D', platform::kDriveFixed);
        world().AddDrive('E', platform::kDriveRemovable);
        world().AddDrive('F', platform::kDriveCdRom);
        world().SetTempFolder("C:\\Users\\me\\Temp");
    }
};

TEST_F(PathMacros, ExpandsEachMacroAgainstItsFolder) {
    TextList expanded = ExpandPathMacros({"%SYSTEMROOT%\\DRIVERS\\X.SYS", "%windir%\\x.exe",
                                          "%temp%", "%PROGRAMFILES%\\App\\a.dll",
                                          "%TEMP%\\sub\\b.tmp"});
    EXPECT_EQ(expanded, (TextList{"C:\\WINDOWS\\system32\\DRIVERS\\X.SYS", "C:\\WINDOWS\\x.exe",
                                  "C:\\Users\\me\\Temp\\", "C:\\Program Files\\App\\a.dll",
                                  "C:\\Users\\me\\Temp\\sub\\b.tmp"}));
}

TEST_F(PathMacros, DiskMacroGivesFixedAndRemovableDrivesButNotAOrCdRom) {
    EXPECT_EQ(ExpandPathMacros({"%disk%\\autorun.inf"}),
              (TextList{"C:\\autorun.inf", "D:\\autorun.inf", "E:\\autorun.inf"}));
}

TEST_F(PathMacros, EntriesThatAreNeitherMacroNorDrivePathDisappear) {
    EXPECT_EQ(ExpandPathMacros({"notepad.exe", "C:\\x.exe", "C:\\%temp%\\y", "%disk%autorun.inf",
                                "%unknown%\\z"}),
              (TextList{"C:\\x.exe", "C:\\%temp%\\y"}));
}

TEST_F(PathMacros, UnresolvedShellFolderLeavesABareBackslash) {
    world().SetSpecialFolder(platform::kCsidlProgramFiles, "");
    EXPECT_EQ(ExpandPathMacros({"%programfiles%\\a.exe"}), (TextList{"\\a.exe"}));
}

TEST_F(PathMacros, PathEntriesAreToldFromNames) {
    TextList entries{"abc%TEMP%", "notepad.exe", "C:\\x.exe", "%Disk%\\a", "KAVO.EXE"};
    EXPECT_EQ(SelectPathEntries(entries), (TextList{"abc%TEMP%", "C:\\x.exe", "%Disk%\\a"}));
    EXPECT_EQ(SelectNameEntries(entries), (TextList{"notepad.exe", "KAVO.EXE"}));
}

TEST_F(PathMacros, DirectoriesEndInABackslash) {
    EXPECT_EQ(GetTempDir(), "C:\\Users\\me\\Temp\\");
    EXPECT_EQ(GetSpecialDir(platform::kCsidlSystem), "C:\\WINDOWS\\system32\\");
    EXPECT_EQ(GetExeDir(), "C:\\Program Files\\Kestrone\\");
}

}  // namespace
}  // namespace kestrone
