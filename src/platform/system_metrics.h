// System colours, metrics and the caption font, which the skin falls back on
// where it gives no value of its own.
#pragma once

#include <cstdint>
#include <string>

namespace kestrone::platform {

// Colour indexes, as Windows numbers them (GetSysColor).
enum SystemColourIndex : int {
    kColourScrollbar = 0,
    kColourActiveCaption = 2,
    kColourInactiveCaption = 3,
    kColourMenu = 4,
    kColourWindow = 5,
    kColourMenuText = 7,
    kColourWindowText = 8,
    kColourCaptionText = 9,
    kColourHighlight = 13,
    kColourHighlightText = 14,
    kColourButtonFace = 15,
    kColourButtonShadow = 16,
    kColourGrayText = 17,
    kColourButtonText = 18,
    kColourInactiveCaptionText = 19,
    kColourButtonHighlight = 20,
    kColour3dDarkShadow = 21,
    kColour3dLight = 22,
};

// Metric indexes, as Windows numbers them (GetSystemMetrics).
enum SystemMetricIndex : int {
    kMetricCxVScroll = 2,
    kMetricCyHScroll = 3,
    kMetricCyCaption = 4,
    kMetricCyMenu = 15,
    kMetricCxFrame = 32,
};

// A colour as 0x00BBGGRR.
uint32_t GetSystemColour(int index);
int GetSystemMetric(int index);

// The font of window captions (SPI_GETNONCLIENTMETRICS).
struct CaptionFont {
    std::string faceName;
    int height = 0;  // logical height, negative for a character height
    int weight = 400;
    bool italic = false;
    int charset = 0;
};
CaptionFont GetCaptionFont();

}  // namespace kestrone::platform
