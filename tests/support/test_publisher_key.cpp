// The publisher key of a test build (KESTRONE_TRUST_TEST_KEY): test key A
// takes the place of the real one, so that the Wine scenarios can sign
// packages the program accepts. Lives outside src/ so that no product source
// list can ever pick it up; a Release build refuses the option.
#include "signature_vectors.h"
#include "update/key_chain.h"

namespace kestrone::update {

std::string BuiltInPublisherKey() {
    return contract::vectors::kKeyA;
}

}  // namespace kestrone::update
