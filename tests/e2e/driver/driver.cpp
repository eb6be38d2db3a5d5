// The end-to-end driver: a small Windows program that acts on a running
// Kestrone as Windows and as a user would. It finds the main window through
// the companion record ("Handle"), sends it messages, reads window texts,
// lists popups, opens the tray menu and answers message boxes. Each command
// prints what it saw as "key=value" lines and exits 0 on success.
#include <windows.h>
#include <commctrl.h>
#include <dbt.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "driver_controls.h"
#include "driver_files.h"
#include "driver_ordinary.h"
#include "driver_texts.h"
#include "app/ui_text.h"
#include "shell_tray.h"

namespace {

constexpr UINT kQuitRequest = WM_USER + 20;
constexpr UINT kTrayNotify = 0x800;
constexpr char kMainClass[] = "TMainForm";
constexpr char kTrayClass[] = "KestroneTrayIconWindow";

// The window's text as UTF-8 (popups carry Chinese texts). Read as the system
// keeps it, so no ANSI window procedure turns it into question marks.
std::string WideText(HWND window) {
    wchar_t text[1024] = {};
    InternalGetWindowText(window, text, 1024);
    char utf8[4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The main window named by the current user's companion record, if it is alive.
HWND PublishedMainWindow() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Corvane", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return nullptr;
    DWORD value = 0, size = sizeof value, type = 0;
    LONG status = RegQueryValueExA(key, "Handle", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_DWORD) return nullptr;
    HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(value));
    return IsWindow(window) && ClassOf(window) == kMainClass ? window : nullptr;
}

// The threat question: a dialog whose heading starts "Threat is detected".
HWND FindSelChoice();

HWND WaitFor(HWND (*find)(), int timeoutMs) {
    for (int waited = 0;; waited += 100) {
        if (HWND window = find()) return window;
        if (waited >= timeoutMs) return nullptr;
        Sleep(100);
    }
}

void Describe(HWND window) {
    RECT box, client{};
    GetWindowRect(window, &box);
    GetClientRect(window, &client);
    std::printf("client=%ld,%ld\n", client.right, client.bottom);
    std::printf("hwnd=0x%lx\nclass=%s\nvisible=%d\ncaption=%s\nrect=%ld,%ld,%ld,%ld\n",
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)), ClassOf(window).c_str(),
                IsWindowVisible(window) ? 1 : 0, WideText(window).c_str(), box.left, box.top, box.right,
                box.bottom);
}

struct Found {
    std::string className;
    std::string title;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context) {
    auto* found = reinterpret_cast<Found*>(context);
    if (!found->className.empty() && ClassOf(window) != found->className) return TRUE;
    if (!found->title.empty() && WideText(window) != found->title) return TRUE;
    found->windows.push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevel(const std::string& className, const std::string& title = "") {
    Found found{className, title, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&found));
    return found.windows;
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
    std::string text = WideText(child);
    if (!text.empty()) std::printf("child=%s|%s\n", ClassOf(child).c_str(), text.c_str());
    return TRUE;
}

int CopyData(const char* text);

HWND FindSelChoice() {
    for (HWND dialog : TopLevel("#32770")) {
        HWND heading = GetDlgItem(dialog, kSelChoiceHeading);
        if (!heading || !IsWindowVisible(dialog)) continue;
        // The heading in English or in the Chinese of a Chinese run.
        std::string text = WideText(heading);
        std::string chinese = kestrone::LocalizedIn(kestrone::UiLanguage::ChineseSimplified,
                                                    "Threat is detected in usb drive, select an action");
        if (text.rfind("Threat is detected", 0) == 0 || text.rfind(chinese, 0) == 0) return dialog;
    }
    return nullptr;
}

