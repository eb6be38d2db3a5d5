// File codes of files on the simulated machine: the text form, missing and
// unreadable files, and files read in many pieces.
#include "scan/file_code.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

#include "scan/crc/crc32_engine.h"
#include "sim_fixture.h"

namespace kestrone {
namespace {

TEST(FormatFileCode, HasFourFiveSixOrEightDigits) {
    struct Case {
        uint32_t crc;
        const char* code;
    } cases[] = {
        {0x0, "0000"},
        {0x12, "0012"},
        {0xFFFF, "FFFF"},
        {0x10000, "10000"},
        {0xABCDE, "ABCDE"},
        {0xFFFFFF, "FFFFFF"},
        {0x1000000, "01000000"},
        {0xABCDEF1, "0ABCDEF1"},
        {0xCBF43926, "CBF43926"},
        {0xFFFFFFFF, "FFFFFFFF"},
        {0x0000abc, "0ABC"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatFileCode(c.crc), c.code) << std::hex << c.crc;
}

class FileCodeTest : public test::SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', 3);
    }
};

TEST_F(FileCodeTest, CodesOfPresentMissingAndUnopenableFiles) {
    world().AddFile("C:\\data\\digits.txt", "123456789");
    world().AddFile("C:\\data\\empty.dat", "");
    world().AddFile("C:\\data\\held.exe", "123456789");
    world().MakeUnreadable("C:\\data\\held.exe");
    world().AddFile("C:\\data\\locked.exe", "123456789");
    world().Lock("C:\\data\\locked.exe");  // a running program: still readable
    world().AddFolder("C:\\data\\folder.exe");

    EXPECT_EQ(GetFileCode("C:\\data\\digits.txt"), "CBF43926");
    EXPECT_EQ(GetFileCode("c:\\DATA\\Digits.TXT"), "CBF43926");
    EXPECT_EQ(GetFileCode("C:\\data\\empty.dat"), "0000");
    EXPECT_EQ(GetFileCode("C:\\data\\held.exe"), "0000");
    EXPECT_EQ(FileCrc32("C:\\data\\held.exe"), 0u);
    EXPECT_EQ(GetFileCode("C:\\data\\locked.exe"), "CBF43926");
    EXPECT_EQ(GetFileCode("C:\\data\\missing.exe"), "");
    EXPECT_EQ(FileCrc32("C:\\data\\missing.exe"), 0u);
    EXPECT_EQ(GetFileCode("C:\\data\\folder.exe"), "");
    EXPECT_EQ(GetFileCode(""), "");
}

TEST_F(FileCodeTest, FilesOfManyPiecesMatchZlibOnEveryEngine) {
    // Sizes on and around whole numbers of pieces, and one of several pieces
    // plus a ragged end, so the register must survive every piece boundary.
    const size_t chunk = kFileCodeChunkSize;
    const size_t sizes[] = {chunk - 1, chunk, chunk + 1, 2 * chunk, 3 * chunk + 17, 7 * chunk - 5};
    std::mt19937 random(7);
    for (size_t size : sizes) {
        std::string content(size, '\0');
        for (char& c : content) c = static_cast<char>(random());
        world().AddFile("C:\\big.bin", content);
        uint32_t expected = static_cast<uint32_t>(
            ::crc32(0, reinterpret_cast<const Bytef*>(content.data()), static_cast<uInt>(size)));
        for (crc::Crc32Engine engine : crc::kAllCrc32Engines) {
            if (!crc::ForceCrc32Engine(engine)) continue;
            EXPECT_EQ(FileCrc32("C:\\big.bin"), expected)
                << "size " << size << " engine " << crc::Crc32EngineName(engine);
        }
        crc::UseBestCrc32Engine();
        EXPECT_EQ(GetFileCode("C:\\big.bin"), FormatFileCode(expected));
    }
}

}  // namespace
}  // namespace kestrone
