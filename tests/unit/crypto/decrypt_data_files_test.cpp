#include <gtest/gtest.h>

#include <string>

#include "core/decryption.h"
#include "core/definitions.h"
#include "core/errors.h"
#include "openssl_helpers.h"
#include "shell_recorder.h"
#include "sim_fixture.h"

namespace kestrone {
namespace {

constexpr char kExeDir[] = "C:\\Program Files\\Kestrone\\";
constexpr char kTempDir[] = "C:\\Temp\\";
constexpr char kMissingCaption[] = "提示";
constexpr char kMissingText[] = "数据文件已经丢失，请将软件解压到文件夹之后再使用";

class DecryptDataFilesTest : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddFolder("C:\\Program Files\\Kestrone");
        world().AddFolder("C:\\Temp");
        InstallShell(&shell_);
    }
    void AddEncrypted(const std::string& name, const std::string& plain) {
        world().AddFile(kExeDir + name, test::EncryptedFile(test::Key128("wren"), plain,
                                                            static_cast<int64_t>(plain.size())));
    }
    test::ShellRecorder shell_;
};

TEST_F(DecryptDataFilesTest, DecryptsKernelDllIntoTheDataDirectoryWhereTheStoreReadsIt) {
    AddEncrypted("kernel.dll", "[VirusName]\r\nName=XWORM,YWORM\r\n");
    world().AddFile(std::string(kTempDir) + "kernel.dll", "[VirusName]\r\nName=STALE\r\n");
    DecryptDataFiles();
    EXPECT_TRUE(shell_.events.empty());
    EXPECT_EQ(world().Content(std::string(kTempDir) + "KERNEL.DLL"), "[VirusName]\r\nName=XWORM,YWORM\r\n");
    EXPECT_EQ(ReadDataString("VirusName", "Name", "None", "kernel.dll"), "XWORM,YWORM");
    // The encrypted original is left as it was.
    EXPECT_EQ(world().Content(std::string(kExeDir) + "kernel.dll").size(), 8u + 32u);
}

TEST_F(DecryptDataFilesTest, AMissingFileIsReportedOnceAndAsksTheApplicationToQuit) {
    DecryptDataFiles();
    ASSERT_EQ(shell_.messages.size(), 1u);
    EXPECT_EQ(shell_.messages[0].caption, kMissingCaption);
    EXPECT_EQ(shell_.messages[0].text, kMissingText);
    EXPECT_EQ(shell_.events, (std::vector<std::string>{"message", "quit"}));
    EXPECT_FALSE(world().Exists(std::string(kTempDir) + "kernel.dll"));
}

TEST_F(DecryptDataFilesTest, AFolderNamedLikeTheFileCountsAsMissing) {
    world().AddFolder(std::string(kExeDir) + "kernel.dll");
    DecryptDataFiles();
    EXPECT_EQ(shell_.events, (std::vector<std::string>{"message", "quit"}));
}

TEST_F(DecryptDataFilesTest, TheRemainingNamesAreStillProcessedAfterAMissingOne) {
    AddEncrypted("second.dat", "[S]\r\nK=2\r\n");
    DecryptDataFiles({"FIRST.DAT", "SECOND.DAT"});
    EXPECT_EQ(shell_.events, (std::vector<std::string>{"message", "quit"}));
    EXPECT_EQ(world().Content(std::string(kTempDir) + "second.dat"), "[S]\r\nK=2\r\n");
}

TEST_F(DecryptDataFilesTest, ABrokenFileEndsTheRunWithItsError) {
    world().AddFile(std::string(kExeDir) + "first.dat", test::LengthField(3) + "short");
    AddEncrypted("second.dat", "[S]\r\nK=2\r\n");
    EXPECT_THROW(DecryptDataFiles({"FIRST.DAT", "SECOND.DAT"}), EAESError);
    EXPECT_FALSE(world().Exists(std::string(kTempDir) + "second.dat"));
    EXPECT_TRUE(shell_.events.empty());
}

TEST_F(DecryptDataFilesTest, AProgramKeptInTheTemporaryFolderKeepsItsEncryptedFile) {
    world().SetExecutablePath("C:\\Temp\\Kestrone.exe");
    std::string packed = test::EncryptedFile(test::Key128("wren"), "[S]\r\nK=1\r\n", 10);
    world().AddFile("C:\\Temp\\kernel.dll", packed);
    try {
        DecryptDataFiles();
        ADD_FAILURE() << "no error";
    } catch (const EFileError& error) {
        std::string expected = "Cannot create file \"C:\\Temp\\KERNEL.DLL\". ";
        EXPECT_EQ(std::string(error.what()).substr(0, expected.size()), expected);
    }
    EXPECT_EQ(world().Content("C:\\Temp\\kernel.dll"), packed);
}

}  // namespace
}  // namespace kestrone
