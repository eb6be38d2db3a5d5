// What the main window paints itself: the title in its caption bar, the
// silver left panel with the logo, the About page's logo and the colours of
// its link labels.
#include <algorithm>

#include "app/branding.h"
#include "app/main_window_rules.h"
#include "app/page_layout.h"
#include "control_ids.h"
#include "main_form.h"

namespace kestrone::app {

namespace {
constexpr int kLogoAreaHeight = 38;
constexpr COLORREF kLinkColour = RGB(0, 0, 255);
constexpr COLORREF kSilver = RGB(192, 192, 192);

// The logo is stored with straight alpha; AlphaBlend wants it premultiplied.
void Premultiply(HBITMAP bitmap) {
    DIBSECTION section{};
    if (GetObjectA(bitmap, sizeof section, &section) != sizeof section) return;
    if (section.dsBm.bmBitsPixel != 32 || !section.dsBm.bmBits) return;
    auto* pixel = static_cast<BYTE*>(section.dsBm.bmBits);
    size_t count = static_cast<size_t>(section.dsBm.bmWidth) * std::abs(section.dsBm.bmHeight);
    for (size_t index = 0; index < count; ++index, pixel += 4) {
        BYTE alpha = pixel[3];
        for (int channel = 0; channel < 3; ++channel)
            pixel[channel] = static_cast<BYTE>(pixel[channel] * alpha / 255);
    }
}
}  // namespace

void TMainForm::DrawLogo(HDC dc, int x, int y, int size) {
    HBITMAP logo = static_cast<HBITMAP>(logo_.get());
    if (!logo) return;
    if (!logoPremultiplied_) {
        Premultiply(logo);
        logoPremultiplied_ = true;
    }
    BITMAP info{};
    GetObjectA(logo, sizeof info, &info);
    HDC memory = CreateCompatibleDC(dc);
    {
        SelectedObject selected(memory, logo);
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        SetStretchBltMode(dc, HALFTONE);
        AlphaBlend(dc, x, y, size, size, memory, 0, 0, info.bmWidth, info.bmHeight, blend);
    }
    DeleteDC(memory);
}

void TMainForm::PaintPanel(HWND panel, HDC dc) {
    RECT client;
    GetClientRect(panel, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(silverBrush_.get()));
    const int size = ScaleToDpi(32, dpi_);
    DrawLogo(dc, (client.right - size) / 2, (ScaleToDpi(kLogoAreaHeight, dpi_) - size) / 2, size);
}

void TMainForm::PaintAboutPage(HDC dc) {
    DrawLogo(dc, ScaleToDpi(18, dpi_), ScaleToDpi(18, dpi_), ScaleToDpi(64, dpi_));
}

bool TMainForm::IsLinkLabel(HWND control) const {
    return std::find(linkLabels_.begin(), linkLabels_.end(), control) != linkLabels_.end();
}

HBRUSH TMainForm::ColourStatic(HDC dc, HWND control) {
    if (IsLinkLabel(control)) {
        SetTextColor(dc, kLinkColour);
        SetBkMode(dc, TRANSPARENT);
        return GetSysColorBrush(COLOR_BTNFACE);
    }
    if (GetParent(control) == panel3_) {  // the footer label on the silver panel
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        SetBkColor(dc, kSilver);
        return static_cast<HBRUSH>(silverBrush_.get());
    }
    return nullptr;
}

void TMainForm::PaintCaptionTitle() {
    if (!hwnd_ || SkinnedFrame()) return;  // the skin draws the caption then
    WindowDC windowDc(hwnd_);
    HDC dc = windowDc.get();
    if (!dc) return;
    int pixels = FontPixelHeight(12, GetDeviceCaps(dc, LOGPIXELSY));
    if (!captionFont_) captionFont_.reset(MakeFont("Times New Roman", -pixels, true));
    SelectedObject font(dc, captionFont_.get());
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    Point origin = CaptionTitleOrigin({GetSystemMetrics(SM_CYMENU), GetSystemMetrics(SM_CXBORDER),
                                       GetSystemMetrics(SM_CYCAPTION), pixels});
    TextOutA(dc, origin.x, origin.y, kCaptionTitle, static_cast<int>(sizeof kCaptionTitle - 1));
}

}  // namespace kestrone::app
