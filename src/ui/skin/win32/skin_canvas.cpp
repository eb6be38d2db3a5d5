#include "ui/skin/win32/skin_canvas.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace kestrone::ui {

OffscreenCanvas::OffscreenCanvas(HDC reference, int width, int height)
    : width_(width), height_(height) {
    if (width <= 0 || height <= 0) return;
    dc_.reset(CreateCompatibleDC(reference));
    if (!dc_) return;
    bitmap_.reset(CreateCompatibleBitmap(reference, width, height));
    if (!bitmap_) return;
    previous_ = SelectObject(dc_.get(), bitmap_.get());
}

OffscreenCanvas::~OffscreenCanvas() {
    if (dc_ && previous_) SelectObject(dc_.get(), previous_);
}

void OffscreenCanvas::CopyTo(HDC target, int x, int y) const {
    if (Valid()) BitBlt(target, x, y, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

void OffscreenCanvas::CopyPart(HDC target, const RECT& part) const {
    if (!Valid()) return;
    BitBlt(target, part.left, part.top, part.right - part.left, part.bottom - part.top, dc_.get(),
           part.left, part.top, SRCCOPY);
}

namespace {

struct ImageEntry {
    BitmapHandle bitmap;
    const uint32_t* pixels = nullptr;
    int width = 0, height = 0;
};

// Everything runs on the user-interface thread; the skins' bitmaps live as
// long as their skin, and a new load clears the map.
std::map<const SkinBitmap*, ImageEntry>& Images() {
    static std::map<const SkinBitmap*, ImageEntry> images;
    return images;
}

HBITMAP MakeDib(const SkinBitmap& source) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = source.width;
    info.bmiHeader.biHeight = -source.height;  // top row first, as the skin keeps it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib || !bits) {
        if (dib) DeleteObject(dib);
        return nullptr;
    }
    memcpy(bits, source.pixels.data(), source.pixels.size() * sizeof(uint32_t));
    return dib;
}

HBITMAP ImageOf(const SkinBitmap& source) {
    ImageEntry& entry = Images()[&source];
    if (!entry.bitmap || entry.pixels != source.pixels.data() || entry.width != source.width ||
        entry.height != source.height) {
        entry.bitmap.reset(MakeDib(source));
        entry.pixels = source.pixels.data();
        entry.width = source.width;
        entry.height = source.height;
    }
    return entry.bitmap.get();
}

// The memory DC that holds a skin bitmap while pieces of it are drawn: made
// once (the painters run on the user-interface thread only, and one draw
// never nests in another).
HDC SharedSourceDc() {
    static MemoryDc dc(CreateCompatibleDC(nullptr));
    return dc.get();
}

class SourceDc {
  public:
    explicit SourceDc(HBITMAP bitmap) : dc_(SharedSourceDc()) {
        if (dc_) previous_ = SelectObject(dc_, bitmap);
    }
    ~SourceDc() {
        if (dc_ && previous_) SelectObject(dc_, previous_);
    }
    HDC get() const { return dc_; }

  private:
    HDC dc_;
    HGDIOBJ previous_ = nullptr;
};

constexpr COLORREF kMagenta = RGB(255, 0, 255);

void DrawPiece(HDC target, int tx, int ty, const Slice& s, HDC source, int fx, int fy) {
    const int sx = fx + s.source.x, sy = fy + s.source.y;
    const int x = tx + s.target.x, y = ty + s.target.y;
    if (s.tile) {
        for (int row = 0; row < s.target.height; row += s.source.height) {
            const int h = std::min(s.source.height, s.target.height - row);
            for (int col = 0; col < s.target.width; col += s.source.width) {
                const int w = std::min(s.source.width, s.target.width - col);
                BitBlt(target, x + col, y + row, w, h, source, sx, sy, SRCCOPY);
            }
        }
    } else if (s.source.width == s.target.width && s.source.height == s.target.height) {
        BitBlt(target, x, y, s.target.width, s.target.height, source, sx, sy, SRCCOPY);
    } else {
        StretchBlt(target, x, y, s.target.width, s.target.height, source, sx, sy, s.source.width,
                   s.source.height, SRCCOPY);
    }
}

}  // namespace

int SkinDpi() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
        if (screen) ReleaseDC(nullptr, screen);
        return value > 0 ? value : kDesignDpi;
    }();
    return dpi;
}

int SkinScaled(int pixelsAt96) { return ScaleToDpi(pixelsAt96, SkinDpi()); }

void ForgetSkinImages() {
    Images().clear();
}
size_t SkinImageCount() {
    return Images().size();
}