// Sends WM_COPYDATA TEXT and watches the popup it makes, every 10 ms, until it
// is gone: how it grew, its place when fully shown (the marker file is created
// then, so a screenshot can be taken), and whether its window was freed.
// Under an emulated CPU a program's first run of any code is slow (it is
// translated first), so the watch's calls are made once before the popup exists.
int PopupWatch(const char* text, const char* markerFile) {
    if (HWND main = PublishedMainWindow()) {
        RECT box;
        for (int round = 0; round < 3; ++round) {
            FindWindowExA(nullptr, nullptr, "TfrmMSNPopUp", nullptr);
            GetWindowRect(main, &box);
            IsWindowVisible(main);
            WideText(main);
            GetTickCount();
        }
    }
    if (CopyData(text) != 0) return 1;
    DWORD start = GetTickCount();
    HWND popup = nullptr;
    LONG firstHeight = -1, fullHeight = 0, smallestHeight = 1 << 30;
    int heightSteps = 0;
    DWORD fullAt = 0, goneAt = 0;
    LONG lastHeight = -1;
    // Cheap calls only (a search by class, then the found window alone), and
    // its size taken the moment it is found: the popup grows in steps of a few
    // milliseconds, and a slow (emulated, busy) watcher can miss all of them.
    while (GetTickCount() - start < 20000) {
        RECT box;
        for (HWND window = nullptr; !popup;) {
            window = FindWindowExA(nullptr, window, "TfrmMSNPopUp", nullptr);
            if (!window) break;
            if (!GetWindowRect(window, &box) || !IsWindowVisible(window)) continue;
            popup = window;
            firstHeight = box.bottom - box.top;
        }
        if (!popup) {
            Sleep(10);
            continue;
        }
        if (lastHeight >= 0 && (!IsWindowVisible(popup) || !GetWindowRect(popup, &box))) {
            goneAt = GetTickCount() - start;
            break;
        }
        LONG height = box.bottom - box.top;
        if (lastHeight < 0) std::printf("text=%s\n", WideText(popup).c_str());
        if (!fullAt && height < smallestHeight) smallestHeight = height;
        if (height != lastHeight) {
            ++heightSteps;
            std::printf("height=%ld at %lu ms\n", height,
                        static_cast<unsigned long>(GetTickCount() - start));
        }
        lastHeight = height;
        if (height > fullHeight) {
            fullHeight = height;
            std::printf("rect=%ld,%ld,%ld,%ld\n", box.left, box.top, box.right, box.bottom);
        }
        if (!fullAt && height >= 140) {
            fullAt = GetTickCount() - start;
            HANDLE marker = CreateFileA(markerFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
        }
        Sleep(10);
    }
    Sleep(500);
    std::printf("first_height=%ld\nsmallest_height=%ld\nfull_height=%ld\nheight_changes=%d\n"
                "full_ms=%lu\ngone_ms=%lu\n",
                firstHeight, smallestHeight, fullHeight, heightSteps, static_cast<unsigned long>(fullAt),
                static_cast<unsigned long>(goneAt));
    std::printf("freed=%d\n", popup && !IsWindow(popup) ? 1 : 0);
    return popup ? 0 : 1;
}

int TrayWindow() {
    std::vector<HWND> tray = TopLevel(kTrayClass);
    if (tray.empty()) return 1;
    std::printf("tray=0x%lx\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(tray.front())));
    return 0;
}

// Which page the main window shows, named by a control that only that page has.
int ShownPage() {
    HWND main = PublishedMainWindow();
    if (!main) return 1;
    struct Signature {
        int controlId;
        const char* page;
    } const signatures[] = {{1102, "scan"},     {1201, "process"},   {1301, "tools"},
                            {1401, "immunity"}, {1501, "fixsystem"}, {1601, "settings"},
                            {1701, "about"}};
    for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) != "KestronePage" || !IsWindowVisible(child)) continue;
        for (const Signature& signature : signatures)
            if (GetDlgItem(child, signature.controlId)) {
                std::printf("page=%s\n", signature.page);
                EnumChildWindows(child, PrintChild, 0);
                return 0;
            }
    }
    return 1;
}

int WorkArea() {
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    std::printf("workarea=%ld,%ld,%ld,%ld\n", area.left, area.top, area.right, area.bottom);
    return 0;
}

int PopupWindows() {
    std::printf("windows=%u\n", static_cast<unsigned>(TopLevel("TfrmMSNPopUp").size()));
    return 0;
}

// Announces a volume arrival for LETTER as Windows does and watches for what
// follows: the popup (with the time from the announcement to its window being
// visible) or the threat question. Returns when the announcement was handled.
DWORD WINAPI SendArrival(LPVOID context) {
    auto* record = static_cast<DEV_BROADCAST_VOLUME*>(context);
    HWND main = PublishedMainWindow();
    DWORD_PTR result = 0;
    if (main)
        SendMessageTimeoutA(main, WM_DEVICECHANGE, DBT_DEVICEARRIVAL,
                            reinterpret_cast<LPARAM>(record), SMTO_NORMAL, 180000, &result);
    return 0;
}

bool PopupVisible(HWND& popup) {
    for (HWND window : TopLevel("TfrmMSNPopUp"))
        if (IsWindowVisible(window)) {
            popup = window;
            return true;
        }
    return false;
}

