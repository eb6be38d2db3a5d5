// The "ask once more" tips before disturbing actions (closing Explorer,
// unlocking a USB drive): each tip has a switch in UserSettings.ini that the
// user turns off by ticking "Don't show this again." and answering OK.
#pragma once

#include <string>

namespace kestrone {

inline constexpr int kTipContinue = 1;
inline constexpr int kTipCancel = 2;

inline constexpr char kTipSection[] = "ShowDiag";
inline constexpr char kTipCloseExplorer[] = "CloseExplorer";
inline constexpr char kTipUnlockFlash[] = "UnLockFlash";

// Asks the tip's question through the shell unless the tip is switched off;
// returns kTipContinue or kTipCancel. OK stores the switch (off when the box
// was ticked); Cancel stores nothing.
int ShowTip(const std::string& tipName, const std::string& message);

}  // namespace kestrone
