// The package tool's output is what the product installs: a package built from
// the real definitions source installs and starts on the simulated machine.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "common/host_files.h"
#include "signature_vectors.h"
#include "update_fixture.h"

namespace kestrone::test {
namespace {

using namespace update;
namespace fs = std::filesystem;

class PackageToolTest : public UpdateTest {
protected:
    void SetUp() override {
        UpdateTest::SetUp();
        out = fs::temp_directory_path() / ("kestrone-package-test-" + std::to_string(::getpid()));
        fs::remove_all(out);
    }
    void TearDown() override {
        fs::remove_all(out);
        UpdateTest::TearDown();
    }
    int Run(const std::string& arguments) {
        std::string command = std::string(KESTRONE_TEST_PACKAGE_TOOL) + " " + arguments + " 2>/dev/null";
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Build(const std::string& version, const std::string& extra = "") {
        return "build --out " + out.string() + " --key " + KESTRONE_TEST_KEYS + "/test-key-a-for-tests-only.pem" +
               " --version " + version + " --date 2026-12-01 --expires 2027-03-01 --min-program 2.3 " +
               "--definitions " + KESTRONE_TEST_PLAIN_DEFINITIONS + " " + extra;
    }
    // Copies the built folder onto the simulated machine.
    std::string Upload() {
        std::string folder = "C:\\Temp\\download\\";
        for (const auto& entry : fs::directory_iterator(out)) {
            std::string bytes;
            tools::ReadHostFile(entry.path().string(), bytes);
            world().AddFile(folder + entry.path().filename().string(), bytes);
        }
        return folder;
    }
    fs::path out;
};

TEST_F(PackageToolTest, APackageOfTheRealDefinitionsInstallsAndStarts) {
    ASSERT_EQ(Run(Build("3")), 0);
    Verdict verdict = InstallPackageFolder(Request(), Upload());
    ASSERT_TRUE(verdict.Accepted()) << verdict.Message();
    DefinitionsChoice choice = ChooseDefinitions(Choice());
    EXPECT_EQ(choice.version, 3);
    EXPECT_NE(MarkerOf(choice.kernelPath).find("FUJACKS"), std::string::npos);
}

TEST_F(PackageToolTest, ARolloverPackageCarriesTheNewKeySignedByTheOld) {
    std::string next = std::string(KESTRONE_TEST_KEYS) + "/test-key-b-for-tests-only.pem";
    ASSERT_EQ(Run(Build("3", "--new-key " + next + " --sign-with-new-key")), 0);
    std::string key;
    ASSERT_TRUE(tools::ReadHostFile((out / "newkey").string(), key));
    EXPECT_EQ(key, contract::vectors::kKeyB);
    ASSERT_TRUE(InstallPackageFolder(Request(), Upload()).Accepted());
    EXPECT_EQ(LoadKeyChain(KeyBlob('a'), KeysFolderOf(kDefinitionsFolder)).Newest(), KeyBlob('b'));
}

TEST_F(PackageToolTest, ThePublicKeyItWritesIsTheOneTheSignatureChecksKnow) {
    fs::path blob = out.string() + ".blob";
    ASSERT_EQ(Run("public-key " + std::string(KESTRONE_TEST_KEYS) + "/test-key-a-for-tests-only.pem " +
                  blob.string()), 0);
    std::string bytes;
    ASSERT_TRUE(tools::ReadHostFile(blob.string(), bytes));
    fs::remove(blob);
    EXPECT_EQ(bytes, contract::vectors::kKeyA);
}

TEST_F(PackageToolTest, APackageTheProductWouldRefuseIsNeverSigned) {
    EXPECT_NE(Run(Build("0")), 0);
    EXPECT_NE(Run(Build("3", "--expires 2026-01-01")), 0);
    EXPECT_FALSE(fs::exists(out / "manifest.sig"));
    EXPECT_NE(Run(Build("3", "--key " + std::string(KESTRONE_TEST_KEYS) + "/README.md")), 0);
}

}  // namespace
}  // namespace kestrone::test
