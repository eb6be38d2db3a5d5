// Painting of a popup window: the background surface, painted once when the
// popup is shown, and the title and text drawn over it.
#include <windows.h>

#include "ui/popup/popup_paint_rules.h"
#include "ui/popup/win32/msn_popup_window.h"

namespace kestrone::ui {
namespace {

constexpr int kBevel = 2;        // the lowered border around the surface
constexpr int kStripHeight = 3;  // the coloured strip along the foot

COLORREF Resolve(TColor color) {
    // Colours with the top bit set name a system colour.
    if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color & 0xFFFFFF);
}

FontHandle MakeFont(const TFontSpec& spec) {
    return FontHandle(CreateFontA(spec.Height, 0, 0, 0, spec.Bold ? FW_BOLD : FW_NORMAL,
                                  spec.Italic, spec.Underline, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, spec.Name.c_str()));
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
    BrushHandle brush(CreateSolidBrush(color));
    FillRect(dc, &rect, brush.get());
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF color) {
    PenHandle pen(CreatePen(PS_SOLID, 1, color));
    SelectGuard select(dc, pen.get());
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof(info), &info);
    return {info.bmWidth, info.bmHeight};
}

// Draws a bitmap with its bottom-left pixel's colour left out.
void DrawTransparent(HDC dc, HBITMAP bitmap, int x, int y, int width, int height) {
    const SIZE size = BitmapSize(bitmap);
    MemoryDc source(CreateCompatibleDC(dc));
    SelectGuard select(source.get(), bitmap);
    const COLORREF key = GetPixel(source.get(), 0, size.cy - 1);
    TransparentBlt(dc, x, y, width, height, source.get(), 0, 0, size.cx, size.cy, key);
}

// The lowered bevel: shadow on the top and left, highlight on the bottom and right.
void PaintBevel(HDC dc, int width, int height) {
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    for (int i = 0; i < kBevel; ++i) {
        Line(dc, i, i, width - 1 - i, i, shadow);
        Line(dc, i, i, i, height - 1 - i, shadow);
        Line(dc, i, height - 1 - i, width - i, height - 1 - i, light);
        Line(dc, width - 1 - i, i, width - 1 - i, height - 1 - i, light);
    }
}

}  // namespace

void TfrmMSNPopUp::CreateFonts(const TMSNPopUp& component) {
    font_ = MakeFont(component.Font);
    hoverFont_ = MakeFont(component.HoverFont);
    titleFont_ = MakeFont(component.TitleFont);
    fontColor_ = Resolve(component.Font.Color);
    hoverColor_ = Resolve(component.HoverFont.Color);
    titleColor_ = Resolve(component.TitleFont.Color);
}

PopupBounds TfrmMSNPopUp::IconBounds() const {
    if (!iconBitmap_) return {};
    const SIZE size = BitmapSize(iconBitmap_.get());
    return {kBevel + iconLeft_, kBevel + iconTop_, size.cx, size.cy};
}

void TfrmMSNPopUp::PaintBackground(HDC dc, int width, int height) {
    HBITMAP image = component_ ? component_->BackgroundImage() : nullptr;
    if (!image) {
        const bool vertical = orientation_ == mbVertical;
        const int n = vertical ? height : width;
        for (int i = 0; i <= n; ++i) {
            const COLORREF color = Resolve(GetGradientColor(color1_, color2_, i, n));
            if (vertical) {
                Line(dc, 0, i, width, i, color);
            } else {
                Line(dc, i, 0, i, height, color);
            }
        }
        return;
    }
    FillSolid(dc, {0, 0, width, height}, RGB(255, 255, 255));
    const SIZE size = BitmapSize(image);
    switch (drawMethod_) {
        case dmActualSize: DrawTransparent(dc, image, 0, 0, size.cx, size.cy); break;
        case dmTile:
            for (const PopupBounds& tile : TileOrigins(width, height, size.cx, size.cy))
                DrawTransparent(dc, image, tile.left, tile.top, tile.width, tile.height);
            break;
        case dmFit: DrawTransparent(dc, image, 0, 0, width, height); break;
    }
}

// The strip along the foot: the program's "MSN" bitmap resource when it has
// one, otherwise our own blue band with a light upper and a dark lower edge.
void TfrmMSNPopUp::PaintStrip(HDC dc) {
    const int left = kBevel;
    const int top = height_ - kBevel - kStripHeight;
    const int width = width_ - 2 * kBevel;
    HBITMAP resource = LoadBitmapA(GetModuleHandleA(nullptr), "MSN");
    if (resource) {
        BitmapHandle owned(resource);
        MemoryDc source(CreateCompatibleDC(dc));
        SelectGuard select(source.get(), resource);
        const SIZE size = BitmapSize(resource);
        StretchBlt(dc, left, top, width, kStripHeight, source.get(), 0, 0, size.cx, size.cy,
                   SRCCOPY);
        return;
    }
    const TColor from = RGBColor(0, 78, 152), to = RGBColor(72, 160, 236);
    for (int x = 0; x < width; ++x) {
        const TColor base = GetGradientColor(from, to, x, width - 1);
        Line(dc, left + x, top, left + x, top + 1,
             Resolve(GetGradientColor(base, clWhite, 2, 5)));
        Line(dc, left + x, top + 1, left + x, top + 2, Resolve(base));
        Line(dc, left + x, top + 2, left + x, top + 3,
             Resolve(GetGradientColor(base, clBlack, 1, 4)));
    }
}

