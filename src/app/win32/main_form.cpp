#include "main_form.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <exception>

#include "app/branding.h"
#include "app/page_layout.h"
#include "dpi.h"
#include "app/drive_guard.h"
#include "app/main_window_rules.h"
#include "app/publish.h"
#include "app/settings_page_values.h"
#include "app/threat_choice.h"
#include "app/ui_language.h"
#include "core/policy_values.h"
#include "core/user_settings.h"
#include "control_ids.h"
#include "core/decryption.h"
#include "core/shell.h"
#include "resource_ids.h"
#include "ui/popup/win32/msn_popup.h"
#include "ui/skin/win32/skin_component.h"
#include "ui/tray/win32/cool_tray_icon.h"
#include "pages/immunity_page.h"
#include "pages/page_kit.h"
#include "core/history_log.h"
#include "admin_runner.h"
#include "app/definitions_update_message.h"
#include "core/record_keeping.h"
#include "pages/process_page.h"
#include "pages/quarantine_page.h"
#include "pages/repair_page.h"
#include "pages/scan_page.h"
#include "pages/settings_page.h"
#include "pages/tools_page.h"
#include "sel_choice_dialog.h"
#include "window_shell.h"

namespace kestrone::app {

namespace {
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                             WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr char kPageClass[] = "KestronePage";
constexpr char kPanelClass[] = "KestronePanel";
}  // namespace

TMainForm::TMainForm() = default;

TMainForm::~TMainForm() {
    records_.reset();
    InstallShell(nullptr);
    if (hwnd_) DestroyWindow(hwnd_);
    if (pm1_) DestroyMenu(pm1_);
    if (smallIcon_) DestroyIcon(smallIcon_);
    if (largeIcon_) DestroyIcon(largeIcon_);
}

void TMainForm::RegisterClasses(HINSTANCE instance) {
    WNDCLASSEXA form{};
    form.cbSize = sizeof form;
    form.lpfnWndProc = WindowProc;
    form.hInstance = instance;
    form.hIcon = largeIcon_;
    form.hIconSm = smallIcon_;
    form.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    form.lpszClassName = kMainWindowClass;
    RegisterClassExA(&form);

    WNDCLASSEXA page = form;
    page.lpfnWndProc = PageProc;
    page.hIcon = page.hIconSm = nullptr;
    page.lpszClassName = kPageClass;
    RegisterClassExA(&page);

    WNDCLASSEXA panel = page;
    panel.lpfnWndProc = PanelProc;
    panel.hbrBackground = static_cast<HBRUSH>(silverBrush_.get());
    panel.lpszClassName = kPanelClass;
    RegisterClassExA(&panel);
}

void TMainForm::CreateFonts() {
    auto height = [this](int pixelsAt96) { return ScaleToDpi(pixelsAt96, dpi_); };
    const char* face = UiFontFace();  // Tahoma, or a face with Chinese characters
    formFont_.reset(MakeFont(face, height(-12)));
    bool english = CurrentUiLanguage() == UiLanguage::English;
    toolbarFont_.reset(MakeFont(english ? "MS Sans Serif" : face, height(-13)));
    boldFont_.reset(MakeFont(face, height(-12), true));
    productFont_.reset(MakeFont(face, height(-16), true));
    linkFont_.reset(MakeFont(face, height(-12), false, false, true));
    footerFont_.reset(MakeFont(face, height(-11), false, true));
    if (!silverBrush_) silverBrush_.reset(CreateSolidBrush(RGB(192, 192, 192)));
}

bool TMainForm::Create(HINSTANCE instance) {
    instance_ = instance;
    largeIcon_ = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_KESTRONE), IMAGE_ICON,
                                               32, 32, LR_DEFAULTCOLOR));
    smallIcon_ = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_KESTRONE), IMAGE_ICON,
                                               16, 16, LR_DEFAULTCOLOR));
    logo_.reset(LoadImageA(instance, MAKEINTRESOURCEA(IDB_LOGO), IMAGE_BITMAP, 0, 0,
                           LR_CREATEDIBSECTION));
    dpi_ = SystemDpi();
    CreateFonts();
    RegisterClasses(instance);

    // The screen, not SPI_GETWORKAREA: Wine keeps the first work area a
    // program reads, and at start-up its taskbar may not have claimed its
    // edge yet, so the popups would later slide over the taskbar.
    const RECT workArea{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const StoredWindowSize stored = ReadWindowSize();
    const LayoutSize client = OpeningClientSize(
        {stored.width, stored.height}, {ScaleFromDpi(workArea.right - workArea.left, dpi_),
                                        ScaleFromDpi(workArea.bottom - workArea.top, dpi_)});
    RECT frame{0, 0, ScaleToDpi(client.width, dpi_), ScaleToDpi(client.height, dpi_)};
    AdjustWindowRectEx(&frame, kFormStyle, FALSE, 0);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    int x = static_cast<int>(workArea.left) +
            std::max(0, static_cast<int>(workArea.right - workArea.left) - width) / 2;
    int y = static_cast<int>(workArea.top) +
            std::max(0, static_cast<int>(workArea.bottom - workArea.top) - height) / 2;
    hwnd_ = CreateWindowExA(WS_EX_CONTROLPARENT, kMainWindowClass, kStoredMainCaption, kFormStyle, x,
                            y, width, height, nullptr, nullptr, instance, this);
    if (!hwnd_) return false;
    CreateSkinData();
    shell_ = std::make_unique<WindowShell>(instance, *this);
    InstallShell(shell_.get());
    // Nothing the engine deletes from here on is lost; the data places are
    // decided here, once.
    records_ = std::make_unique<RecordKeeping>();
    if (const int dpi = WindowDpi(hwnd_); dpi != dpi_) {  // a screen of its own
        dpi_ = dpi;
        RescaleFonts();
    }
    kit_ = std::make_unique<PageKit>(instance, hwnd_, static_cast<HFONT>(formFont_.get()));
    kit_->SetDpi(dpi_);
    CreateAdminRunner();
    definitionsUpdatedMessage_ = RegisterWindowMessageA(kDefinitionsUpdatedMessage);
    CreateLeftPanel();
    CreatePages();
    CreateTrayComponents();
    LayOutWindow();
    FormCreate();
    CreateDriveGuard();
    SyncDriveGuard();
    return true;
}

