// The honest end of a scan or a repair: when Windows refused some of the
// changes, the report says how many threats are still there and why, instead
// of a success line.
#pragma once

#include <string>

namespace kestrone {

// Why the refused changes were refused, as far as the process can tell.
enum class RefusalCause {
    NeedsAdministrator,  // we run without administrator rights: they would help
    RefusedAnyway,       // we hold them already: files in use, protected, write-protected media
};
RefusalCause CauseOfRefusals();

// "2 threats could not be removed: administrator rights are needed." and the
// like; empty when nothing was refused.
std::string RefusalLine(int refused, RefusalCause cause);

// Whether this process can offer to repeat a command with administrator
// rights: a system with user account control, and we are not elevated.
bool CanOfferElevation();

}  // namespace kestrone
