#include "ui/popup/popup_cascade.h"

namespace kestrone::ui {

std::optional<PopupAdmission> PopupCascade::Admit(TaskbarEdge edge, const PopupRect& workArea,
                                                  const PopupPlacement& placement, bool cascade,
                                                  int marge) {
    if (edge != LastTaskbarEdge) {
        LastTaskbarEdge = edge;
        PopupCount = 0;
    }
    if (PopupCount <= 0) {
        NextPopupPos = 0;
    } else if (!PopupFits(edge, workArea, NextPopupPos, placement)) {
        return std::nullopt;
    }
    ++PopupCount;
    PopupAdmission admission;
    admission.popupPos = NextPopupPos;
    admission.final = FinalPopupBounds(edge, workArea, NextPopupPos, placement);
    if (!cascade) {
        NextPopupPos = 0;
    } else if (edge != teUnknown) {
        NextPopupPos += placement.height + marge;
    }
    return admission;
}

}  // namespace kestrone::ui
