// The object table of the preview sheet: every bitmap of the skin, frame by
// frame and enlarged, with its name and frame count.
#include <algorithm>

#include "sheet.h"
#include "ui/skin/nine_slice.h"

namespace kestrone::skinart {
namespace {

const Rgb kLabel = FromHex(0x1F2A37);
const Rgb kNote = FromHex(0x7A8594);
const Rgb kCellBack = FromHex(0xFFFFFF);
const Rgb kCellLine = FromHex(0xE1E6EC);
constexpr int kLabelWidth = 190;
constexpr int kRight = 1180;

struct Row {
    std::string name;
    const SkinBitmap* map;
    int frames;
    bool stacked;
    bool transparent;
    // What shows through transparent pixels; frames from `inactiveFrom` on
    // stand on the inactive caption instead.
    Rgb back = FromHex(0xF3F5F8);
    Rgb inactiveBack = FromHex(0xF3F5F8);
    int inactiveFrom = 1000;
};

// Draws one frame enlarged (nearest neighbour) on a checker-free white cell.
void Enlarged(Sheet& s, const SkinBitmap& map, const FrameRect& f, int x, int y, int scale, bool transparent,
              Rgb back) {
    s.canvas.FillRect(x - 1, y - 1, f.width * scale + 2, f.height * scale + 2, kCellLine);
    s.canvas.FillRect(x, y, f.width * scale, f.height * scale, transparent ? back : kCellBack);
    for (int j = 0; j < f.height * scale; ++j) {
        for (int i = 0; i < f.width * scale; ++i) {
            const uint32_t p = map.At(f.x + i / scale, f.y + j / scale);
            if (transparent && p == kMagentaPixel) continue;
            s.canvas.Bitmap().At(x + i, y + j) = p;
        }
    }
}

// One row: label on the left, the frames flowing to the right (wrapping).
int DrawRow(Sheet& s, const Row& row, int top) {
    if (!row.map || row.map->Empty()) return 0;
    const FrameRect first = FrameOf(*row.map, row.frames, 1, row.stacked);
    const int scale = first.width * 2 <= 120 && first.height * 2 <= 120 ? 2 : 1;
    const int cw = first.width * scale, ch = first.height * scale;
    s.Text(24, top, row.name, kLabel, 11, true);
    s.Text(24, top + 15, std::to_string(row.frames) + (row.frames == 1 ? " frame, " : " frames, ") +
               std::to_string(first.width) + " x " + std::to_string(first.height), kNote, 10);
    int x = kLabelWidth, y = top + 2, rowHeight = ch + 16;
    for (int k = 1; k <= row.frames; ++k) {
        if (x + cw > kRight) {
            x = kLabelWidth;
            y += rowHeight;
        }
        Enlarged(s, *row.map, FrameOf(*row.map, row.frames, k, row.stacked), x, y, scale, row.transparent,
                 k >= row.inactiveFrom ? row.inactiveBack : row.back);
        s.Text(x, y + ch + 2, std::to_string(k), kNote, 9);
        x += cw + 8;
    }
    return std::max(y + rowHeight - top, 34) + 8;
}

std::vector<Row> Rows(const TSkinContent& skin) {
    std::vector<Row> rows;
    const auto add = [&](const std::string& name, const TDataSkinObject& o, bool stacked = false) {
        rows.push_back({name, &o.Map, o.Frame, stacked, o.Trans == 1});
    };
    add("Top border", skin.TopBorder, true);
    add("Left border", skin.LeftBorder);
    add("Right border", skin.RightBorder);
    add("Bottom border", skin.BottomBorder, true);
    // Title buttons stand on the caption: its colour half-way down the strip.
    const auto caption = [&](int frame) {
        const TDataSkinObject& top = skin.TopBorder;
        if (top.Map.Empty()) return FromHex(0xF3F5F8);
        const FrameRect f = FrameOf(top.Map, top.Frame, frame, true);
        const uint32_t p = top.Map.At(f.width / 3, f.y + f.height / 2);
        return Rgb{static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
    };
    for (const auto& b : skin.SysButtons) {
        if (b->Map.Empty()) continue;
        const bool mdi = b->Align == 100;
        Row row{"Title button " + b->IDName, &b->Map, b->Frame, false, true};
        if (!mdi) {
            row.back = caption(1);
            row.inactiveBack = caption(2);
            row.inactiveFrom = 5;
        }
        rows.push_back(row);
    }
    add("Buttons", skin.Button);
    rows.push_back({"Check box", &skin.Button.CheckMap, skin.Button.CheckFrame, false, false});
    rows.push_back({"Radio button", &skin.Button.RadioMap, skin.Button.RadioFrame, false, false});
    for (const auto& o : skin.Objects) {
        add(o->IDName == "Personality" ? "Menu bar" : o->IDName, *o);
        if (const auto* pair = dynamic_cast<const TDataSkinBorder*>(o.get()); pair && !pair->Map2.Empty()) {
            const int frames = o->IDName == "Tabs" ? 1 : o->Frame;
            rows.push_back({o->IDName + (o->IDName == "Tabs" ? " border" : " glyphs"), &pair->Map2, frames, false, true});
        }
    }
    if (!skin.ComboImage.Empty()) {
        rows.push_back({"Prepared combo box", &skin.ComboImage, skin.ComboImage.width / 50, false, false});
    }
    return rows;
}

}  // namespace

int DrawObjectTable(Sheet& s, const TSkinContent& skin, int top) {
    int y = top;
    s.Text(24, y, "Objects and states", kLabel, 15, true);
    y += 30;
    for (const Row& row : Rows(skin)) {
        const int used = DrawRow(s, row, y);
        if (used > 0) {
            y += used;
            s.canvas.HLine(24, y - 5, kRight - 24, kCellLine);
        }
    }
    return y - top;
}

}  // namespace kestrone::skinart
