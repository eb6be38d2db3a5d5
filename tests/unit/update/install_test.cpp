// Installing on the simulated machine: the set in use changes only to a
// package that passed every rule, the set before it is kept as previous\, and
// a crash at any step leaves definitions the next start can read.
#include <gtest/gtest.h>

#include "update_fixture.h"

namespace kestrone::test {
namespace {

using namespace update;

struct SimulatedCrash {};

std::vector<std::string> SetNames() { return {kDefinitionsName, kManifestName, kManifestSignatureName}; }

class InstallTest : public UpdateTest {
protected:
    std::string Previous(const std::string& name = kDefinitionsName) const {
        return PreviousFolderOf(kDefinitionsFolder) + name;
    }
    std::vector<std::string> Leftovers() const {
        std::vector<std::string> found;
        for (const std::string& path : world().ListTree(kDefinitionsFolder)) {
            if (path.ends_with(".new") || path.ends_with(".old") || path.ends_with(".trial")) found.push_back(path);
        }
        return found;
    }
};

TEST_F(InstallTest, AFirstInstallReplacesTheShippedDefinitionsAtTheNextStart) {
    EXPECT_EQ(Started(), "SHIPPED");
    Verdict verdict = Install({.version = 5});
    ASSERT_TRUE(verdict.Accepted()) << verdict.Message();
    EXPECT_EQ(Started(), "V5");
    for (const std::string& name : SetNames()) EXPECT_TRUE(world().IsFile(In(name))) << name;
    EXPECT_FALSE(world().Exists(Previous()));  // nothing installed before: nothing to keep
    EXPECT_TRUE(Leftovers().empty());
    EXPECT_FALSE(world().Exists("C:\\Temp\\kernel.trial"));
}

TEST_F(InstallTest, TheSetInUseIsKeptAsPrevious) {
    ASSERT_TRUE(Install({.version = 5}).Accepted());
    ASSERT_TRUE(Install({.version = 6}).Accepted());
    EXPECT_EQ(Started(), "V6");
    EXPECT_EQ(MarkerOf(Previous()), "V5");
    ASSERT_TRUE(Install({.version = 7}).Accepted());
    EXPECT_EQ(MarkerOf(Previous()), "V6");
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(InstallTest, RefusedPackagesChangeNothing) {
    ASSERT_TRUE(Install({.version = 5}).Accepted());
    std::vector<std::string> before = world().ListTree(kDefinitionsFolder);
    std::string kernel = world().Content(In(kDefinitionsName));
    const struct {
        const char* what;
        PackagePlan plan;
        Refusal expected;
    } cases[] = {
        {"the installed version again", {.version = 5}, Refusal::NotNewer},
        {"a rollback", {.version = 4}, Refusal::NotNewer},
        {"expired", {.version = 6, .expires = "2026-12-09"}, Refusal::Expired},
        {"needs a newer program", {.version = 6, .minProgram = "3.0"}, Refusal::ProgramTooOld},
        {"a stranger's signature", {.version = 6, .signer = 'b'}, Refusal::BadSignature},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Install(c.plan).refusal, c.expected) << c.what;
        EXPECT_EQ(world().ListTree(kDefinitionsFolder), before) << c.what;
        EXPECT_EQ(world().Content(In(kDefinitionsName)), kernel) << c.what;
    }
}

TEST_F(InstallTest, DefinitionsThatDoNotReadAreNotInstalled) {
    ASSERT_TRUE(Install({.version = 5}).Accepted());
    std::string unreadable = EncryptedFile(Key128("wren"), "[Other]\r\nx=1\r\n", 14);
    EXPECT_EQ(InstallPackage(Request(), MakePackage({.version = 6}, unreadable)).refusal, Refusal::TrialLoadFailed);
    EXPECT_EQ(InstallPackage(Request(), MakePackage({.version = 6}, "not encrypted at all")).refusal,
              Refusal::TrialLoadFailed);
    EXPECT_EQ(Started(), "V5");
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(InstallTest, TheTrialLoadSeesTheNewFileNotTheOldOne) {
    ASSERT_TRUE(Install({.version = 5}).Accepted());
    InstallRequest request = Request();
    std::string tried;
    request.trialLoad = [&](const std::string& path) {
        tried = path;
        return DecryptAndReadDefinitions(path);
    };
    ASSERT_TRUE(InstallPackage(request, MakePackage({.version = 6})).Accepted());
    EXPECT_EQ(tried, In("kernel.dll.new"));
}

TEST_F(InstallTest, AFolderThatRefusesWritesKeepsTheDefinitionsInUse) {
    ASSERT_TRUE(Install({.version = 5}).Accepted());
    world().MakeWriteProtected(kDefinitionsFolder);
    EXPECT_EQ(Install({.version = 6}).refusal, Refusal::WriteFailed);
    EXPECT_EQ(Started(), "V5");
}

TEST_F(InstallTest, ALockedDefinitionsFileFailsTheInstallButNotTheNextStart) {
    ASSERT_TRUE(Install({.version = 5}).Accepted());
    ASSERT_TRUE(Install({.version = 6}).Accepted());
    world().Lock(In(kDefinitionsName));  // someone holds kernel.dll open
    EXPECT_EQ(Install({.version = 7}).refusal, Refusal::WriteFailed);
    world().Lock(In(kDefinitionsName), false);
    EXPECT_EQ(Started(), "V6");
}

TEST_F(InstallTest, DamagedDefinitionsFallBackByThemselves) {
    ASSERT_TRUE(Install({.version = 5}).Accepted());
    ASSERT_TRUE(Install({.version = 6}).Accepted());
    std::string kernel = world().Content(In(kDefinitionsName));
    kernel[30] ^= 1;
    world().AddFile(In(kDefinitionsName), kernel);
    EXPECT_EQ(Started(), "V5");
    world().Erase(Previous(kManifestSignatureName));
    EXPECT_EQ(Started(), "SHIPPED");
}

TEST_F(InstallTest, AfterAFallBackTheNextUpdateStillKeepsAWorkingPrevious) {
    ASSERT_TRUE(Install({.version = 5}).Accepted());
    ASSERT_TRUE(Install({.version = 6}).Accepted());
    world().Erase(In(kManifestName));  // the set in use is broken; V5 is started
    // A broken set does not count as installed, so V6 may come again.
    EXPECT_EQ(Install({.version = 6}).refusal, Refusal::None);
    EXPECT_EQ(Started(), "V6");
    EXPECT_EQ(MarkerOf(Previous()), "V5");  // the broken set did not replace the good one
}

TEST_F(InstallTest, DefinitionsPlantedWithoutOurSignatureAreNeverStarted) {
    PackageBytes planted = MakePackage({.version = 99, .signer = 'b'});
    world().AddFile(In(kDefinitionsName), planted.files[kDefinitionsName]);
    world().AddFile(In(kManifestName), planted.manifestText);
    world().AddFile(In(kManifestSignatureName), planted.manifestSignature);
    EXPECT_EQ(Started(), "SHIPPED");
    EXPECT_TRUE(Install({.version = 5}).Accepted());  // and the planted version blocks nothing
}

TEST_F(InstallTest, AKeyRolloverIsKeptAndTheOldKeyRetires) {
    ASSERT_TRUE(Install({.version = 5, .newKey = 'b'}).Accepted());
    EXPECT_TRUE(world().IsFile(KeysFolderOf(kDefinitionsFolder) + "1.key"));
    EXPECT_TRUE(Install({.version = 6, .signer = 'b'}).Accepted());
    EXPECT_EQ(Install({.version = 7, .signer = 'a'}).refusal, Refusal::BadSignature);
    // The set signed by the new key and the one before it, signed by the old, both still start.
    EXPECT_EQ(Started(), "V6");
    world().Erase(In(kManifestName));
    EXPECT_EQ(Started(), "V5");
}

TEST_F(InstallTest, ARolloverPackageSignedByItsNewKeyInstalls) {
    ASSERT_TRUE(Install({.version = 5, .signer = 'b', .newKey = 'b'}).Accepted());
    EXPECT_EQ(Started(), "V5");
}

// Plays a crash after every step of an install of V6 over V5 (with V4 as
// previous), then starts the program, then installs V6 again.
class InterruptedInstall : public InstallTest {
protected:
    void Arrange() {
        SetUp();
        ASSERT_TRUE(Install({.version = 4}).Accepted());
        ASSERT_TRUE(Install({.version = 5}).Accepted());
    }
    std::vector<std::string> StepsOfACleanInstall() {
        Arrange();
        std::vector<std::string> steps;
        InstallRequest request = Request();
        request.afterStep = [&](const std::string& step) { steps.push_back(step); };
        EXPECT_TRUE(InstallPackage(request, MakePackage({.version = 6})).Accepted());
        return steps;
    }
};

TEST_F(InterruptedInstall, ACrashAtAnyStepLeavesDefinitionsThatStart) {
    std::vector<std::string> steps = StepsOfACleanInstall();
    ASSERT_GE(steps.size(), 9u);  // written, verified, trial, copied, aside, in place, three replacements, done
    bool replacedEverything = false;
    for (const std::string& crashAt : steps) {
        Arrange();
        InstallRequest request = Request();
        request.afterStep = [&](const std::string& step) {
            if (step == crashAt) throw SimulatedCrash{};
        };
        EXPECT_THROW(InstallPackage(request, MakePackage({.version = 6})), SimulatedCrash) << crashAt;
        replacedEverything = replacedEverything || crashAt == "replaced manifest.txt";
        EXPECT_EQ(Started(), replacedEverything ? "V6" : "V5") << "crash after " << crashAt;

        // The next attempt cleans up and ends as a clean install would have.
        Verdict again = Install({.version = 6});
        EXPECT_EQ(again.refusal, replacedEverything ? Refusal::NotNewer : Refusal::None) << crashAt;
        EXPECT_EQ(Started(), "V6") << crashAt;
        EXPECT_EQ(MarkerOf(Previous()), "V5") << crashAt;
        EXPECT_TRUE(Leftovers().empty()) << crashAt;
    }
}

}  // namespace
}  // namespace kestrone::test
