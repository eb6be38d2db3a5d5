#include "core/aes.h"

#include <cstring>

#include "core/errors.h"

namespace kestrone {

namespace {

// ---- arithmetic in GF(2^8) modulo x^8 + x^4 + x^3 + x + 1 ----

constexpr uint8_t XTime(uint8_t a) {
    return static_cast<uint8_t>((a << 1) ^ ((a & 0x80) ? 0x1B : 0x00));
}

constexpr uint8_t Multiply(uint8_t a, uint8_t b) {
    uint8_t product = 0;
    for (; b != 0; b >>= 1, a = XTime(a)) {
        if (b & 1) product ^= a;
    }
    return product;
}

// The multiplicative inverse is a^254; 0 maps to 0.
constexpr uint8_t Inverse(uint8_t a) {
    uint8_t result = 1;
    uint8_t power = a;
    for (int exponent = 254; exponent != 0; exponent >>= 1, power = Multiply(power, power)) {
        if (exponent & 1) result = Multiply(result, power);
    }
    return a == 0 ? 0 : result;
}

constexpr uint8_t RotateLeft(uint8_t b, int n) {
    return static_cast<uint8_t>((b << n) | (b >> (8 - n)));
}

// The tables are derived from their definition at compile time rather than
// typed in, so no transcription slip can hide in 256 constants.
struct Tables {
    uint8_t sbox[256]{};
    uint8_t inverseSbox[256]{};
    uint8_t times9[256]{}, times11[256]{}, times13[256]{}, times14[256]{};
};

constexpr Tables MakeTables() {
    Tables t;
    for (int x = 0; x < 256; ++x) {
        uint8_t b = Inverse(static_cast<uint8_t>(x));
        uint8_t s = static_cast<uint8_t>(b ^ RotateLeft(b, 1) ^ RotateLeft(b, 2) ^ RotateLeft(b, 3) ^
                                         RotateLeft(b, 4) ^ 0x63);
        t.sbox[x] = s;
        t.inverseSbox[s] = static_cast<uint8_t>(x);
        t.times9[x] = Multiply(static_cast<uint8_t>(x), 9);
        t.times11[x] = Multiply(static_cast<uint8_t>(x), 11);
        t.times13[x] = Multiply(static_cast<uint8_t>(x), 13);
        t.times14[x] = Multiply(static_cast<uint8_t>(x), 14);
    }
    return t;
}

constexpr Tables kTables = MakeTables();
static_assert(kTables.sbox[0x00] == 0x63 && kTables.sbox[0x53] == 0xED);
static_assert(kTables.inverseSbox[0x63] == 0x00 && kTables.inverseSbox[0x16] == 0xFF);

// ---- the steps of the inverse cipher on a column-major 4x4 state ----

void AddRoundKey(uint8_t* state, const uint8_t* roundKey) {
    for (size_t i = 0; i < kAesBlockSize; ++i) state[i] ^= roundKey[i];
}

// Row r moves r columns to the right; InvSubBytes is folded in.
void InverseShiftRowsAndSubBytes(uint8_t* state) {
    uint8_t shifted[kAesBlockSize];
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            shifted[row + 4 * ((column + row) % 4)] = kTables.inverseSbox[state[row + 4 * column]];
        }
    }
    std::memcpy(state, shifted, kAesBlockSize);
}

void InverseMixColumns(uint8_t* state) {
    const Tables& t = kTables;
    for (int column = 0; column < 4; ++column) {
        uint8_t* a = state + 4 * column;
        uint8_t a0 = a[0], a1 = a[1], a2 = a[2], a3 = a[3];
        a[0] = t.times14[a0] ^ t.times11[a1] ^ t.times13[a2] ^ t.times9[a3];
        a[1] = t.times9[a0] ^ t.times14[a1] ^ t.times11[a2] ^ t.times13[a3];
        a[2] = t.times13[a0] ^ t.times9[a1] ^ t.times14[a2] ^ t.times11[a3];
        a[3] = t.times11[a0] ^ t.times13[a1] ^ t.times9[a2] ^ t.times14[a3];
    }
}

}  // namespace

AesDecryptionSchedule::AesDecryptionSchedule(const uint8_t* key, size_t keyLength) {
    if (keyLength != 16 && keyLength != 24 && keyLength != 32) {
        throw EAESError("Invalid key size for decryption");
    }
    const int keyWords = static_cast<int>(keyLength / 4);
    rounds_ = keyWords + 6;
    const int totalWords = 4 * (rounds_ + 1);
    uint8_t* w = roundKeys_.data();  // word i is w[4 i .. 4 i + 3]
    std::memcpy(w, key, keyLength);
    uint8_t roundConstant = 0x01;
    for (int i = keyWords; i < totalWords; ++i) {
        uint8_t temp[4];
        std::memcpy(temp, w + 4 * (i - 1), 4);
        if (i % keyWords == 0) {
            uint8_t first = temp[0];  // RotWord, SubWord, then the round constant
            temp[0] = static_cast<uint8_t>(kTables.sbox[temp[1]] ^ roundConstant);
            temp[1] = kTables.sbox[temp[2]];
            temp[2] = kTables.sbox[temp[3]];
            temp[3] = kTables.sbox[first];
            roundConstant = XTime(roundConstant);
        } else if (keyWords > 6 && i % keyWords == 4) {
            for (uint8_t& b : temp) b = kTables.sbox[b];
        }
        for (int j = 0; j < 4; ++j) w[4 * i + j] = w[4 * (i - keyWords) + j] ^ temp[j];
    }
}

void AesDecryptionSchedule::DecryptBlock(const uint8_t* input, uint8_t* output) const {
    uint8_t state[kAesBlockSize];
    std::memcpy(state, input, kAesBlockSize);
    AddRoundKey(state, roundKeys_.data() + kAesBlockSize * rounds_);
    for (int round = rounds_ - 1; round >= 1; --round) {
        InverseShiftRowsAndSubBytes(state);
        AddRoundKey(state, roundKeys_.data() + kAesBlockSize * round);
        InverseMixColumns(state);
    }
    InverseShiftRowsAndSubBytes(state);
    AddRoundKey(state, roundKeys_.data());
    std::memcpy(output, state, kAesBlockSize);
}

AesBlock AesDecryptionSchedule::DecryptBlock(const AesBlock& input) const {
    AesBlock output;
    DecryptBlock(input.data(), output.data());
    return output;
}

}  // namespace kestrone
