// Painting a skinned window's frame: borders, the title bar with caption and
// title buttons, and the menu strip, composed off-screen and copied to the
// window in one operation. When painting fails the system's own frame is
// drawn instead, so the frame is never left as a hole.
#include "ui/skin/skin_messages.h"
#include "ui/skin/win32/skin_canvas.h"
#include "ui/skin/win32/skin_manage.h"
#include "ui/skin/win32/win_skin_form.h"
#include "ui/skin/win32/win_skin_menu.h"

namespace kestrone::ui {

namespace {

bool g_simulatePaintFailure = false;

// Borders read Tile the other way round: 1 stretches, anything else tiles.
bool DrawBorder(HDC dc, const RECT& dest, const TDataSkinObject& border, int frame, bool stacked) {
    if (border.Map.Empty()) return true;
    SliceStyle style;
    style.frameCount = border.Frame;
    style.frame = border.Frame > 1 ? frame : 1;
    style.stacked = stacked;
    style.margins = {border.LeftWidth, border.TopHeight, border.RightWidth, border.BottomHeight};
    style.tile = border.Tile != 1;
    style.transparent = border.Trans == 1;
    return DrawNineSlice(dc, dest, border.Map, style);
}

}  // namespace

void TWinSkinForm::SimulatePaintFailure(bool fail) {
    g_simulatePaintFailure = fail;
}

bool TWinSkinForm::PaintFrame() {
    if (!SkinsFrame()) return false;
    HDC dc = GetWindowDC(hwnd_);
    if (!dc) return false;
    bool painted = false;
    try {
        painted = !g_simulatePaintFailure && PaintFrameTo(dc);
    } catch (...) {
        painted = false;
    }
    ReleaseDC(hwnd_, dc);
    if (!painted) PaintSystemFrame();
    return painted;
}

// The fallback: the frame area in the system's face colour, then the
// system's own frame over it.
void TWinSkinForm::PaintSystemFrame() {
    HDC dc = GetWindowDC(hwnd_);
    if (dc) {
        RECT box, client;
        GetWindowRect(hwnd_, &box);
        GetClientRect(hwnd_, &client);
        MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&client), 2);
        OffsetRect(&client, -box.left, -box.top);
        ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
        RECT all{0, 0, box.right - box.left, box.bottom - box.top};
        FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
        ReleaseDC(hwnd_, dc);
    }
    Previous(WM_NCPAINT, 1, 0);
}

bool TWinSkinForm::PaintFrameTo(HDC windowDc) {
    const TSkinContent* skin = Skin();
    if (!skin) return false;
    RECT box;
    GetWindowRect(hwnd_, &box);
    const int width = box.right - box.left, height = box.bottom - box.top;
    // The frame is composed in a bitmap kept for the next paint.
    if (!canvas_ || canvas_->Width() != width || canvas_->Height() != height)
        canvas_ = std::make_unique<OffscreenCanvas>(windowDc, width, height);
    if (!canvas_->Valid()) {
        canvas_.reset();
        return false;
    }
    HDC dc = canvas_->dc();
    const int frame = active_ ? 1 : 2;
    const BorderSizes& s = sizes_;
    // What the title strip shows now lies under transparent parts of the skin.
    BitBlt(dc, 0, 0, width, s.title, windowDc, 0, 0, SRCCOPY);
    if (state_ == WindowState::Minimised) {
        RECT title{0, 0, width, s.title};
        FillRect(dc, &title, faceBrush_.get());
        DrawBorder(dc, title, skin->TopBorder, frame, true);
    } else {
        DrawBorder(dc, {0, 0, s.left, height}, skin->LeftBorder, frame, false);
        DrawBorder(dc, {width - s.right, 0, width, height}, skin->RightBorder, frame, false);
        DrawBorder(dc, {s.left, height - s.bottom, width - s.right, height}, skin->BottomBorder,
                   frame, true);
        PaintTitle(dc, width, frame);
        if (s.menu > 0) {
            const RECT strip{s.left, s.title, width - s.right, s.title + s.menu};
            if (menuBar_)
                menuBar_->Paint(dc, strip, active_);
            else
                FillRect(dc, &strip, faceBrush_.get());
        }
    }
    // Only the frame is copied: the client area keeps what the window drew.
    RECT client;
    GetClientRect(hwnd_, &client);
    MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -box.left, -box.top);
    const int saved = SaveDC(windowDc);
    ExcludeClipRect(windowDc, client.left, client.top, client.right, client.bottom);
    canvas_->CopyTo(windowDc, 0, 0);
    RestoreDC(windowDc, saved);
    return true;
}

void TWinSkinForm::PaintTitle(HDC dc, int width, int frame) {
    const TSkinContent& skin = *Skin();
    DrawBorder(dc, {sizes_.left, 0, width - sizes_.right, sizes_.title}, skin.TopBorder, frame,
               true);
    const Rect caption = CaptionPlace(dc);
    PaintCaption(dc, frame, caption);
    PaintButtons(dc, caption);
}

