// The simulated machine checks signatures with OpenSSL, so that the native
// tests prove the same arithmetic that CryptoAPI does on Windows.
#include "platform/signature.h"

#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/param_build.h>

#include <memory>

namespace kestrone::platform {

namespace {

template <auto Free>
struct Deleter {
    template <typename T>
    void operator()(T* pointer) const { Free(pointer); }
};
using Number = std::unique_ptr<BIGNUM, Deleter<BN_free>>;
using ParamBuilder = std::unique_ptr<OSSL_PARAM_BLD, Deleter<OSSL_PARAM_BLD_free>>;
using Params = std::unique_ptr<OSSL_PARAM, Deleter<OSSL_PARAM_free>>;
using KeyContext = std::unique_ptr<EVP_PKEY_CTX, Deleter<EVP_PKEY_CTX_free>>;
using Key = std::unique_ptr<EVP_PKEY, Deleter<EVP_PKEY_free>>;
using DigestContext = std::unique_ptr<EVP_MD_CTX, Deleter<EVP_MD_CTX_free>>;

const unsigned char* Bytes(const std::string& text) {
    return reinterpret_cast<const unsigned char*>(text.data());
}

Key ImportKey(const RsaPublicKeyParts& parts) {
    Number modulus(BN_bin2bn(Bytes(parts.modulusBigEndian),
                             static_cast<int>(parts.modulusBigEndian.size()), nullptr));
    Number exponent(BN_new());
    ParamBuilder builder(OSSL_PARAM_BLD_new());
    if (!modulus || !exponent || !builder || BN_set_word(exponent.get(), parts.exponent) != 1) return nullptr;
    if (OSSL_PARAM_BLD_push_BN(builder.get(), OSSL_PKEY_PARAM_RSA_N, modulus.get()) != 1 ||
        OSSL_PARAM_BLD_push_BN(builder.get(), OSSL_PKEY_PARAM_RSA_E, exponent.get()) != 1) {
        return nullptr;
    }
    Params params(OSSL_PARAM_BLD_to_param(builder.get()));
    KeyContext context(EVP_PKEY_CTX_new_from_name(nullptr, "RSA", nullptr));
    if (!params || !context || EVP_PKEY_fromdata_init(context.get()) != 1) return nullptr;
    EVP_PKEY* key = nullptr;
    if (EVP_PKEY_fromdata(context.get(), &key, EVP_PKEY_PUBLIC_KEY, params.get()) != 1) return nullptr;
    return Key(key);
}

}  // namespace

std::string Sha256(const std::string& bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr) != 1) return {};
    return std::string(reinterpret_cast<const char*>(digest), length);
}

bool VerifyRsaSha256Signature(const std::string& publicKeyBlob, const std::string& message,
                              const std::string& signature) {
    RsaPublicKeyParts parts;
    if (signature.size() != kRsaSignatureSize || !SplitPublicKeyBlob(publicKeyBlob, parts)) return false;
    Key key = ImportKey(parts);
    DigestContext context(EVP_MD_CTX_new());
    if (!key || !context) return false;
    // The default padding of an RSA verification is PKCS#1 v1.5.
    if (EVP_DigestVerifyInit(context.get(), nullptr, EVP_sha256(), nullptr, key.get()) != 1) return false;
    return EVP_DigestVerify(context.get(), Bytes(signature), signature.size(), Bytes(message),
                            message.size()) == 1;
}

}  // namespace kestrone::platform
