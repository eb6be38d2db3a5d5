// Nine-slice geometry and a software painter for skin frames: the corners keep
// their size, the edges stretch (or tile) along their length, the centre fills
// the rest. The window code uses the geometry; host tools and the prepared
// images use the painter.
#pragma once

#include <vector>

#include "core/dpi_scale.h"
#include "ui/skin/skin_bitmap.h"

namespace kestrone {

struct Margins {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct SliceRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// One piece: copy `source` (inside the frame) to `target` (inside the
// destination); `tile` repeats the source instead of stretching it.
struct Slice {
    SliceRect source;
    SliceRect target;
    bool tile = false;
    bool centre = false;  // the middle piece
};

// Margins as they apply to a destination: a destination narrower than left +
// right drops both horizontal margins, one lower than top + bottom both
// vertical ones. Margins larger than the frame are cut to it.
Margins EffectiveMargins(Margins margins, int frameWidth, int frameHeight, int width, int height);

// The up to nine pieces, relative to the frame and to the destination. Only
// the centre tiles when `tileCentre` is set; edges always stretch. At a DPI
// above 96 the corners and edges are drawn that much thicker in the
// destination (the art is drawn for 96 DPI), so a frame keeps its look.
std::vector<Slice> NineSlices(int frameWidth, int frameHeight, int width, int height,
                              Margins margins, bool tileCentre, int dpi = kDesignDpi);

// Paints frame `frame` of `source` into `target` at (x, y, width, height);
// with `transparent` magenta pixels leave the target as it was.
void PaintNineSlice(SkinBitmap& target, int x, int y, int width, int height,
                    const SkinBitmap& source, int frameCount, int frame, bool stacked,
                    Margins margins, bool tileCentre, bool transparent);

// Copies a bitmap (or one frame of it) unscaled; magenta optional transparency.
void PaintBitmap(SkinBitmap& target, int x, int y, const SkinBitmap& source,
                 const FrameRect& frame, bool transparent);

}  // namespace kestrone
