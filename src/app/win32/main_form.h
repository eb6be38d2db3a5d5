// TMainForm: the program's main window. A fixed-size window with the logo and
// the vertical toolbar on the left and the pages on the right (tabs hidden:
// pages change through the toolbar and the tray menu). It owns the tray icon
// with its menu and the notification popup, answers companion messages, and
// ends the program only on an explicit quit: closing it only hides it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/admin_task.h"
#include "app/device_arrival.h"
#include "win_support.h"

namespace kestrone::ui {
class TCoolTrayIcon;
class TMSNPopUp;
class TSkinComponent;
}  // namespace kestrone::ui

namespace kestrone {
class RecordKeeping;
class DriveGuard;
}

namespace kestrone::app {

class WindowShell;
class AdminRunner;
class PageKit;
class FormPage;
class ScanPage;
class ProcessPage;
class ToolsPage;
class ImmunityPage;
class RepairPage;
class SettingsPage;
class QuarantinePage;

// The pages of PageControl1, in toolbar order.
enum Page : int {
    kTabSheet1 = 0,  // Scan
    kTabSheet7,      // Process
    kTabSheet8,      // Tools
    kTabSheet2,      // Immunity
    kTabSheet3,      // FixSystem
    kTabSheet4,      // Settings
    kTabSheet10,     // About
    kTabSheetHistory,  // Quarantine and history
    kPageCount
};

// Message a companion sends to make the program end.
inline constexpr UINT WM_QUITREQUEST = WM_USER + 20;  // 0x414
// A guarded drive's root changed (wParam: its letter); posted by the watches.
inline constexpr UINT WM_DRIVECHANGED = WM_USER + 21;
inline constexpr char kMainWindowClass[] = "TMainForm";

class TMainForm : private ArrivalUi {
public:
    TMainForm();
    ~TMainForm();
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;

    // Creates the window (hidden) and runs FormCreate.
    bool Create(HINSTANCE instance);
    HWND Handle() const { return hwnd_; }

    // True when start-up asked to quit (a data file was missing): the window
    // is then not shown at all.
    bool QuitRequested() const;
    // Start-up in the tray: balloon and Timer1.
    void StartInTray();
    void ShowMainWindow();
    void ActivatePage(Page page);

    // Used by the engine's callbacks.
    bool StopRequested() const;
    void ShowProgress(const std::string& path);
    void AddReportLine(const std::string& line);

    // Device arrival (WM_DEVICECHANGE); returns what was done.
    ArrivalOutcome OnDeviceChange(WPARAM event, LPARAM record);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleChildMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Start-up (main_form.cpp).
    void RegisterClasses(HINSTANCE instance);
    void CreateFonts();
    void FormCreate();
    void ApplyBranding(const std::string& name);
    void LoadSettingsPage();
    void SaveSettingsPage();

    // Layout (main_form_layout.cpp, main_form_pages*.cpp).
    void CreateLeftPanel();
    void CreatePages();
    HWND MakePage();
    void CreateAboutPage(HWND page);
    // The panel and the pages follow the client area; the pages' controls
    // their anchors (main_form_layout.cpp).
    void LayOutWindow();
    void PlaceToolBar();
    void OnMinMaxInfo(MINMAXINFO& info) const;
    void RememberWindowSize() const;
    // The window moved to a screen of another DPI: fonts, controls and
    // frame are made again at the new scale.
    void OnDpiChanged(int dpi, const RECT& suggested);
    void RescaleFonts();
    HWND Control(HWND parent, const char* className, const char* text, DWORD style, int x, int y,
                 int width, int height, int id, HFONT font = nullptr, DWORD exStyle = 0);
    FormPage* PageObject(int index) const;

    // Commands (main_form_commands.cpp).
    void OnCommand(int id, int notification);
    void RunUpdater();
    void OpenWebsite();
    void OpenEmail();
    void OpenHelp();
    void OpenDriveSafely(int itemId);

    // ArrivalUi: the threat question and the popup of a drive arrival.
    int ChooseThreatAction(const std::string& driveRoot) override;
    void ShowPopup(const std::string& text) override;
    uintptr_t OwnerWindow() override { return reinterpret_cast<uintptr_t>(hwnd_); }
    void OfferElevatedClean(const std::string& driveRoot, int refused) override;

