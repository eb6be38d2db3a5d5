#include "core/dpi_scale.h"

namespace kestrone {

namespace {
int RoundedRatio(long long value, int numerator, int denominator) {
    const long long scaled = value * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / denominator
                                        : -((-scaled + half) / denominator));
}
}  // namespace

int ScaleToDpi(int units, int dpi) {
    return dpi > 0 ? RoundedRatio(units, dpi, kDesignDpi) : units;
}

int ScaleFromDpi(int pixels, int dpi) {
    return dpi > 0 ? RoundedRatio(pixels, kDesignDpi, dpi) : pixels;
}

}  // namespace kestrone
