#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "core/decryption.h"
#include "core/errors.h"
#include "openssl_helpers.h"
#include "sim_fixture.h"

namespace kestrone {
namespace {

using test::EncryptedFile;
using test::Key128;

constexpr char kSource[] = "C:\\Data\\in.bin";
constexpr char kDestination[] = "C:\\Temp\\out.ini";

class DecryptFileTest : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddFolder("C:\\Data");
        world().AddFolder("C:\\Temp");
    }
    // Decrypts kSource into kDestination with the shipped password, 128-bit key.
    void Run(const std::string& password = "wren", int selector = kKeySize128) {
        DecryptFile(kSource, kDestination, password, selector);
    }
    std::string Output() const { return world().Content(kDestination); }
};

TEST_F(DecryptFileTest, CutsTheFillOfTheLastBlockToTheDeclaredLength) {
    std::string plain = "[VirusName]\r\nName=XWORM\r\n";  // 25 bytes, two blocks
    for (int64_t length : {int64_t{5}, int64_t{16}, int64_t{25}, int64_t{32}}) {
        world().AddFile(kSource, EncryptedFile(Key128("wren"), plain, length));
        Run();
        std::string expected = plain;
        expected.resize(32, '\xAA');  // our test fill
        EXPECT_EQ(Output(), expected.substr(0, static_cast<size_t>(length))) << length;
    }
}

TEST_F(DecryptFileTest, ALengthFieldOfFiveWithOneBlockGivesFiveBytes) {
    world().AddFile(kSource, EncryptedFile(Key128("wren"), "abcde", 5));
    Run();
    EXPECT_EQ(Output(), "abcde");
}

TEST_F(DecryptFileTest, ALengthBeyondTheDataWithinOneBlockExtendsTheCopyWithZeros) {
    std::string plain(32, 'p');
    world().AddFile(kSource, EncryptedFile(Key128("wren"), plain, 40));
    Run();
    EXPECT_EQ(Output(), plain + std::string(8, '\0'));
}

TEST_F(DecryptFileTest, HostileLengthFieldsNeitherFailNorGrowTheCopyWithoutBound) {
    std::string plain(32, 'p');
    struct Case {
        int64_t length;
        size_t expectedSize;
    } cases[] = {
        {-1, 32},                                       // no usable length: keep the data
        {std::numeric_limits<int64_t>::min(), 32},
        {48, 48},                                       // one block past the data still honoured
        {49, 48},
        {int64_t{1} << 40, 48},
        {std::numeric_limits<int64_t>::max(), 48},
    };
    for (const Case& c : cases) {
        world().AddFile(kSource, EncryptedFile(Key128("wren"), plain, c.length));
        Run();
        EXPECT_EQ(Output().size(), c.expectedSize) << c.length;
        EXPECT_EQ(Output().substr(0, 32), plain) << c.length;
    }
}

TEST_F(DecryptFileTest, BrokenSourcesRaiseAndLeaveAnEmptyDestination) {
    struct Case {
        const char* what;
        std::string file;
    } cases[] = {
        {"8 + 20 bytes", test::LengthField(20) + std::string(20, 'x')},
        {"header only", test::LengthField(0)},
        {"header only, claiming data", test::LengthField(100)},
        {"8 + 1 bytes", test::LengthField(1) + "x"},
        {"8 + 33 bytes", test::LengthField(33) + std::string(33, 'x')},
    };
    for (const Case& c : cases) {
        world().AddFile(kDestination, "old content");
        world().AddFile(kSource, c.file);
        try {
            Run();
            ADD_FAILURE() << c.what << ": no error";
        } catch (const EAESError& error) {
            EXPECT_STREQ(error.what(), "Invalid buffer size for decryption") << c.what;
        }
        EXPECT_TRUE(world().IsFile(kDestination)) << c.what;
        EXPECT_EQ(Output(), "") << c.what;
    }
}

TEST_F(DecryptFileTest, ASourceShorterThanTheLengthFieldIsAReadErrorBeforeAnythingIsCreated) {
    for (size_t size : {0u, 1u, 7u}) {
        world().Erase(kDestination);
        world().AddFile(kSource, std::string(size, 'x'));
        try {
            Run();
            ADD_FAILURE() << size << ": no error";
        } catch (const EStreamError& error) {
            EXPECT_STREQ(error.what(), "Stream read error");
        }
        EXPECT_FALSE(world().Exists(kDestination)) << size;
    }
}