void TfrmMSNPopUp::PaintSurface() {
    WindowDc screen(nullptr);
    surface_.reset(CreateCompatibleBitmap(screen.get(), width_, height_));
    MemoryDc dc(CreateCompatibleDC(screen.get()));
    SelectGuard select(dc.get(), surface_.get());
    FillSolid(dc.get(), {0, 0, width_, height_}, GetSysColor(COLOR_BTNFACE));

    // The drawing surface sits inside the bevel.
    const int surfaceWidth = width_ - 2 * kBevel;
    const int surfaceHeight = height_ - 2 * kBevel;
    SetViewportOrgEx(dc.get(), kBevel, kBevel, nullptr);
    HRGN clip = CreateRectRgn(kBevel, kBevel, kBevel + surfaceWidth, kBevel + surfaceHeight);
    SelectClipRgn(dc.get(), clip);
    DeleteObject(clip);
    PaintBackground(dc.get(), surfaceWidth, surfaceHeight);
    if (iconBitmap_) {
        const PopupBounds icon = IconBounds();
        DrawTransparent(dc.get(), iconBitmap_.get(), iconLeft_, iconTop_, icon.width,
                        icon.height);
    }
    SelectClipRgn(dc.get(), nullptr);
    SetViewportOrgEx(dc.get(), 0, 0, nullptr);

    const bool hasBackgroundImage = component_ && component_->BackgroundImage();
    if (!hasBackgroundImage) PaintStrip(dc.get());
    PaintBevel(dc.get(), width_, height_);
}

void TfrmMSNPopUp::LayoutText() {
    WindowDc screen(nullptr);
    RECT measured{0, 0, 0, 0};
    {
        SelectGuard select(screen.get(), (hover_ && (options_ & msnAllowHyperlink))
                                             ? hoverFont_.get()
                                             : font_.get());
        DrawTextW(screen.get(), text_.c_str(), static_cast<int>(text_.size()), &measured,
                  DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    }
    textBounds_ = LayoutTextBounds(width_, height_, measured.right, measured.bottom);

    RECT titleSize{0, 0, 0, 0};
    SelectGuard select(screen.get(), titleFont_.get());
    DrawTextW(screen.get(), title_.c_str(), static_cast<int>(title_.size()), &titleSize,
              DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    // The title starts after the icon, or at 8 when there is none.
    titleBounds_ = {iconBitmap_ ? 48 : 8, 8, titleSize.right, titleSize.bottom};
}

void TfrmMSNPopUp::Paint(HDC target) {
    MemoryDc buffer(CreateCompatibleDC(target));
    BitmapHandle canvas(CreateCompatibleBitmap(target, width_, height_));
    SelectGuard selectCanvas(buffer.get(), canvas.get());
    {
        MemoryDc source(CreateCompatibleDC(target));
        SelectGuard selectSurface(source.get(), surface_.get());
        BitBlt(buffer.get(), 0, 0, width_, height_, source.get(), 0, 0, SRCCOPY);
    }
    SetBkMode(buffer.get(), TRANSPARENT);

    RECT title{titleBounds_.left, titleBounds_.top, titleBounds_.left + titleBounds_.width,
               titleBounds_.top + titleBounds_.height};
    {
        SelectGuard select(buffer.get(), titleFont_.get());
        SetTextColor(buffer.get(), titleColor_);
        DrawTextW(buffer.get(), title_.c_str(), static_cast<int>(title_.size()), &title,
                  DT_NOPREFIX | DT_SINGLELINE | DT_NOCLIP);
    }

    const bool hovering = hover_ && (options_ & msnAllowHyperlink);
    UINT align = DT_LEFT;
    if (alignment_ == taRightJustify) align = DT_RIGHT;
    if (alignment_ == taCenter) align = DT_CENTER;
    RECT text{textBounds_.left, textBounds_.top, textBounds_.left + textBounds_.width,
              textBounds_.top + textBounds_.height};
    SelectGuard select(buffer.get(), hovering ? hoverFont_.get() : font_.get());
    SetTextColor(buffer.get(), hovering ? hoverColor_ : fontColor_);
    DrawTextW(buffer.get(), text_.c_str(), static_cast<int>(text_.size()), &text,
              align | DT_NOPREFIX | DT_EXPANDTABS | DT_NOCLIP);

    BitBlt(target, 0, 0, width_, height_, buffer.get(), 0, 0, SRCCOPY);
}

}  // namespace kestrone::ui
