// Test helpers: the encryption direction through OpenSSL, and files of the
// encrypted data-file format built from it.
#pragma once

#include <openssl/evp.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>

namespace kestrone::test {

// AES-ECB encryption of whole blocks with a 16-, 24- or 32-byte key.
inline std::string OpenSslEncryptEcb(const std::string& key, const std::string& plain) {
    const EVP_CIPHER* cipher = key.size() == 16   ? EVP_aes_128_ecb()
                               : key.size() == 24 ? EVP_aes_192_ecb()
                                                  : EVP_aes_256_ecb();
    std::unique_ptr<EVP_CIPHER_CTX, void (*)(EVP_CIPHER_CTX*)> context(EVP_CIPHER_CTX_new(),
                                                                        EVP_CIPHER_CTX_free);
    std::string out(plain.size() + 16, '\0');
    int written = 0, last = 0;
    auto* outBytes = reinterpret_cast<unsigned char*>(out.data());
    if (EVP_EncryptInit_ex(context.get(), cipher, nullptr,
                           reinterpret_cast<const unsigned char*>(key.data()), nullptr) != 1 ||
        EVP_CIPHER_CTX_set_padding(context.get(), 0) != 1 ||
        EVP_EncryptUpdate(context.get(), outBytes, &written,
                          reinterpret_cast<const unsigned char*>(plain.data()),
                          static_cast<int>(plain.size())) != 1 ||
        EVP_EncryptFinal_ex(context.get(), outBytes + written, &last) != 1) {
        throw std::runtime_error("OpenSSL encryption failed");
    }
    out.resize(static_cast<size_t>(written + last));
    return out;
}

inline std::string LengthField(int64_t length) {
    std::string field(8, '\0');
    for (int i = 0; i < 8; ++i) {
        field[i] = static_cast<char>((static_cast<uint64_t>(length) >> (8 * i)) & 0xFF);
    }
    return field;
}

// A data file: the given length field, then `plain` filled with 0xAA up to whole
// blocks and encrypted under `key`.
inline std::string EncryptedFile(const std::string& key, const std::string& plain,
                                 int64_t lengthField) {
    std::string padded = plain;
    padded.resize((plain.size() + 15) / 16 * 16, '\xAA');
    return LengthField(lengthField) + OpenSslEncryptEcb(key, padded);
}

inline std::string Key128(const std::string& password) {
    std::string key(16, '\0');
    key.replace(0, std::min<size_t>(16, password.size()), password.substr(0, 16));
    return key;
}

inline std::string ReadHostFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace kestrone::test
