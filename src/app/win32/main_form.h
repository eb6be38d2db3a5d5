// TMainForm: the program's main window. A fixed-size window with the logo and
// the vertical toolbar on the left and the pages on the right (tabs hidden:
// pages change through the toolbar and the tray menu). It owns the tray icon
// with its menu and the notification popup, answers companion messages, and
// ends the program only on an explicit quit: closing it only hides it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "win_support.h"

namespace kestrone::ui {
class TCoolTrayIcon;
class TMSNPopUp;
class TSkinComponent;
}  // namespace kestrone::ui

namespace kestrone::app {

class WindowShell;

// The pages of PageControl1, in toolbar order.
enum Page : int {
    kTabSheet1 = 0,  // Scan
    kTabSheet7,      // Process
    kTabSheet8,      // Tools
    kTabSheet2,      // Immunity
    kTabSheet3,      // FixSystem
    kTabSheet4,      // Settings
    kTabSheet10,     // About
    kPageCount
};

// Message a companion sends to make the program end.
inline constexpr UINT WM_QUITREQUEST = WM_USER + 20;  // 0x414
inline constexpr char kMainWindowClass[] = "TMainForm";

class TMainForm {
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
    bool StopRequested() const { return FStopRequested; }
    void ShowProgress(const std::string& path);
    void AddReportLine(const std::string& line);

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

    // Layout (main_form_layout.cpp, main_form_pages*.cpp).
    void CreateLeftPanel();
    void CreatePages();
    HWND MakePage();
    void CreateScanPage(HWND page);
    void CreateProcessPage(HWND page);
    void CreateToolsPage(HWND page);
    void CreateImmunityPage(HWND page);
    void CreateRepairPage(HWND page);
    void CreateSettingsPage(HWND page);
    void CreateAboutPage(HWND page);
    HWND Control(HWND parent, const char* className, const char* text, DWORD style, int x, int y,
                 int width, int height, int id, HFONT font = nullptr, DWORD exStyle = 0);
    void AddTooltip(HWND control, const char* text);

    // Commands (main_form_commands.cpp).
    void OnCommand(int id, int notification);
    void OnPageShow(Page page);
    void RunUpdater();
    void OpenWebsite();
    void OpenEmail();
    void OpenHelp();
    void OpenDriveSafely(int itemId);
    void UpdateImmunityControls();

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
    HWND tooltips_ = nullptr;
    HWND pages_[kPageCount] = {};
    Page activePage_ = kTabSheet1;
    std::vector<HWND> linkLabels_;
    HMENU pm1_ = nullptr;
    HMENU n18_ = nullptr;
    HMENU popupMenu1_ = nullptr;
    HIMAGELIST unlockImages_ = nullptr;
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
    std::unique_ptr<ui::TSkinComponent> SkinData1;

    bool FCanQuit = false;
    bool FScanning = false;
    bool FStopRequested = false;
};

}  // namespace kestrone::app