int Arrive(char letter, int watchMs) {
    DEV_BROADCAST_VOLUME record{};
    record.dbcv_size = sizeof record;
    record.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    record.dbcv_unitmask = 1u << (letter - 'A');
    // Popups of earlier arrivals are not this one's.
    std::vector<HWND> before = TopLevel("TfrmMSNPopUp");
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    HANDLE sender = CreateThread(nullptr, 0, SendArrival, &record, 0, nullptr);
    bool reported = false, askedReported = false;
    for (;;) {
        QueryPerformanceCounter(&now);
        double ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
                    static_cast<double>(frequency.QuadPart);
        HWND popup = nullptr;
        if (!reported && PopupVisible(popup)) {
            bool isNew = true;
            for (HWND old : before)
                if (old == popup && IsWindowVisible(old)) isNew = false;
            if (isNew) {
                std::printf("popup_ms=%.1f\ntext=%s\n", ms, WideText(popup).c_str());
                reported = true;
            }
        }
        if (!askedReported && FindSelChoice()) {
            std::printf("dialog_ms=%.1f\n", ms);
            askedReported = true;
        }
        bool handled = WaitForSingleObject(sender, 0) == WAIT_OBJECT_0;
        if ((handled && (reported || ms > watchMs)) || ms > watchMs + 180000) break;
        Sleep(2);
    }
    CloseHandle(sender);
    std::printf("handled=1\n");
    return 0;
}

// Answers the threat question: picks item INDEX (-1: none), ticks
// "Don't show this again." when asked, sets "Always trust this stick" as
// `trust` says ("1", "0"; empty: as the dialog showed it, which is printed),
// and presses OK (or Cancel, or the close box).
int AnswerSelChoice(int index, bool dontShowAgain, const std::string& how, int timeoutMs,
                    const std::string& trust) {
    HWND dialog = nullptr;
    for (int waited = 0; !(dialog = FindSelChoice()) && waited < timeoutMs; waited += 100) Sleep(100);
    if (!dialog) {
        std::printf("dialog=none\n");
        return 1;
    }
    Describe(dialog);
    EnumChildWindows(dialog, PrintChild, 0);
    for (int item = 0; item < 3; ++item)
        SendMessageA(GetDlgItem(dialog, kSelChoiceFirstItem + item), BM_SETCHECK,
                     item == index ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageA(GetDlgItem(dialog, kSelChoiceNotShowAgain), BM_SETCHECK,
                 dontShowAgain ? BST_CHECKED : BST_UNCHECKED, 0);
    HWND trustBox = GetDlgItem(dialog, kSelChoiceTrust);
    std::printf("trust_enabled=%d\ntrust_checked=%d\n", trustBox && IsWindowEnabled(trustBox) ? 1 : 0,
                trustBox && SendMessageA(trustBox, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
    if (trustBox && !trust.empty())
        SendMessageA(trustBox, BM_SETCHECK, trust == "1" ? BST_CHECKED : BST_UNCHECKED, 0);
    if (how == "close-box")
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    else
        PostMessageA(dialog, WM_COMMAND, how == "cancel" ? IDCANCEL : IDOK, 0);
    return 0;
}

// What Windows says of the volume in a drive: serial=1A2B3C4D, label=WORK.
int Volume(char letter) {
    wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', 0};
    wchar_t label[MAX_PATH + 1] = {};
    DWORD serial = 0;
    if (!GetVolumeInformationW(root, label, MAX_PATH + 1, &serial, nullptr, nullptr, nullptr, 0)) {
        std::printf("error=%lu\n", GetLastError());
        return 1;
    }
    char text[MAX_PATH * 3 + 1] = {};
    WideCharToMultiByte(CP_UTF8, 0, label, -1, text, sizeof text, nullptr, nullptr);
    std::printf("serial=%08lX\nlabel=%s\n", serial, text);
    return 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: driver find-main [ms] | main-size W H | wait-gone [ms] | close-box | quit-request |\n"
                 "  query-end-session |\n"
                 "  copydata TEXT | click-tool INDEX | popups | tray-menu-open |\n"
                 "  menu-shown [ms] | menu-choose-last | message-box TITLE [ms] |\n"
                 "  press-ok|press-yes|press-no|press-cancel TITLE | page | page-texts | shell-icon |\n"
                 "  shell-click left|right|double | shell-tip [ms] |\n"
                 "  tray-window | work-area | popup-windows | popup-watch TEXT MARKER |\n"
                 "  arrive LETTER [ms] | sel-choice INDEX TICK ok|cancel|close-box [ms [TRUST]] |\n"
                 "  dialog-open | volume LETTER | wait-window CLASS [ms] | start-ordinary FOLDER COMMAND-LINE |\n"
                 "  %s |\n  %s\n",
                 kControlCommandsUsage, kFileCommandsUsage);
    return 2;
}

int FindMain(int timeoutMs) {
    HWND window = WaitFor(PublishedMainWindow, timeoutMs);
    if (!window) {
        std::printf("main=none\n");
        return 1;
    }
    Describe(window);
    return 0;
}

// Sizes the main window as a user's drag would, ending with the message a
// drag ends with.
int SizeMain(int width, int height) {
    HWND window = PublishedMainWindow();
    if (!window) return 1;
    DWORD_PTR result = 0;
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOZORDER);
    SendMessageTimeoutA(window, WM_EXITSIZEMOVE, 0, 0, SMTO_NORMAL, 5000, &result);
    Describe(window);
    return 0;
}

int WaitGone(int timeoutMs) {
    for (int waited = 0; waited <= timeoutMs; waited += 100) {
        if (TopLevel(kMainClass).empty()) {
            std::printf("main=gone\n");
            return 0;
        }
        Sleep(100);
    }
    std::printf("main=still-there\n");
    return 1;
}

int SendToMain(UINT message, WPARAM wParam, LPARAM lParam, bool post) {
    HWND window = PublishedMainWindow();
    if (!window) return 1;
    if (post) return PostMessageA(window, message, wParam, lParam) ? 0 : 1;
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 5000, &result);
    std::printf("result=%lu\n", static_cast<unsigned long>(result));
    return 0;
}

