// Which window styles a popup may use on the running Windows version: no
// activation except on NT 4.0 and 3.51, and a drop shadow from Windows XP on.
#pragma once

namespace kestrone::ui {

struct PopupWindowStyle {
    bool noActivate = false;  // WS_EX_NOACTIVATE
    bool dropShadow = false;  // CS_DROPSHADOW on the window class
};

PopupWindowStyle PopupStyleFor(bool ntPlatform, unsigned major, unsigned minor);

}  // namespace kestrone::ui
