#include "updater/companion_record.h"

#include "app/publish.h"
#include "platform/registry.h"

namespace kestrone::updater {

PublishedKestrone ReadPublishedKestrone() {
    PublishedKestrone published;
    platform::RegistryKey key;
    if (!key.OpenForReading(platform::kHkeyCurrentUser, kCompanionKey)) return published;
    if (!key.ReadDword(kHandleValue, published.windowHandle)) published.windowHandle = 0;
    if (!key.TryReadString(kMainPathValue, published.mainPath)) published.mainPath.clear();
    return published;
}

}  // namespace kestrone::updater