int CopyData(const char* text) {
    COPYDATASTRUCT data{};
    data.dwData = 0;
    data.cbData = static_cast<DWORD>(std::strlen(text) + 1);
    data.lpData = const_cast<char*>(text);
    return SendToMain(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), false);
}

// A press on the INDEX-th toolbar button (0 = "Scan "), as a mouse click.
int ClickTool(int index) {
    HWND main = PublishedMainWindow();
    if (!main) return 1;
    HWND panel = GetWindow(main, GW_CHILD);
    HWND toolbar = nullptr;
    for (HWND child = panel; child && !toolbar; child = GetWindow(child, GW_HWNDNEXT))
        toolbar = FindWindowExA(child, nullptr, "ToolbarWindow32", nullptr);
    if (!toolbar) return 1;
    // Buttons are as high as the toolbar says (they grow with the DPI).
    const LRESULT size = SendMessageA(toolbar, TB_GETBUTTONSIZE, 0, 0);
    const int height = HIWORD(size) ? HIWORD(size) : 24;
    LPARAM point = MAKELPARAM(LOWORD(size) ? LOWORD(size) / 2 : 30, index * height + height / 2);
    PostMessageA(toolbar, WM_MOUSEMOVE, 0, point);
    PostMessageA(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(toolbar, WM_LBUTTONUP, 0, point);
    return 0;
}

int Popups() {
    std::vector<HWND> popups = TopLevel("TfrmMSNPopUp");
    int shown = 0;
    for (HWND popup : popups) {
        if (!IsWindowVisible(popup)) continue;
        ++shown;
        Describe(popup);
        EnumChildWindows(popup, PrintChild, 0);
    }
    std::printf("popups=%d\n", shown);
    return 0;
}

// Waits for a shown popup menu and describes it.
int MenuShown(int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 100) {
        for (HWND menu : TopLevel("#32768"))
            if (IsWindowVisible(menu)) {
                Describe(menu);
                return 0;
            }
        Sleep(100);
    }
    return 1;
}

int TrayMenuOpen() {
    std::vector<HWND> tray = TopLevel(kTrayClass);
    if (tray.empty()) return 1;
    PostMessageA(tray.front(), kTrayNotify, 1, WM_RBUTTONDOWN);
    PostMessageA(tray.front(), kTrayNotify, 1, WM_RBUTTONUP);
    return MenuShown(5000);
}

// Chooses the open menu's last item with the keyboard (Up from no selection, Enter).
int MenuChooseLast() {
    for (HWND menu : TopLevel("#32768"))
        if (IsWindowVisible(menu)) {
            PostMessageA(menu, WM_KEYDOWN, VK_UP, 0);
            PostMessageA(menu, WM_KEYUP, VK_UP, 0);
            Sleep(300);
            PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
            PostMessageA(menu, WM_KEYUP, VK_RETURN, 0);
            return 0;
        }
    return 1;
}

// A box counts once it is shown: while the system builds it, it is hidden and
// still holds every button it might need and no text.
int MessageBoxText(const char* title, int timeoutMs) {
    for (int waited = 0; waited <= timeoutMs; waited += 100) {
        for (HWND box : TopLevel("#32770", title)) {
            if (!IsWindowVisible(box)) continue;
            Describe(box);
            EnumChildWindows(box, PrintChild, 0);
            return 0;
        }
        Sleep(100);
    }
    std::printf("box=none\n");
    return 1;
}

