// The sliding popup's option bits, its scroll speed range, its font settings
// and the values a popup component starts with.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include "ui/popup/popup_paint_rules.h"

namespace kestrone::ui {

using TMSNPopupOptions = std::uint32_t;
inline constexpr TMSNPopupOptions msnAutoOpenURL = 1u << 0;
inline constexpr TMSNPopupOptions msnSystemFont = 1u << 1;  // kept, has no effect
inline constexpr TMSNPopupOptions msnCascadePopups = 1u << 2;
inline constexpr TMSNPopupOptions msnAllowScroll = 1u << 3;
inline constexpr TMSNPopupOptions msnAllowHyperlink = 1u << 4;
inline constexpr TMSNPopupOptions kDefaultPopupOptions =
    msnAutoOpenURL | msnCascadePopups | msnAllowScroll | msnAllowHyperlink;  // 29

enum TMSNGradientOrientation { mbHorizontal = 0, mbVertical = 1 };
enum TMSNImageDrawMethod { dmActualSize = 0, dmTile = 1, dmFit = 2 };
enum TMSNTextAlignment { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

// Pixels per animation step, 1..50.
using TScrollSpeed = int;
inline TScrollSpeed ClampScrollSpeed(int speed) { return std::clamp(speed, 1, 50); }

struct TFontSpec {
    std::string Name = "MS Sans Serif";
    int Height = -11;  // negative: character height in pixels
    TColor Color = clBlack;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
};

// Where the popup's hyperlink points unless the program sets its own.
inline constexpr const char* kDefaultPopupURL = "https://www.example.com/kestrone";

}  // namespace kestrone::ui
