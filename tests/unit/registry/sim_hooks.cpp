// The shared registry tests' hooks on the simulated machine.
#include "platform/sim/registry_tree.h"
#include "platform/sim/world.h"
#include "registry_hooks.h"

namespace kestrone::test {

void ResetTestKey() {
    sim::TheWorld().Reset();
}

void PlantUnterminatedString(const std::string& path, const std::string& name,
                             const std::string& data) {
    sim::TheRegistry().SetRaw(platform::kHkeyCurrentUser, path, name, platform::kRegSz, data);
}

void PlantRawValue(const std::string& path, const std::string& name, uint32_t type,
                   const std::string& data) {
    sim::TheRegistry().SetRaw(platform::kHkeyCurrentUser, path, name, type, data);
}

}  // namespace kestrone::test
