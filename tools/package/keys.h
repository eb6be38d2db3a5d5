// The publisher's side of the signatures: PEM keys read with OpenSSL, bytes
// signed with them, and public keys written as the PUBLICKEYBLOBs Kestrone reads.
#pragma once

#include <memory>
#include <string>

#include <openssl/evp.h>

namespace kestrone::tools {

struct KeyDeleter {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
using PemKey = std::unique_ptr<EVP_PKEY, KeyDeleter>;

// A 2048-bit RSA key from a PEM file, private or (when allowed) public only.
// Null with a reason when the file holds anything else.
PemKey ReadPemKey(const std::string& path, bool publicIsEnough, std::string& problem);
// RSA PKCS#1 v1.5 SHA-256, 256 bytes, most significant first. Empty on failure.
std::string SignBytes(EVP_PKEY* key, const std::string& bytes);
// The key's public half as a CryptoAPI PUBLICKEYBLOB (CALG_RSA_KEYX).
std::string PublicKeyBlob(EVP_PKEY* key);
std::string Sha256Hex(const std::string& bytes);

}  // namespace kestrone::tools
