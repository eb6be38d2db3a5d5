// Objects the skin does not carry but the painters want ready: the tool-bar
// gradient, the combo arrow, the prepared combo box, the title colour, and the
// program's own track bitmaps.
#include <algorithm>

#include "ui/skin/nine_slice.h"
#include "ui/skin/skin_loader.h"

namespace kestrone {
namespace {

constexpr int kArrowCell = 17;
constexpr int kComboWidth = 50;
constexpr int kComboHeight = 21;

uint32_t Blend(uint32_t a, uint32_t b, int numerator, int denominator) {
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int ca = (a >> shift) & 0xFF;
        const int cb = (b >> shift) & 0xFF;
        out |= static_cast<uint32_t>(ca + (cb - ca) * numerator / denominator) << shift;
    }
    return out;
}

TColor TitleColourOf(const TSkinContent& content) {
    const TDataSkinObject& top = content.TopBorder;
    if (top.Map.Empty()) return content.Colours.ButtonFace;
    const FrameRect frame = FrameOf(top.Map, top.Frame, 1, true);
    const int x = top.Map.width / 3;
    const int y = std::min(frame.height / 3, top.Map.height - 1);
    return ColourOf(top.Map.At(x, y));
}

// From a light tint of the title colour down to a soft one.
std::unique_ptr<TDataSkinObject> ToolbarGradient(TColor title) {
    auto o = std::make_unique<TDataSkinObject>();
    o->IDName = "Toolbar";
    o->Map = SkinBitmap(10, 40);
    const uint32_t base = PixelOf(title);
    const uint32_t white = 0xFFFFFF;
    for (int y = 0; y < 40; ++y) {
        const uint32_t row = Blend(Blend(base, white, 90, 100), Blend(base, white, 70, 100), y, 39);
        for (int x = 0; x < 10; ++x) o->Map.At(x, y) = row;
    }
    o->Frame = 1;
    return o;
}

std::unique_ptr<TDataSkinObject> ComboArrow(const TDataSkinObject& button, TColor face,
                                            bool cutCells) {
    auto o = std::make_unique<TDataSkinObject>();
    o->IDName = "ComboxArrow";
    o->Frame = button.Frame;
    o->Trans = button.Trans;
    if (!cutCells) {
        o->Map = button.Map;
        for (uint32_t& p : o->Map.pixels) {
            if (p == kMagentaPixel) p = PixelOf(face);
        }
        return o;
    }
    // One 17 x 17 cell from the middle of every button frame.
    o->Map = SkinBitmap(kArrowCell * button.Frame, kArrowCell, PixelOf(face));
    for (int k = 1; k <= button.Frame; ++k) {
        const FrameRect f = FrameOf(button.Map, button.Frame, k, false);
        const SkinBitmap cell = CropBitmap(button.Map, f.x + (f.width - kArrowCell) / 2,
                                           f.y + (f.height - kArrowCell) / 2, kArrowCell, kArrowCell);
        PaintBitmap(o->Map, (k - 1) * kArrowCell + (kArrowCell - cell.width) / 2,
                    (kArrowCell - cell.height) / 2, cell, {0, 0, cell.width, cell.height}, false);
    }
    return o;
}

// The edit frame of every SunkEdge state with the matching button at its
// right end, as a combo box of the standard height looks.
SkinBitmap PrepareComboImage(const TDataSkinObject& edge, const TDataSkinObject& button,
                             TColor face) {
    SkinBitmap image(kComboWidth * edge.Frame, kComboHeight, PixelOf(face));
    const Margins edgeMargins{edge.LeftWidth, edge.TopHeight, edge.RightWidth, edge.BottomHeight};
    const Margins buttonMargins{button.LeftWidth, button.TopHeight, button.RightWidth,
                                button.BottomHeight};
    for (int k = 1; k <= edge.Frame; ++k) {
        const int x = (k - 1) * kComboWidth;
        PaintNineSlice(image, x, 0, kComboWidth, kComboHeight, edge.Map, edge.Frame, k, false,
                       edgeMargins, edge.Tile == 1, edge.Trans == 1);
        // The button keeps its own height inside the one-pixel edge line.
        const int inset = 1;
        const int buttonHeight = kComboHeight - 2 * inset;
        const int buttonWidth = std::min(kArrowCell, kComboWidth / 2);
        PaintNineSlice(image, x + kComboWidth - inset - buttonWidth, inset, buttonWidth,
                       buttonHeight, button.Map, button.Frame, std::min(k, button.Frame), false,
                       buttonMargins, button.Tile == 1, button.Trans == 1);
    }
    return image;
}

}  // namespace

SkinBitmap BuiltinTrackBitmap(bool vertical) {
    // A sunken groove: shadow on the top-left, light on the bottom-right.
    constexpr uint32_t kShadow = 0x808080, kDark = 0x404040, kLight = 0xFFFFFF, kFace = 0xD4D0C8;
    const int w = vertical ? 8 : 16;
    const int h = vertical ? 16 : 8;
    SkinBitmap map(w, h, kFace);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint32_t& p = map.At(x, y);
            if (x == 0 || y == 0) p = kShadow;
            else if (x == 1 || y == 1) p = kDark;
            else if (x == w - 1 || y == h - 1) p = kLight;
        }
    }
    return map;
}

void BuildDerivedObjects(TSkinContent& content) {
    const TColor face = content.Colours.ButtonFace;
    content.TitleColour = TitleColourOf(content);
    content.Objects.push_back(ToolbarGradient(content.TitleColour));
    const TDataSkinObject* button = content.Find("ComboButton");
    const TDataSkinObject* edge = content.Find("SunkEdge");
    if (button && !button->Map.Empty()) {
        content.Objects.push_back(ComboArrow(*button, face, edge != nullptr));
    }
    if (button && edge && !edge->Map.Empty()) {
        content.ComboImage = PrepareComboImage(*edge, *button, face);
    }
}

}  // namespace kestrone