void TMainForm::FormCreate() {
    try {
        DecryptDataFiles();
        ActivatePage(kTabSheet1);
        scanPage_->CheckAllTargets();
        FCanQuit = false;
        LoadSettingsPage();
        PublishMainWindow(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hwnd_)));
        ApplyBranding(kProductName);
        ShowDefinitionsInUse();
        SetTimer(hwnd_, kDefinitionsAgeTimer, kDefinitionsAgeFirstDelay, nullptr);
    } catch (const std::exception& error) {
        ShowErrorBox(hwnd_, error.what());
    }
}

void TMainForm::ApplyBranding(const std::string& name) {
    SetApplicationTitle(name);
    auto rebrand = [&](HWND window) {
        SetWindowTextUtf8(window, ApplyBrandName(WindowTextUtf8(window), name));
    };
    rebrand(hwnd_);
    rebrand(GetDlgItem(pages_[kTabSheet4], kCheckBox3));
    rebrand(GetDlgItem(pages_[kTabSheet10], kLabel11));
    SetDlgItemTextA(pages_[kTabSheet10], kLabel15, kBrand.websiteHost);
    SetDlgItemTextA(pages_[kTabSheet10], kLabel16, kBrand.company);
    SetDlgItemTextA(pages_[kTabSheet10], kEmailLabel, kBrand.supportEmail);
}

void TMainForm::LoadSettingsPage() {
    SettingsPageValues values = ReadSettingsPage();
    settingsPage_->Show(values);
    toolsPage_->ShowPolicies(values);
    ApplyPlugInBlocking();
}

// Save: the page's values, then everything the page shows read back.
void TMainForm::SaveSettingsPage() {
    bool machineAutostartLeft = WriteSettingsPage(settingsPage_->Collect());
    LoadSettingsPage();
    SyncDriveGuard();
    kit_->Prompt(kSettingsSavedMessage);
    // The installer's start for every user can only go with administrator rights.
    if (machineAutostartLeft) kit_->RunAdmin(AdminTask::MachineAutostart, {"0"});
}

bool TMainForm::QuitRequested() const { return shell_ && shell_->QuitRequested(); }

void TMainForm::ShowMainWindow() {
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    SetForegroundWindow(hwnd_);
}

void TMainForm::ActivatePage(Page page) {
    activePage_ = page;
    for (int index = 0; index < kPageCount; ++index)
        ShowWindow(pages_[index], index == page ? SW_SHOW : SW_HIDE);
    if (FormPage* shown = PageObject(page)) {
        try {
            shown->OnShow();
        } catch (const std::exception& error) {
            ShowErrorBox(hwnd_, error.what());
        }
    }
}

void TMainForm::OnClose() {
    CloseDecision decision = DecideClose(IsWindowVisible(hwnd_) != FALSE, FCanQuit);
    if (decision.hide) ShowWindow(hwnd_, SW_HIDE);
    if (decision.allowClose) DestroyWindow(hwnd_);
}

LRESULT TMainForm::OnQueryEndSession() {
    CloseDecision decision = DecideSessionEnd(IsWindowVisible(hwnd_) != FALSE, FCanQuit);
    if (decision.hide) ShowWindow(hwnd_, SW_HIDE);
    return decision.allowClose ? TRUE : FALSE;
}

void TMainForm::Quit() {
    FCanQuit = true;
    SendMessageA(hwnd_, WM_CLOSE, 0, 0);
}

void TMainForm::OnCopyData(const COPYDATASTRUCT* data) {
    if (admin_ && admin_->OnCopyData(data)) return;
    std::string name = data ? CopyDataText(static_cast<const char*>(data->lpData), data->cbData)
                            : std::string();
    ShowPopUpText(name, Utf8ToWide(kPlugInCaptionUtf8) + AnsiToWide(name));
}

