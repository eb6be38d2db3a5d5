#include "ui/skin/frame_geometry.h"

#include <algorithm>

#include "core/dpi_scale.h"
#include "core/text.h"

namespace kestrone {

FormRole ClassifyRole(bool hasMdiClientChild, uint32_t exStyle) {
    if (exStyle & winstyle::kExMdiChild) return FormRole::MdiChild;
    return hasMdiClientChild ? FormRole::MdiParent : FormRole::Plain;
}

FrameKind ClassifyFrameKind(uint32_t style, uint32_t exStyle, std::string_view className) {
    // Without a full caption there is no title to skin, whatever else the
    // window claims to be (a dialog page inside another dialog, a popup).
    if ((style & winstyle::kCaption) != winstyle::kCaption) return FrameKind::NoCaption;
    if ((style & winstyle::kModalFrameBit) || (exStyle & winstyle::kExDlgModalFrame) ||
        className == "#32770" || SameText(className, "TMessageForm")) {
        return FrameKind::Dialog;
    }
    return (style & winstyle::kThickFrame) ? FrameKind::Sizeable : FrameKind::Caption;
}

WindowState WindowStateOf(int showCommand) {
    if (showCommand == 3) return WindowState::Maximised;
    if (showCommand == 2) return WindowState::Minimised;
    return WindowState::Normal;
}

namespace {

int FrameWidth(const TDataSkinObject& border) {
    return border.Map.Empty() ? 0 : border.Map.width / std::max(border.Frame, 1);
}
int FrameHeight(const TDataSkinObject& border) {
    return border.Map.Empty() ? 0 : border.Map.height / std::max(border.Frame, 1);
}

}  // namespace

BorderSizes ComputeBorderSizes(const TSkinContent& skin, FrameKind kind, FormRole role,
                               bool hasMenu, const FrameMetrics& metrics, int dpi) {
    BorderSizes sizes;
    if (kind == FrameKind::NoCaption) return sizes;
    sizes.left = ScaleToDpi(FrameWidth(skin.LeftBorder), dpi);
    sizes.right = ScaleToDpi(FrameWidth(skin.RightBorder), dpi);
    sizes.title = ScaleToDpi(FrameHeight(skin.TopBorder), dpi);
    sizes.bottom = ScaleToDpi(FrameHeight(skin.BottomBorder), dpi);
    sizes.menu = hasMenu ? metrics.menuHeight : 0;
    // A child window with a low title still needs room for the buttons of
    // its maximised state: the menu strip makes up the difference.
    const int wanted = metrics.captionHeight + metrics.frameWidth;
    if (role == FormRole::MdiChild && sizes.title < wanted) sizes.menu += wanted - sizes.title;
    return sizes;
}

Rect SkinnedClientRect(const Rect& window, const BorderSizes& sizes) {
    Rect client{window.left + sizes.left, window.top + sizes.title + sizes.menu,
                window.right - sizes.right, window.bottom - sizes.bottom};
    client.right = std::max(client.right, client.left);
    client.bottom = std::max(client.bottom, client.top);
    return client;
}

Size SkinnedWindowSize(Size client, const BorderSizes& sizes) {
    return {client.width + sizes.left + sizes.right,
            client.height + sizes.title + sizes.bottom + sizes.menu};
}

int SkinnedHitTest(int previous, int x, int y, const BorderSizes& sizes, bool hasMenuBar) {
    (void)x;
    switch (previous) {
        case hit::kNowhere:
        case hit::kCaption:
        case hit::kSysMenu:
        case hit::kMinButton:
        case hit::kMaxButton:
        case hit::kClose:
        case hit::kHelp:
            break;
        default:
            return previous;
    }
    if (y > 3 && y < sizes.title) return hit::kCaption;
    if (hasMenuBar && y >= sizes.title && y < sizes.title + sizes.menu) return hit::kMenu;
    // The system's own button codes name buttons that are no longer there.
    return previous == hit::kNowhere ? hit::kNowhere : hit::kCaption;
}

std::optional<CaptionWidening> DialogCaptionWidening(FrameKind kind, int captionTextWidth,
                                                     const TDataSkinTitle& title, int windowWidth) {
    if (kind != FrameKind::Dialog) return std::nullopt;
    const int needed = captionTextWidth + title.LeftWidth + title.RightWidth;
    if (needed <= windowWidth) return std::nullopt;
    return CaptionWidening{needed, (needed - windowWidth) / 2};
}

}  // namespace kestrone
