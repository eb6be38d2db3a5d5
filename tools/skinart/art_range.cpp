// Range controls: progress bar, track bar and up-down buttons.
#include <cmath>

#include "style.h"

namespace kestrone::skinart {
namespace {

using namespace colour;

// Two frames: the trough and the filled part.
Canvas Progress() {
    return FrameStrip(2, 24, 16, kFace, [](Canvas& c, int k) {
        if (k == 0) {
            c.FillRoundRect(0, 0, 24, 16, 4, kLine);
            c.FillRoundRectGradient(1, 1, 22, 14, 3, FromHex(0xE9EDF2), kWhite);
            return;
        }
        c.FillRoundRect(0, 0, 24, 16, 4, kAccentDark);
        c.FillRoundRectGradient(1, 1, 22, 14, 3, FromHex(0x5A93D2), kAccent);
        c.HLine(3, 2, 18, FromHex(0x7FAADD));
    });
}

// One chunk of the block-style bar.
Canvas ProgressChunk() {
    Canvas c(10, 16, kWhite);
    c.FillRoundRect(1, 2, 8, 12, 2, kAccent);
    c.HLine(2, 3, 6, FromHex(0x6FA0D8));
    return c;
}

// The groove, 3-pixel ends.
Canvas Groove(bool vertical) {
    const int w = vertical ? 8 : 20, h = vertical ? 20 : 8;
    Canvas c(w, h, kFace);
    c.FillRoundRect(0, 0, w, h, 3.5, FromHex(0xB3BDCA));
    c.FillRoundRect(1, 1, w - 2, h - 2, 2.5, FromHex(0xDDE3EA));
    return c;
}

enum class Point { None, Left, Right, Up, Down };

// Five frames of a thumb: normal, under the mouse, pressed, disabled, focused.
Canvas Thumb(bool vertical, Point point) {
    const int w = vertical ? 20 : 11, h = vertical ? 11 : 20;
    return FrameStrip(5, w, h, kFace, [=](Canvas& c, int k) {
        const Rgb border[5] = {FromHex(0x7F8EA2), kAccent, kAccentDark, FromHex(0xC5CDD7), kAccent};
        const Rgb fill[5] = {kWhite, kAccentWash, kAccentPale, FromHex(0xF4F6F8), kWhite};
        const auto inside = [&](double inset) {
            return [=](double x, double y) {
                const double x0 = inset, y0 = inset, x1 = w - inset, y1 = h - inset;
                if (!InRoundRect(x, y, x0, y0, x1 - x0, y1 - y0, 2.5)) {
                    if (point == Point::None) return false;
                }
                // The pointed end: a triangle over the last five pixels.
                const double tip = 5;
                switch (point) {
                    case Point::Down:
                        if (y > y1 - tip) return x >= x0 && x <= x1 && std::abs(x - w / 2.0) <= (y1 - y) * (w / 2.0 - inset) / tip;
                        return InRoundRect(x, y, x0, y0, x1 - x0, y1 - y0 + 3, 2.5);
                    case Point::Up:
                        if (y < y0 + tip) return std::abs(x - w / 2.0) <= (y - y0) * (w / 2.0 - inset) / tip;
                        return InRoundRect(x, y, x0, y0 - 3, x1 - x0, y1 - y0 + 3, 2.5);
                    case Point::Right:
                        if (x > x1 - tip) return std::abs(y - h / 2.0) <= (x1 - x) * (h / 2.0 - inset) / tip;
                        return InRoundRect(x, y, x0, y0, x1 - x0 + 3, y1 - y0, 2.5);
                    case Point::Left:
                        if (x < x0 + tip) return std::abs(y - h / 2.0) <= (x - x0) * (h / 2.0 - inset) / tip;
                        return InRoundRect(x, y, x0 - 3, y0, x1 - x0 + 3, y1 - y0, 2.5);
                    default:
                        return true;
                }
            };
        };
        c.FillShape(0, 0, w, h, border[k], inside(0));
        c.FillShape(0, 0, w, h, fill[k], inside(1.2));
        if (k == 4) c.FillShape(0, 0, w, h, kAccentPale, inside(2.6));
    });
}

void Chevron(Canvas& c, double cx, double cy, bool vertical, bool forward, Rgb ink) {
    const double s = forward ? 1 : -1;
    if (vertical) {
        c.Stroke(cx - 3, cy - 1.5 * s, cx, cy + 1.5 * s, 1.4, ink);
        c.Stroke(cx, cy + 1.5 * s, cx + 3, cy - 1.5 * s, 1.4, ink);
    } else {
        c.Stroke(cx - 1.5 * s, cy - 3, cx + 1.5 * s, cy, 1.4, ink);
        c.Stroke(cx + 1.5 * s, cy, cx - 1.5 * s, cy + 3, 1.4, ink);
    }
}

// Eight frames: the first button (up or left) normal, under the mouse,
// pressed, disabled, then the second button (down or right) the same.
// The glyph bitmap has the same eight cells with the arrows on magenta.
std::pair<Canvas, Canvas> UpDown(bool vertical) {
    const int w = vertical ? 17 : 14, h = vertical ? 11 : 20;
    const Canvas buttons = FrameStrip(8, w, h, kFace, [=](Canvas& c, int k) {
        const int state = k % 4;
        const Rgb border[4] = {kLine, kLineHover, FromHex(0x6F98C8), kLineSoft};
        const Rgb top[4] = {kWhite, kWhite, FromHex(0xD5E2F1), FromHex(0xF6F7F9)};
        const Rgb bottom[4] = {FromHex(0xF0F3F7), FromHex(0xE7F0FA), FromHex(0xE3ECF6), FromHex(0xF6F7F9)};
        c.FillRoundRect(0, 0, w, h, 3, border[state]);
        c.FillRoundRectGradient(1, 1, w - 2, h - 2, 2, top[state], bottom[state]);
    });
    const Canvas glyphs = FrameStrip(8, w, h, kMagenta, [=](Canvas& c, int k) {
        const int state = k % 4;
        const Rgb ink[4] = {kGlyph, kAccent, kAccentDark, kTextDisabled};
        // Smooth against the button face, then clear what stayed plain.
        c.FillRect(0, 0, w, h, FromHex(0xF7F9FB));
        Chevron(c, w / 2.0, h / 2.0, vertical, k >= 4, ink[state]);
        for (uint32_t& p : c.Bitmap().pixels) {
            if (p == FromHex(0xF7F9FB).Pixel()) p = kMagenta.Pixel();
        }
    });
    return {buttons, glyphs};
}

}  // namespace

void DrawRangeArt(SkinArt& art) {
    art.Add("progress.bmp", Progress());
    art.Add("progresschunk.bmp", ProgressChunk());
    art.Add("track.bmp", Groove(false));
    art.Add("trackvert.bmp", Groove(true));
    art.Add("thumbhorz.bmp", Thumb(false, Point::None));
    art.Add("thumbvert.bmp", Thumb(true, Point::None));
    art.Add("thumbleft.bmp", Thumb(true, Point::Left));
    art.Add("thumbright.bmp", Thumb(true, Point::Right));
    art.Add("thumbup.bmp", Thumb(false, Point::Up));
    art.Add("thumbdown.bmp", Thumb(false, Point::Down));
    auto [horz, horzGlyphs] = UpDown(false);
    auto [vert, vertGlyphs] = UpDown(true);
    art.Add("updownhorz.bmp", horz);
    art.Add("updownhorzglyphs.bmp", horzGlyphs);
    art.Add("updownvert.bmp", vert);
    art.Add("updownvertglyphs.bmp", vertGlyphs);
}

}  // namespace kestrone::skinart
