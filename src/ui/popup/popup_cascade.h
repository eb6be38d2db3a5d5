// The bookkeeping of open popups: how many are open, the cascade offset for
// the next one, and the taskbar edge they were stacked against. Admit decides
// whether one more popup may be shown and where it goes.
#pragma once

#include <optional>

#include "ui/popup/popup_geometry.h"

namespace kestrone::ui {

struct PopupAdmission {
    int popupPos = 0;                    // the new popup's cascade offset (PopupPos)
    std::optional<PopupBounds> final;    // nothing when the taskbar edge is unknown
};

class PopupCascade {
public:
    // ShowPopUp's decision: resets the stack when the taskbar moved or nothing
    // is open, refuses when the new popup would leave the work area, else
    // counts the popup and advances the cascade offset.
    std::optional<PopupAdmission> Admit(TaskbarEdge edge, const PopupRect& workArea,
                                        const PopupPlacement& placement, bool cascade,
                                        int marge);
    // A popup closed for good. The offset does not move back: the stack
    // starts again only once every popup is gone.
    void Closed() {
        if (PopupCount > 0) --PopupCount;
    }

    int PopupCount = 0;
    int NextPopupPos = 0;
    int LastTaskbarEdge = 0;
};

}  // namespace kestrone::ui
