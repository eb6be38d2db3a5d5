// Which definitions a start uses: the newest set that verifies and reads.
#include <gtest/gtest.h>

#include "update_fixture.h"

namespace kestrone::test {
namespace {

using namespace update;

class ChoiceTest : public UpdateTest {
protected:
    void PutSet(const std::string& folder, const PackagePlan& plan, const std::string& kernel = "") {
        PackageBytes package = kernel.empty() ? MakePackage(plan) : MakePackage(plan, kernel);
        world().AddFile(folder + kDefinitionsName, package.files[kDefinitionsName]);
        world().AddFile(folder + kManifestName, package.manifestText);
        world().AddFile(folder + kManifestSignatureName, package.manifestSignature);
    }
    std::string PreviousFolder() const { return PreviousFolderOf(kDefinitionsFolder); }
};

TEST_F(ChoiceTest, TheNewestSoundSetWinsWhereverItLies) {
    const struct {
        const char* what;
        int64_t installed, previous, shipped;  // 0: no signed set there
        const char* expected;
        DefinitionsOrigin origin;
    } cases[] = {
        {"only the shipped file", 0, 0, 0, "SHIPPED", DefinitionsOrigin::Shipped},
        {"an update", 6, 5, 0, "V6", DefinitionsOrigin::Installed},
        {"the set in use is broken", 0, 5, 0, "V5", DefinitionsOrigin::Previous},
        // A newer program came with newer signed definitions than the last update.
        {"the shipped set is newer", 6, 5, 9, "V9", DefinitionsOrigin::Shipped},
        {"previous newer than in use", 5, 6, 0, "V6", DefinitionsOrigin::Previous},
        {"equal versions: the installed set", 6, 6, 6, "V6", DefinitionsOrigin::Installed},
    };
    for (const auto& c : cases) {
        SetUp();
        if (c.installed) PutSet(kDefinitionsFolder, {.version = c.installed});
        if (c.previous) PutSet(PreviousFolder(), {.version = c.previous});
        if (c.shipped) PutSet(kShippedFolder, {.version = c.shipped});
        DefinitionsChoice choice = ChooseDefinitions(Choice());
        ASSERT_TRUE(choice.found) << c.what;
        EXPECT_EQ(MarkerOf(choice.kernelPath), c.expected) << c.what;
        EXPECT_EQ(choice.origin, c.origin) << c.what;
    }
}

TEST_F(ChoiceTest, ASetThatDoesNotDecryptIsPassedOver) {
    PutSet(kDefinitionsFolder, {.version = 6}, "signed, but no definitions");
    PutSet(PreviousFolder(), {.version = 5});
    EXPECT_EQ(Started(), "V5");
}

TEST_F(ChoiceTest, ASetForANewerProgramIsPassedOver) {
    // The user went back to an older Kestrone after an update for a newer one.
    PutSet(kDefinitionsFolder, {.version = 6, .minProgram = "2.4"});
    PutSet(PreviousFolder(), {.version = 5});
    EXPECT_EQ(Started(), "V5");
}

TEST_F(ChoiceTest, ASetWhoseFileDiffersFromItsManifestIsPassedOver) {
    PutSet(kDefinitionsFolder, {.version = 6});
    world().AddFile(In(kDefinitionsName), Kernel("V7"));  // decrypts fine, but is not what was signed
    EXPECT_EQ(Started(), "SHIPPED");
}

TEST_F(ChoiceTest, NothingIsFoundOnlyWhenNotEvenTheShippedFileReads) {
    world().AddFile(std::string(kShippedFolder) + kDefinitionsName, "broken");
    EXPECT_FALSE(ChooseDefinitions(Choice()).found);
    PutSet(PreviousFolder(), {.version = 5});
    EXPECT_TRUE(ChooseDefinitions(Choice()).found);
}

TEST_F(ChoiceTest, TheVersionInUseIsReported) {
    PutSet(kDefinitionsFolder, {.version = 6});
    EXPECT_EQ(ChooseDefinitions(Choice()).version, 6);
    world().Erase(In(kManifestName));
    EXPECT_EQ(ChooseDefinitions(Choice()).version, 0);
}

}  // namespace
}  // namespace kestrone::test
