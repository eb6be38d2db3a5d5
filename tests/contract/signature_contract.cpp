// Signatures and digests: the simulated side (OpenSSL) and the Windows side
// (CryptoAPI) must judge the same fixed vectors alike, or a package verified in
// the native tests could be refused, or worse accepted, on a user's machine.
#include <gtest/gtest.h>

#include "platform/signature.h"
#include "signature_vectors.h"

namespace kestrone::contract {
namespace {

using namespace platform;
using namespace vectors;

std::string Flipped(std::string bytes, size_t at) {
    bytes[at] = static_cast<char>(bytes[at] ^ 0x01);
    return bytes;
}

std::string WithLittle32(std::string blob, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) blob[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return blob;
}

struct SignatureCase {
    const char* what;
    std::string key;
    std::string message;
    std::string signature;
    bool valid;
};

TEST(SignatureContract, OnlyTheRightKeyOverTheUnchangedMessageVerifies) {
    const SignatureCase cases[] = {
        {"signed by A, checked with A", kKeyA, kMessage, kMessageSignedByA, true},
        {"signed by B, checked with B", kKeyB, kMessage, kMessageSignedByB, true},
        {"signed by B, checked with A", kKeyA, kMessage, kMessageSignedByB, false},
        {"signed by A, checked with B", kKeyB, kMessage, kMessageSignedByA, false},
        {"message altered after signing", kKeyA, kAlteredMessage, kMessageSignedByA, false},
        {"message cut by one byte", kKeyA, kMessage.substr(0, kMessage.size() - 1), kMessageSignedByA, false},
        {"message grown by one byte", kKeyA, kMessage + "\n", kMessageSignedByA, false},
        {"first signature byte changed", kKeyA, kMessage, Flipped(kMessageSignedByA, 0), false},
        {"last signature byte changed", kKeyA, kMessage, Flipped(kMessageSignedByA, 255), false},
        {"signature reversed (the CryptoAPI order)", kKeyA, kMessage,
         std::string(kMessageSignedByA.rbegin(), kMessageSignedByA.rend()), false},
        {"signature cut short", kKeyA, kMessage, kMessageSignedByA.substr(1), false},
        {"signature with a byte too many", kKeyA, kMessage, kMessageSignedByA + '\0', false},
        {"empty signature", kKeyA, kMessage, "", false},
        {"all-zero signature", kKeyA, kMessage, std::string(256, '\0'), false},
        {"modulus changed", Flipped(kKeyA, 100), kMessage, kMessageSignedByA, false},
        {"exponent changed", WithLittle32(kKeyA, 16, 3), kMessage, kMessageSignedByA, false},
        {"even exponent", WithLittle32(kKeyA, 16, 65536), kMessage, kMessageSignedByA, false},
        {"blob claims 1024 bits", WithLittle32(kKeyA, 12, 1024), kMessage, kMessageSignedByA, false},
        {"private-key magic", WithLittle32(kKeyA, 8, 0x32415352), kMessage, kMessageSignedByA, false},
        {"not a public-key blob", Flipped(kKeyA, 0), kMessage, kMessageSignedByA, false},
        {"key blob cut short", kKeyA.substr(0, 200), kMessage, kMessageSignedByA, false},
        {"empty key", "", kMessage, kMessageSignedByA, false},
    };
    for (const SignatureCase& c : cases) {
        EXPECT_EQ(VerifyRsaSha256Signature(c.key, c.message, c.signature), c.valid) << c.what;
    }
}

TEST(SignatureContract, SigningKeyBlobsAreAcceptedLikeExchangeKeyBlobs) {
    // Windows tools export RSA keys under either algorithm identifier.
    std::string signingBlob = WithLittle32(kKeyA, 4, 0x00002400);
    EXPECT_TRUE(VerifyRsaSha256Signature(signingBlob, kMessage, kMessageSignedByA));
}

TEST(SignatureContract, DigestsMatchTheKnownValues) {
    EXPECT_EQ(Sha256(kMessage), kMessageSha256);
    EXPECT_EQ(Sha256(""), kEmptySha256);
    EXPECT_EQ(Sha256(BigMessage()), kBigMessageSha256);
    EXPECT_NE(Sha256(kAlteredMessage), kMessageSha256);
    EXPECT_EQ(Sha256(kMessage).size(), kSha256Size);
}

}  // namespace
}  // namespace kestrone::contract
