// The mock windows of the preview sheet: the skin as the user will see it.
#include <algorithm>

#include "sheet.h"
#include "ui/skin/nine_slice.h"

namespace kestrone::skinart {
namespace {

constexpr int kMenuHeight = 19;

Rgb RgbOf(TColor c) { return {RedOf(c), GreenOf(c), BlueOf(c)}; }

struct Window {
    int x, y, clientWidth, clientHeight;
    bool active;
    bool menu;
    bool dialog;
    std::string caption;
};

struct Client {
    int x, y, w, h;
};

void Border(Sheet& s, const TDataSkinObject& b, int frame, int x, int y, int w, int h, bool stacked) {
    // Window borders stretch when Tile is 1 and tile otherwise.
    PaintNineSlice(s.canvas.Bitmap(), x, y, w, h, b.Map, b.Frame, std::min(frame, b.Frame), stacked,
                   {b.LeftWidth, b.TopHeight, b.RightWidth, b.BottomHeight}, b.Tile != 1, b.Trans == 1);
}

void AppIcon(Sheet& s, int x, int y) {
    s.canvas.FillRoundRect(x, y, 16, 16, 3.5, FromHex(0xFFFFFF));
    s.canvas.FillRoundRect(x + 1.5, y + 1.5, 13, 13, 2.5, FromHex(0x2F6FB5));
    s.canvas.Stroke(x + 5, y + 4.5, x + 5, y + 11.5, 1.6, FromHex(0xFFFFFF));
    s.canvas.Stroke(x + 5.5, y + 8, x + 10.5, y + 4.5, 1.6, FromHex(0xFFFFFF));
    s.canvas.Stroke(x + 6.5, y + 8, x + 10.5, y + 11.5, 1.6, FromHex(0xFFFFFF));
}

Client DrawFrame(Sheet& s, const TSkinContent& skin, const Window& win) {
    const int l = skin.LeftBorder.Map.width / skin.LeftBorder.Frame;
    const int r = skin.RightBorder.Map.width / skin.RightBorder.Frame;
    const int t = skin.TopBorder.Map.height / skin.TopBorder.Frame;
    const int b = skin.BottomBorder.Map.height / skin.BottomBorder.Frame;
    const int menu = win.menu ? kMenuHeight : 0;
    const int w = win.clientWidth + l + r, h = win.clientHeight + t + b + menu;
    const int f = win.active ? 1 : 2;
    Border(s, skin.LeftBorder, f, win.x, win.y, l, h, false);
    Border(s, skin.RightBorder, f, win.x + w - r, win.y, r, h, false);
    Border(s, skin.BottomBorder, f, win.x + l, win.y + h - b, w - l - r, b, true);
    Border(s, skin.TopBorder, f, win.x + l, win.y, w - l - r, t, true);
    const TColor textColour = win.active ? skin.Colours.TitleTextActive : skin.Colours.TitleTextNoActive;
    s.Text(win.x + skin.Title.LeftWidth, win.y + (t - 12) / 2, win.caption, RgbOf(textColour), 12, true);
    for (const auto& button : skin.SysButtons) {
        if (button->Align == 100) continue;
        if (win.dialog && button->Visibility == 6) continue;
        const int bx = button->Align == 1 ? win.x + w - button->Xcoord : win.x + button->Xcoord;
        const int by = win.y + button->Ycoord;
        if (button->Map.Empty()) {
            if (button->Action == 3 || button->Action == 11) AppIcon(s, bx, by);
            continue;
        }
        const int frame = win.active ? (button->Action == 0 && win.dialog ? 2 : 1) : 5;
        s.Frame(button->Map, button->Frame, std::min(frame, button->Frame), bx, by, button->Trans == 1 || true);
    }
    if (win.menu) {
        const int my = win.y + t;
        if (const TDataSkinObject* bar = skin.Find("Personality")) s.Nine(*bar, f, win.x + l, my, w - l - r, menu);
        const TDataSkinObject* item = skin.Find("MenuItem");
        int mx = win.x + l + 4;
        const char* items[] = {"File", "Scan", "Tools", "Help"};
        for (int i = 0; i < 4; ++i) {
            const int iw = Sheet::TextWidth(items[i], 11) + 16;
            if (i == 1 && item) s.Nine(*item, 4, mx, my, iw, menu);
            s.CentredText(mx, my, iw, menu, items[i], RgbOf(skin.Colours.MenuBarText));
            mx += iw;
        }
    }
    const Client client{win.x + l, win.y + t + menu, win.clientWidth, win.clientHeight};
    s.canvas.FillRect(client.x, client.y, client.w, client.h, RgbOf(skin.Colours.ButtonFace));
    return client;
}

void PushButton(Sheet& s, const TSkinContent& skin, int frame, int x, int y, int w, int h,
                const std::string& text) {
    const TDataSkinButton& b = skin.Button;
    s.Nine(b, frame, x, y, w, h);
    TColor colour = b.NormalColour2;
    if (frame == 4) colour = b.MouseOverColour2;
    if (frame == 2) colour = b.PressedColour2;
    if (frame == 3) colour = skin.Colours.ButtonShadow;
    s.CentredText(x, y + (frame == 2 ? 1 : 0), w, h, text, RgbOf(colour));
}

// A check box (check = true) or radio button with its caption.
void Choice(Sheet& s, const TSkinContent& skin, bool check, int frame, int x, int y,
            const std::string& text) {
    const TDataSkinButton& b = skin.Button;
    const SkinBitmap& map = check ? b.CheckMap : b.RadioMap;
    const int frames = check ? b.CheckFrame : b.RadioFrame;
    s.Frame(map, frames, frame, x, y + 1, false);
    const bool disabled = check ? (frame % 4 == 0) : (frame % 4 == 0);
    s.Text(x + map.width / frames + 6, y, text,
           RgbOf(disabled ? skin.Colours.ButtonShadow : skin.Colours.ButtonText));
}

void GroupBox(Sheet& s, const TSkinContent& skin, int x, int y, int w, int h, const std::string& caption) {
    if (const TDataSkinObject* edge = skin.Find("GroupBoxEdge")) s.Nine(*edge, 1, x, y, w, h);
    s.Text(x + 10, y + 4, caption, RgbOf(skin.Colours.WindowText), 11, true);
}

void Field(Sheet& s, const TSkinContent& skin, int frame, int x, int y, int w, int h, const std::string& text) {
    if (const TDataSkinObject* edge = skin.Find("SunkEdge")) s.Nine(*edge, frame, x, y, w, h);
    s.Text(x + 7, y + (h - 11) / 2 - 1, text, RgbOf(frame == 4 ? skin.Colours.ButtonShadow : skin.Colours.WindowText));
}

void Combo(Sheet& s, const TSkinContent& skin, int frame, int x, int y, int w, int h, const std::string& text) {
    Field(s, skin, frame, x, y, w, h, text);
    if (const TDataSkinObject* button = skin.Find("ComboButton")) s.Nine(*button, frame == 3 ? 2 : 1, x + w - 19, y + 2, 17, h - 4);
}

void VerticalScrollBar(Sheet& s, const TSkinContent& skin, int x, int y, int h, int thumbAt, int thumbLength) {
    const TDataSkinObject* bar = skin.Find("Scrollbar");
    const TDataSkinObject* track = skin.Find("VertScroll");
    const TDataSkinObject* thumb = skin.Find("VertScrollThumb");
    if (!bar || !track || !thumb) return;
    const int a = 16;
    s.Nine(*track, 1, x, y + a, 16, h - 2 * a);
    s.Frame(bar->Map, bar->Frame, 9, x, y, bar->Trans == 1);
    s.Frame(bar->Map, bar->Frame, 13 + 3, x, y + h - a, bar->Trans == 1);
    s.Nine(*thumb, 1, x, y + a + thumbAt, 16, thumbLength);
    s.Frame(bar->Map, bar->Frame, 20, x, y + a + thumbAt + (thumbLength - 16) / 2, true);
}

void HorizontalScrollBar(Sheet& s, const TSkinContent& skin, int x, int y, int w, int thumbAt, int thumbLength) {
    const TDataSkinObject* bar = skin.Find("Scrollbar");
    const TDataSkinObject* track = skin.Find("HorzScroll");
    const TDataSkinObject* thumb = skin.Find("HorzScrollThumb");
    if (!bar || !track || !thumb) return;
    const int a = 16;
    s.Nine(*track, 1, x + a, y, w - 2 * a, 16);
    s.Frame(bar->Map, bar->Frame, 1 + 1, x, y, bar->Trans == 1);
    s.Frame(bar->Map, bar->Frame, 5, x + w - a, y, bar->Trans == 1);
    s.Nine(*thumb, 3, x + a + thumbAt, y, thumbLength, 16);
    s.Frame(bar->Map, bar->Frame, 17 + 2, x + a + thumbAt + (thumbLength - 16) / 2, y, true);
}

void Tabs(Sheet& s, const TSkinContent& skin, int x, int y, int w, int h) {
    const auto* tabs = dynamic_cast<const TDataSkinBorder*>(skin.Find("Tabs"));
    if (!tabs) return;
    const int tabHeight = 26;
    // The page border (Style 0: margins 4, 5, 4, 4) and then the tabs on it.
    PaintNineSlice(s.canvas.Bitmap(), x, y + tabHeight - 1, w, h - tabHeight + 1, tabs->Map2, 1, 1, false,
                   {4, 5, 4, 4}, false, false);
    const char* names[] = {"Scan", "Repair", "Immunity", "Processes", "Settings"};
    int tx = x + 4;
    for (int i = 0; i < 5; ++i) {
        const int tw = Sheet::TextWidth(names[i], 11) + 26;
        const int frame = i == 0 ? 2 : (i == 2 ? 3 : 1);
        s.Nine(*tabs, frame, tx, y, tw, tabHeight);
        s.CentredText(tx, y + 2, tw, tabHeight - 2, names[i],
                      RgbOf(i == 0 ? tabs->MouseOverColour2 : tabs->NormalColour2), 11, i == 0);
        tx += tw;
    }
}

void StatusBar(Sheet& s, const TSkinContent& skin, int x, int y, int w) {
    const TDataSkinObject* bar = skin.Find("StatusBarEdges");
    if (!bar) return;
    const int h = 22;
    s.Nine(*bar, 1, x, y, w, h);
    const char* panels[] = {"Ready", "Definitions of 7 December 2026", "Removable drive E:"};
    const int widths[] = {160, 240, w - 400};
    int px = x;
    for (int i = 0; i < 3; ++i) {
        if (i < 2) s.Nine(*bar, 2, px, y, widths[i], h);
        s.Text(px + 8, y + 5, panels[i], RgbOf(skin.Colours.WindowText));
        px += widths[i];
    }
    s.Nine(*bar, 3, x + w - 24, y, 24, h);
}

void Progress(Sheet& s, const TSkinContent& skin, int x, int y, int w, int h, int percent) {
    const TDataSkinObject* p = skin.Find("Progress");
    if (!p) return;
    s.Nine(*p, 1, x, y, w, h);
    s.Nine(*p, 2, x, y, w * percent / 100, h);
}

void TrackBar(Sheet& s, const TSkinContent& skin, int x, int y, int w, int at) {
    const TDataSkinObject* track = skin.Find("Track");
    const TDataSkinObject* thumb = skin.Find("Trackbar.ThumbDown");
    if (!track || !thumb) return;
    s.Nine(*track, 1, x, y + 6, w, 8);
    for (int i = 0; i <= 10; ++i) s.canvas.VLine(x + 5 + (w - 11) * i / 10, y + 24, i % 5 == 0 ? 5 : 3, FromHex(0xA3ADBA));
    s.Frame(thumb->Map, thumb->Frame, 1, x + at, y, false);
}

void UpDown(Sheet& s, const TSkinContent& skin, int x, int y) {
    const auto* ud = dynamic_cast<const TDataSkinBorder*>(skin.Find("UpDown.Vert"));
    if (!ud) return;
    Field(s, skin, 1, x, y, 56, 23, "3");
    const int bw = ud->Map.width / ud->Frame, bh = ud->Map.height;
    s.Nine(*ud, 2, x + 56 - 1, y, bw, 12);
    s.Frame(ud->Map2, ud->Frame, 2, x + 55, y + (12 - bh) / 2, true);
    s.Nine(*ud, 5, x + 56 - 1, y + 11, bw, 12);
    s.Frame(ud->Map2, ud->Frame, 5, x + 55, y + 11 + (12 - bh) / 2, true);
}

void MainWindowContent(Sheet& s, const TSkinContent& skin, const Client& c) {
    const Rgb text = RgbOf(skin.Colours.WindowText);
    Tabs(s, skin, c.x + 8, c.y + 8, c.w - 16, c.h - 44);
    const int px = c.x + 20, py = c.y + 46;
    GroupBox(s, skin, px, py, 262, 156, "Scan targets");
    Choice(s, skin, true, 5, px + 14, py + 32, "Operating memory");
    Choice(s, skin, true, 6, px + 14, py + 55, "Fixed drives");
    Choice(s, skin, true, 2, px + 14, py + 78, "Removable drives");
    Choice(s, skin, true, 9, px + 14, py + 101, "Archives on removable drives");
    Choice(s, skin, true, 4, px + 14, py + 124, "Network drives");
    GroupBox(s, skin, px + 276, py, 282, 156, "When a drive is attached");
    Choice(s, skin, false, 1, px + 290, py + 32, "Clean the drive");
    Choice(s, skin, false, 2, px + 290, py + 55, "Open the drive");
    Choice(s, skin, false, 5, px + 290, py + 78, "Clean and open the drive");
    Choice(s, skin, false, 4, px + 290, py + 101, "Ask every time");

    s.Text(px, py + 170, "Report", text, 11, true);
    Field(s, skin, 1, px, py + 188, 262, 120, "");
    const char* lines[] = {"C:\\  no threat found", "D:\\  no threat found", "E:\\Autorun.inf  cleaned",
                           "E:\\RECYCLER\\kavo.exe  cleaned", "E:\\ cleaned completed."};
    for (int i = 0; i < 5; ++i) s.Text(px + 8, py + 194 + 17 * i, lines[i], text);
    VerticalScrollBar(s, skin, px + 262 - 18, py + 190, 116, 14, 44);

    const int rx = px + 276;
    s.Text(rx, py + 170, "Drive", text, 11, true);
    Combo(s, skin, 3, rx, py + 188, 180, 23, "E:\\  Removable disk");
    UpDown(s, skin, rx + 196, py + 188);
    Progress(s, skin, rx, py + 222, 282, 16, 62);
    TrackBar(s, skin, rx, py + 248, 282, 120);
    HorizontalScrollBar(s, skin, rx, py + 292, 282, 70, 90);

    const int by = c.y + c.h - 74;
    PushButton(s, skin, 5, px, by, 100, 28, "Start scan");
    PushButton(s, skin, 3, px + 110, by, 90, 28, "Stop");
    PushButton(s, skin, 4, px + 210, by, 90, 28, "Repair");
    PushButton(s, skin, 2, px + 310, by, 90, 28, "Immunise");
    PushButton(s, skin, 1, px + 410, by, 90, 28, "Close");
    StatusBar(s, skin, c.x, c.y + c.h - 22, c.w);
}

void PopupMenu(Sheet& s, const TSkinContent& skin, int x, int y) {
    const TDataSkinObject* back = skin.Find("MenuBackground");
    const TDataSkinObject* item = skin.Find("MenuItem");
    if (!back || !item) return;
    const char* items[] = {"Show Kestrone", "USB unlock", "Open drive E:", "Check for updates", "", "Quit"};
    const int w = 190, h = 6 + 5 * 22 + 9;
    s.Nine(*back, 1, x, y, w, h);
    int iy = y + 3;
    for (int i = 0; i < 6; ++i) {
        if (items[i][0] == 0) {
            s.canvas.HLine(x + 32, iy + 4, w - 38, FromHex(0xE1E6EC));
            iy += 9;
            continue;
        }
        if (i == 1) s.Nine(*item, 2, x + 3, iy, w - 6, 22);
        const bool disabled = i == 3;
        s.Text(x + 34, iy + 4, items[i], RgbOf(disabled ? skin.Colours.ButtonShadow : skin.Colours.MenuText), 11, i == 0);
        iy += 22;
    }
}

}  // namespace

int DrawMockWindows(Sheet& s, const TSkinContent& skin, int top) {
    const Window main{24, top, 600, 440, true, true, false, "Kestrone"};
    MainWindowContent(s, skin, DrawFrame(s, skin, main));
    const Window dialog{660, top + 14, 340, 132, false, false, true, "Prompt"};
    const Client c = DrawFrame(s, skin, dialog);
    s.canvas.FillRoundRect(c.x + 18, c.y + 20, 32, 32, 16, FromHex(0x2F6FB5));
    s.canvas.FillRect(c.x + 32, c.y + 33, 4, 12, FromHex(0xFFFFFF));
    s.canvas.FillRect(c.x + 32, c.y + 26, 4, 4, FromHex(0xFFFFFF));
    s.Text(c.x + 64, c.y + 22, "Removable drive E: was cleaned.", RgbOf(skin.Colours.WindowText));
    s.Text(c.x + 64, c.y + 40, "Two threats were removed.", RgbOf(skin.Colours.WindowText));
    PushButton(s, skin, 5, c.x + c.w - 190, c.y + c.h - 40, 84, 26, "OK");
    PushButton(s, skin, 1, c.x + c.w - 96, c.y + c.h - 40, 84, 26, "Cancel");
    PopupMenu(s, skin, 700, top + 220);
    return 440 + 27 + 5 + kMenuHeight + 24;
}

}  // namespace kestrone::skinart
