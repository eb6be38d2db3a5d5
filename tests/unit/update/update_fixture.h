// Packages made on the spot for the update tests: real encrypted definitions,
// manifests signed with the test keys (tests/data/update, for tests only), and
// a simulated machine with a user data folder and the shipped definitions.
#pragma once

#include <string>

#include "core/decryption.h"
#include "core/errors.h"
#include "keys.h"
#include "platform/profile.h"
#include "platform/sim/world.h"
#include "sim_fixture.h"
#include "unit/crypto/openssl_helpers.h"
#include "update/definitions_choice.h"
#include "update/install.h"
#include "update/manifest.h"

namespace kestrone::test {

inline constexpr char kDefinitionsFolder[] = "C:\\Users\\ann\\AppData\\Local\\Kestrone\\Definitions\\";
inline constexpr char kShippedFolder[] = "C:\\Program Files\\Kestrone\\";
inline constexpr char kToday[] = "2026-12-10";
inline constexpr char kProgram[] = "2.3.0.618";

inline tools::PemKey TestKey(char which) {
    std::string problem;
    tools::PemKey key = tools::ReadPemKey(
        std::string(KESTRONE_TEST_KEYS) + "/test-key-" + which + "-for-tests-only.pem", false, problem);
    if (!key) throw std::runtime_error(problem);
    return key;
}

inline const std::string& KeyBlob(char which) {
    static const std::string a = tools::PublicKeyBlob(TestKey('a').get());
    static const std::string b = tools::PublicKeyBlob(TestKey('b').get());
    return which == 'a' ? a : b;
}

// Definitions the program can read: the threat list names `marker`.
inline std::string Kernel(const std::string& marker) {
    std::string plain = "[VirusName]\r\nName=" + marker + "\r\n";
    return EncryptedFile(Key128("wren"), plain, static_cast<int64_t>(plain.size()));
}

struct PackagePlan {
    int64_t version = 5;
    std::string date = "2026-12-01";
    std::string expires = "2027-03-01";
    std::string minProgram = "2.3.0.0";
    char signer = 'a';
    char newKey = 0;  // 'a' or 'b' to roll over to that key
    char newKeySigner = 'a';
};

inline update::PackageBytes MakePackage(const PackagePlan& plan, const std::string& kernel) {
    update::Manifest manifest;
    manifest.version = plan.version;
    manifest.date = plan.date;
    manifest.expires = plan.expires;
    manifest.minProgram = plan.minProgram;
    manifest.files.push_back({update::kDefinitionsName, kernel.size(), tools::Sha256Hex(kernel)});
    update::PackageBytes package;
    package.manifestText = update::FormatManifest(manifest);
    package.manifestSignature = tools::SignBytes(TestKey(plan.signer).get(), package.manifestText);
    package.files[update::kDefinitionsName] = kernel;
    if (plan.newKey) {
        package.newKey = KeyBlob(plan.newKey);
        package.newKeySignature = tools::SignBytes(TestKey(plan.newKeySigner).get(), package.newKey);
    }
    return package;
}

inline update::PackageBytes MakePackage(const PackagePlan& plan) {
    return MakePackage(plan, Kernel("V" + std::to_string(plan.version)));
}

// The marker of the definitions a path holds, "" when they do not decrypt.
inline std::string MarkerOf(const std::string& kernelPath) {
    try {
        DecryptFile(kernelPath, "C:\\Temp\\marker.ini", kDataFilePassword, kKeySize128);
    } catch (const KestroneError&) {
        return "";
    }
    return platform::ReadProfileValue("VirusName", "Name", "", "C:\\Temp\\marker.ini");
}

class UpdateTest : public SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddFolder("C:\\Temp");
        world().AddFolder(kDefinitionsFolder);
        world().AddFile(std::string(kShippedFolder) + "kernel.dll", Kernel("SHIPPED"));
    }

    update::InstallRequest Request() const {
        update::InstallRequest request;
        request.definitionsFolder = kDefinitionsFolder;
        request.shippedFolder = kShippedFolder;
        request.rootKey = KeyBlob('a');
        request.today = kToday;
        request.programVersion = kProgram;
        return request;
    }

    update::ChoiceRequest Choice() const {
        update::ChoiceRequest choice;
        choice.definitionsFolder = kDefinitionsFolder;
        choice.shippedFolder = kShippedFolder;
        choice.rootKey = KeyBlob('a');
        choice.programVersion = kProgram;
        return choice;
    }

    // What the program would start with: "V5", "SHIPPED", or "" when nothing reads.
    std::string Started() const {
        update::DefinitionsChoice choice = update::ChooseDefinitions(Choice());
        return choice.found ? MarkerOf(choice.kernelPath) : "";
    }

    update::Verdict Install(const PackagePlan& plan) { return update::InstallPackage(Request(), MakePackage(plan)); }

    static std::string In(const std::string& name) { return kDefinitionsFolder + name; }
};

}  // namespace kestrone::test
