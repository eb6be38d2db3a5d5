#include "scan/root_worms.h"

#include "scan/mass_removal.h"
#include "scan/shortcut_worm.h"

namespace kestrone {

namespace {
void Append(TextList& to, TextList from) {
    for (std::string& line : from) to.push_back(std::move(line));
}
}  // namespace

RootWormPlan PlanRootWormClean(const std::string& driveRoot) {
    RootWormPlan plan;
    plan.lookalikes = FindLookalikeWorms(driveRoot);
    for (const WormShortcut& shortcut : FindWormShortcuts(driveRoot))
        plan.items.push_back(shortcut.path);
    for (const Lookalike& copy : plan.lookalikes) plan.items.push_back(copy.program);
    plan.allowed = MayRemoveOwnLookingItems(driveRoot, plan.items);
    return plan;
}

WormCleanReport CleanRootWorms(const std::string& driveRoot, const RootWormPlan& plan) {
    WormCleanReport report;
    if (!plan.allowed) {
        report.left = plan.items;
        return report;
    }
    for (WormCleanReport worm :
         {CleanShortcutWorms(driveRoot), CleanLookalikeWorms(driveRoot, plan.lookalikes)}) {
        Append(report.cleaned, std::move(worm.cleaned));
        Append(report.restored, std::move(worm.restored));
    }
    return report;
}

}  // namespace kestrone
