#include "keys.h"

#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/pem.h>

#include <cstdio>

namespace kestrone::tools {

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
struct NumberDeleter {
    void operator()(BIGNUM* number) const { BN_free(number); }
};
struct DigestDeleter {
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
using Number = std::unique_ptr<BIGNUM, NumberDeleter>;

Number KeyNumber(EVP_PKEY* key, const char* name) {
    BIGNUM* number = nullptr;
    if (EVP_PKEY_get_bn_param(key, name, &number) != 1) return nullptr;
    return Number(number);
}

void AppendLittle32(std::string& bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

PemKey ReadPemKey(const std::string& path, bool publicIsEnough, std::string& problem) {
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        problem = "cannot read " + path;
        return nullptr;
    }
    PemKey key(PEM_read_PrivateKey(file.get(), nullptr, nullptr, nullptr));
    if (!key && publicIsEnough) {
        std::rewind(file.get());
        key.reset(PEM_read_PUBKEY(file.get(), nullptr, nullptr, nullptr));
    }
    if (!key) {
        problem = path + " holds no " + (publicIsEnough ? "PEM key" : "PEM private key");
    } else if (EVP_PKEY_get_base_id(key.get()) != EVP_PKEY_RSA || EVP_PKEY_get_bits(key.get()) != 2048) {
        problem = path + " is not an RSA-2048 key";
        key.reset();
    }
    return key;
}

std::string SignBytes(EVP_PKEY* key, const std::string& bytes) {
    std::unique_ptr<EVP_MD_CTX, DigestDeleter> context(EVP_MD_CTX_new());
    size_t length = 0;
    if (!context || EVP_DigestSignInit(context.get(), nullptr, EVP_sha256(), nullptr, key) != 1) return {};
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    if (EVP_DigestSign(context.get(), nullptr, &length, data, bytes.size()) != 1) return {};
    std::string signature(length, '\0');
    if (EVP_DigestSign(context.get(), reinterpret_cast<unsigned char*>(signature.data()), &length, data,
                       bytes.size()) != 1) {
        return {};
    }
    signature.resize(length);
    return signature;
}

std::string PublicKeyBlob(EVP_PKEY* key) {
    Number modulus = KeyNumber(key, OSSL_PKEY_PARAM_RSA_N);
    Number exponent = KeyNumber(key, OSSL_PKEY_PARAM_RSA_E);
    if (!modulus || !exponent || BN_num_bytes(modulus.get()) != 256) return {};
    std::string blob = {0x06, 0x02, 0x00, 0x00};
    AppendLittle32(blob, 0x0000A400);
    blob += "RSA1";
    AppendLittle32(blob, 2048);
    AppendLittle32(blob, static_cast<uint32_t>(BN_get_word(exponent.get())));
    std::string modulusBytes(256, '\0');
    // Little-endian, as CryptoAPI stores it.
    if (BN_bn2lebinpad(modulus.get(), reinterpret_cast<unsigned char*>(modulusBytes.data()), 256) != 256) {
        return {};
    }
    return blob + modulusBytes;
}

std::string Sha256Hex(const std::string& bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr) != 1) return {};
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned int i = 0; i < length; ++i) {
        hex += kDigits[digest[i] >> 4];
        hex += kDigits[digest[i] & 0x0F];
    }
    return hex;
}

}  // namespace kestrone::tools