bool DrawNineSlice(HDC target, const RECT& dest, const SkinBitmap& bitmap,
                   const SliceStyle& style) {
    const int width = dest.right - dest.left, height = dest.bottom - dest.top;
    if (bitmap.Empty() || width <= 0 || height <= 0) return false;
    const FrameRect f = FrameOf(bitmap, style.frameCount, style.frame, style.stacked);
    if (f.width <= 0 || f.height <= 0) return false;
    HBITMAP image = ImageOf(bitmap);
    if (!image) return false;
    SourceDc source(image);
    if (!source.get()) return false;
    const std::vector<Slice> slices =
        NineSlices(f.width, f.height, width, height, style.margins, style.tile, SkinDpi());

    if (!style.transparent) {
        const int oldMode = SetStretchBltMode(target, COLORONCOLOR);
        for (const Slice& s : slices) {
            if (style.skipCentre && s.centre) continue;
            DrawPiece(target, dest.left, dest.top, s, source.get(), f.x, f.y);
        }
        SetStretchBltMode(target, oldMode);
        return true;
    }
    // Compose off-screen on magenta, then let magenta show what lies below.
    OffscreenCanvas piece(target, width, height);
    if (!piece.Valid()) return false;
    RECT all{0, 0, width, height};
    FillSolid(piece.dc(), all, kMagenta);
    SetStretchBltMode(piece.dc(), COLORONCOLOR);
    for (const Slice& s : slices) {
        if (style.skipCentre && s.centre) continue;
        DrawPiece(piece.dc(), 0, 0, s, source.get(), f.x, f.y);
    }
    return TransparentBlt(target, dest.left, dest.top, width, height, piece.dc(), 0, 0, width,
                          height, kMagenta) != FALSE;
}

bool DrawSkinObject(HDC target, const RECT& dest, const TDataSkinObject& o, int frame,
                    bool stacked) {
    SliceStyle style;
    style.frameCount = o.Frame;
    style.frame = frame;
    style.stacked = stacked;
    style.margins = {o.LeftWidth, o.TopHeight, o.RightWidth, o.BottomHeight};
    style.tile = o.Tile == 1;
    style.transparent = o.Trans == 1;
    return DrawNineSlice(target, dest, o.Map, style);
}

bool DrawThreeSlice(HDC target, const RECT& dest, const SkinBitmap& bitmap, int frameCount,
                    int frame, bool stacked, int leftCap, int rightCap, bool transparent) {
    SliceStyle style;
    style.frameCount = frameCount;
    style.frame = frame;
    style.stacked = stacked;
    style.margins = {leftCap, 0, rightCap, 0};
    style.tile = true;
    style.transparent = transparent;
    return DrawNineSlice(target, dest, bitmap, style);
}

bool DrawFrameImage(HDC target, int x, int y, const SkinBitmap& bitmap, int frameCount, int frame,
                    bool stacked, bool transparent) {
    if (bitmap.Empty()) return false;
    const FrameRect f = FrameOf(bitmap, frameCount, frame, stacked);
    if (f.width <= 0 || f.height <= 0) return false;
    HBITMAP image = ImageOf(bitmap);
    if (!image) return false;
    SourceDc source(image);
    const int width = SkinScaled(f.width), height = SkinScaled(f.height);
    if (transparent) {
        return TransparentBlt(target, x, y, width, height, source.get(), f.x, f.y, f.width,
                              f.height, kMagenta) != FALSE;
    }
    const int oldMode = SetStretchBltMode(target, COLORONCOLOR);
    const BOOL drawn =
        StretchBlt(target, x, y, width, height, source.get(), f.x, f.y, f.width, f.height, SRCCOPY);
    SetStretchBltMode(target, oldMode);
    return drawn != FALSE;
}

COLORREF ToColorRef(TColor colour) {
    return static_cast<COLORREF>(colour) & 0xFFFFFF;
}

HBRUSH SkinStaticColours(HBRUSH previous, HDC dc, const TSkinContent& skin, HBRUSH face) {
    const bool systemBrush = !previous || previous == GetSysColorBrush(COLOR_BTNFACE) ||
                             previous == GetSysColorBrush(COLOR_WINDOW);
    if (!systemBrush) return previous;
    const COLORREF text = GetTextColor(dc);
    if (text == GetSysColor(COLOR_WINDOWTEXT) || text == GetSysColor(COLOR_BTNTEXT))
        SetTextColor(dc, ToColorRef(skin.Colours.WindowText));
    SetBkColor(dc, ToColorRef(skin.Colours.ButtonFace));
    return face;
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    const COLORREF old = SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

void DrawTextIn(HDC dc, const std::wstring& text, RECT rect, UINT format, COLORREF colour) {
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, colour);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

std::wstring WindowTextOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(std::max(length, 0)) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(std::max(got, 0)));
    return text;
}

std::wstring Widen(const std::string& ansi) {
    if (ansi.empty()) return {};
    const int length =
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), length);
    return wide;
}

}  // namespace kestrone::ui
