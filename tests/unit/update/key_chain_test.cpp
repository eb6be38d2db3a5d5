// The kept keys are trusted only link by link from the built-in key: a key
// file planted in the folder, or a link broken on disk, ends the chain.
#include <gtest/gtest.h>

#include "platform/signature.h"
#include "update/key_chain.h"
#include "update_fixture.h"

namespace kestrone::test {
namespace {

using namespace update;

class KeyChainTest : public UpdateTest {
protected:
    std::string keys = KeysFolderOf(kDefinitionsFolder);
    std::string Signed(char signer, const std::string& bytes) { return tools::SignBytes(TestKey(signer).get(), bytes); }
};

TEST_F(KeyChainTest, AKeptKeySignedByTheRootJoinsTheChain) {
    KeyChain root(KeyBlob('a'));
    ASSERT_TRUE(KeepKey(keys, root, KeyBlob('b'), Signed('a', KeyBlob('b'))));
    KeyChain chain = LoadKeyChain(KeyBlob('a'), keys);
    ASSERT_EQ(chain.Keys().size(), 2u);
    EXPECT_EQ(chain.Newest(), KeyBlob('b'));
    EXPECT_TRUE(world().IsFile(keys + "1.key"));
    EXPECT_FALSE(world().Exists(keys + "1.key.new"));
    // Keeping the same key again adds no link.
    ASSERT_TRUE(KeepKey(keys, chain, KeyBlob('b'), Signed('a', KeyBlob('b'))));
    EXPECT_FALSE(world().Exists(keys + "2.key"));
}

TEST_F(KeyChainTest, PlantedOrBrokenLinksAreNotTrusted) {
    const struct {
        const char* what;
        std::string key;
        std::string signature;
    } cases[] = {
        {"key signed by itself", KeyBlob('b'), Signed('b', KeyBlob('b'))},
        {"signature of another text", KeyBlob('b'), Signed('a', "something else")},
        {"no signature", KeyBlob('b'), ""},
        {"key that is no key", "junk", Signed('a', "junk")},
        {"the root again", KeyBlob('a'), Signed('a', KeyBlob('a'))},
    };
    for (const auto& c : cases) {
        world().AddFile(keys + "1.key", c.key);
        world().AddFile(keys + "1.sig", c.signature);
        EXPECT_EQ(LoadKeyChain(KeyBlob('a'), keys).Keys().size(), 1u) << c.what;
    }
}

TEST_F(KeyChainTest, TheChainEndsAtTheFirstGap) {
    // 2.key would be valid after 1.key, but 1.key is missing.
    world().AddFile(keys + "2.key", KeyBlob('b'));
    world().AddFile(keys + "2.sig", Signed('a', KeyBlob('b')));
    EXPECT_EQ(LoadKeyChain(KeyBlob('a'), keys).Keys().size(), 1u);
}

TEST_F(KeyChainTest, AnEmptyOrMissingKeysFolderLeavesTheRootAlone) {
    EXPECT_EQ(LoadKeyChain(KeyBlob('a'), "C:\\nowhere\\").Keys(), std::vector<std::string>{KeyBlob('a')});
}

TEST(BuiltInKey, TheProgramCarriesAWellFormedPublisherKeyThatIsNoTestKey) {
    platform::RsaPublicKeyParts parts;
    EXPECT_TRUE(platform::SplitPublicKeyBlob(BuiltInPublisherKey(), parts));
    EXPECT_NE(BuiltInPublisherKey(), KeyBlob('a'));
    EXPECT_NE(BuiltInPublisherKey(), KeyBlob('b'));
}

}  // namespace
}  // namespace kestrone::test
