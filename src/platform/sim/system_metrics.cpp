// The simulated machine shows the classic Windows scheme and metrics.
#include "platform/system_metrics.h"

namespace kestrone::platform {
namespace {

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | g << 8 | b << 16; }

}  // namespace

uint32_t GetSystemColour(int index) {
    switch (index) {
        case kColourScrollbar: return Rgb(212, 208, 200);
        case kColourActiveCaption: return Rgb(10, 36, 106);
        case kColourInactiveCaption: return Rgb(128, 128, 128);
        case kColourMenu: return Rgb(212, 208, 200);
        case kColourWindow: return Rgb(255, 255, 255);
        case kColourMenuText: return Rgb(0, 0, 0);
        case kColourWindowText: return Rgb(0, 0, 0);
        case kColourCaptionText: return Rgb(255, 255, 255);
        case kColourHighlight: return Rgb(10, 36, 106);
        case kColourHighlightText: return Rgb(255, 255, 255);
        case kColourButtonFace: return Rgb(212, 208, 200);
        case kColourButtonShadow: return Rgb(128, 128, 128);
        case kColourGrayText: return Rgb(128, 128, 128);
        case kColourButtonText: return Rgb(0, 0, 0);
        case kColourInactiveCaptionText: return Rgb(212, 208, 200);
        case kColourButtonHighlight: return Rgb(255, 255, 255);
        case kColour3dDarkShadow: return Rgb(64, 64, 64);
        case kColour3dLight: return Rgb(212, 208, 200);
        default: return 0;
    }
}

int GetSystemMetric(int index) {
    switch (index) {
        case kMetricCxVScroll: return 16;
        case kMetricCyHScroll: return 16;
        case kMetricCyCaption: return 19;
        case kMetricCyMenu: return 19;
        case kMetricCxFrame: return 4;
        default: return 0;
    }
}

CaptionFont GetCaptionFont() { return {"Tahoma", -11, 700, false, 0}; }

}  // namespace kestrone::platform
