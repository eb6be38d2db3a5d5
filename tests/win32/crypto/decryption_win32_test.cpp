// Data-file decryption on the real Win32 file API (run under Wine): the packed
// definitions of this build decrypt byte for byte, lengths cut and extend real
// files, broken files leave an empty copy, and the profile functions read the result.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/decryption.h"
#include "core/definitions.h"
#include "core/errors.h"
#include "core/path_macros.h"
#include "core/shell.h"
#include "platform/files.h"
#include "platform/profile.h"

namespace kestrone {
namespace {

// Build paths are host paths; Wine shows the host's root as drive Z:.
std::string HostPath(const char* unixPath) {
    std::string path = std::string("Z:") + unixPath;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

std::string ReadAll(const std::string& path) {
    std::string content;
    EXPECT_TRUE(platform::ReadWholeFile(path, content)) << path;
    return content;
}

class RecordingShell : public ShellCallbacks {
public:
    void ShowSystemMessage(const std::string& caption, const std::string& text) override {
        events.push_back("message:" + caption + "|" + text);
    }
    void RequestQuit() override { events.push_back("quit"); }
    std::vector<std::string> events;
};

class DecryptionWin32Test : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = GetTempDir() + "kestrone-crypto-" + std::to_string(GetCurrentProcessId()) + "\\";
        ASSERT_TRUE(platform::MakeFolder(folder_));
        packed_ = ReadAll(HostPath(KESTRONE_TEST_PACKED_DEFINITIONS));
        plain_ = ReadAll(HostPath(KESTRONE_TEST_PLAIN_DEFINITIONS));
        ASSERT_GT(packed_.size(), 8u + 64u);
    }
    void TearDown() override {
        for (const platform::FolderEntry& entry : platform::ListFolder(folder_ + "*")) {
            platform::RemoveFile(folder_ + entry.name);
        }
        platform::RemoveFolder(folder_);
        InstallShell(nullptr);
    }
    // The packed file with another length field and only the first `blocks` blocks.
    std::string Variant(int64_t length, size_t blocks) const {
        std::string file = packed_.substr(0, 8 + 16 * blocks);
        for (int i = 0; i < 8; ++i) {
            file[i] = static_cast<char>((static_cast<uint64_t>(length) >> (8 * i)) & 0xFF);
        }
        return file;
    }
    std::string folder_, packed_, plain_;
};

TEST_F(DecryptionWin32Test, ThePackedDefinitionsDecryptToTheirSource) {
    platform::WriteTextFile(folder_ + "kernel.dll", packed_);
    platform::WriteTextFile(folder_ + "copy.ini", std::string(20000, 'z'));  // replaced, not overwritten in part
    DecryptFile(folder_ + "kernel.dll", folder_ + "copy.ini", "wren", kKeySize128);
    EXPECT_EQ(ReadAll(folder_ + "copy.ini"), plain_);
    EXPECT_EQ(platform::ReadProfileValue("KAVO", "ProcessToKill", "None", folder_ + "copy.ini"), "kavo.exe");
    EXPECT_GE(platform::ReadProfileKeyNames("RegRepair", folder_ + "copy.ini").size(), 5u);
}

TEST_F(DecryptionWin32Test, TheLengthFieldCutsAndExtendsARealFile) {
    struct Case {
        int64_t length;
        size_t blocks;
        std::string expected;
    } cases[] = {
        {5, 1, plain_.substr(0, 5)},
        {40, 2, plain_.substr(0, 32) + std::string(8, '\0')},
        {int64_t{1} << 40, 2, plain_.substr(0, 32) + std::string(16, '\0')},
        {-1, 2, plain_.substr(0, 32)},
    };
    for (const Case& c : cases) {
        platform::WriteTextFile(folder_ + "in.bin", Variant(c.length, c.blocks));
        DecryptFile(folder_ + "in.bin", folder_ + "out.bin", "wren", kKeySize128);
        EXPECT_EQ(ReadAll(folder_ + "out.bin"), c.expected) << c.length;
    }
}

TEST_F(DecryptionWin32Test, ABrokenFileLeavesAnEmptyCopyAndMissingFilesAreNamed) {
    platform::WriteTextFile(folder_ + "in.bin", packed_.substr(0, 8 + 20));
    platform::WriteTextFile(folder_ + "out.bin", "old");
    EXPECT_THROW(DecryptFile(folder_ + "in.bin", folder_ + "out.bin", "wren", kKeySize128), EAESError);
    EXPECT_EQ(ReadAll(folder_ + "out.bin"), "");

    try {
        DecryptFile(folder_ + "none.bin", folder_ + "out.bin", "wren", kKeySize128);
        ADD_FAILURE() << "no error";
    } catch (const EFileError& error) {
        std::string prefix = "Cannot open file \"" + folder_ + "none.bin\". ";
        EXPECT_EQ(std::string(error.what()).substr(0, prefix.size()), prefix);
        EXPECT_GT(std::string(error.what()).size(), prefix.size());  // the system's reason
    }
}

// DecryptDataFiles reads kernel.dll beside this test program and writes the
// copy into the user's temporary folder, where ReadDataString finds it.
TEST_F(DecryptionWin32Test, DecryptDataFilesServesTheDefinitionsStore) {
    RecordingShell shell;
    InstallShell(&shell);
    std::string beside = GetExeDir() + "kernel.dll";
    ASSERT_TRUE(platform::WriteTextFile(beside, packed_));
    DecryptDataFiles();
    EXPECT_TRUE(shell.events.empty());
    EXPECT_EQ(ReadAll(GetTempDir() + "kernel.dll"), plain_);
    std::string names = ReadDataString("VirusName", "Name", "None", "kernel.dll");
    EXPECT_EQ(SplitList(names, ',').front(), "FUJACKS");

    ASSERT_TRUE(platform::RemoveFile(beside));
    DecryptDataFiles();
    ASSERT_EQ(shell.events.size(), 2u);
    EXPECT_EQ(shell.events[0], "message:提示|数据文件已经丢失，请将软件解压到文件夹之后再使用");
    EXPECT_EQ(shell.events[1], "quit");
}

}  // namespace
}  // namespace kestrone
