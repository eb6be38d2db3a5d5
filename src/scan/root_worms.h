// The worms of a removable drive's root that take the place of the user's
// items (shortcut worms and look-alike copies), cleaned together: judged
// before anything on the drive changes, and removed only with the user's yes
// when there are more than a few of them (the brake on mass removal).
#pragma once

#include <string>
#include <vector>

#include "core/text.h"
#include "scan/lookalike_worm.h"
#include "scan/worm_clean_report.h"

namespace kestrone {

struct RootWormPlan {
    std::vector<Lookalike> lookalikes;
    TextList items;  // the shortcuts and copies that would go
    bool allowed = true;
};

// Judges the root and asks when the brake applies. Call before the other
// cleans of the drive: they show hidden items again, after which a copy no
// longer stands for a hidden one.
RootWormPlan PlanRootWormClean(const std::string& driveRoot);

// The shortcut worms' clean, then the look-alikes'; when the removal was not
// allowed, nothing changes and the items are reported as left.
WormCleanReport CleanRootWorms(const std::string& driveRoot, const RootWormPlan& plan);

}  // namespace kestrone