int PressOk(const char* title, int command = IDOK) {
    std::vector<HWND> boxes = TopLevel("#32770", title);
    if (boxes.empty()) return 1;
    PostMessageA(boxes.front(), WM_COMMAND, command, 0);
    return 0;
}

// Waits for a top-level window of a class, visible or not, and describes it.
int WaitWindow(const char* className, int timeoutMs) {
    for (int waited = 0; waited <= timeoutMs; waited += 100) {
        std::vector<HWND> windows = TopLevel(className);
        if (!windows.empty()) {
            Describe(windows.front());
            return 0;
        }
        Sleep(100);
    }
    std::printf("window=none\n");
    return 1;
}

}  // namespace

int main() {
    // Arguments as UTF-8, so Chinese titles can be named on the command line.
    int argc = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::string> arguments;
    for (int index = 0; index < argc; ++index) {
        char utf8[2048] = {};
        WideCharToMultiByte(CP_UTF8, 0, wide[index], -1, utf8, sizeof utf8, nullptr, nullptr);
        arguments.emplace_back(utf8);
    }
    LocalFree(wide);
    std::vector<char*> pointers;
    for (std::string& argument : arguments) pointers.push_back(argument.data());
    char** argv = pointers.data();
    if (argc < 2) return Usage();
    std::string command = argv[1];
    int number = argc > 2 ? std::atoi(argv[2]) : 0;
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (command == "find-main") return FindMain(argc > 2 ? number : 10000);
    if (command == "main-size" && argc > 3) return SizeMain(number, std::atoi(argv[3]));
    if (command == "wait-gone") return WaitGone(argc > 2 ? number : 10000);
    if (command == "close-box") return SendToMain(WM_SYSCOMMAND, SC_CLOSE, 0, true);
    if (command == "quit-request") return SendToMain(kQuitRequest, 0, 0, true);
    if (command == "query-end-session") return SendToMain(WM_QUERYENDSESSION, 0, 0, false);
    if (command == "copydata" && argc > 2) return CopyData(argv[2]);
    if (command == "click-tool" && argc > 2) return ClickTool(number);
    if (command == "popups") return Popups();
    if (command == "popup-windows") return PopupWindows();
    if (command == "popup-watch" && argc > 3) return PopupWatch(argv[2], argv[3]);
    if (command == "tray-window") return TrayWindow();
    if (command == "page") return ShownPage();
    if (command == "page-texts") return PageTexts(PublishedMainWindow());
    if (command == "work-area") return WorkArea();
    if (command == "tray-menu-open") return TrayMenuOpen();
    if (command == "menu-choose-last") return MenuChooseLast();
    if (command == "menu-shown") return MenuShown(argc > 2 ? number : 5000);
    if (command == "message-box" && argc > 2)
        return MessageBoxText(argv[2], argc > 3 ? std::atoi(argv[3]) : 10000);
    if (command == "press-ok" && argc > 2) return PressOk(argv[2]);
    if (command == "press-yes" && argc > 2) return PressOk(argv[2], IDYES);
    if (command == "press-no" && argc > 2) return PressOk(argv[2], IDNO);
    if (command == "press-cancel" && argc > 2) return PressOk(argv[2], IDCANCEL);
    if (command == "arrive" && argc > 2) return Arrive(argv[2][0], argc > 3 ? std::atoi(argv[3]) : 5000);
    if (command == "sel-choice" && argc > 4)
        return AnswerSelChoice(number, std::atoi(argv[3]) != 0, argv[4],
                               argc > 5 ? std::atoi(argv[5]) : 20000, argc > 6 ? argv[6] : "");
    if (command == "dialog-open") return FindSelChoice() ? 0 : 1;
    if (command == "volume" && argc > 2) return Volume(argv[2][0]);
    if (command == "start-ordinary" && argc > 3) return StartOrdinary(argv[2], argv[3]);
    int file = FileCommand(arguments);
    if (file != kNotAFileCommand) return file;
    int control = ControlCommand(PublishedMainWindow(), arguments);
    if (control != kNotAControlCommand) return control;
    if (command == "wait-window" && argc > 2)
        return WaitWindow(argv[2], argc > 3 ? std::atoi(argv[3]) : 10000);
    int shell = ShellTrayCommand(command, argc > 2 ? argv[2] : "");
    return shell >= 0 ? shell : Usage();
}
