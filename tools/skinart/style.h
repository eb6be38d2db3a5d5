// The look of Kestrone's own skin in one place: its colours and the sizes the
// art and the INI text must agree on.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "canvas.h"

namespace kestrone::skinart {

namespace colour {
inline const Rgb kFace = FromHex(0xF3F5F8);        // window and control background
inline const Rgb kWhite = FromHex(0xFFFFFF);
inline const Rgb kText = FromHex(0x1F2A37);
inline const Rgb kTextDisabled = FromHex(0xA0A9B5);
inline const Rgb kLine = FromHex(0xC6CED8);        // control outlines
inline const Rgb kLineSoft = FromHex(0xDDE2E8);
inline const Rgb kLineHover = FromHex(0x8FB0D6);
inline const Rgb kAccent = FromHex(0x2F6FB5);
inline const Rgb kAccentHover = FromHex(0x3F80C6);
inline const Rgb kAccentDark = FromHex(0x245A96);
inline const Rgb kAccentPale = FromHex(0xDCE8F6);
inline const Rgb kAccentWash = FromHex(0xEEF4FB);
inline const Rgb kGlyph = FromHex(0x5B6778);
inline const Rgb kGlyphDark = FromHex(0x2E3947);
// Window frame, active and inactive.
inline const Rgb kTitleTop = FromHex(0x2E5380);
inline const Rgb kTitleBottom = FromHex(0x234268);
inline const Rgb kTitleShine = FromHex(0x46709E);
inline const Rgb kFrame = FromHex(0x234268);
inline const Rgb kFrameEdge = FromHex(0x17304F);
inline const Rgb kInactiveTop = FromHex(0x9AA6B4);
inline const Rgb kInactiveBottom = FromHex(0x8C98A7);
inline const Rgb kInactiveShine = FromHex(0xAFB9C5);
inline const Rgb kInactiveFrame = FromHex(0x8C98A7);
inline const Rgb kInactiveEdge = FromHex(0x737F8E);
}  // namespace colour

namespace size {
inline constexpr int kTitleHeight = 27;
inline constexpr int kBorder = 5;
inline constexpr int kTitleButtonWidth = 30;
inline constexpr int kTitleButtonHeight = 21;
inline constexpr int kTitleButtonFrames = 6;
inline constexpr int kGlyphCell = 13;   // check and radio
inline constexpr int kScrollCell = 16;  // scroll-bar arrows and tracks
}  // namespace size

// Every bitmap of the skin under its entry name, and the INI text.
struct SkinArt {
    std::vector<std::pair<std::string, SkinBitmap>> bitmaps;
    std::string ini;
    void Add(const std::string& name, const Canvas& canvas) { bitmaps.emplace_back(name, canvas.Bitmap()); }
};

// A row of frames side by side, each drawn by `draw(canvas, frameIndex)` into
// its own cell.
template <typename Draw>
Canvas FrameStrip(int frames, int cellWidth, int cellHeight, Rgb background, Draw draw) {
    Canvas strip(frames * cellWidth, cellHeight, background);
    for (int k = 0; k < frames; ++k) {
        Canvas cell(cellWidth, cellHeight, background);
        draw(cell, k);
        strip.Paste(k * cellWidth, 0, cell);
    }
    return strip;
}

void DrawWindowArt(SkinArt& art);
void DrawMenuArt(SkinArt& art);
void DrawButtonArt(SkinArt& art);
void DrawPanelArt(SkinArt& art);
void DrawScrollArt(SkinArt& art);
void DrawRangeArt(SkinArt& art);
std::string DefaultSkinIni();

// The whole default skin.
SkinArt DrawDefaultSkin();

}  // namespace kestrone::skinart
