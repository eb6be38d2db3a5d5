// AES block decryption (the inverse cipher, 128-, 192- and 256-bit keys).
// Only this direction exists in the product: the data files are encrypted by
// the definitions packer on the maintainer's machine and decrypted here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kestrone {

inline constexpr size_t kAesBlockSize = 16;
using AesBlock = std::array<uint8_t, kAesBlockSize>;

// The expanded key for decryption: Nr + 1 round keys of four words each.
class AesDecryptionSchedule {
public:
    // keyLength must be 16, 24 or 32 bytes; any other length raises EAESError.
    AesDecryptionSchedule(const uint8_t* key, size_t keyLength);

    int Rounds() const { return rounds_; }  // 10, 12 or 14

    // Decrypts one block; input and output may be the same buffer.
    void DecryptBlock(const uint8_t* input, uint8_t* output) const;
    AesBlock DecryptBlock(const AesBlock& input) const;

private:
    static constexpr int kMaxRounds = 14;
    // Round key r occupies bytes [16 r, 16 r + 16), in the cipher's byte order.
    std::array<uint8_t, kAesBlockSize*(kMaxRounds + 1)> roundKeys_{};
    int rounds_ = 0;
};

}  // namespace kestrone
