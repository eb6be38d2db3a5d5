#include "sheet.h"

#include <cstdio>

#include "ui/skin/nine_slice.h"

namespace kestrone::skinart {

int Sheet::TextWidth(const std::string& text, int size, bool bold) {
    return static_cast<int>(text.size() * size * (bold ? 0.62 : 0.56));
}

void Sheet::Text(int x, int y, const std::string& text, Rgb colour, int size, bool bold) {
    // The baseline sits about four fifths of the size below the top.
    texts.push_back({x, y + size * 4 / 5 + 1, size, colour, bold, text});
}

void Sheet::CentredText(int x, int y, int w, int h, const std::string& text, Rgb colour, int size,
                        bool bold) {
    const int width = TextWidth(text, size, bold);
    Text(x + (w - width) / 2, y + (h - size) / 2 - 1, text, colour, size, bold);
}

void Sheet::Nine(const TDataSkinObject& o, int frame, int x, int y, int w, int h, bool stacked) {
    PaintNineSlice(canvas.Bitmap(), x, y, w, h, o.Map, o.Frame, frame, stacked,
                   {o.LeftWidth, o.TopHeight, o.RightWidth, o.BottomHeight}, o.Tile == 1,
                   o.Trans == 1);
}

void Sheet::Nine(const SkinBitmap& map, int frames, int frame, int x, int y, int w, int h,
                 bool transparent) {
    PaintNineSlice(canvas.Bitmap(), x, y, w, h, map, frames, frame, false, {}, false, transparent);
}

void Sheet::Frame(const SkinBitmap& map, int frames, int frame, int x, int y, bool transparent,
                  bool stacked) {
    if (map.Empty()) return;
    PaintBitmap(canvas.Bitmap(), x, y, map, FrameOf(map, frames, frame, stacked), transparent);
}

std::string Sheet::DrawScript(const std::string& font, const std::string& boldFont) const {
    std::string out = "text-antialias 1\n";
    for (const SheetText& t : texts) {
        std::string escaped;
        for (char ch : t.text) {
            if (ch == '\'' || ch == '\\') escaped += '\\';
            escaped += ch;
        }
        char line[512];
        std::snprintf(line, sizeof line, "font '%s' font-size %d fill '#%02X%02X%02X' text %d,%d '%s'\n",
                      (t.bold ? boldFont : font).c_str(), t.size, t.colour.r, t.colour.g,
                      t.colour.b, t.x, t.y, escaped.c_str());
        out += line;
    }
    return out;
}

}  // namespace kestrone::skinart
