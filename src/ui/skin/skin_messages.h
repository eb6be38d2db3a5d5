// The skin engine's private window messages (values fixed) and its timing.
#pragma once

namespace kestrone::skinmsg {

inline constexpr unsigned kRepaintFrame = 0x3502;   // repaint the skinned frame
inline constexpr unsigned kStartSkinning = 0x3503;  // posted once after attaching, lParam 1000
inline constexpr unsigned kControlSkinning =
    0x3506;                                       // wParam > 0 switches a control's skin on, 0 off
inline constexpr unsigned kTitleAction = 0x3514;  // a title button's own Action (wParam)
inline constexpr unsigned kAskVisibility = 0x3515;  // wParam = Visibility code, lParam = Action
inline constexpr unsigned kQuery = 0x3523;          // a skinned window or control answers 1

}  // namespace kestrone::skinmsg

namespace kestrone {

// What the manager's one-shot timer does when it fires.
enum class SkinAction {
    None = 0,
    SkinAll = 1,
    UnskinAll = 2,
    Refresh = 3,
    Purge = 6,
    ReskinOne = 7,
};
inline constexpr unsigned kFirstTimerMs = 100;  // the timer's first run after creation
inline constexpr unsigned kActionDelayMs = 250;
// Hover states of title buttons and controls end this long after the cursor left.
inline constexpr unsigned kHoverCheckMs = 250;

}  // namespace kestrone
