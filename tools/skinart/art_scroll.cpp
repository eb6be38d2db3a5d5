// Scroll bars: arrow buttons and grips (23 frames), tracks and thumbs.
#include "style.h"

namespace kestrone::skinart {
namespace {

using namespace colour;
constexpr int kCell = size::kScrollCell;
const Rgb kTrack = FromHex(0xEEF1F4);

enum class Direction { Left, Right, Up, Down };

void Arrow(Canvas& c, Direction d, Rgb ink) {
    const double m = kCell / 2.0;
    switch (d) {
        case Direction::Left:
            c.Stroke(m + 1.5, m - 3.5, m - 2, m, 1.5, ink);
            c.Stroke(m - 2, m, m + 1.5, m + 3.5, 1.5, ink);
            break;
        case Direction::Right:
            c.Stroke(m - 1.5, m - 3.5, m + 2, m, 1.5, ink);
            c.Stroke(m + 2, m, m - 1.5, m + 3.5, 1.5, ink);
            break;
        case Direction::Up:
            c.Stroke(m - 3.5, m + 1.5, m, m - 2, 1.5, ink);
            c.Stroke(m, m - 2, m + 3.5, m + 1.5, 1.5, ink);
            break;
        case Direction::Down:
            c.Stroke(m - 3.5, m - 1.5, m, m + 2, 1.5, ink);
            c.Stroke(m, m + 2, m + 3.5, m - 1.5, 1.5, ink);
            break;
    }
}

// Grip lines across a thumb: three short bars.
void Grip(Canvas& c, bool vertical, Rgb ink) {
    for (int i = -1; i <= 1; ++i) {
        if (vertical) {
            c.HLine(5, kCell / 2 + 2 * i, 6, ink);
        } else {
            c.VLine(kCell / 2 + 2 * i, 5, 6, ink);
        }
    }
}

// Frames 1-16: arrows left, right, up, down, each normal, pressed, disabled
// and under the mouse; 17-19 the horizontal grip and 20-22 the vertical grip
// (normal, pressed, under the mouse); 23 the corner between two bars.
Canvas ScrollbarFrames() {
    return FrameStrip(23, kCell, kCell, kTrack, [](Canvas& c, int k) {
        if (k < 16) {
            const int state = k % 4;
            const Rgb back[4] = {kTrack, FromHex(0xC9D3DF), kTrack, FromHex(0xDDE4EC)};
            const Rgb ink[4] = {FromHex(0x6B7686), kGlyphDark, FromHex(0xC3C9D1), kGlyphDark};
            if (state == 1 || state == 3) c.FillRoundRect(1, 1, kCell - 2, kCell - 2, 3, back[state]);
            Arrow(c, static_cast<Direction>(k / 4), ink[state]);
            return;
        }
        if (k < 22) {
            c.FillRect(0, 0, kCell, kCell, kMagenta);
            const Rgb ink[3] = {FromHex(0xEEF1F5), FromHex(0xFFFFFF), FromHex(0xF6F8FA)};
            Grip(c, k >= 19, ink[(k - 16) % 3]);
            return;
        }
        c.FillRect(0, 0, kCell, kCell, kTrack);
    });
}

// Four frames of the track: normal, pressed, disabled, under the mouse.
Canvas Track(bool vertical) {
    return FrameStrip(4, kCell, kCell, kTrack, [vertical](Canvas& c, int k) {
        c.FillRect(0, 0, kCell, kCell, k == 1 ? FromHex(0xE3E8EE) : kTrack);
        if (vertical) {
            c.VLine(0, 0, kCell, FromHex(0xE2E6EB));
        } else {
            c.HLine(0, 0, kCell, FromHex(0xE2E6EB));
        }
    });
}

// Three frames of a thumb: normal, pressed, under the mouse. Rounded bars
// inset from the track, ends kept by five-pixel margins.
Canvas Thumb(bool vertical) {
    const int w = vertical ? kCell : 24, h = vertical ? 24 : kCell;
    return FrameStrip(3, w, h, kTrack, [vertical, w, h](Canvas& c, int k) {
        const Rgb fill[3] = {FromHex(0xB9C3CF), FromHex(0x7F8EA2), FromHex(0x9AA7B7)};
        if (vertical) {
            c.FillRoundRect(3.5, 1, w - 7, h - 2, 4.5, fill[k]);
        } else {
            c.FillRoundRect(1, 3.5, w - 2, h - 7, 4.5, fill[k]);
        }
    });
}

}  // namespace

void DrawScrollArt(SkinArt& art) {
    art.Add("scrollbar.bmp", ScrollbarFrames());
    art.Add("horzscroll.bmp", Track(false));
    art.Add("vertscroll.bmp", Track(true));
    art.Add("horzthumb.bmp", Thumb(false));
    art.Add("vertthumb.bmp", Thumb(true));
}

}  // namespace kestrone::skinart
