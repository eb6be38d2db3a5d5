#include "app/publish.h"

#include "core/errors.h"
#include "core/path_macros.h"
#include "platform/registry.h"

namespace kestrone {

namespace {

bool WriteRecord(uint32_t root, const std::string& mainPath, uint32_t windowHandle,
                 std::string& failedValue) {
    platform::RegistryKey key;
    if (!key.OpenOrCreate(root, kCompanionKey)) {
        failedValue = kMainPathValue;
        return false;
    }
    if (!key.WriteString(kMainPathValue, mainPath)) {
        failedValue = kMainPathValue;
        return false;
    }
    if (!key.WriteDword(kHandleValue, windowHandle)) {
        failedValue = kHandleValue;
        return false;
    }
    return true;
}

}  // namespace

void PublishMainWindow(uint32_t windowHandle) {
    const std::string mainPath = GetExeDir();
    std::string failedValue;
    if (!WriteRecord(platform::kHkeyCurrentUser, mainPath, windowHandle, failedValue))
        throw ERegistryError("Failed to set data for '" + failedValue + "'");
    WriteRecord(platform::kHkeyLocalMachine, mainPath, windowHandle, failedValue);
}

}  // namespace kestrone
