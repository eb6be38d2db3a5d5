// Containers and fields: group boxes, tabs, the status bar, edits and combo
// boxes, header bars and tool buttons.
#include "style.h"

namespace kestrone::skinart {
namespace {

using namespace colour;

// Two frames of a card with a caption band: enabled and disabled.
Canvas GroupBoxEdge() {
    return FrameStrip(2, 40, 48, kFace, [](Canvas& c, int k) {
        const Rgb border = k == 0 ? kLine : kLineSoft;
        c.FillRoundRect(0, 0, 40, 48, 4, border);
        c.FillRoundRect(1, 1, 38, 46, 3, kFace);  // the controls inside paint the face
        c.FillRoundRectGradient(1, 1, 38, 18, 3, kWhite, FromHex(0xEEF2F6));
        c.FillRect(1, 10, 38, 9, FromHex(0xEEF2F6));
        c.HLine(1, 19, 38, k == 0 ? FromHex(0xD9DFE6) : kLineSoft);
        if (k == 0) c.FillRect(1, 4, 2, 12, kAccent);
    });
}

// The plate behind a group box caption.
Canvas GroupBoxLabel() {
    Canvas c(16, 18, kFace);
    c.FillRoundRect(0, 0, 16, 18, 4, FromHex(0xE6ECF3));
    return c;
}

// Five frames: normal, selected, under the mouse, disabled, selected under
// the mouse. Tabs stand on the page's top line.
Canvas Tabs() {
    return FrameStrip(5, 40, 24, kFace, [](Canvas& c, int k) {
        const bool selected = k == 1 || k == 4;
        const Rgb fill = selected ? kFace : (k == 2 ? FromHex(0xE6EEF8) : FromHex(0xE4E9EF));
        const int top = selected ? 0 : 2;
        c.FillRoundRect(0, top, 40, 30, 4, k == 3 ? kLineSoft : kLine);
        c.FillRoundRect(1, top + 1, 38, 30, 3, fill);
        if (selected) c.FillRoundRect(1, 1, 38, 4, 1.5, kAccent);
        if (selected) c.FillRect(1, 3, 38, 2, kAccent);
        if (!selected) c.HLine(0, 23, 40, kLine);
    });
}

// The page under the tabs: an outline around the face.
Canvas TabBorder() {
    Canvas c(16, 16, kFace);
    c.Outline(0, 0, 16, 16, kLine);
    c.Outline(1, 1, 14, 14, FromHex(0xF8F9FB));
    return c;
}

// Three frames: the bar, a panel, the size grip.
Canvas StatusBar() {
    return FrameStrip(3, 24, 22, kFace, [](Canvas& c, int k) {
        c.Gradient(0, 0, 24, 22, FromHex(0xF6F7F9), FromHex(0xEBEEF2));
        c.HLine(0, 0, 24, kLine);
        c.HLine(0, 1, 24, kWhite);
        if (k == 1) {
            c.VLine(22, 5, 13, kLine);
            c.VLine(23, 5, 13, kWhite);
        }
        if (k == 2) {
            for (int i = 0; i < 3; ++i) {
                for (int j = 0; j <= i; ++j) {
                    c.FillRect(18 - 4 * j, 17 - 4 * (i - j) - 0, 2, 2, FromHex(0xA3ADBA));
                }
            }
        }
    });
}

// Four frames of an edit field: normal, under the mouse, focused, disabled.
Canvas SunkEdge() {
    return FrameStrip(4, 20, 20, kFace, [](Canvas& c, int k) {
        const Rgb border[4] = {kLine, kLineHover, kAccent, kLineSoft};
        c.FillRoundRect(0, 0, 20, 20, 3, border[k]);
        c.FillRoundRect(1, 1, 18, 18, 2, k == 3 ? FromHex(0xF6F7F9) : kWhite);
        if (k == 2) c.HLine(2, 18, 16, FromHex(0x9EC0E6));
    });
}

void Chevron(Canvas& c, double cx, double cy, Rgb ink) {
    c.Stroke(cx - 3.5, cy - 1.5, cx, cy + 2, 1.5, ink);
    c.Stroke(cx, cy + 2, cx + 3.5, cy - 1.5, 1.5, ink);
}

// Four frames of the drop-down button: normal, under the mouse, pressed,
// disabled.
Canvas ComboButton() {
    return FrameStrip(4, 17, 19, kWhite, [](Canvas& c, int k) {
        const Rgb back[4] = {kWhite, FromHex(0xE8F0FA), FromHex(0xD5E2F1), FromHex(0xF6F7F9)};
        c.FillRoundRect(0, 0, 17, 19, 2, back[k]);
        c.VLine(0, 3, 13, k == 0 || k == 3 ? kLineSoft : kLineHover);
        Chevron(c, 8.5, 9, k == 3 ? kTextDisabled : kGlyph);
    });
}

// Five glyph frames: the drop arrow (normal, under the mouse, pressed,
// disabled) and the size grip.
Canvas ExtraImages() {
    return FrameStrip(5, 16, 16, kFace, [](Canvas& c, int k) {
        if (k < 4) {
            const Rgb ink[4] = {kGlyph, kAccent, kAccentDark, kTextDisabled};
            Chevron(c, 8, 7.5, ink[k]);
            return;
        }
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j <= i; ++j) c.FillRect(12 - 4 * j, 12 - 4 * (i - j), 2, 2, FromHex(0xA3ADBA));
        }
    });
}

