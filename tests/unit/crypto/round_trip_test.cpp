// The packer and the decryptor together: what the build packs into kernel.dll
// comes back byte for byte, and the definitions store reads it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <unistd.h>

#include "core/decryption.h"
#include "core/definitions.h"
#include "core/path_macros.h"
#include "openssl_helpers.h"
#include "shell_recorder.h"
#include "sim_fixture.h"

namespace kestrone {
namespace {

class RoundTripTest : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddFolder("C:\\Temp");
        InstallShell(&shell_);
    }
    // Places an encrypted file beside the simulated executable and decrypts it.
    std::string DecryptAsShipped(const std::string& packed) {
        world().AddFile(GetExeDir() + "kernel.dll", packed);
        DecryptDataFiles();
        EXPECT_TRUE(shell_.events.empty());
        return world().Content(GetTempDir() + "kernel.dll");
    }
    test::ShellRecorder shell_;
};

TEST_F(RoundTripTest, TheBuiltKernelDllDecryptsToItsSource) {
    std::string plain = test::ReadHostFile(KESTRONE_TEST_PLAIN_DEFINITIONS);
    std::string packed = test::ReadHostFile(KESTRONE_TEST_PACKED_DEFINITIONS);
    ASSERT_EQ(packed.size(), 8 + (plain.size() + 15) / 16 * 16);
    EXPECT_EQ(packed.find("VirusName"), std::string::npos);  // really encrypted

    EXPECT_EQ(DecryptAsShipped(packed), plain);
    std::string names = ReadDataString("VirusName", "Name", "None", "kernel.dll");
    EXPECT_NE(names, "None");
    EXPECT_EQ(SplitList(names, ',').front(), "FUJACKS");
    EXPECT_EQ(ReadDataString("KAVO", "ProcessToKill", "None", "KERNEL.DLL"), "kavo.exe");
    EXPECT_EQ(ReadDataString("RegRepair", "Reset the hosts file", "1", "kernel.dll"),
              "RepairHostFile");
}

// The packer on inputs around the block size, and on binary data.
TEST_F(RoundTripTest, ThePackerWritesTheFormatForAnyInput) {
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kestrone-defpack-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::mt19937 random(3);
    for (size_t size : {0u, 1u, 15u, 16u, 17u, 31u, 32u, 33u, 1000u}) {
        std::string plain(size, '\0');
        for (char& c : plain) c = static_cast<char>(random() & 0xFF);
        std::string in = (folder / "plain.ini").string(), out = (folder / "kernel.dll").string();
        std::ofstream(in, std::ios::binary) << plain;
        std::string command = std::string("\"") + KESTRONE_TEST_DEFPACK + "\" \"" + in + "\" \"" + out + "\"";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;

        std::string packed = test::ReadHostFile(out);
        EXPECT_EQ(packed.substr(0, 8), test::LengthField(static_cast<int64_t>(size))) << size;
        EXPECT_EQ(packed.size(), 8 + std::max<size_t>(16, (size + 15) / 16 * 16)) << size;
        EXPECT_EQ(DecryptAsShipped(packed), plain) << size;
    }
    std::filesystem::remove_all(folder);
}

TEST_F(RoundTripTest, ThePackerRefusesBadArguments) {
    std::string packer = std::string("\"") + KESTRONE_TEST_DEFPACK + "\"";
    EXPECT_NE(std::system((packer + " 2>/dev/null").c_str()), 0);
    EXPECT_NE(std::system((packer + " /nonexistent/plain.ini /tmp/x.dll 2>/dev/null").c_str()), 0);
    EXPECT_NE(std::system((packer + " " + KESTRONE_TEST_PLAIN_DEFINITIONS +
                           " /nonexistent/dir/kernel.dll 2>/dev/null").c_str()),
              0);
}

}  // namespace
}  // namespace kestrone
