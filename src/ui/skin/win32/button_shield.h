// The shield mark on push buttons (BCM_SETSHIELD): the button's command needs
// administrator rights. The flag is kept on the button itself, so it outlives
// the skin being switched off and on and a skin attached after it was set;
// the skin draws the system's small shield left of the caption.
#pragma once

#include <windows.h>

#include <string>

namespace kestrone::ui {

// BCM_SETSHIELD (Vista and later): wParam 0, lParam TRUE for the shield.
inline constexpr UINT kSetShieldMessage = 0x160C;

// The skin records what reaches a skinned button; the program's own helper
// (SetButtonShield) records it as well, for buttons not skinned at the time.
void RememberButtonShield(HWND button, bool shield);
bool ButtonShield(HWND button);

// The system's small shield icon (shared, never destroyed); null where the
// system has none, as on XP.
HICON SmallShieldIcon();

// Draws the shield left of the caption (measured in the DC's font with the
// DrawText `format`), the two centred together in `area`; returns the room
// left for the caption. Without a shield icon, `area` as it was.
RECT DrawShieldBeforeCaption(HDC dc, const RECT& area, const std::wstring& caption, UINT format,
                             bool disabled);

}  // namespace kestrone::ui
