// File codes of real files on the Win32 API, and every CRC engine of the 32-bit
// build against the plain table loop (zlib is not part of this build).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "platform/files.h"
#include "scan/crc/crc32_engine.h"
#include "scan/file_code.h"

namespace kestrone {
namespace {

std::string RandomText(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string text(size, '\0');
    for (char& c : text) c = static_cast<char>(random());
    return text;
}

uint32_t ReferenceCrc(const std::string& text) {
    return ~crc::Crc32UpdateUsing(crc::Crc32Engine::Bytewise, 0xFFFFFFFFu, text.data(),
                                  text.size());
}

class FileCodeWin32 : public ::testing::Test {
  protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder_ =
            std::string(temp) + "kestrone-crc-" + std::to_string(GetCurrentProcessId()) + "\\";
        ASSERT_TRUE(platform::MakeFolder(folder_));
    }
    void TearDown() override {
        for (const platform::FolderEntry& entry : platform::ListFolder(folder_ + "*")) {
            if (entry.IsFolder()) {
                platform::RemoveFolder(folder_ + entry.name);
            } else {
                platform::RemoveFile(folder_ + entry.name);
            }
        }
        platform::RemoveFolder(folder_);
        crc::UseBestCrc32Engine();
    }
    std::string Write(const std::string& name, const std::string& content) {
        std::string path = folder_ + name;
        EXPECT_TRUE(platform::WriteTextFile(path, content));
        return path;
    }
    std::string folder_;
};

TEST_F(FileCodeWin32, CodesOfSmallEmptyMissingAndFolderPaths) {
    EXPECT_EQ(GetFileCode(Write("digits.txt", "123456789")), "CBF43926");
    EXPECT_EQ(GetFileCode(Write("empty.dat", "")), "0000");
    EXPECT_EQ(GetFileCode(folder_ + "missing.exe"), "");
    EXPECT_EQ(FileCrc32(folder_ + "missing.exe"), 0u);
    ASSERT_TRUE(platform::MakeFolder(folder_ + "sub.exe"));
    EXPECT_EQ(GetFileCode(folder_ + "sub.exe"), "");
}

TEST_F(FileCodeWin32, FileHeldWithoutSharingHasCodeZero) {
    std::string path = Write("held.exe", "123456789");
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetFileCode(path), "0000");
    EXPECT_EQ(FileCrc32(path), 0u);
    CloseHandle(held);
    EXPECT_EQ(GetFileCode(path), "CBF43926");
}

TEST_F(FileCodeWin32, LargeFilesOnEveryEngineMatchTheTableLoop) {
    for (size_t size : {kFileCodeChunkSize, 5 * kFileCodeChunkSize + 100}) {
        std::string content = RandomText(size, static_cast<unsigned>(size));
        std::string path = Write("big.bin", content);
        const uint32_t expected = ReferenceCrc(content);
        for (crc::Crc32Engine engine : crc::kAllCrc32Engines) {
            if (!crc::ForceCrc32Engine(engine)) continue;
            EXPECT_EQ(FileCrc32(path), expected)
                << crc::Crc32EngineName(engine) << " size " << size;
        }
        crc::UseBestCrc32Engine();
        EXPECT_EQ(GetFileCode(path), FormatFileCode(expected));
    }
}

TEST(Crc32EnginesOnWindows, EveryAvailableEngineMatchesTheTableLoop) {
    // The 32-bit build has fewer vector registers and different code for the
    // folding kernels, so they are checked here as well as natively.
    std::string data = RandomText(2000, 9);
    for (crc::Crc32Engine engine : crc::kAllCrc32Engines) {
        if (!crc::Crc32EngineAvailable(engine)) continue;
        for (size_t offset = 0; offset < 4; ++offset) {
            for (size_t size = 0; size + offset <= data.size(); size += (size < 600 ? 1 : 97)) {
                const char* p = data.data() + offset;
                uint32_t expected =
                    crc::Crc32UpdateUsing(crc::Crc32Engine::Bytewise, 0x12345678u, p, size);
                ASSERT_EQ(crc::Crc32UpdateUsing(engine, 0x12345678u, p, size), expected)
                    << crc::Crc32EngineName(engine) << " offset " << offset << " size " << size;
            }
        }
    }
    ::testing::Test::RecordProperty("engine", crc::Crc32EngineName(crc::BestCrc32Engine()));
}

TEST(Crc32EnginesOnWindows, ChunkedRunsOfEveryEngineChainLikeOneCall) {
    // A file is coded chunk by chunk through the CRC register; the chunks of a
    // real read end anywhere, so every engine is fed random pieces here. The
    // engines that ran are printed: under an emulated CPU they are the ones
    // the emulation offers.
    const std::string data = RandomText(200000, 21);
    const uint32_t expected =
        crc::Crc32UpdateUsing(crc::Crc32Engine::Bytewise, 0xFFFFFFFFu, data.data(), data.size());
    std::mt19937 random(5);
    std::string ran;
    for (crc::Crc32Engine engine : crc::kAllCrc32Engines) {
        if (!crc::Crc32EngineAvailable(engine)) continue;
        ran += std::string(ran.empty() ? "" : " ") + crc::Crc32EngineName(engine);
        uint32_t crc = 0xFFFFFFFFu;
        for (size_t at = 0; at < data.size();) {
            const size_t piece = std::min<size_t>(random() % 3000, data.size() - at);
            crc = crc::Crc32UpdateUsing(engine, crc, data.data() + at, piece);
            at += piece;
        }
        EXPECT_EQ(crc, expected) << crc::Crc32EngineName(engine);
    }
    std::printf("CRC-32 engines checked: %s; chosen: %s\n", ran.c_str(),
                crc::Crc32EngineName(crc::BestCrc32Engine()));
}

}  // namespace
}  // namespace kestrone
