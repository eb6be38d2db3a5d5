// Drawing skin objects with GDI: an off-screen canvas that is copied to the
// screen in one operation, the skin's bitmaps as GDI bitmaps (made once per
// loaded skin), and the nine-slice, three-slice and plain frame painters.
#pragma once

#include <windows.h>

#include <string>

#include "ui/popup/win32/gdi_objects.h"
#include "ui/skin/nine_slice.h"
#include "ui/skin/skin_objects.h"

namespace kestrone::ui {

// A bitmap of a given size selected into its own memory DC.
class OffscreenCanvas {
  public:
    OffscreenCanvas(HDC reference, int width, int height);
    ~OffscreenCanvas();
    OffscreenCanvas(const OffscreenCanvas&) = delete;
    OffscreenCanvas& operator=(const OffscreenCanvas&) = delete;

    bool Valid() const { return dc_ && bitmap_; }
    HDC dc() const { return dc_.get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Copies the canvas (or a part of it) to a target DC.
    void CopyTo(HDC target, int x, int y) const;
    void CopyPart(HDC target, const RECT& part) const;

  private:
    MemoryDc dc_;
    BitmapHandle bitmap_;
    HGDIOBJ previous_ = nullptr;
    int width_ = 0, height_ = 0;
};

// Forgets every GDI bitmap made from skin bitmaps (a skin was loaded again).
void ForgetSkinImages();
// How many skin bitmaps have a GDI bitmap now.
size_t SkinImageCount();

// The ways a frame of a skin bitmap is drawn.
struct SliceStyle {
    int frameCount = 1;
    int frame = 1;
    bool stacked = false;  // frames one above the other
    Margins margins;
    bool tile = false;         // tile the centre instead of stretching it
    bool transparent = false;  // magenta shows what lies below
    bool skipCentre = false;   // leave the centre as it is
};

// The resolution the skin is drawn at (the screen's), and a size of the
// skin's 96-DPI art at it.
int SkinDpi();
int SkinScaled(int pixelsAt96);

// Nine-slice drawing of one frame into `dest`. False when nothing could be drawn.
bool DrawNineSlice(HDC target, const RECT& dest, const SkinBitmap& bitmap, const SliceStyle& style);
// A skin object with its own margins, frame count, Tile and Trans settings.
bool DrawSkinObject(HDC target, const RECT& dest, const TDataSkinObject& object, int frame,
                    bool stacked = false);
// Left cap, tiled middle, right cap: for elements that only stretch sideways.
bool DrawThreeSlice(HDC target, const RECT& dest, const SkinBitmap& bitmap, int frameCount,
                    int frame, bool stacked, int leftCap, int rightCap, bool transparent);
// One frame, scaled to the skin's DPI, with its top-left corner at (x, y).
bool DrawFrameImage(HDC target, int x, int y, const SkinBitmap& bitmap, int frameCount, int frame,
                    bool stacked, bool transparent);

COLORREF ToColorRef(TColor colour);

// Statics take the skin's face: a background a window left to the system
// (a system-colour brush, or none) becomes the skin's, and so does the
// system's text colour; colours the window chose itself stand.
HBRUSH SkinStaticColours(HBRUSH previous, HDC dc, const TSkinContent& skin, HBRUSH face);
void FillSolid(HDC dc, const RECT& rect, COLORREF colour);

// Text in one line or several, with the DT_ flags of DrawTextW.
void DrawTextIn(HDC dc, const std::wstring& text, RECT rect, UINT format, COLORREF colour);
std::wstring WindowTextOf(HWND window);
std::wstring Widen(const std::string& ansi);

}  // namespace kestrone::ui
