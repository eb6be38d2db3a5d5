// Geometry of a skinned window frame: what kind of frame a window has, how
// thick the skin's borders are, where the client area lies inside them, what
// a point of the frame means to the mouse, and how a window grows so that its
// client area keeps its size. Window code feeds these rules with styles and
// rectangles; they know nothing of Windows itself.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "ui/skin/skin_objects.h"

namespace kestrone {

// Style bits the frame rules read, with the values Windows gives them.
namespace winstyle {
inline constexpr uint32_t kCaption = 0x00C00000;     // WS_CAPTION (border + dialog frame)
inline constexpr uint32_t kChild = 0x40000000;       // WS_CHILD
inline constexpr uint32_t kThickFrame = 0x00040000;  // WS_THICKFRAME
inline constexpr uint32_t kSysMenu = 0x00080000;     // WS_SYSMENU
inline constexpr uint32_t kMinimizeBox = 0x00020000;
inline constexpr uint32_t kMaximizeBox = 0x00010000;
inline constexpr uint32_t kModalFrameBit = 0x80;    // DS_MODALFRAME
inline constexpr uint32_t kExDlgModalFrame = 0x1;   // WS_EX_DLGMODALFRAME
inline constexpr uint32_t kExMdiChild = 0x40;       // WS_EX_MDICHILD
inline constexpr uint32_t kExRtlReading = 0x2000;   // WS_EX_RTLREADING
inline constexpr uint32_t kExLayoutRtl = 0x400000;  // WS_EX_LAYOUTRTL
}  // namespace winstyle

// What a skinned window is to its neighbours.
enum class FormRole { Plain = 0, MdiParent = 1, MdiChild = 2 };

// Which frame the skin draws.
enum class FrameKind {
    Sizeable = 0,   // a sizing frame
    Caption = 1,    // a caption without a sizing frame
    NoCaption = 2,  // no full caption: no skinned frame at all
    Dialog = 3,     // a dialog frame (these also get the caption-width check)
};

enum class WindowState { Normal = 0, Maximised = 1, Minimised = 2 };

FormRole ClassifyRole(bool hasMdiClientChild, uint32_t exStyle);
FrameKind ClassifyFrameKind(uint32_t style, uint32_t exStyle, std::string_view className);
// From the show command of GetWindowPlacement (SW_SHOWMAXIMIZED 3,
// SW_SHOWMINIMIZED 2).
WindowState WindowStateOf(int showCommand);

// Thickness of the skinned frame around the client area, in pixels.
struct BorderSizes {
    int left = 0;
    int right = 0;
    int title = 0;
    int bottom = 0;
    int menu = 0;  // the menu bar under the title, 0 without a menu
    bool operator==(const BorderSizes&) const = default;
};

// The system values the border rules fall back on.
struct FrameMetrics {
    int menuHeight = 0;     // SM_CYMENU
    int captionHeight = 0;  // SM_CYCAPTION
    int frameWidth = 0;     // SM_CXFRAME
};

// Borders from the skin's border bitmaps (one frame of each, scaled from 96
// DPI to `dpi`), the menu bar from the system's menu height. A window without
// a full caption gets none.
BorderSizes ComputeBorderSizes(const TSkinContent& skin, FrameKind kind, FormRole role,
                               bool hasMenu, const FrameMetrics& metrics, int dpi = 96);

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const Rect&) const = default;
};

struct Size {
    int width = 0, height = 0;
    bool operator==(const Size&) const = default;
};

// The client rectangle inside a window rectangle (never turned inside out).
Rect SkinnedClientRect(const Rect& window, const BorderSizes& sizes);
// The window size that keeps a client area of the given size.
Size SkinnedWindowSize(Size client, const BorderSizes& sizes);

// Hit-test codes, as Windows numbers them.
namespace hit {
inline constexpr int kNowhere = 0, kClient = 1, kCaption = 2, kSysMenu = 3, kMenu = 5;
inline constexpr int kMinButton = 8, kMaxButton = 9, kClose = 20, kHelp = 21;
}  // namespace hit

// What a point of a skinned window means to the mouse. `previous` is the
// answer of the window's own procedure; `x`, `y` are relative to the window's
// top-left corner. The caption buttons of the system frame are not drawn any
// more, so the system's codes for them count as caption too.
int SkinnedHitTest(int previous, int x, int y, const BorderSizes& sizes, bool hasMenuBar);

// How a dialog grows so that its caption fits: the new window width and how
// far its children move right. Nothing when the caption already fits.
struct CaptionWidening {
    int width = 0;
    int childShift = 0;
    bool operator==(const CaptionWidening&) const = default;
};
std::optional<CaptionWidening> DialogCaptionWidening(FrameKind kind, int captionTextWidth,
                                                     const TDataSkinTitle& title, int windowWidth);

}  // namespace kestrone
