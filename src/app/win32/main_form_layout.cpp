// The main window's frame: the left panel (logo, vertical toolbar, footer)
// and the page area, plus the helpers that create child controls.
#include <windows.h>
#include <commctrl.h>

#include <iterator>

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
constexpr int kPanelWidth = 68;
constexpr int kPageLeft = 68;
constexpr int kPageWidth = 429 - kPageLeft;
constexpr int kPageHeight = 269;
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
    panel3_ = CreateWindowExA(WS_EX_CONTROLPARENT, "KestronePanel", "", WS_CHILD | WS_VISIBLE, 0, 0,
                              kPanelWidth, kPageHeight, hwnd_, nullptr, instance_, nullptr);
    toolBar1_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                                WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT |
                                    TBSTYLE_TRANSPARENT | TBSTYLE_WRAPABLE | CCS_NORESIZE |
                                    CCS_NODIVIDER | CCS_NOPARENTALIGN,
                                0, kLogoAreaHeight, kPanelWidth,
                                kToolButtonHeight * static_cast<int>(std::size(kToolButtons)), panel3_,
                                nullptr, instance_, nullptr);
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
    SendMessageA(toolBar1_, TB_SETBUTTONSIZE, 0, MAKELPARAM(kToolButtonWidth, kToolButtonHeight));
    SendMessageA(toolBar1_, TB_SETBUTTONWIDTH, 0, MAKELPARAM(kToolButtonWidth, kToolButtonWidth));
    SendMessageA(toolBar1_, TB_SETBUTTONSIZE, 0, MAKELPARAM(kToolButtonWidth, kToolButtonHeight));
    SetWindowPos(toolBar1_, nullptr, 0, kLogoAreaHeight, kPanelWidth,
                 kToolButtonHeight * static_cast<int>(std::size(kToolButtons)), SWP_NOZORDER);

    // The small disabled footer panel with its greyed, italic label.
    HWND footer = Control(panel3_, "STATIC", "Tessaline", SS_CENTER | SS_CENTERIMAGE | WS_DISABLED, 0,
                          kPageHeight - kFooterHeight, kPanelWidth, kFooterHeight, -1,
                          static_cast<HFONT>(footerFont_.get()));
    (void)footer;
}

HWND TMainForm::MakePage() {
    return CreateWindowExA(WS_EX_CONTROLPARENT, "KestronePage", "", WS_CHILD | WS_CLIPCHILDREN,
                           kPageLeft, 0, kPageWidth, kPageHeight, hwnd_, nullptr, instance_, nullptr);
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
            if (cursor.y < kLogoAreaHeight) {  // Image1 has the hand cursor
                SetCursor(LoadCursorA(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        }
        case WM_LBUTTONUP:
            if (static_cast<short>(HIWORD(lParam)) < kLogoAreaHeight) self->OpenWebsite();
            return 0;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace kestrone::app
