// The repair items of the definitions (section "RegRepair": the key is the text
// the repair page lists, the value what the item does) and how a ticked item's
// value is dispatched to one of the four repairs.
#pragma once

#include <cstdint>
#include <string>

#include "core/text.h"

namespace kestrone {

inline constexpr char kRepairSection[] = "RegRepair";
inline constexpr char kRepairDebuggerValue[] = "RepairAvsoft";
inline constexpr char kRepairHostsValue[] = "RepairHostFile";
inline constexpr char kRegFileMarker[] = ".rep";
// An item whose value cannot be read: a script without a valid line.
inline constexpr char kRepairDefaultValue[] = "1";

// The repair page's closing messages.
inline constexpr char kRepairDoneMessage[] =
    "Repair registry successfully,some of repair may take effect after reboot!";
inline constexpr char kRepairNothingTickedMessage[] =
    "Please select section you want to repair first!";

enum class RepairAction { RemoveDebuggers, ImportRegFile, ResetHosts, Script };

// The tests in their fixed order, the first that holds deciding: exactly
// "RepairAvsoft"; containing ".rep" (letter case counts); exactly
// "RepairHostFile"; anything else is a script.
RepairAction ClassifyRepairValue(const std::string& value);

// Carries out one item value (the owner window is handed to the registry editor).
void ApplyRepairValue(const std::string& value, uintptr_t ownerWindow = 0);

// The item names of "RegRepair" in the definitions' order (decrypted copy).
TextList ReadRepairItemNames();

// The repair page's Apply without its window parts: decrypts the data files
// afresh, then reads and applies each ticked item in order. Returns whether any
// item was ticked (the page then broadcasts the settings change and shows
// kRepairDoneMessage, else kRepairNothingTickedMessage). An error of an item
// ends the run there; the items before it stay applied.
bool ApplyRepairItems(const TextList& tickedItems, uintptr_t ownerWindow = 0);

}  // namespace kestrone
