#include "ui/popup/popup_window_style.h"

namespace kestrone::ui {

PopupWindowStyle PopupStyleFor(bool ntPlatform, unsigned major, unsigned minor) {
    PopupWindowStyle style;
    const bool oldNt = ntPlatform && major <= 4 && (minor == 0 || minor == 51);
    style.noActivate = !oldNt;
    style.dropShadow = ntPlatform && major > 4 && minor > 0;
    return style;
}

}  // namespace kestrone::ui
