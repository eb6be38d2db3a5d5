// Range controls: progress bar, track bar and up-down buttons.
#include <cmath>
#include <vector>

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

struct Vec {
    double x, y;
};

// Whether a point lies inside a convex polygon given clockwise.
bool InPolygon(const std::vector<Vec>& poly, double x, double y) {
    for (size_t i = 0; i < poly.size(); ++i) {
        const Vec& a = poly[i];
        const Vec& b = poly[(i + 1) % poly.size()];
        if ((b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x) < 0) return false;
    }
    return true;
}

// The outline of a thumb `inset` pixels inside its cell: a bar, or a bar
// with a pointed end five pixels long.
std::vector<Vec> ThumbShape(int w, int h, Point point, double inset) {
    const double l = inset, t = inset, r = w - inset, b = h - inset;
    const double tip = 5 - inset * 0.4, cx = w / 2.0, cy = h / 2.0;
    switch (point) {
        case Point::Down: return {{l, t}, {r, t}, {r, b - tip}, {cx, b}, {l, b - tip}};
        case Point::Up: return {{cx, t}, {r, t + tip}, {r, b}, {l, b}, {l, t + tip}};
        case Point::Right: return {{l, t}, {r - tip, t}, {r, cy}, {r - tip, b}, {l, b}};
        case Point::Left: return {{l + tip, t}, {r, t}, {r, b}, {l + tip, b}, {l, cy}};
        default: return {{l, t}, {r, t}, {r, b}, {l, b}};
    }
}

// Five frames of a thumb: normal, under the mouse, pressed, disabled, focused.
Canvas Thumb(bool vertical, Point point) {
    const int w = vertical ? 20 : 11, h = vertical ? 11 : 20;
    return FrameStrip(5, w, h, kFace, [=](Canvas& c, int k) {
        const Rgb border[5] = {FromHex(0x7F8EA2), kAccent, kAccentDark, FromHex(0xC5CDD7), kAccent};
        const Rgb fill[5] = {kWhite, kAccentWash, kAccentPale, FromHex(0xF4F6F8), kWhite};
        const auto layer = [&](double inset, Rgb colour) {
            const std::vector<Vec> shape = ThumbShape(w, h, point, inset);
            if (point == Point::None) {
                c.FillRoundRect(inset, inset, w - 2 * inset, h - 2 * inset, 3 - inset * 0.5, colour);
            } else {
                c.FillShape(0, 0, w, h, colour, [&](double x, double y) { return InPolygon(shape, x, y); });
            }
        };
        layer(0.5, border[k]);
        layer(1.6, fill[k]);
        if (k == 4) layer(3.0, kAccentPale);
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
