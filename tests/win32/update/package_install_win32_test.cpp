// Packages signed on the host by the package tool are verified by CryptoAPI and
// installed through the real file functions (replacing moves, folder renames).
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/files.h"
#include "signature_vectors.h"
#include "update/definitions_choice.h"
#include "update/install.h"

namespace kestrone {
namespace {

using namespace update;

// Build paths are host paths; Wine shows the host's root as drive Z:.
std::string HostFolder(const std::string& unixPath) {
    std::string path = "Z:" + unixPath + "\\";
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

std::string Package(const char* name) { return HostFolder(std::string(KESTRONE_TEST_PACKAGES) + "/" + name); }

void RemoveTree(const std::string& folder) {
    for (const platform::FolderEntry& entry : platform::ListFolder(folder + "*")) {
        std::string path = folder + entry.name;
        platform::SetAttributes(path, platform::kAttrNormal);
        if (entry.IsFolder()) {
            RemoveTree(path + "\\");
        } else {
            platform::RemoveFile(path);
        }
    }
    platform::RemoveFolder(folder);
}

class PackageInstallWin32 : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        root = std::string(temp) + "kestrone-update-" + std::to_string(GetCurrentProcessId()) + "\\";
        RemoveTree(root);
        ASSERT_TRUE(platform::MakeFolder(root));
        definitions = root + "Definitions\\";
        shipped = root + "Program\\";
        ASSERT_TRUE(platform::MakeFolder(shipped));
    }
    void TearDown() override { RemoveTree(root); }

    InstallRequest Request() const {
        InstallRequest request;
        request.definitionsFolder = definitions;
        request.shippedFolder = shipped;
        request.rootKey = contract::vectors::kKeyA;
        request.today = "2026-12-10";
        return request;
    }
    DefinitionsChoice Chosen() const {
        ChoiceRequest choice;
        choice.definitionsFolder = definitions;
        choice.shippedFolder = shipped;
        choice.rootKey = contract::vectors::kKeyA;
        return ChooseDefinitions(choice);
    }
    // A copy of a host package with one byte of one file changed.
    std::string Tampered(const char* file, size_t at) {
        std::string copy = root + "tampered\\";
        platform::MakeFolder(copy);
        for (const char* name : {kDefinitionsName, kManifestName, kManifestSignatureName}) {
            std::string bytes;
            EXPECT_TRUE(platform::ReadWholeFile(Package("v3") + name, bytes));
            if (std::string(name) == file) bytes[at] = static_cast<char>(bytes[at] ^ 0x01);
            EXPECT_TRUE(platform::WriteTextFile(copy + name, bytes));
        }
        return copy;
    }

    std::string root, definitions, shipped;
};

TEST_F(PackageInstallWin32, AToolMadePackageInstallsAndIsChosenAtTheNextStart) {
    Verdict verdict = InstallPackageFolder(Request(), Package("v3"));
    ASSERT_TRUE(verdict.Accepted()) << verdict.Message();
    DefinitionsChoice choice = Chosen();
    ASSERT_TRUE(choice.found);
    EXPECT_EQ(choice.origin, DefinitionsOrigin::Installed);
    EXPECT_EQ(choice.version, 3);
    EXPECT_EQ(InstallPackageFolder(Request(), Package("v3")).refusal, Refusal::NotNewer);
}

TEST_F(PackageInstallWin32, ARolloverKeepsTheOldSetAsPreviousAndTheNewKey) {
    ASSERT_TRUE(InstallPackageFolder(Request(), Package("v3")).Accepted());
    Verdict verdict = InstallPackageFolder(Request(), Package("v4-rollover"));
    ASSERT_TRUE(verdict.Accepted()) << verdict.Message();
    EXPECT_EQ(Chosen().version, 4);
    EXPECT_EQ(LoadKeyChain(contract::vectors::kKeyA, KeysFolderOf(definitions)).Newest(), contract::vectors::kKeyB);
    // The set in use damaged: the next start falls back to previous\ by itself.
    ASSERT_TRUE(platform::WriteTextFile(definitions + kDefinitionsName, "damaged"));
    DefinitionsChoice choice = Chosen();
    EXPECT_EQ(choice.origin, DefinitionsOrigin::Previous);
    EXPECT_EQ(choice.version, 3);
}

TEST_F(PackageInstallWin32, AChangedByteIsRefusedByTheRealChecks) {
    EXPECT_EQ(InstallPackageFolder(Request(), Tampered(kDefinitionsName, 100)).refusal, Refusal::FileHashDiffers);
    RemoveTree(root + "tampered\\");
    EXPECT_EQ(InstallPackageFolder(Request(), Tampered(kManifestName, 30)).refusal, Refusal::BadSignature);
    RemoveTree(root + "tampered\\");
    EXPECT_EQ(InstallPackageFolder(Request(), Tampered(kManifestSignatureName, 0)).refusal, Refusal::BadSignature);
    EXPECT_FALSE(Chosen().found);  // no shipped file here, and nothing was installed
}

}  // namespace
}  // namespace kestrone