// Five frames of a column header: normal, under the mouse, pressed, sorted,
// disabled.
Canvas Headerbar() {
    return FrameStrip(5, 40, 22, kWhite, [](Canvas& c, int k) {
        const Rgb top[5] = {kWhite, FromHex(0xF2F7FD), FromHex(0xDDE8F5), kWhite, FromHex(0xF8F9FA)};
        const Rgb bottom[5] = {FromHex(0xF1F4F7), FromHex(0xE3EDF8), FromHex(0xD2E0F1),
                               FromHex(0xF1F4F7), FromHex(0xF4F5F7)};
        c.Gradient(0, 0, 40, 22, top[k], bottom[k]);
        c.HLine(0, 21, 40, kLine);
        c.VLine(39, 4, 14, kLineSoft);
        if (k == 3) c.HLine(0, 0, 40, kAccent);
    });
}

// Five frames of a tool button: normal, under the mouse, pressed, disabled,
// checked.
Canvas ToolButtons() {
    return FrameStrip(5, 24, 24, kFace, [](Canvas& c, int k) {
        if (k == 1) {
            c.FillRoundRect(0, 0, 24, 24, 4, kLineHover);
            c.FillRoundRectGradient(1, 1, 22, 22, 3, kWhite, FromHex(0xE7F0FA));
        }
        if (k == 2 || k == 4) {
            c.FillRoundRect(0, 0, 24, 24, 4, FromHex(0x8FB0D6));
            c.FillRoundRect(1, 1, 22, 22, 3, k == 2 ? FromHex(0xD5E2F1) : kAccentPale);
        }
    });
}

}  // namespace

void DrawPanelArt(SkinArt& art) {
    art.Add("groupboxedge.bmp", GroupBoxEdge());
    art.Add("groupbox.bmp", GroupBoxLabel());
    art.Add("tabs.bmp", Tabs());
    art.Add("tabborder.bmp", TabBorder());
    art.Add("statusbar.bmp", StatusBar());
    art.Add("sunkedge.bmp", SunkEdge());
    art.Add("combo-arrows.bmp", ComboButton());
    art.Add("extraimages.bmp", ExtraImages());
    art.Add("headerbar.bmp", Headerbar());
    art.Add("toolbar.bmp", ToolButtons());
}

}  // namespace kestrone::skinart
