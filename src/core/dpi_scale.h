// Sizes given at 96 DPI (the resolution the program's art and layouts are
// drawn for) and the pixels they take at another resolution.
#pragma once

namespace kestrone {

inline constexpr int kDesignDpi = 96;

// 96-DPI units to pixels and back, rounded to the nearest pixel (halves away
// from zero); a DPI of 0 or less, unknown, keeps the value.
int ScaleToDpi(int units, int dpi);
int ScaleFromDpi(int pixels, int dpi);

}  // namespace kestrone
