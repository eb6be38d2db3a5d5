#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace kestrone::skinart {

Rgb FromHex(uint32_t hex) {
    return {static_cast<int>((hex >> 16) & 0xFF), static_cast<int>((hex >> 8) & 0xFF),
            static_cast<int>(hex & 0xFF)};
}

Rgb Mix(Rgb a, Rgb b, double t) {
    const auto lerp = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return {lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b)};
}

Canvas::Canvas(int width, int height, Rgb fill) : bitmap_(width, height, fill.Pixel()) {}

void Canvas::Set(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
    bitmap_.At(x, y) = c.Pixel();
}

void Canvas::Blend(int x, int y, Rgb c, double coverage) {
    if (x < 0 || y < 0 || x >= Width() || y >= Height() || coverage <= 0) return;
    const uint32_t p = bitmap_.At(x, y);
    const Rgb under{static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
                    static_cast<int>(p & 0xFF)};
    Set(x, y, Mix(under, c, std::min(coverage, 1.0)));
}

void Canvas::FillRect(int x, int y, int w, int h, Rgb c) {
    for (int j = y; j < y + h; ++j) {
        for (int i = x; i < x + w; ++i) Set(i, j, c);
    }
}

void Canvas::Outline(int x, int y, int w, int h, Rgb c) {
    HLine(x, y, w, c);
    HLine(x, y + h - 1, w, c);
    VLine(x, y, h, c);
    VLine(x + w - 1, y, h, c);
}

void Canvas::Gradient(int x, int y, int w, int h, Rgb from, Rgb to, bool horizontal) {
    const int steps = horizontal ? w : h;
    for (int s = 0; s < steps; ++s) {
        const Rgb c = Mix(from, to, steps > 1 ? static_cast<double>(s) / (steps - 1) : 0.0);
        if (horizontal) {
            VLine(x + s, y, h, c);
        } else {
            HLine(x, y + s, w, c);
        }
    }
}

void Canvas::FillShape(int x, int y, int w, int h, Rgb c,
                       const std::function<bool(double, double)>& inside) {
    constexpr int kSamples = 4;
    for (int j = y; j < y + h; ++j) {
        for (int i = x; i < x + w; ++i) {
            int hits = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    if (inside(i + (sx + 0.5) / kSamples, j + (sy + 0.5) / kSamples)) ++hits;
                }
            }
            Blend(i, j, c, static_cast<double>(hits) / (kSamples * kSamples));
        }
    }
}

bool InRoundRect(double px, double py, double x, double y, double w, double h, double radius) {
    if (px < x || py < y || px > x + w || py > y + h) return false;
    const double cx = std::clamp(px, x + radius, x + w - radius);
    const double cy = std::clamp(py, y + radius, y + h - radius);
    const double dx = px - cx, dy = py - cy;
    return dx * dx + dy * dy <= radius * radius;
}

void Canvas::FillRoundRect(double x, double y, double w, double h, double radius, Rgb c) {
    FillShape(static_cast<int>(x), static_cast<int>(y), static_cast<int>(std::ceil(w)) + 1,
              static_cast<int>(std::ceil(h)) + 1, c,
              [=](double px, double py) { return InRoundRect(px, py, x, y, w, h, radius); });
}

void Canvas::StrokeRoundRect(double x, double y, double w, double h, double radius, double t,
                             Rgb c) {
    const double inner = std::max(radius - t, 0.0);
    FillShape(static_cast<int>(x), static_cast<int>(y), static_cast<int>(std::ceil(w)) + 1,
              static_cast<int>(std::ceil(h)) + 1, c, [=](double px, double py) {
                  return InRoundRect(px, py, x, y, w, h, radius) &&
                         !InRoundRect(px, py, x + t, y + t, w - 2 * t, h - 2 * t, inner);
              });
}

void Canvas::FillRoundRectGradient(double x, double y, double w, double h, double radius,
                                   Rgb top, Rgb bottom) {
    const int y0 = static_cast<int>(y), y1 = static_cast<int>(std::ceil(y + h));
    for (int row = y0; row <= y1; ++row) {
        const Rgb c = Mix(top, bottom, h > 1 ? std::clamp((row - y) / (h - 1), 0.0, 1.0) : 0.0);
        FillShape(static_cast<int>(x), row, static_cast<int>(std::ceil(w)) + 1, 1, c,
                  [=](double px, double py) { return InRoundRect(px, py, x, y, w, h, radius); });
    }
}

void Canvas::FillCircle(double cx, double cy, double radius, Rgb c) {
    FillShape(static_cast<int>(cx - radius) - 1, static_cast<int>(cy - radius) - 1,
              static_cast<int>(2 * radius) + 3, static_cast<int>(2 * radius) + 3, c,
              [=](double px, double py) {
                  return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= radius * radius;
              });
}

void Canvas::Stroke(double x1, double y1, double x2, double y2, double width, Rgb c) {
    const double half = width / 2;
    const int bx = static_cast<int>(std::min(x1, x2) - half) - 1;
    const int by = static_cast<int>(std::min(y1, y2) - half) - 1;
    const int bw = static_cast<int>(std::abs(x2 - x1) + width) + 3;
    const int bh = static_cast<int>(std::abs(y2 - y1) + width) + 3;
    const double dx = x2 - x1, dy = y2 - y1, len2 = dx * dx + dy * dy;
    FillShape(bx, by, bw, bh, c, [=](double px, double py) {
        double t = len2 > 0 ? ((px - x1) * dx + (py - y1) * dy) / len2 : 0;
        t = std::clamp(t, 0.0, 1.0);
        const double ex = px - (x1 + t * dx), ey = py - (y1 + t * dy);
        return ex * ex + ey * ey <= half * half;
    });
}

void Canvas::Paste(int x, int y, const Canvas& other) {
    for (int j = 0; j < other.Height(); ++j) {
        for (int i = 0; i < other.Width(); ++i) {
            if (x + i < 0 || y + j < 0 || x + i >= Width() || y + j >= Height()) continue;
            bitmap_.At(x + i, y + j) = other.Bitmap().At(i, j);
        }
    }
}

}  // namespace kestrone::skinart
