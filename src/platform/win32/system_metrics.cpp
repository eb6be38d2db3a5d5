#include "platform/system_metrics.h"

#include <windows.h>

#include <cstddef>

namespace kestrone::platform {

uint32_t GetSystemColour(int index) { return static_cast<uint32_t>(GetSysColor(index)); }

int GetSystemMetric(int index) { return GetSystemMetrics(index); }

CaptionFont GetCaptionFont() {
    // The structure of the oldest supported system: newer systems accept it,
    // XP refuses the larger one that carries iPaddedBorderWidth.
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA);
    CaptionFont font{"Tahoma", -11, 700, false, 0};
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) return font;
    const LOGFONTA& lf = metrics.lfCaptionFont;
    font.faceName = lf.lfFaceName;
    font.height = lf.lfHeight;
    font.weight = lf.lfWeight;
    font.italic = lf.lfItalic != 0;
    font.charset = lf.lfCharSet;
    return font;
}

}  // namespace kestrone::platform
