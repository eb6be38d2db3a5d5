#include "core/refusal_report.h"

#include "core/text.h"
#include "platform/rights.h"

namespace kestrone {

RefusalCause CauseOfRefusals() {
    return platform::ProcessIsElevated() ? RefusalCause::RefusedAnyway
                                         : RefusalCause::NeedsAdministrator;
}

std::string RefusalLine(int refused, RefusalCause cause) {
    if (refused <= 0) return std::string();
    std::string count = refused == 1 ? "1 threat could not be removed"
                                     : Format("%d threats could not be removed", refused);
    return count + (cause == RefusalCause::NeedsAdministrator
                        ? ": Windows refused access, administrator rights are needed."
                        : ": Windows refused access (in use, protected or write-protected).");
}

bool CanOfferElevation() {
    return platform::SystemHasUserAccountControl() && !platform::ProcessIsElevated();
}

}  // namespace kestrone
