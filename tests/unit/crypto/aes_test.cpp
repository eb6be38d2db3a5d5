#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/aes.h"
#include "core/errors.h"
#include "openssl_helpers.h"

namespace kestrone {
namespace {

std::string FromHex(const std::string& hex) {
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

std::string Decrypt(const std::string& key, const std::string& cipher) {
    AesDecryptionSchedule schedule(reinterpret_cast<const uint8_t*>(key.data()), key.size());
    std::string plain(cipher.size(), '\0');
    for (size_t at = 0; at < cipher.size(); at += kAesBlockSize) {
        schedule.DecryptBlock(reinterpret_cast<const uint8_t*>(cipher.data() + at),
                              reinterpret_cast<uint8_t*>(plain.data() + at));
    }
    return plain;
}

TEST(Aes, DecryptsTheStandardsExampleVectors) {
    struct Case {
        const char* key;
        const char* cipher;
        const char* plain;
        int rounds;
    } cases[] = {
        // The cipher example worked through round by round in the standard.
        {"2b7e151628aed2a6abf7158809cf4f3c", "3925841d02dc09fbdc118597196a0b32",
         "3243f6a8885a308d313198a2e0370734", 10},
        // The example vectors for each key length.
        {"000102030405060708090a0b0c0d0e0f", "69c4e0d86a7b0430d8cdb78070b4c55a",
         "00112233445566778899aabbccddeeff", 10},
        {"000102030405060708090a0b0c0d0e0f1011121314151617", "dda97ca4864cdfe06eaf70a0ec0d7191",
         "00112233445566778899aabbccddeeff", 12},
        {"000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f",
         "8ea2b7ca516745bfeafc49904b496089", "00112233445566778899aabbccddeeff", 14},
    };
    for (const Case& c : cases) {
        std::string key = FromHex(c.key);
        AesDecryptionSchedule schedule(reinterpret_cast<const uint8_t*>(key.data()), key.size());
        EXPECT_EQ(schedule.Rounds(), c.rounds) << c.key;
        EXPECT_EQ(Decrypt(key, FromHex(c.cipher)), FromHex(c.plain)) << c.key;
    }
}

TEST(Aes, DecryptsInPlace) {
    std::string key = FromHex("000102030405060708090a0b0c0d0e0f");
    AesDecryptionSchedule schedule(reinterpret_cast<const uint8_t*>(key.data()), key.size());
    AesBlock block;
    std::string cipher = FromHex("69c4e0d86a7b0430d8cdb78070b4c55a");
    std::copy(cipher.begin(), cipher.end(), block.begin());
    schedule.DecryptBlock(block.data(), block.data());
    EXPECT_EQ(std::string(block.begin(), block.end()), FromHex("00112233445566778899aabbccddeeff"));
}

TEST(Aes, UndoesOpenSslEncryptionOfRandomDataForEveryKeySize) {
    std::mt19937 random(20261207);
    auto bytes = [&](size_t n) {
        std::string s(n, '\0');
        for (char& c : s) c = static_cast<char>(random() & 0xFF);
        return s;
    };
    for (size_t keyLength : {16u, 24u, 32u}) {
        for (int trial = 0; trial < 200; ++trial) {
            std::string key = bytes(keyLength);
            std::string plain = bytes(16 * (1 + random() % 8));
            std::string cipher = test::OpenSslEncryptEcb(key, plain);
            ASSERT_EQ(Decrypt(key, cipher), plain) << "key length " << keyLength << ", trial " << trial;
        }
    }
}

TEST(Aes, RejectsKeysOfOtherLengths) {
    uint8_t key[33] = {};
    for (size_t length : {0u, 1u, 15u, 17u, 20u, 31u, 33u}) {
        EXPECT_THROW(AesDecryptionSchedule(key, length), EAESError) << length;
    }
}

}  // namespace
}  // namespace kestrone
