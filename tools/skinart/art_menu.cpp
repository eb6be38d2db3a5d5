// Menus: the menu bar strip, menu items and the drop-down background.
#include "style.h"

namespace kestrone::skinart {
namespace {

using namespace colour;

// Two frames side by side: active and inactive window.
Canvas MenuBar() {
    return FrameStrip(2, 20, 19, kFace, [](Canvas& c, int k) {
        c.Gradient(0, 0, c.Width(), c.Height(), kWhite, k == 0 ? FromHex(0xF1F4F7) : kFace);
        c.HLine(0, c.Height() - 1, c.Width(), kLineSoft);
    });
}

// Five frames: normal, selected, selected but disabled, menu-bar item under
// the mouse, menu-bar item opened.
Canvas MenuItem() {
    return FrameStrip(5, 30, 22, kWhite, [](Canvas& c, int k) {
        const double w = c.Width() - 2, h = c.Height() - 2;
        if (k == 3 || k == 4) c.FillRect(0, 0, c.Width(), c.Height(), FromHex(0xF6F8FA));
        switch (k) {
            case 1:
                c.FillRoundRect(1, 1, w, h, 3, FromHex(0xA9C4E4));
                c.FillRoundRect(2, 2, w - 2, h - 2, 2, kAccentPale);
                break;
            case 2:
                c.FillRoundRect(1, 1, w, h, 3, kLineSoft);
                c.FillRoundRect(2, 2, w - 2, h - 2, 2, FromHex(0xF2F4F7));
                break;
            case 3:
                c.FillRoundRect(1, 1, w, h, 3, FromHex(0xE3EAF3));
                break;
            case 4:
                c.FillRoundRect(1, 1, w, h, 3, FromHex(0xA9C4E4));
                c.FillRoundRect(2, 2, w - 2, h - 2, 2, FromHex(0xD3E1F2));
                break;
            default:
                break;
        }
    });
}

// White sheet with a soft gutter for the item glyphs and a thin outline.
Canvas MenuBackground() {
    Canvas c(40, 40, kWhite);
    c.FillRect(1, 1, 25, 38, FromHex(0xF5F7FA));
    c.VLine(26, 1, 38, FromHex(0xE4E8ED));
    c.Outline(0, 0, 40, 40, FromHex(0xB5BFCB));
    return c;
}

}  // namespace

void DrawMenuArt(SkinArt& art) {
    art.Add("menubar.bmp", MenuBar());
    art.Add("menuitem.bmp", MenuItem());
    art.Add("menubackground.bmp", MenuBackground());
}

}  // namespace kestrone::skinart
