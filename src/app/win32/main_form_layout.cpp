// The main window's frame: the left panel (logo, vertical toolbar, footer)
// and the page area, plus the helpers that create child controls. Sizes are
// 96-DPI units; the panel keeps its width and the pages take the rest of a
// window the user made bigger.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <iterator>

#include "app/page_layout.h"
#include "core/user_settings.h"
#include "dpi.h"

#include "control_ids.h"
#include "main_form.h"
#include "pages/immunity_page.h"
#include "pages/process_page.h"
#include "pages/quarantine_page.h"
#include "pages/repair_page.h"
#include "pages/scan_page.h"
#include "pages/settings_page.h"
#include "pages/tools_page.h"

namespace kestrone::app {

namespace {
constexpr int kPanelWidth = kPanelDesignWidth;
constexpr int kPageLeft = kPanelDesignWidth;
constexpr int kPageWidth = kDesignClient.width - kPageLeft;
constexpr int kPageHeight = kDesignClient.height;
constexpr int kLogoAreaHeight = 38;
constexpr int kToolButtonWidth = 69;
constexpr int kToolButtonHeight = 24;
constexpr int kFooterHeight = 15;

struct ToolButtonSpec {
    int id;
    const char* caption;
};
constexpr ToolButtonSpec kToolButtons[] = {
    {kToolButton1, "Scan "},     {kToolButton2, "Process"},  {kToolButton9, "Tools"},
    {kToolButton3, "Immunity"},  {kToolButton5, "FixSystem"}, {kToolButton4, "Settings"},
    {kToolButton6, "Update"},    {kToolButton7, "About"},    {kToolButton11, "History"},
};
}  // namespace

HWND TMainForm::Control(HWND parent, const char* className, const char* text, DWORD style, int x,
                        int y, int width, int height, int id, HFONT font, DWORD exStyle) {
    return kit_->Control(parent, className, text, style, x, y, width, height, id, font, exStyle);
}

void TMainForm::CreateLeftPanel() {
    auto scaled = [this](int units) { return ScaleToDpi(units, dpi_); };
    panel3_ = CreateWindowExA(WS_EX_CONTROLPARENT, "KestronePanel", "", WS_CHILD | WS_VISIBLE, 0, 0,
                              scaled(kPanelWidth), scaled(kPageHeight), hwnd_, nullptr, instance_,
                              nullptr);
    toolBar1_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                                WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT |
                                    TBSTYLE_TRANSPARENT | TBSTYLE_WRAPABLE | CCS_NORESIZE |
                                    CCS_NODIVIDER | CCS_NOPARENTALIGN,
                                0, 0, 0, 0, panel3_, nullptr, instance_, nullptr);
    SendMessageA(toolBar1_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(toolBar1_, WM_SETFONT, reinterpret_cast<WPARAM>(toolbarFont_.get()), FALSE);
    SendMessageA(toolBar1_, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    SendMessageA(toolBar1_, TB_SETPADDING, 0, MAKELPARAM(0, 0));  // room for "FixSystem"
    for (const ToolButtonSpec& spec : kToolButtons) {
        TBBUTTON button{};
        button.iBitmap = I_IMAGENONE;
        button.idCommand = spec.id;
        button.fsState = static_cast<BYTE>(TBSTATE_WRAP | TBSTATE_ENABLED);
        button.fsStyle = BTNS_BUTTON;
        std::wstring caption = LocalizedWide(spec.caption);
        button.iString = reinterpret_cast<INT_PTR>(caption.c_str());
        SendMessageW(toolBar1_, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    }
    PlaceToolBar();

    // The small disabled footer panel with its greyed, italic label.
    HWND footer = Control(panel3_, "STATIC", "Tessaline", SS_CENTER | SS_CENTERIMAGE | WS_DISABLED, 0,
                          kPageHeight - kFooterHeight, kPanelWidth, kFooterHeight, -1,
                          static_cast<HFONT>(footerFont_.get()));
    kit_->Anchor(footer, kFollowBottom);
}

void TMainForm::PlaceToolBar() {
    const int width = ScaleToDpi(kToolButtonWidth, dpi_), height = ScaleToDpi(kToolButtonHeight, dpi_);
    SendMessageA(toolBar1_, TB_SETBUTTONSIZE, 0, MAKELPARAM(width, height));
    SendMessageA(toolBar1_, TB_SETBUTTONWIDTH, 0, MAKELPARAM(width, width));
    SendMessageA(toolBar1_, TB_SETBUTTONSIZE, 0, MAKELPARAM(width, height));
    SetWindowPos(toolBar1_, nullptr, 0, ScaleToDpi(kLogoAreaHeight, dpi_),
                 ScaleToDpi(kPanelWidth, dpi_), height * static_cast<int>(std::size(kToolButtons)),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND TMainForm::MakePage() {
    const LayoutRect place = ScaledRect({kPageLeft, 0, kPageWidth, kPageHeight}, dpi_);
    return CreateWindowExA(WS_EX_CONTROLPARENT, "KestronePage", "", WS_CHILD | WS_CLIPCHILDREN,
                           place.x, place.y, place.width, place.height, hwnd_, nullptr, instance_,
                           nullptr);
}

void TMainForm::LayOutWindow() {
    RECT client;
    GetClientRect(hwnd_, &client);
    const LayoutSize room = PageRoom({client.right, client.bottom}, dpi_);
    const int panelWidth = ScaleToDpi(kPanelWidth, dpi_);
    SetWindowPos(panel3_, nullptr, 0, 0, panelWidth, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    kit_->LayOut(panel3_, {0, room.height});
    for (int index = 0; index < kPageCount; ++index) {
        SetWindowPos(pages_[index], nullptr, panelWidth, 0, std::max(0, static_cast<int>(client.right) - panelWidth),
                     client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
        kit_->LayOut(pages_[index], room);
        if (FormPage* page = PageObject(index)) page->OnResized();
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void TMainForm::OnMinMaxInfo(MINMAXINFO& info) const {
    // Never smaller than the design: the frame's thickness is what the
    // window has now around its client area.
    RECT window, client;
    if (!GetWindowRect(hwnd_, &window) || !GetClientRect(hwnd_, &client)) return;
    const int frameWidth = (window.right - window.left) - client.right;
    const int frameHeight = (window.bottom - window.top) - client.bottom;
    info.ptMinTrackSize.x = ScaleToDpi(kDesignClient.width, dpi_) + frameWidth;
    info.ptMinTrackSize.y = ScaleToDpi(kDesignClient.height, dpi_) + frameHeight;
}

void TMainForm::RememberWindowSize() const {
    if (IsZoomed(hwnd_) || IsIconic(hwnd_)) return;
    RECT client;
    GetClientRect(hwnd_, &client);
    WriteWindowSize({ScaleFromDpi(client.right, dpi_), ScaleFromDpi(client.bottom, dpi_)});
}

namespace {
// EnumChildWindows: a window with one of the old fonts takes its new twin.
BOOL CALLBACK SwapFont(HWND child, LPARAM data) {
    const auto& pairs = *reinterpret_cast<const std::vector<std::pair<HGDIOBJ, HGDIOBJ>>*>(data);
    const auto font = reinterpret_cast<HGDIOBJ>(SendMessageA(child, WM_GETFONT, 0, 0));
    for (const auto& [from, to] : pairs)
        if (font && font == from) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(to), TRUE);
    return TRUE;
}
}  // namespace

void TMainForm::RescaleFonts() {
    // The old fonts stay alive until every window uses its new one.
    GdiObject* fonts[] = {&formFont_, &toolbarFont_, &boldFont_, &productFont_, &linkFont_,
                          &footerFont_};
    std::vector<GdiObject> old;
    for (GdiObject* font : fonts) old.emplace_back(font->release());
    CreateFonts();
    std::vector<std::pair<HGDIOBJ, HGDIOBJ>> renamed;
    for (size_t index = 0; index < std::size(fonts); ++index)
        renamed.emplace_back(old[index].get(), fonts[index]->get());
    captionFont_.reset();  // made again at the next paint
    if (!hwnd_) return;
    EnumChildWindows(hwnd_, SwapFont, reinterpret_cast<LPARAM>(&renamed));
    if (kit_) kit_->SetFont(static_cast<HFONT>(formFont_.get()));
}

void TMainForm::OnDpiChanged(int dpi, const RECT& suggested) {
    if (dpi <= 0 || dpi == dpi_) return;
    dpi_ = dpi;
    RescaleFonts();
    kit_->SetDpi(dpi);
    PlaceToolBar();
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOutWindow();
}

void TMainForm::CreatePages() {
    for (HWND& page : pages_) page = MakePage();
    scanPage_ = std::make_unique<ScanPage>(*kit_, pages_[kTabSheet1]);
    processPage_ = std::make_unique<ProcessPage>(*kit_, pages_[kTabSheet7]);
    toolsPage_ = std::make_unique<ToolsPage>(*kit_, pages_[kTabSheet8], smallIcon_);
    immunityPage_ = std::make_unique<ImmunityPage>(*kit_, pages_[kTabSheet2]);
    repairPage_ = std::make_unique<RepairPage>(*kit_, pages_[kTabSheet3]);
    settingsPage_ = std::make_unique<SettingsPage>(*kit_, pages_[kTabSheet4]);
    settingsPage_->OnSave = [this] { SaveSettingsPage(); };
    quarantinePage_ = std::make_unique<QuarantinePage>(*kit_, pages_[kTabSheetHistory]);
    CreateAboutPage(pages_[kTabSheet10]);
}

FormPage* TMainForm::PageObject(int index) const {
    switch (index) {
    case kTabSheet1: return scanPage_.get();
    case kTabSheet7: return processPage_.get();
    case kTabSheet8: return toolsPage_.get();
    case kTabSheet2: return immunityPage_.get();
    case kTabSheet3: return repairPage_.get();
    case kTabSheet4: return settingsPage_.get();
    case kTabSheetHistory: return quarantinePage_.get();
    default: return nullptr;
    }
}

LRESULT CALLBACK TMainForm::PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND form = GetAncestor(window, GA_ROOT);
    auto* self = reinterpret_cast<TMainForm*>(GetWindowLongPtrA(form, GWLP_USERDATA));
    if (self) {
        LRESULT result = 0;
        if (self->HandleChildMessage(message, wParam, lParam, result)) return result;
        switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            self->PaintPanel(window, dc);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_SETCURSOR: {
            POINT cursor;
            GetCursorPos(&cursor);
            ScreenToClient(window, &cursor);
            if (cursor.y < ScaleToDpi(kLogoAreaHeight, self->dpi_)) {  // Image1 has the hand cursor
                SetCursor(LoadCursorA(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        }
        case WM_LBUTTONUP:
            if (static_cast<short>(HIWORD(lParam)) < ScaleToDpi(kLogoAreaHeight, self->dpi_))
                self->OpenWebsite();
            return 0;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace kestrone::app
