// The publisher keys Kestrone trusts: the one built into the program, then every
// key a package rolled over to, each signed by the key before it. The kept keys
// live in the definitions folder's keys\ as 1.key + 1.sig, 2.key + 2.sig, ...;
// they are checked link by link from the built-in key at every load, so a key
// file dropped into that folder by anyone else is simply not part of the chain.
#pragma once

#include <string>
#include <vector>

namespace kestrone::update {

// The publisher's key as compiled into the program (a PUBLICKEYBLOB).
std::string BuiltInPublisherKey();

class KeyChain {
public:
    explicit KeyChain(std::string rootKey) { keys_.push_back(std::move(rootKey)); }

    const std::vector<std::string>& Keys() const { return keys_; }
    // Packages are judged by the newest key only: a key that was rolled away
    // from may have been lost, and must not sign anything new.
    const std::string& Newest() const { return keys_.back(); }
    bool Contains(const std::string& key) const;
    bool SignedByNewest(const std::string& message, const std::string& signature) const;
    // Sets already installed may carry a signature of an earlier key of the chain.
    bool SignedByAny(const std::string& message, const std::string& signature) const;
    void Append(std::string key) { keys_.push_back(std::move(key)); }

private:
    std::vector<std::string> keys_;
};

std::string KeysFolderOf(const std::string& definitionsFolder);

// The root key followed by every kept key whose link holds; the chain ends at
// the first missing or broken link.
KeyChain LoadKeyChain(const std::string& rootKey, const std::string& keysFolder);

// Adds a key (already verified by the newest key of `chain`) as the next link.
// A key the chain already holds is not added twice. False when it cannot be written.
bool KeepKey(const std::string& keysFolder, const KeyChain& chain, const std::string& key,
             const std::string& signature);

}  // namespace kestrone::update