Rect TWinSkinForm::CaptionPlace(HDC dc) const {
    RECT box;
    GetWindowRect(hwnd_, &box);
    const std::wstring text = CaptionText();
    SelectGuard font(
        dc, manager_.CaptionFont() ? manager_.CaptionFont() : GetStockObject(DEFAULT_GUI_FONT));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    CaptionInput in;
    in.stripLeft = sizes_.left;
    in.stripRight = (box.right - box.left) - sizes_.right;
    in.titleHeight = sizes_.title;
    in.textWidth = extent.cx;
    in.textHeight = extent.cy;
    in.dialogFrame = kind_ == FrameKind::Dialog;
    in.rightToLeft = (exStyle_ & WS_EX_LAYOUTRTL) != 0;
    return PlaceCaption(Skin()->Title, in, SkinDpi());
}

void TWinSkinForm::PaintCaption(HDC dc, int frame, const Rect& place) {
    const TSkinContent& skin = *Skin();
    const TDataSkinTitle& title = skin.Title;
    RECT r{place.left, place.top, place.right, place.bottom};
    if (!title.Map.Empty()) {
        const int backHeight = SkinScaled(FrameOf(title.Map, 2, frame, true).height);
        const RECT behind{r.left, (sizes_.title - backHeight) / 2, r.right,
                          (sizes_.title - backHeight) / 2 + backHeight};
        DrawThreeSlice(dc, behind, title.Map, 2, frame, true, title.TXTBackleft, title.TXTBackRight,
                       true);
    }
    r.left += SkinScaled(title.TXTBackleft);
    r.right -= SkinScaled(title.TXTBackRight);
    SelectGuard font(
        dc, manager_.CaptionFont() ? manager_.CaptionFont() : GetStockObject(DEFAULT_GUI_FONT));
    const TColor colour = active_ ? skin.Colours.TitleTextActive : skin.Colours.TitleTextNoActive;
    DrawTextIn(dc, CaptionText(), r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX | DT_LEFT,
               ToColorRef(colour));
}

void TWinSkinForm::PaintButtons(HDC dc, const Rect& caption) {
    RECT box;
    GetWindowRect(hwnd_, &box);
    TitleWindowTraits traits;
    traits.maximised = state_ == WindowState::Maximised;
    traits.minimised = state_ == WindowState::Minimised;
    traits.active = active_;
    traits.hasSysMenu = (style_ & WS_SYSMENU) != 0;
    traits.hasMinBox = (style_ & WS_MINIMIZEBOX) != 0;
    traits.hasMaxBox = (style_ & WS_MAXIMIZEBOX) != 0;
    traits.kind = kind_;
    traits.dialogClass = className_ == "#32770" || className_ == "TMessageForm";
    traits.rightToLeft = (exStyle_ & WS_EX_LAYOUTRTL) != 0;
    if (role_ == FormRole::MdiParent && menuBar_) {
        HWND client = FindWindowExA(hwnd_, nullptr, "MDIClient", nullptr);
        BOOL maximised = FALSE;
        if (client) SendMessageA(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised));
        traits.mdiParentWithMaximisedChild = maximised != FALSE;
    }
    const VisibilityQuestion ask = [this](int code, int action) {
        return static_cast<int>(SendMessageA(hwnd_, skinmsg::kAskVisibility,
                                             static_cast<WPARAM>(code),
                                             static_cast<LPARAM>(action)));
    };
    TitlePlaces places;
    places.windowWidth = box.right - box.left;
    places.captionLeft = caption.left;
    places.captionRight = caption.right;
    places.menuBar = {sizes_.left, sizes_.title, places.windowWidth - sizes_.right,
                      sizes_.title + sizes_.menu};
    places.rightToLeft = traits.rightToLeft;
    for (TWinSysButton& b : buttons_) {
        const TDataSkinSysButton& data = *b.data;
        const TitleButtonStatus status = TitleButtonVisibility(data, traits, ask);
        b.enabled = status.enabled;
        // A system-menu button without a picture shows the window's icon.
        const bool icon = data.Map.Empty() && (data.Action == 3 || data.Action == 11);
        b.shown = status.shown && (icon || !data.Map.Empty());
        if (!b.shown) continue;
        const int w = SkinScaled(icon ? 16 : data.Map.width / std::max(data.Frame, 1));
        const int h = SkinScaled(icon ? 16 : data.Map.height);
        const Rect r = PlaceTitleButton(data, w, h, places, SkinDpi());
        b.rect = {r.left, r.top, r.right, r.bottom};
        if (icon) {
            PaintIcon(dc, b.rect);
        } else {
            const int frame = TitleButtonFrame(data.Frame, b.enabled, b.hover, b.pressed, active_);
            // Title buttons always show the title through their magenta.
            DrawFrameImage(dc, r.left, r.top, data.Map, data.Frame, frame, false, true);
        }
    }
}

void TWinSkinForm::PaintIcon(HDC dc, const RECT& where) {
    auto icon = reinterpret_cast<HICON>(SendMessageA(hwnd_, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrA(hwnd_, GCLP_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageA(hwnd_, WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrA(hwnd_, GCLP_HICON));
    if (!icon) icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    if (!icon) icon = LoadIconA(nullptr, IDI_APPLICATION);
    DrawIconEx(dc, where.left, where.top, icon, 16, 16, 0, nullptr, DI_NORMAL);
}

void TWinSkinForm::EraseBackground(HDC dc) {
    RECT client;
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, faceBrush_.get());
}

}  // namespace kestrone::ui
