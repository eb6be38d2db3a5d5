// Every refusal rule bites on its own: each case breaks exactly one thing of a
// package that is otherwise accepted.
#include <gtest/gtest.h>

#include <set>

#include "update/package_check.h"
#include "update_fixture.h"

namespace kestrone::test {
namespace {

using namespace update;

UpdateContext Context(int64_t installed = 4) { return {installed, kToday, kProgram}; }

Verdict Check(const PackageBytes& package, const KeyChain& keys = KeyChain(KeyBlob('a')),
              const UpdateContext& context = Context()) {
    Manifest manifest;
    return CheckPackage(package, keys, context, manifest);
}

TEST(PackageCheck, ASoundPackageIsAccepted) {
    EXPECT_TRUE(Check(MakePackage({})).Accepted()) << Check(MakePackage({})).Message();
}

TEST(PackageCheck, EachBrokenRuleGivesItsOwnRefusal) {
    auto tampered = [](auto change) {
        PackageBytes package = MakePackage({});
        change(package);
        return package;
    };
    const struct {
        const char* what;
        PackageBytes package;
        UpdateContext context;
        Refusal expected;
    } cases[] = {
        {"signed by a stranger", MakePackage({.signer = 'b'}), Context(), Refusal::BadSignature},
        {"manifest changed after signing",
         tampered([](PackageBytes& p) { p.manifestText.replace(p.manifestText.find("version 5"), 9, "version 9"); }),
         Context(), Refusal::BadSignature},
        {"no signature", tampered([](PackageBytes& p) { p.manifestSignature.clear(); }), Context(),
         Refusal::BadSignature},
        {"same version as installed", MakePackage({.version = 4}), Context(4), Refusal::NotNewer},
        {"older than installed", MakePackage({.version = 3}), Context(4), Refusal::NotNewer},
        {"expired yesterday", MakePackage({.expires = "2026-12-09"}), Context(), Refusal::Expired},
        {"program too old", MakePackage({.minProgram = "2.3.0.619"}), Context(), Refusal::ProgramTooOld},
        {"program two minors behind", MakePackage({.minProgram = "2.5"}), Context(), Refusal::ProgramTooOld},
        {"kernel.dll missing", tampered([](PackageBytes& p) { p.files.clear(); }), Context(),
         Refusal::FileMissing},
        {"kernel.dll cut short", tampered([](PackageBytes& p) { p.files[kDefinitionsName].pop_back(); }),
         Context(), Refusal::FileSizeDiffers},
        {"kernel.dll one byte changed",
         tampered([](PackageBytes& p) { p.files[kDefinitionsName][20] ^= 1; }), Context(),
         Refusal::FileHashDiffers},
        {"new key signed by itself, not by the trusted key", MakePackage({.newKey = 'b', .newKeySigner = 'b'}),
         Context(), Refusal::BadNewKey},
        {"new key without its signature",
         tampered([](PackageBytes& p) { p.newKey = KeyBlob('b'); }), Context(), Refusal::BadNewKey},
        {"new key that is no key",
         tampered([](PackageBytes& p) {
             p.newKey = "not a key";
             p.newKeySignature = tools::SignBytes(TestKey('a').get(), p.newKey);
         }),
         Context(), Refusal::BadNewKey},
    };
    for (const auto& c : cases) {
        Manifest manifest;
        Verdict verdict = CheckPackage(c.package, KeyChain(KeyBlob('a')), c.context, manifest);
        EXPECT_EQ(verdict.refusal, c.expected) << c.what << ": " << verdict.Message();
    }
}

TEST(PackageCheck, ExpiryDayItselfAndAFirstInstallAreStillAccepted) {
    EXPECT_TRUE(Check(MakePackage({.expires = kToday})).Accepted());
    EXPECT_TRUE(Check(MakePackage({.version = 1}), KeyChain(KeyBlob('a')), Context(0)).Accepted());
    EXPECT_TRUE(Check(MakePackage({.minProgram = kProgram})).Accepted());
}

TEST(PackageCheck, AnUnreadableTodayCountsAsExpired) {
    for (const char* today : {"", "10.12.2026", "2026-13-01"}) {
        EXPECT_EQ(Check(MakePackage({}), KeyChain(KeyBlob('a')), {4, today, kProgram}).refusal, Refusal::Expired)
            << today;
    }
}

TEST(PackageCheck, AfterARolloverOnlyTheNewestKeySigns) {
    KeyChain rolled(KeyBlob('a'));
    rolled.Append(KeyBlob('b'));
    EXPECT_TRUE(Check(MakePackage({.signer = 'b'}), rolled).Accepted());
    EXPECT_EQ(Check(MakePackage({.signer = 'a'}), rolled).refusal, Refusal::BadSignature);
}

TEST(PackageCheck, ARolloverPackageMaySignWithEitherKey) {
    EXPECT_TRUE(Check(MakePackage({.signer = 'a', .newKey = 'b'})).Accepted());
    EXPECT_TRUE(Check(MakePackage({.signer = 'b', .newKey = 'b'})).Accepted());
}

TEST(PackageCheck, ADownloadIsStoppedTheMomentItPassesTheAnnouncedSize) {
    EXPECT_TRUE(CheckDownloadSize("kernel.dll", 100, 0).Accepted());
    EXPECT_TRUE(CheckDownloadSize("kernel.dll", 100, 100).Accepted());
    Verdict verdict = CheckDownloadSize("kernel.dll", 100, 101);
    EXPECT_EQ(verdict.refusal, Refusal::DownloadTooLarge);
    EXPECT_NE(verdict.Message().find("kernel.dll"), std::string::npos);
}

class PackageFolder : public UpdateTest {
protected:
    static constexpr char kFolder[] = "C:\\Temp\\package\\";
    void Put(const PackageBytes& package) {
        world().AddFile(std::string(kFolder) + kManifestName, package.manifestText);
        world().AddFile(std::string(kFolder) + kManifestSignatureName, package.manifestSignature);
        for (const auto& [name, bytes] : package.files) world().AddFile(kFolder + name, bytes);
        if (!package.newKey.empty()) {
            world().AddFile(std::string(kFolder) + kNewKeyName, package.newKey);
            world().AddFile(std::string(kFolder) + kNewKeySignatureName, package.newKeySignature);
        }
    }
    Verdict Read() {
        PackageBytes package;
        Manifest manifest;
        return ReadPackageFolder(kFolder, KeyChain(KeyBlob('a')), Context(), package, manifest);
    }
};

TEST_F(PackageFolder, AFolderIsReadAndJudgedLikeThePackageItHolds) {
    Put(MakePackage({.newKey = 'b'}));
    EXPECT_TRUE(Read().Accepted()) << Read().Message();
}

TEST_F(PackageFolder, MissingOrOversizedFilesAreRefusedWithoutReadingThem) {
    const struct {
        const char* what;
        std::string path;  // "" to remove
        std::string content;
        Refusal expected;
    } cases[] = {
        {"no manifest", kManifestName, "", Refusal::FileMissing},
        {"no signature", kManifestSignatureName, "", Refusal::FileMissing},
        {"signature of 257 bytes", kManifestSignatureName, std::string(257, 's'), Refusal::Malformed},
        {"manifest of 65 KiB", kManifestName, std::string(kManifestSizeLimit + 1, 'm'), Refusal::Malformed},
        {"no kernel.dll", kDefinitionsName, "", Refusal::FileMissing},
        {"kernel.dll larger than announced", kDefinitionsName, Kernel("V5") + "x", Refusal::FileSizeDiffers},
        {"newkey alone", kNewKeyName, KeyBlob('b'), Refusal::BadNewKey},
        {"newkey.sig alone", kNewKeySignatureName, std::string(256, 's'), Refusal::BadNewKey},
    };
    for (const auto& c : cases) {
        world().Reset();
        SetUp();
        Put(MakePackage({}));
        std::string path = kFolder + c.path;
        if (c.content.empty()) world().Erase(path); else world().AddFile(path, c.content);
        EXPECT_EQ(Read().refusal, c.expected) << c.what;
    }
}

TEST(PackageMessages, EveryRefusalTellsTheUserSomethingOfItsOwn) {
    std::set<std::string> seen;
    for (int r = static_cast<int>(Refusal::Malformed); r <= static_cast<int>(Refusal::WriteFailed); ++r) {
        Verdict verdict = Refuse(static_cast<Refusal>(r), "x");
        std::string message = verdict.Message();
        EXPECT_NE(message.find("stay as they are"), std::string::npos) << message;
        seen.insert(message);
    }
    // Size and digest mismatches read alike on purpose; every other refusal differs.
    EXPECT_EQ(seen.size(), static_cast<size_t>(Refusal::WriteFailed) - 1);
    EXPECT_NE(Refuse(Refusal::ProgramTooOld, "2.4").Message().find("2.4"), std::string::npos);
    EXPECT_NE(Refuse(Refusal::Expired, "2026-12-09").Message().find("2026-12-09"), std::string::npos);
}

}  // namespace
}  // namespace kestrone::test
