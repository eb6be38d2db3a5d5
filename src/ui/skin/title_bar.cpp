#include "ui/skin/title_bar.h"

#include <algorithm>

#include "core/dpi_scale.h"

namespace kestrone {

bool VisibilityHolds(int code, bool second, int action, const TitleWindowTraits& w,
                     const VisibilityQuestion& ask) {
    const bool anyBox = w.hasMinBox || w.hasMaxBox;
    switch (code) {
        case 0:
            return true;
        case 1:
            return w.maximised;
        case 2:
            return !w.maximised;
        case 3:
            return w.active;
        case 4:
            return !w.active;
        case 6:
            return second ? anyBox : w.hasSysMenu && anyBox;
        case 7:
            return !w.hasMaxBox;
        case 8:
            return second ? anyBox : anyBox && w.hasSysMenu;
        case 9:
            return !w.hasMinBox;
        case 100:
            return w.mdiParentWithMaximisedChild;
        case -1:
            return !second;
        default:
            break;
    }
    if (second) return false;
    if (code == 200) return w.kind == FrameKind::Dialog && !w.dialogClass;
    if (code > 200 && code < 1000) return true;
    if (code >= 1000 && code <= 2000) return ask && ask(code, action) > 0;
    return false;
}

TitleButtonStatus TitleButtonVisibility(const TDataSkinSysButton& b, const TitleWindowTraits& w,
                                        const VisibilityQuestion& ask) {
    TitleButtonStatus status;
    status.shown = VisibilityHolds(b.Visibility, false, b.Action, w, ask) &&
                   VisibilityHolds(b.Visibility1, true, b.Action, w, ask);
    status.enabled = true;
    switch (b.Action) {
        case 0:
            status.shown = status.shown && w.hasSysMenu;
            break;
        case 1:
            status.enabled = w.hasMaxBox && w.hasSysMenu;
            break;
        case 2:
            status.enabled = w.hasMinBox && w.hasSysMenu;
            break;
        case 3:
        case 11:
        case 12:
            status.shown = status.shown && w.kind != FrameKind::Dialog;
            break;
        default:
            break;
    }
    return status;
}

Rect PlaceTitleButton(const TDataSkinSysButton& b, int width, int height, const TitlePlaces& p,
                      int dpi) {
    const int offset = ScaleToDpi(b.Xcoord, dpi);
    int x = offset;
    int y = ScaleToDpi(b.Ycoord, dpi);
    switch (b.Align) {
        case 1:
            x = p.windowWidth - offset;
            break;
        case 2:
        case 8:
            x = p.captionLeft - offset - width;
            break;
        case 3:
        case 9:
            x = p.captionRight + offset;
            break;
        case 100:
            y = p.menuBar.top + (p.menuBar.Height() - height) / 2;
            x = p.rightToLeft ? p.menuBar.left + offset - width : p.menuBar.right - offset;
            break;
        default:
            break;
    }
    return {x, y, x + width, y + height};
}

int TitleButtonFrame(int frameCount, bool enabled, bool hover, bool pressed, bool windowActive) {
    int frame = 1;
    if (!enabled)
        frame = 4;
    else if (pressed)
        frame = 3;
    else if (!windowActive)
        frame = hover ? 6 : 5;
    else if (hover)
        frame = 2;
    if (frame <= frameCount) return frame;
    // A short strip: an inactive button looks normal (or hovered), a disabled
    // one normal.
    if (frame == 6) frame = 2;
    if (frame > frameCount) frame = 1;
    return std::min(frame, std::max(frameCount, 1));
}

Rect PlaceCaption(const TDataSkinTitle& t, const CaptionInput& in, int dpi) {
    auto scaled = [dpi](int units) { return ScaleToDpi(units, dpi); };
    const int width = in.textWidth + scaled(t.TXTBackleft) + scaled(t.TXTBackRight);
    int x = 0;
    const int alignment = in.rightToLeft ? 2 : t.TextAlignment;
    if (alignment == 1) {
        x = in.stripLeft + (in.stripRight - in.stripLeft - width) / 2;
    } else if (alignment == 2) {
        x = in.stripRight - scaled(t.RightWidth) - width;
    } else {
        x = in.stripLeft + scaled(t.LeftWidth);
        // A dialog has no icon in front of its caption.
        if (in.dialogFrame) x -= scaled(16);
    }
    const int y = (in.titleHeight - in.textHeight) / 2 + scaled(t.TopHeight) / 2;
    // The caption never runs into the buttons at the right end of the title.
    const int right = std::max(std::min(x + width, in.stripRight - scaled(t.RightWidth)), x);
    return {x, y, right, y + in.textHeight};
}

TitleCommand TitleButtonCommand(int action, WindowState state, bool enabled) {
    switch (action) {
        case 0:
            return TitleCommand::Close;
        case 1:
        case 22:
            if (!enabled) return TitleCommand::None;
            return state == WindowState::Maximised ? TitleCommand::Restore : TitleCommand::Maximise;
        case 2:
        case 23:
            if (!enabled) return TitleCommand::None;
            return state == WindowState::Minimised ? TitleCommand::Restore : TitleCommand::Minimise;
        case 3:
        case 11:
        case 12:
            return TitleCommand::SystemMenu;
        case 7:
        case 60:
            return TitleCommand::ChildMinimise;
        case 8:
        case 61:
            return TitleCommand::ChildRestore;
        case 9:
        case 62:
            return TitleCommand::ChildClose;
        default:
            return TitleCommand::PostAction;
    }
}

}  // namespace kestrone
