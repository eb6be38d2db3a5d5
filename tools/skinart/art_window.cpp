// The window frame: borders, the caption strip and the title-bar buttons.
#include "style.h"

namespace kestrone::skinart {
namespace {

using namespace colour;

struct FrameColours {
    Rgb top, bottom, shine, frame, edge;
};
const FrameColours kActive{kTitleTop, kTitleBottom, kTitleShine, kFrame, kFrameEdge};
const FrameColours kInactive{kInactiveTop, kInactiveBottom, kInactiveShine, kInactiveFrame,
                             kInactiveEdge};

// The caption's colour in row y (0 is the outer edge, 1 a shine line).
Rgb TitleRow(const FrameColours& c, int y) {
    if (y == 0) return c.edge;
    if (y == 1) return c.shine;
    return Mix(c.top, c.bottom, (y - 2) / double(size::kTitleHeight - 3));
}

// Top border: two caption strips stacked (active, inactive).
Canvas TopBorder() {
    Canvas map(24, 2 * size::kTitleHeight, kFace);
    for (int f = 0; f < 2; ++f) {
        const FrameColours& c = f == 0 ? kActive : kInactive;
        for (int y = 0; y < size::kTitleHeight; ++y) map.HLine(0, f * size::kTitleHeight + y, 24, TitleRow(c, y));
    }
    return map;
}

// A side border: the caption part on top, the frame below, a corner at the
// bottom; two frames side by side. `mirror` gives the right border.
Canvas SideBorder(bool mirror) {
    const int w = size::kBorder, h = size::kTitleHeight + 10 + size::kBorder;
    Canvas map(2 * w, h, kFace);
    for (int f = 0; f < 2; ++f) {
        const FrameColours& c = f == 0 ? kActive : kInactive;
        for (int x = 0; x < w; ++x) {
            const int px = f * w + (mirror ? w - 1 - x : x);
            for (int y = 0; y < h; ++y) {
                Rgb p = y < size::kTitleHeight ? TitleRow(c, y) : c.frame;
                if (y >= size::kTitleHeight && x == 1) p = Mix(c.frame, c.shine, 0.5);
                if (y >= size::kTitleHeight && x == w - 1) p = Mix(c.frame, c.edge, 0.6);
                if (x == 0 || y == h - 1) p = c.edge;
                map.Set(px, y, p);
            }
        }
    }
    return map;
}

// Bottom border: two frames stacked, each 5 rows.
Canvas BottomBorder() {
    const int w = 24, h = size::kBorder;
    Canvas map(w, 2 * h, kFace);
    for (int f = 0; f < 2; ++f) {
        const FrameColours& c = f == 0 ? kActive : kInactive;
        for (int y = 0; y < h; ++y) {
            Rgb p = c.frame;
            if (y == 0) p = Mix(c.frame, c.edge, 0.6);
            if (y == h - 2) p = Mix(c.frame, c.shine, 0.3);
            if (y == h - 1) p = c.edge;
            map.HLine(0, f * h + y, w, p);
        }
    }
    return map;
}

enum class Glyph { Close, Maximise, Minimise };

void DrawGlyph(Canvas& cell, Glyph glyph, Rgb ink) {
    const int cx = size::kTitleButtonWidth / 2, cy = size::kTitleButtonHeight / 2;
    switch (glyph) {
        case Glyph::Close:
            cell.Stroke(cx - 4, cy - 4, cx + 4, cy + 4, 1.4, ink);
            cell.Stroke(cx + 4, cy - 4, cx - 4, cy + 4, 1.4, ink);
            break;
        case Glyph::Maximise:
            cell.Outline(cx - 5, cy - 5, 10, 10, ink);
            cell.HLine(cx - 5, cy - 4, 10, ink);
            break;
        case Glyph::Minimise:
            cell.FillRect(cx - 5, cy + 3, 10, 2, ink);
            break;
    }
}

// Six frames: normal, hover, pressed, disabled, inactive, inactive hover. The
// background is magenta (transparent); shapes are smoothed against the
// caption colour behind them.
Canvas TitleButton(Glyph glyph) {
    const Rgb activeBack = TitleRow(kActive, 13), inactiveBack = TitleRow(kInactive, 13);
    const bool close = glyph == Glyph::Close;
    const Rgb hover = close ? FromHex(0xC94F4F) : FromHex(0x41689A);
    const Rgb pressed = close ? FromHex(0xA63C3C) : FromHex(0x1B3656);
    return FrameStrip(size::kTitleButtonFrames, size::kTitleButtonWidth, size::kTitleButtonHeight,
                      kMagenta, [&](Canvas& cell, int k) {
                          const bool inactive = k >= 4;
                          const Rgb back = inactive ? inactiveBack : activeBack;
                          cell.FillRect(0, 0, cell.Width(), cell.Height(), back);
                          const double w = cell.Width() - 2, h = cell.Height() - 1;
                          if (k == 1) cell.FillRoundRect(1, 0.5, w, h, 3, hover);
                          if (k == 2) cell.FillRoundRect(1, 0.5, w, h, 3, pressed);
                          if (k == 5) cell.FillRoundRect(1, 0.5, w, h, 3, FromHex(0xAEB8C4));
                          Rgb ink = kWhite;
                          if (k == 3) ink = Mix(back, kWhite, 0.35);
                          if (inactive) ink = FromHex(0xF4F6F8);
                          DrawGlyph(cell, glyph, ink);
                          for (uint32_t& p : cell.Bitmap().pixels) {
                              if (p == back.Pixel()) p = kMagenta.Pixel();
                          }
                      });
}

// The buttons of a maximised child window, in the menu bar: minimise,
// restore and close, four states each (normal, hover, pressed, disabled).
Canvas ChildWindowButtons() {
    constexpr int kCell = 16, kHeight = 14;
    return FrameStrip(12, kCell, kHeight, kFace, [&](Canvas& cell, int k) {
        const int state = k % 4, kind = k / 4;
        const Rgb back = state == 1 ? FromHex(0xE1E8F1) : state == 2 ? FromHex(0xCFDAE7) : kFace;
        if (state == 1 || state == 2) cell.FillRoundRect(0.5, 0.5, kCell - 1, kHeight - 1, 2, back);
        const Rgb ink = state == 3 ? kTextDisabled : kGlyphDark;
        if (kind == 0) cell.FillRect(4, 9, 8, 2, ink);
        if (kind == 1) {
            cell.Outline(6, 3, 6, 5, ink);
            cell.FillRect(4, 6, 6, 5, back);
            cell.Outline(4, 6, 6, 5, ink);
        }
        if (kind == 2) {
            cell.Stroke(4.5, 3.5, 11.5, 10.5, 1.3, ink);
            cell.Stroke(11.5, 3.5, 4.5, 10.5, 1.3, ink);
        }
    });
}

}  // namespace

void DrawWindowArt(SkinArt& art) {
    art.Add("top.bmp", TopBorder());
    art.Add("left.bmp", SideBorder(false));
    art.Add("right.bmp", SideBorder(true));
    art.Add("bottom.bmp", BottomBorder());
    art.Add("close.bmp", TitleButton(Glyph::Close));
    art.Add("maximize.bmp", TitleButton(Glyph::Maximise));
    art.Add("minimize.bmp", TitleButton(Glyph::Minimise));
    art.Add("mdicontrols.bmp", ChildWindowButtons());
}

}  // namespace kestrone::skinart
