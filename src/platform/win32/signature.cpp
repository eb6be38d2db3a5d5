// Signatures and digests through CryptoAPI's RSA and AES provider, which every
// Windows from XP SP3 on carries: nothing beyond the system is needed.
#include "platform/signature.h"

#include <windows.h>
#include <wincrypt.h>

#include <algorithm>

namespace kestrone::platform {

namespace {

// The headers keep SHA-256 behind Windows versions newer than the one we build
// for, yet XP SP3's provider does have it; the identifier never changed.
constexpr ALG_ID kSha256Algorithm = 0x0000800C;

class Provider {
public:
    Provider() {
        if (!CryptAcquireContextA(&handle_, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT)) {
            handle_ = 0;
        }
    }
    ~Provider() {
        if (handle_) CryptReleaseContext(handle_, 0);
    }
    Provider(const Provider&) = delete;
    Provider& operator=(const Provider&) = delete;
    HCRYPTPROV get() const { return handle_; }

private:
    HCRYPTPROV handle_ = 0;
};

class Hash {
public:
    explicit Hash(const Provider& provider) {
        if (!provider.get() || !CryptCreateHash(provider.get(), kSha256Algorithm, 0, 0, &handle_)) {
            handle_ = 0;
        }
    }
    ~Hash() {
        if (handle_) CryptDestroyHash(handle_);
    }
    Hash(const Hash&) = delete;
    Hash& operator=(const Hash&) = delete;
    HCRYPTHASH get() const { return handle_; }

    // CryptHashData takes a DWORD count; large inputs go in slices.
    bool Add(const std::string& bytes) {
        if (!handle_) return false;
        constexpr size_t kSlice = 1u << 24;
        for (size_t at = 0; at < bytes.size(); at += kSlice) {
            DWORD count = static_cast<DWORD>(std::min(kSlice, bytes.size() - at));
            if (!CryptHashData(handle_, reinterpret_cast<const BYTE*>(bytes.data() + at), count, 0)) {
                return false;
            }
        }
        return true;
    }

private:
    HCRYPTHASH handle_ = 0;
};

class ImportedKey {
public:
    ImportedKey(const Provider& provider, const std::string& blob) {
        if (!provider.get() ||
            !CryptImportKey(provider.get(), reinterpret_cast<const BYTE*>(blob.data()),
                            static_cast<DWORD>(blob.size()), 0, 0, &handle_)) {
            handle_ = 0;
        }
    }
    ~ImportedKey() {
        if (handle_) CryptDestroyKey(handle_);
    }
    ImportedKey(const ImportedKey&) = delete;
    ImportedKey& operator=(const ImportedKey&) = delete;
    HCRYPTKEY get() const { return handle_; }

private:
    HCRYPTKEY handle_ = 0;
};

}  // namespace

std::string Sha256(const std::string& bytes) {
    Provider provider;
    Hash hash(provider);
    if (!hash.Add(bytes)) return {};
    BYTE digest[kSha256Size];
    DWORD length = sizeof digest;
    if (!CryptGetHashParam(hash.get(), HP_HASHVAL, digest, &length, 0) || length != sizeof digest) {
        return {};
    }
    return std::string(reinterpret_cast<const char*>(digest), length);
}

bool VerifyRsaSha256Signature(const std::string& publicKeyBlob, const std::string& message,
                              const std::string& signature) {
    RsaPublicKeyParts parts;
    if (signature.size() != kRsaSignatureSize || !SplitPublicKeyBlob(publicKeyBlob, parts)) return false;
    Provider provider;
    ImportedKey key(provider, publicKeyBlob);
    Hash hash(provider);
    if (!key.get() || !hash.Add(message)) return false;
    // CryptoAPI reads the signature least significant byte first.
    std::string reversed(signature.rbegin(), signature.rend());
    return CryptVerifySignatureA(hash.get(), reinterpret_cast<const BYTE*>(reversed.data()),
                                 static_cast<DWORD>(reversed.size()), key.get(), nullptr, 0) != FALSE;
}

}  // namespace kestrone::platform