    // Commands that need administrator rights and their results
    // (main_form_admin.cpp).
    void CreateAdminRunner();
    void OnAdminResult(const AdminResult& result);

    // The guard of attached drives (main_form_guard.cpp).
    void CreateDriveGuard();
    void SyncDriveGuard();
    void OnDriveChanged(WPARAM letter);
    bool OnGuardTimer(UINT_PTR id);
    // Windows names a watch's handle when the user asks to remove its drive.
    void RegisterGuardHandles();
    bool OnGuardHandleRemoval(WPARAM event, LPARAM record);

    // Update.exe installed new definitions (main_form_definitions.cpp).
    LRESULT OnDefinitionsUpdated();
    // The About page's line and the tray tip name the definitions at work.
    void ShowDefinitionsInUse();
    // The balloon for definitions past their set age, once a day.
    void CheckDefinitionsAge();
    UINT definitionsUpdatedMessage_ = 0;
    std::string lastStaleWarningDay_;
    bool staleBalloonShown_ = false;

    // Closing (main_form.cpp).
    void OnClose();
    LRESULT OnQueryEndSession();
    void Quit();
    void OnCopyData(const COPYDATASTRUCT* data);

    // Tray, menu, popup and timer (main_form_tray.cpp).
    void CreateTrayComponents();
    void RebuildOpenDriveMenu();
    // The popup with a text; wideText, when given, is shown instead of the ANSI text.
    void ShowPopUpText(const std::string& ansiText, const std::wstring& wideText = {});
    void OnPopupClick();
    void Timer1Timer();

    // The skin (main_form_skin.cpp): the component, and whether the skin
    // draws the window's frame now.
    void CreateSkinData();
    bool SkinnedFrame() const;

    // Painting (main_form_paint.cpp).
    void PaintCaptionTitle();
    void PaintPanel(HWND panel, HDC dc);
    void PaintAboutPage(HDC dc);
    void DrawLogo(HDC dc, int x, int y, int size);
    HBRUSH ColourStatic(HDC dc, HWND control);
    bool IsLinkLabel(HWND control) const;

    HINSTANCE instance_ = nullptr;
    HWND hwnd_ = nullptr;
    HWND panel3_ = nullptr;
    HWND toolBar1_ = nullptr;
    HWND pages_[kPageCount] = {};
    int dpi_ = 96;
    Page activePage_ = kTabSheet1;
    std::vector<HWND> linkLabels_;
    HMENU pm1_ = nullptr;
    HMENU n18_ = nullptr;
    std::vector<std::string> openDriveRoots_;
    
    GdiObject formFont_, toolbarFont_, boldFont_, productFont_, linkFont_, footerFont_,
        captionFont_;
    GdiObject silverBrush_;
    GdiObject logo_;
    bool logoPremultiplied_ = false;
    HICON smallIcon_ = nullptr;
    HICON largeIcon_ = nullptr;

    std::unique_ptr<ui::TCoolTrayIcon> cltrycn1_;
    std::unique_ptr<ui::TMSNPopUp> msnp1_;
    std::unique_ptr<WindowShell> shell_;
    std::unique_ptr<RecordKeeping> records_;
    std::unique_ptr<AdminRunner> admin_;
    std::unique_ptr<DriveGuard> guard_;
    struct GuardHandle {
        uintptr_t handle;
        HDEVNOTIFY registration;
    };
    std::map<char, GuardHandle> guardHandles_;
    std::map<uintptr_t, char> letGoHandles_;  // handles of drives being removed
    std::unique_ptr<ui::TSkinComponent> SkinData1;

    std::unique_ptr<PageKit> kit_;
    std::unique_ptr<ScanPage> scanPage_;
    std::unique_ptr<ProcessPage> processPage_;
    std::unique_ptr<ToolsPage> toolsPage_;
    std::unique_ptr<ImmunityPage> immunityPage_;
    std::unique_ptr<RepairPage> repairPage_;
    std::unique_ptr<SettingsPage> settingsPage_;
    std::unique_ptr<QuarantinePage> quarantinePage_;

    bool FCanQuit = false;
};

}  // namespace kestrone::app
