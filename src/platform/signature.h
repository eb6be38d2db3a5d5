// Checking that bytes come from our publisher: SHA-256 digests and RSA-2048
// PKCS#1 v1.5 signatures over SHA-256. Windows does the mathematics (CryptoAPI
// on the product, OpenSSL behind the simulated machine); Kestrone never runs a
// signature scheme of its own.
//
// Keys travel as CryptoAPI PUBLICKEYBLOBs, because that is what Windows imports
// without any conversion code in the product:
//   offset 0   BLOBHEADER  bType 0x06, bVersion 0x02, reserved 0, aiKeyAlg 0x0000A400 (CALG_RSA_KEYX)
//                          or 0x00002400 (CALG_RSA_SIGN)
//   offset 8   RSAPUBKEY   magic "RSA1", bitlen 2048, pubexp (all little-endian)
//   offset 20  modulus     256 bytes, least significant byte first
// Signatures are 256 bytes, most significant byte first (the form OpenSSL and
// every signing tool write); the Windows side reverses them for CryptoAPI.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrone::platform {

inline constexpr size_t kSha256Size = 32;
inline constexpr size_t kRsaModulusBits = 2048;
inline constexpr size_t kRsaModulusBytes = kRsaModulusBits / 8;
inline constexpr size_t kRsaSignatureSize = kRsaModulusBytes;
inline constexpr size_t kPublicKeyBlobHeaderSize = 20;
inline constexpr size_t kPublicKeyBlobSize = kPublicKeyBlobHeaderSize + kRsaModulusBytes;

// The SHA-256 digest (32 raw bytes) of the given bytes. Empty only when the
// system's cryptography is unavailable.
std::string Sha256(const std::string& bytes);

// True only when `signature` is a valid RSA PKCS#1 v1.5 SHA-256 signature of
// `message` under `publicKeyBlob` (a well-formed 2048-bit key, see above).
// Anything malformed is simply not valid.
bool VerifyRsaSha256Signature(const std::string& publicKeyBlob, const std::string& message,
                              const std::string& signature);

// The parts of a key blob, for the side that does not speak CryptoAPI.
struct RsaPublicKeyParts {
    uint32_t exponent = 0;
    std::string modulusBigEndian;  // 256 bytes
};

namespace key_blob_detail {
inline uint32_t ReadLittle32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = 4; i-- > 0;) value = (value << 8) | static_cast<uint8_t>(bytes[at + i]);
    return value;
}
}  // namespace key_blob_detail

// False unless the blob is exactly a 2048-bit RSA PUBLICKEYBLOB with a usable
// odd exponent: a key of any other size or kind is no key of ours.
inline bool SplitPublicKeyBlob(const std::string& blob, RsaPublicKeyParts& parts) {
    using key_blob_detail::ReadLittle32;
    if (blob.size() != kPublicKeyBlobSize) return false;
    if (static_cast<uint8_t>(blob[0]) != 0x06 || static_cast<uint8_t>(blob[1]) != 0x02) return false;
    if (blob[2] != 0 || blob[3] != 0) return false;
    uint32_t algorithm = ReadLittle32(blob, 4);
    if (algorithm != 0x0000A400 && algorithm != 0x00002400) return false;
    if (blob.compare(8, 4, "RSA1") != 0 || ReadLittle32(blob, 12) != kRsaModulusBits) return false;
    parts.exponent = ReadLittle32(blob, 16);
    if (parts.exponent < 3 || parts.exponent % 2 == 0) return false;
    parts.modulusBigEndian.assign(blob.rbegin(), blob.rbegin() + kRsaModulusBytes);
    // A modulus whose top byte is zero is shorter than it claims to be.
    return static_cast<uint8_t>(parts.modulusBigEndian[0]) >= 0x80;
}

}  // namespace kestrone::platform
