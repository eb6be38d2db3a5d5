// Kestrone's start-up decryption takes the definitions an update installed,
// falls back by itself when they are damaged, and without any update works
// on the shipped kernel.dll exactly as before.
#include <gtest/gtest.h>

#include "machine_fixture.h"
#include "platform/files.h"

namespace kestrone::test {
namespace {

using update::DefinitionsOrigin;

class DefinitionsLoading : public MachineTest {};

TEST_F(DefinitionsLoading, WithoutAnUpdateTheShippedFileIsUsedAndSaysSo) {
    EXPECT_EQ(LoadedThreatList(), "SHIPPED");
    const update::DefinitionsInUse& loaded = update::DefinitionsLoaded();
    EXPECT_EQ(loaded.origin, DefinitionsOrigin::Shipped);
    EXPECT_EQ(loaded.version, 0);
    EXPECT_EQ(update::DefinitionsVersionText(loaded),
              "as shipped with Kestrone " + update::ThisProgramVersion());
    EXPECT_FALSE(world().Exists(kUserDefinitions));  // looking created nothing
}

TEST_F(DefinitionsLoading, AnInstalledUpdateWinsAndItsVersionAndDateAreShown) {
    ASSERT_TRUE(InstallOnMachine({.version = 5, .date = "2026-12-02"}).Accepted());
    EXPECT_EQ(LoadedThreatList(), "V5");
    const update::DefinitionsInUse& loaded = update::DefinitionsLoaded();
    EXPECT_EQ(loaded.origin, DefinitionsOrigin::Installed);
    EXPECT_EQ(loaded.version, 5);
    EXPECT_EQ(update::DefinitionsVersionText(loaded), "version 5 of 2026-12-02");
}

// What a damaged folder falls back to, case by case.
TEST_F(DefinitionsLoading, DamagedSetsFallBackToThePreviousThenToTheShippedFile) {
    struct Case {
        const char* what;
        bool damageCurrent, damagePrevious;
        const char* expected;
        DefinitionsOrigin origin;
    } cases[] = {
        {"both sound", false, false, "V6", DefinitionsOrigin::Installed},
        {"the set in use altered", true, false, "V5", DefinitionsOrigin::Previous},
        {"both altered", true, true, "SHIPPED", DefinitionsOrigin::Shipped},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        ASSERT_TRUE(InstallOnMachine({.version = 5}).Accepted());
        ASSERT_TRUE(InstallOnMachine({.version = 6}).Accepted());
        if (c.damageCurrent)
            world().AddFile(std::string(kUserDefinitions) + "kernel.dll", Kernel("EVIL"));
        if (c.damagePrevious)
            world().AddFile(std::string(kUserDefinitions) + "previous\\kernel.dll", Kernel("EVIL"));
        EXPECT_EQ(LoadedThreatList(), c.expected);
        EXPECT_EQ(update::DefinitionsLoaded().origin, c.origin);
        TearDown();
    }
}

TEST_F(DefinitionsLoading, ASetSignedByAStrangerIsNeverLoaded) {
    update::PackageBytes package = MakePackage({.version = 9, .signer = 'b'}, Kernel("STRANGER"));
    world().AddFile(std::string(kUserDefinitions) + "kernel.dll", package.files.at("kernel.dll"));
    world().AddFile(std::string(kUserDefinitions) + "manifest.txt", package.manifestText);
    world().AddFile(std::string(kUserDefinitions) + "manifest.sig", package.manifestSignature);
    EXPECT_EQ(LoadedThreatList(), "SHIPPED");
}

// The built-in publisher key alone is trusted once tests stop standing in for it.
TEST_F(DefinitionsLoading, WithoutTheStandInKeyTheTestSignedSetIsPassedOver) {
    ASSERT_TRUE(InstallOnMachine({.version = 5}).Accepted());
    update::SetRootKeyOverride("");
    EXPECT_EQ(LoadedThreatList(), "SHIPPED");
}

TEST_F(DefinitionsLoading, InstalledDefinitionsServeEvenWhenTheShippedFileIsGone) {
    ASSERT_TRUE(InstallOnMachine({.version = 5}).Accepted());
    platform::RemoveFile(std::string(kShippedFolder) + "kernel.dll");
    EXPECT_EQ(LoadedThreatList(), "V5");
}

// With nothing installed a broken shipped file fails with the error it always gave.
TEST_F(DefinitionsLoading, ABrokenShippedFileStillRaisesItsOldError) {
    world().AddFile(std::string(kShippedFolder) + "kernel.dll", "short");
    EXPECT_THROW(DecryptDataFiles(), EStreamError);
}

}  // namespace
}  // namespace kestrone::test