bool TMainForm::StopRequested() const { return scanPage_ && scanPage_->StopRequested(); }

void TMainForm::ShowProgress(const std::string& path) { scanPage_->ShowProgress(path); }

void TMainForm::AddReportLine(const std::string& line) { scanPage_->AddReportLine(line); }

ArrivalOutcome TMainForm::OnDeviceChange(WPARAM event, LPARAM record) {
    if (OnGuardHandleRemoval(event, record)) return ArrivalOutcome::Ignored;
    char letter = ArrivedVolumeLetter(static_cast<uint32_t>(event), reinterpret_cast<const void*>(record));
    ArrivalOutcome outcome = ArrivalOutcome::Ignored;
    if (letter) {
        try {
            outcome = HandleVolumeArrival(letter, *this);
        } catch (const std::exception& error) {
            ShowErrorBox(hwnd_, error.what());
            outcome = ArrivalOutcome::NothingDone;
        }
    }
    // Arrivals and removals alike: the guard follows the drives attached now,
    // a new one watched from the root its arrival clean left.
    SyncDriveGuard();
    return outcome;
}

int TMainForm::ChooseThreatAction(const std::string& driveRoot) {
    return kestrone::ChooseThreatAction([this, &driveRoot] {
        TfrmSelChoice dialog(instance_, hwnd_, driveRoot);
        int action = dialog.ShowModal();
        LoadSettingsPage();  // the dialog may have stored a new choice
        return action;
    });
}

void TMainForm::ShowPopup(const std::string& text) {
    AppendHistory("Popup", text);
    if (PolicyBoolOr(PolicyId::ShowAlertPopup, true)) ShowPopUpText(text);
}

LRESULT CALLBACK TMainForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TMainForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<TMainForm*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = hwnd_;
    LRESULT result = 0;
    if (definitionsUpdatedMessage_ && message == definitionsUpdatedMessage_)
        return OnDefinitionsUpdated();
    if (HandleChildMessage(message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_QUERYENDSESSION:
        return OnQueryEndSession();
    case WM_QUITREQUEST:
        ShowWindow(hwnd_, SW_HIDE);
        Quit();
        return 0;
    case WM_COPYDATA:
        OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        return TRUE;
    case WM_DEVICECHANGE:
        OnDeviceChange(wParam, lParam);
        return TRUE;
    case WM_SHOWWINDOW:
        if (wParam) ActivatePage(kTabSheet1);  // FormShow
        break;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED && kit_) LayOutWindow();
        break;
    case WM_GETMINMAXINFO:
        OnMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_EXITSIZEMOVE:
        RememberWindowSize();
        break;
    case 0x02E0:  // WM_DPICHANGED
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DRIVECHANGED:
        OnDriveChanged(wParam);
        return 0;
    case WM_TIMER:
        if (wParam == kTimer1) Timer1Timer();
        if (wParam == kDefinitionsAgeTimer) CheckDefinitionsAge();
        OnGuardTimer(wParam);
        return 0;
    case WM_NCPAINT:
    case WM_NCACTIVATE:
        result = DefWindowProcA(window, message, wParam, lParam);
        PaintCaptionTitle();
        return result;
    case WM_DESTROY:
        KillTimer(hwnd_, kTimer1);
        KillTimer(hwnd_, kDefinitionsAgeTimer);
        guard_.reset();  // the watches' threads end here
        RegisterGuardHandles();
        if (ReadBlockPlugInstall()) StopPlugInBlocking();  // FormDestroy
        msnp1_.reset();
        cltrycn1_.reset();  // removes the tray icon
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        hwnd_ = nullptr;
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Commands, notifications and colours of the controls on the pages and the
// left panel come here too, so the window's code sits in one place.
bool TMainForm::HandleChildMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND:
        try {
            OnCommand(LOWORD(wParam), HIWORD(wParam));
        } catch (const std::exception& error) {
            ShowErrorBox(hwnd_, error.what());
        }
        result = 0;
        return true;
    case WM_CTLCOLORSTATIC:
        if (HBRUSH brush = ColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
            result = reinterpret_cast<LRESULT>(brush);
            return true;
        }
        return false;
    case WM_NOTIFY:
        for (int index = 0; index < kPageCount; ++index)
            if (FormPage* page = PageObject(index))
                if (page->OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) return true;
        return false;
    }
    return false;
}

LRESULT CALLBACK TMainForm::PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND form = GetAncestor(window, GA_ROOT);
    auto* self = reinterpret_cast<TMainForm*>(GetWindowLongPtrA(form, GWLP_USERDATA));
    if (self) {
        LRESULT result = 0;
        if (self->HandleChildMessage(message, wParam, lParam, result)) return result;
        if (message == WM_SETCURSOR && self->IsLinkLabel(reinterpret_cast<HWND>(wParam))) {
            SetCursor(LoadCursorA(nullptr, IDC_HAND));  // the website and e-mail labels
            return TRUE;
        }
        if (message == WM_PAINT && window == self->pages_[kTabSheet10]) {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            self->PaintAboutPage(dc);
            EndPaint(window, &paint);
            return 0;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace kestrone::app
