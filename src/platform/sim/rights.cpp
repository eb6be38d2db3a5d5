// Rights on the simulated machine: the token the test arranged (see World).
#include "platform/rights.h"

#include "platform/sim/process_table.h"
#include "platform/sim/world.h"

namespace kestrone::platform {

bool SystemHasUserAccountControl() { return sim::TheWorld().UserAccountControl(); }

bool ProcessIsElevated() { return sim::TheWorld().Elevated(); }

// The ordinary rights of the user, also for an elevated process: a protected
// folder refuses them, as does write-protected media.
bool FolderWritableByUser(const std::string& folder) {
    const sim::World& world = sim::TheWorld();
    if (world.UserAccountControl() && world.InProtectedFolder(folder)) return false;
    return !world.WritesRefused(folder);
}

bool PathPassesThroughLink(const std::string& path) {
    const sim::World& world = sim::TheWorld();
    std::string normalized = world.Normalize(path);
    for (std::string p = normalized; p.size() > 3;) {
        const sim::Node* node = world.Find(p);
        if (node && node->link) return true;
        size_t slash = p.rfind('\\');
        if (slash == std::string::npos) break;
        p = p.substr(0, slash < 3 ? 3 : slash);
    }
    return false;
}

ElevatedStart StartElevated(uintptr_t ownerWindow, const std::string& program,
                            const std::string& parameters) {
    sim::ShellRequest request;
    request.ownerWindow = ownerWindow;
    request.verb = "runas";
    request.file = program;
    request.parameters = parameters;
    request.showCommand = 1;
    sim::TheShellLog().Record(request);
    if (!sim::TheWorld().ElevationAccepted()) return ElevatedStart::Declined;
    return sim::TheShellLog().fail_ ? ElevatedStart::Failed : ElevatedStart::Started;
}

}  // namespace kestrone::platform
