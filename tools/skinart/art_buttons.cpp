// Push buttons, check boxes and radio buttons.
#include "style.h"

namespace kestrone::skinart {
namespace {

using namespace colour;

// Five frames: normal, pressed, disabled, under the mouse, focused/default.
Canvas PushButton() {
    return FrameStrip(5, 24, 24, kFace, [](Canvas& c, int k) {
        struct Look {
            Rgb border, top, bottom;
        };
        const Look looks[5] = {
            {kLine, kWhite, FromHex(0xF0F3F7)},
            {FromHex(0x6F98C8), FromHex(0xD5E2F1), FromHex(0xE3ECF6)},
            {FromHex(0xDDE2E8), FromHex(0xF6F7F9), FromHex(0xF6F7F9)},
            {kLineHover, kWhite, FromHex(0xE7F0FA)},
            {kAccent, kWhite, FromHex(0xF0F3F7)},
        };
        const Look& l = looks[k];
        c.FillRoundRect(0, 0, 24, 24, 4, l.border);
        c.FillRoundRectGradient(1, 1, 22, 22, 3, l.top, l.bottom);
        if (k == 4) c.StrokeRoundRect(1, 1, 22, 22, 3, 1, FromHex(0xBBD3EE));
        if (k == 0 || k == 3) c.HLine(3, 22, 18, Mix(l.bottom, l.border, 0.35));
    });
}

void CheckMark(Canvas& c, Rgb ink) {
    c.Stroke(3.4, 6.8, 5.6, 9.0, 1.6, ink);
    c.Stroke(5.6, 9.0, 9.8, 4.0, 1.6, ink);
}

// Twelve frames of 13 x 13: unchecked, checked and mixed, each normal,
// under the mouse, pressed and disabled.
Canvas CheckBoxes() {
    return FrameStrip(12, size::kGlyphCell, size::kGlyphCell, kFace, [](Canvas& c, int k) {
        const int state = k % 4, kind = k / 4;
        const bool disabled = state == 3;
        const double s = size::kGlyphCell - 1;
        if (kind == 1) {
            const Rgb fill[4] = {kAccent, kAccentHover, kAccentDark, FromHex(0xC5CDD7)};
            c.FillRoundRect(0.5, 0.5, s, s, 2.5, fill[state]);
            CheckMark(c, kWhite);
            return;
        }
        const Rgb border[4] = {FromHex(0x8995A5), kAccent, kAccentDark, FromHex(0xCDD3DA)};
        const Rgb inside[4] = {kWhite, kAccentWash, kAccentPale, FromHex(0xF4F6F8)};
        c.FillRoundRect(0.5, 0.5, s, s, 2.5, border[state]);
        c.FillRoundRect(1.5, 1.5, s - 2, s - 2, 1.5, inside[state]);
        if (kind == 2) c.FillRoundRect(3.5, 3.5, s - 6, s - 6, 1, disabled ? FromHex(0xC5CDD7) : kAccent);
    });
}

// Eight frames of 13 x 13: unchecked and checked, each normal, under the
// mouse, pressed and disabled.
Canvas RadioButtons() {
    return FrameStrip(8, size::kGlyphCell, size::kGlyphCell, kFace, [](Canvas& c, int k) {
        const int state = k % 4;
        const bool checked = k >= 4;
        const double centre = size::kGlyphCell / 2.0;
        const Rgb border[4] = {FromHex(0x8995A5), kAccent, kAccentDark, FromHex(0xCDD3DA)};
        const Rgb inside[4] = {kWhite, kAccentWash, kAccentPale, FromHex(0xF4F6F8)};
        c.FillCircle(centre, centre, 6.0, checked && state != 3 ? (state == 1 ? kAccentHover : kAccent) : border[state]);
        c.FillCircle(centre, centre, 5.0, inside[state]);
        if (checked) {
            const Rgb dot[4] = {kAccent, kAccentHover, kAccentDark, FromHex(0xC5CDD7)};
            c.FillCircle(centre, centre, 2.6, dot[state]);
        }
    });
}

}  // namespace

void DrawButtonArt(SkinArt& art) {
    art.Add("button.bmp", PushButton());
    art.Add("checkbox.bmp", CheckBoxes());
    art.Add("radio.bmp", RadioButtons());
}

}  // namespace kestrone::skinart
