#include "repair/repair_items.h"

#include "core/decryption.h"
#include "core/definitions.h"
#include "platform/profile.h"
#include "repair/repair_actions.h"

namespace kestrone {

RepairAction ClassifyRepairValue(const std::string& value) {
    if (value == kRepairDebuggerValue) return RepairAction::RemoveDebuggers;
    if (value.find(kRegFileMarker) != std::string::npos) return RepairAction::ImportRegFile;
    if (value == kRepairHostsValue) return RepairAction::ResetHosts;
    return RepairAction::Script;
}

void ApplyRepairValue(const std::string& value, uintptr_t ownerWindow) {
    switch (ClassifyRepairValue(value)) {
        case RepairAction::RemoveDebuggers: RemoveDebuggerHijacks(); return;
        case RepairAction::ImportRegFile: ImportRegFile(value, ownerWindow); return;
        case RepairAction::ResetHosts: ResetHostsFile(); return;
        case RepairAction::Script: RunRepairScript(value); return;
    }
}

TextList ReadRepairItemNames() {
    return platform::ReadProfileKeyNames(kRepairSection, DataFilePath(kDefinitionsFile));
}

bool ApplyRepairItems(const TextList& tickedItems, uintptr_t ownerWindow) {
    DecryptDataFiles();
    for (const std::string& item : tickedItems) {
        ApplyRepairValue(
            ReadDataString(kRepairSection, item, kRepairDefaultValue, kDefinitionsFile),
            ownerWindow);
    }
    return !tickedItems.empty();
}

}  // namespace kestrone
