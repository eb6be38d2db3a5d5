#include <gtest/gtest.h>

#include <string>

#include "core/decryption.h"
#include "core/errors.h"
#include "openssl_helpers.h"
#include "sim_fixture.h"

namespace kestrone {
namespace {

constexpr char kSource[] = "C:\\in.bin";
constexpr char kDestination[] = "C:\\out.bin";

class DecryptStreamTest : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', platform::kDriveFixed);
        key_ = test::Key128("wren");
        plain_ = "0123456789abcdefFEDCBA9876543210ghijklmnopqrstuv";  // three blocks
        world().AddFile(kSource, "HEAD" + test::OpenSslEncryptEcb(key_, plain_));
        ASSERT_TRUE(source_.Open(kSource, platform::FileStream::Mode::Read));
        ASSERT_TRUE(destination_.Open(kDestination, platform::FileStream::Mode::Create));
    }
    void Decrypt(int64_t count) {
        AesDecryptionSchedule schedule(reinterpret_cast<const uint8_t*>(key_.data()), key_.size());
        DecryptStreamECB(source_, count, schedule, destination_);
    }
    std::string key_, plain_;
    platform::FileStream source_, destination_;
};

TEST_F(DecryptStreamTest, DecryptsFromTheCurrentPositionAndCutsACountLargerThanWhatIsLeft) {
    source_.Seek(4);
    Decrypt(1000);
    EXPECT_EQ(world().Content(kDestination), plain_);
}

TEST_F(DecryptStreamTest, StopsAfterTheGivenCount) {
    source_.Seek(4);
    Decrypt(32);
    EXPECT_EQ(world().Content(kDestination), plain_.substr(0, 32));
    EXPECT_EQ(source_.Position(), 36);
}

TEST_F(DecryptStreamTest, ACountOfZeroTakesTheWholeSourceFromItsStart) {
    // The 4-byte head makes the whole source 52 bytes: no whole number of blocks.
    source_.Seek(20);
    EXPECT_THROW(Decrypt(0), EAESError);
    EXPECT_EQ(source_.Position(), 0);
}

TEST_F(DecryptStreamTest, NothingLeftToReadIsNoError) {
    source_.Seek(52);
    Decrypt(16);
    source_.Seek(500);  // beyond the end
    Decrypt(16);
    EXPECT_EQ(world().Content(kDestination), "");
}

TEST_F(DecryptStreamTest, CountsThatAreNoWholeNumberOfBlocksAreRejected) {
    for (int64_t count : {int64_t{1}, int64_t{15}, int64_t{17}, int64_t{-16}, int64_t{-1}}) {
        source_.Seek(4);
        try {
            Decrypt(count);
            ADD_FAILURE() << count << ": no error";
        } catch (const EAESError& error) {
            EXPECT_STREQ(error.what(), "Invalid buffer size for decryption");
        }
    }
    EXPECT_EQ(world().Content(kDestination), "");
}

TEST_F(DecryptStreamTest, AWriteThatFailsIsReported) {
    world().Erase(kDestination);  // the file vanished under the open stream
    source_.Seek(4);
    try {
        Decrypt(48);
        ADD_FAILURE() << "no error";
    } catch (const EStreamError& error) {
        EXPECT_STREQ(error.what(), "Stream write error");
    }
}

}  // namespace
}  // namespace kestrone
