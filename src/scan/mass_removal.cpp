#include "scan/mass_removal.h"

#include "core/shell.h"

namespace kestrone {

namespace {
constexpr size_t kListedAtMost = 20;
}

std::string MassRemovalQuestion(const std::string& driveRoot, const TextList& items) {
    std::string text = Format("%u items on %s look like your own files, but a worm made them:\r\n",
                              static_cast<unsigned>(items.size()), driveRoot.c_str());
    for (size_t index = 0; index < items.size() && index < kListedAtMost; ++index)
        text += "  " + items[index] + "\r\n";
    if (items.size() > kListedAtMost)
        text += Format("  and %u more\r\n", static_cast<unsigned>(items.size() - kListedAtMost));
    return text + "Remove them?";
}

bool MayRemoveOwnLookingItems(const std::string& driveRoot, const TextList& items) {
    if (items.size() <= kMassRemovalLimit) return true;
    return Shell().AskYesNo(MassRemovalQuestion(driveRoot, items));
}

TextList MarkLeftUnconfirmed(const TextList& items) {
    TextList lines;
    for (const std::string& item : items) lines.push_back(item + kLeftUnconfirmedSuffix);
    return lines;
}

}  // namespace kestrone
