// Small decisions of the tray icon that need no window: image index clamping
// and animation order, the shift-state bits of mouse events, which messages
// the hidden notification window swallows, the default menu item, and how
// the owner's and the application window's messages are read for minimising.
#pragma once

#include <cstdint>
#include <vector>

namespace kestrone::ui {

enum class TMouseButton { mbLeft = 0, mbRight = 1, mbMiddle = 2 };

// Bit set passed with mouse events.
using TShiftState = std::uint32_t;
inline constexpr TShiftState ssShift = 0x01;
inline constexpr TShiftState ssAlt = 0x02;
inline constexpr TShiftState ssCtrl = 0x04;
inline constexpr TShiftState ssLeft = 0x08;
inline constexpr TShiftState ssRight = 0x10;
inline constexpr TShiftState ssMiddle = 0x20;

TShiftState ShiftFromKeys(bool shift, bool alt, bool ctrl);
TShiftState ButtonShift(TMouseButton button);

// The image shown for a requested index: 0 without images, the last image for
// an index past the end, and 0 for a negative index (which names no image).
int ClampIconIndex(int index, int imageCount);
// The animation's next image: one further, or back to the first after the last.
int NextCycleIndex(int index, int imageCount);

// Messages the hidden notification window answers with 1 and never passes on,
// so no close, end-session or quit request can take it down.
bool IsSwallowedNotifyWindowMessage(std::uint32_t message);

// The default item a double click chooses among the menu's top-level items:
// the lowest-index default item, or -1.
int DefaultMenuItemIndex(const std::vector<bool>& itemIsDefault);

// What a message to the owner window means for minimising to the tray.
enum class OwnerMessage { Other, BeingShown, MinimizeRequest };
OwnerMessage ClassifyOwnerMessage(std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam, bool applicationTerminating);

// What a message to the application window asks of the tray icon.
enum class ApplicationMessage { Other, Minimized, Restore, TaskbarCreated, FirstPositionChange };
ApplicationMessage ClassifyApplicationMessage(std::uint32_t message, std::uintptr_t wParam,
                                              std::uint32_t taskbarCreatedMessage);

}  // namespace kestrone::ui