TEST_F(DecryptFileTest, FilesThatCannotBeOpenedOrCreatedNameThePathAndTheReason) {
    try {
        Run();
        ADD_FAILURE() << "no error";
    } catch (const EFileError& error) {
        EXPECT_STREQ(error.what(),
                     "Cannot open file \"C:\\Data\\in.bin\". The system cannot find the file specified");
    }
    world().AddFile(kSource, EncryptedFile(Key128("wren"), "abc", 3));
    world().MakeWriteProtected("C:\\Temp");
    try {
        Run();
        ADD_FAILURE() << "no error";
    } catch (const EFileError& error) {
        EXPECT_STREQ(error.what(), "Cannot create file \"C:\\Temp\\out.ini\". Access is denied");
    }
}

TEST_F(DecryptFileTest, BuildsTheKeyFromThePasswordForEachKeySize) {
    struct Case {
        std::string password;
        int selector;
        std::string key;  // what the encrypting side used
    } cases[] = {
        {"wren", kKeySize128, Key128("wren")},
        {"0123456789abcdefXYZ", kKeySize128, "0123456789abcdef"},  // cut to 16 bytes
        {"", kKeySize128, std::string(16, '\0')},
        {"wren", kKeySize192, std::string("wren") + std::string(20, '\0')},
        {"wren", kKeySize256, std::string("wren") + std::string(28, '\0')},
        {std::string(40, 'k'), kKeySize256, std::string(32, 'k')},
    };
    std::string plain = "[Section]\r\nKey=Value\r\n";
    for (const Case& c : cases) {
        world().AddFile(kSource, EncryptedFile(c.key, plain, static_cast<int64_t>(plain.size())));
        Run(c.password, c.selector);
        EXPECT_EQ(Output(), plain) << c.password << " / " << c.selector;
    }
}

TEST_F(DecryptFileTest, AnUnknownKeySizeDecryptsNothing) {
    for (int selector : {-1, 3, 100}) {
        world().AddFile(kDestination, "old content");
        world().AddFile(kSource, EncryptedFile(Key128("wren"), "abc", 3));
        Run("wren", selector);
        EXPECT_TRUE(world().IsFile(kDestination));
        EXPECT_EQ(Output(), "") << selector;
    }
}

TEST_F(DecryptFileTest, ReplacesALongerExistingCopy) {
    world().AddFile(kDestination, std::string(1000, 'z'));
    world().AddFile(kSource, EncryptedFile(Key128("wren"), "fresh", 5));
    Run();
    EXPECT_EQ(Output(), "fresh");
}

// Garbage of every small size: the result is either a copy no longer than the
// data plus one block, or one of the file layer's errors — never anything else.
TEST_F(DecryptFileTest, SurvivesRandomGarbageOfAnySize) {
    std::mt19937 random(7);
    for (size_t size = 0; size < 200; ++size) {
        std::string junk(size, '\0');
        for (char& c : junk) c = static_cast<char>(random() & 0xFF);
        world().AddFile(kSource, junk);
        try {
            Run();
            ASSERT_GE(size, 24u);
            EXPECT_LE(Output().size(), size - 8 + 16) << size;
        } catch (const EAESError&) {
            // A header alone makes the decryptor take the whole 8-byte file.
            EXPECT_TRUE(size == 8 || (size - 8) % 16 != 0) << size;
        } catch (const EStreamError&) {
            EXPECT_LT(size, 8u);
        }
    }
}

TEST(PlainCopyLength, TrustsTheLengthWithinOneBlockOfTheData) {
    struct Case {
        int64_t declared, decrypted, expected;
    } cases[] = {
        {0, 16, 0},     {5, 16, 5},      {16, 16, 16},   {17, 16, 17},  {32, 16, 32},
        {33, 16, 32},   {-5, 16, 16},    {40, 32, 40},   {0, 0, 0},     {100, 0, 16},
        {std::numeric_limits<int64_t>::max(), 64, 80},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlainCopyLength(c.declared, c.decrypted), c.expected)
            << c.declared << " / " << c.decrypted;
    }
}

}  // namespace
}  // namespace kestrone
