#include "ui/skin/win32/button_shield.h"

#include <algorithm>

namespace kestrone::ui {

namespace {

// An atom, not a name: a property named by a string takes a reference on a
// global atom each time it is set.
const char* ShieldProperty() {
    static const ATOM atom = GlobalAddAtomA("Kestrone.Shield");
    return reinterpret_cast<const char*>(static_cast<ULONG_PTR>(atom));  // MAKEINTATOM
}
constexpr WORD kShieldIconId = 32518;  // IDI_SHIELD
constexpr int kShieldGap = 4;          // between the shield and the caption

// The caption's width in the room the shield leaves.
int CaptionWidth(HDC dc, const std::wstring& caption, RECT room, UINT format) {
    if (caption.empty() || room.right <= room.left) return 0;
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &room, format | DT_CALCRECT);
    return static_cast<int>(room.right - room.left);
}

}  // namespace

void RememberButtonShield(HWND button, bool shield) {
    if (shield)
        SetPropA(button, ShieldProperty(), reinterpret_cast<HANDLE>(1));
    else
        RemovePropA(button, ShieldProperty());
}

bool ButtonShield(HWND button) {
    return GetPropA(button, ShieldProperty()) != nullptr;
}

HICON SmallShieldIcon() {
    // A system icon loads only as a shared one, which the system keeps.
    static const HICON icon = static_cast<HICON>(
        LoadImageA(nullptr, MAKEINTRESOURCEA(kShieldIconId), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    return icon;
}

RECT DrawShieldBeforeCaption(HDC dc, const RECT& area, const std::wstring& caption, UINT format,
                             bool disabled) {
    HICON icon = SmallShieldIcon();
    if (!icon) return area;
    const int width = GetSystemMetrics(SM_CXSMICON), height = GetSystemMetrics(SM_CYSMICON);
    RECT rest = area;
    rest.left += width + kShieldGap;
    const int roomForCaption = static_cast<int>(std::max<LONG>(rest.right - rest.left, 0));
    const int captionWidth = std::min(CaptionWidth(dc, caption, rest, format), roomForCaption);
    const int whole = width + (captionWidth > 0 ? kShieldGap + captionWidth : 0);
    const int x = static_cast<int>(area.left) +
                  std::max(0, (static_cast<int>(area.right - area.left) - whole) / 2);
    const int y = static_cast<int>(area.top + (area.bottom - area.top - height) / 2);
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, width, height,
               DST_ICON | (disabled ? DSS_DISABLED : 0));
    rest.left = std::min<LONG>(x + width + kShieldGap, area.right);
    rest.right = std::min<LONG>(rest.left + captionWidth, area.right);
    return rest;
}

}  // namespace kestrone::ui
