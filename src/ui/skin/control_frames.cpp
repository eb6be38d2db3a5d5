#include "ui/skin/control_frames.h"

#include <algorithm>

namespace kestrone {

int PushButtonFrame(bool disabled, bool pressed, bool hover, bool focusedOrDefault) {
    if (disabled) return 3;
    if (pressed) return 2;
    if (hover) return 4;
    if (focusedOrDefault) return 5;
    return 1;
}

ButtonTextColour PushButtonTextColour(int frame) {
    switch (frame) {
        case 2:
            return ButtonTextColour::Pressed;
        case 3:
            return ButtonTextColour::Disabled;
        case 4:
            return ButtonTextColour::MouseOver;
        default:
            return ButtonTextColour::Normal;
    }
}

namespace {

// Within a strip of four frames per state: hover 1 and pressed 2 after the
// normal frame, disabled 3 after it.
int StateOffset(bool disabled, bool hover, bool pressed) {
    if (disabled) return 3;
    if (pressed) return 2;
    if (hover) return 1;
    return 0;
}

int Clamp(int frame, int frameCount) {
    return std::clamp(frame, 1, std::max(frameCount, 1));
}

}  // namespace

int CheckBoxFrame(CheckState state, bool disabled, bool hover, bool pressed, int frameCount) {
    if (frameCount == 12) {
        const int base = state == CheckState::Unchecked ? 1 : state == CheckState::Checked ? 5 : 9;
        return base + StateOffset(disabled, hover, pressed);
    }
    int frame = state == CheckState::Checked ? 2 : 1;
    if (disabled) frame += 2;
    if (state == CheckState::Indeterminate) frame = 4;
    return Clamp(frame, frameCount);
}

int RadioButtonFrame(bool checked, bool disabled, bool hover, bool pressed, int frameCount) {
    if (frameCount == 8) return (checked ? 5 : 1) + StateOffset(disabled, hover, pressed);
    return Clamp((checked ? 2 : 1) + (disabled ? 2 : 0), frameCount);
}

std::vector<std::string> SplitButtonCaption(std::string_view caption) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t bars = caption.find("||", start);
        lines.emplace_back(
            caption.substr(start, bars == std::string_view::npos ? bars : bars - start));
        if (bars == std::string_view::npos) return lines;
        start = bars + 2;
    }
}

int ScrollArrowFrame(ScrollArrow arrow, bool hover, bool pressed, bool disabled) {
    int base = 1;
    switch (arrow) {
        case ScrollArrow::Left:
            base = 1;
            break;
        case ScrollArrow::Right:
            base = 5;
            break;
        case ScrollArrow::Up:
            base = 9;
            break;
        case ScrollArrow::Down:
            base = 13;
            break;
    }
    if (disabled) return base + 2;
    if (pressed) return base + 1;
    if (hover) return base + 3;
    return base;
}

int ScrollTrackFrame(bool disabled) {
    return disabled ? 3 : 1;
}

int ScrollThumbFrame(bool hover, bool pressed) {
    if (pressed) return 2;
    return hover ? 3 : 1;
}

int ScrollGripFrame(bool vertical, bool hover, bool pressed) {
    const int base = vertical ? 20 : 17;
    if (pressed) return base + 1;
    return hover ? base + 2 : base;
}

bool ThumbHasRoomForGrip(int thumbLength, int gripLength) {
    return thumbLength >= gripLength + 2;
}

int ScrollArrowLength(int systemArrow, int barLength) {
    return std::max(0, std::min(systemArrow, barLength / 2));
}

int ToolButtonFrame(bool disabled, bool hover, bool pressed, bool checked) {
    if (disabled) return 4;
    if (pressed) return 3;
    if (checked) return 5;
    return hover ? 2 : 1;
}

int ComboEdgeFrame(bool disabled, bool focused, bool hover) {
    if (disabled) return 4;
    if (focused) return 3;
    return hover ? 2 : 1;
}

int ComboButtonFrame(bool disabled, bool dropped, bool hover) {
    if (disabled) return 4;
    if (dropped) return 3;
    return hover ? 2 : 1;
}

int MenuItemFrame(bool selected, bool disabled) {
    if (!selected) return 1;
    return disabled ? 3 : 2;
}

int MenuBarItemFrame(bool hover, bool open) {
    if (open) return 5;
    return hover ? 4 : 1;
}

}  // namespace kestrone
