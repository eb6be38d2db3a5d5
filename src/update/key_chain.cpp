#include "update/key_chain.h"

#include "platform/files.h"
#include "platform/signature.h"

namespace kestrone::update {

namespace {

std::string LinkPath(const std::string& keysFolder, size_t index, const char* extension) {
    return keysFolder + std::to_string(index) + extension;
}

// Written beside and then moved over, so that a crash leaves the old file or
// the whole new one; a half-written link would end the chain early.
bool WriteWhole(const std::string& path, const std::string& bytes) {
    std::string temporary = path + ".new";
    if (!platform::WriteTextFile(temporary, bytes)) return false;
    if (platform::ReplaceFileWith(temporary, path)) return true;
    platform::RemoveFile(temporary);
    return false;
}

}  // namespace

bool KeyChain::Contains(const std::string& key) const {
    for (const std::string& known : keys_) {
        if (known == key) return true;
    }
    return false;
}

bool KeyChain::SignedByNewest(const std::string& message, const std::string& signature) const {
    return platform::VerifyRsaSha256Signature(Newest(), message, signature);
}

bool KeyChain::SignedByAny(const std::string& message, const std::string& signature) const {
    for (const std::string& key : keys_) {
        if (platform::VerifyRsaSha256Signature(key, message, signature)) return true;
    }
    return false;
}

std::string KeysFolderOf(const std::string& definitionsFolder) { return definitionsFolder + "keys\\"; }

KeyChain LoadKeyChain(const std::string& rootKey, const std::string& keysFolder) {
    KeyChain chain(rootKey);
    for (size_t index = 1;; ++index) {
        std::string key, signature;
        if (!platform::ReadWholeFile(LinkPath(keysFolder, index, ".key"), key) ||
            !platform::ReadWholeFile(LinkPath(keysFolder, index, ".sig"), signature)) {
            break;
        }
        platform::RsaPublicKeyParts parts;
        if (!platform::SplitPublicKeyBlob(key, parts) || chain.Contains(key) ||
            !chain.SignedByNewest(key, signature)) {
            break;
        }
        chain.Append(std::move(key));
    }
    return chain;
}

bool KeepKey(const std::string& keysFolder, const KeyChain& chain, const std::string& key,
             const std::string& signature) {
    if (chain.Contains(key)) return true;
    if (!platform::FolderExists(keysFolder) && !platform::MakeFolder(keysFolder)) return false;
    size_t index = chain.Keys().size();
    // The signature goes first: a key without its signature would be read as
    // the end of the chain anyway, and a stale signature alone proves nothing.
    return WriteWhole(LinkPath(keysFolder, index, ".sig"), signature) &&
           WriteWhole(LinkPath(keysFolder, index, ".key"), key);
}

}  // namespace kestrone::update
