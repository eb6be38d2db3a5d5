// Times the skin on a window shaped like Kestrone's main window (client
// 429 x 269, caption, system menu and minimise box, a panel and controls):
// loading the packed skin, skinning the window until it runs, and one full
// repaint of its skinned frame, against the system painting its own frame
// on the same window without the skin (the baseline of the same run).
// Run by hand on a display: bench_skin_frame_win32 [repaints]   (default 400)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "support/wine_whole_windows.h"
#include "ui/skin/skin_messages.h"
#include "ui/skin/win32/skin_component.h"
#include "ui/skin/win32/skin_manage.h"
#include "ui/skin/win32/win_skin_form.h"

namespace {

using namespace kestrone;

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Pump(int milliseconds) {
    const double end = Now() + milliseconds / 1000.0;
    while (Now() < end) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(1);
    }
}

HWND MainLikeWindow(const char* title, int tag) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = "KestroneBenchForm";
        RegisterClassA(&windowClass);
        registered = true;
    }
    constexpr DWORD kStyle =
        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT frame{0, 0, 429, 269};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    HWND window = CreateWindowExA(0, "KestroneBenchForm", title, kStyle, 100, 100,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    ui::SetSkinTag(window, tag);
    const auto child = [&](const char* cls, const char* text, DWORD style, int x, int y, int w,
                           int h) {
        CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, window, nullptr,
                        GetModuleHandleA(nullptr), nullptr);
    };
    child("BUTTON", "Start", BS_PUSHBUTTON, 340, 28, 80, 26);
    child("BUTTON", "Stop", BS_PUSHBUTTON, 340, 62, 80, 26);
    child("BUTTON", " Group ", BS_GROUPBOX, 76, 100, 340, 100);
    child("BUTTON", "Check", BS_AUTOCHECKBOX, 90, 120, 150, 18);
    child("EDIT", "", ES_MULTILINE | WS_VSCROLL | WS_BORDER, 76, 210, 340, 50);
    return window;
}

// Milliseconds per call: the median of `runs` timed calls.
template <typename Work>
double MedianMs(int runs, Work work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = Now();
        work();
        GdiFlush();
        times.push_back((Now() - start) * 1000.0);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (test::MustRestartForWholeWindows()) return test::RunSelfAgain();
    const int repaints = argc > 1 ? std::max(10, std::atoi(argv[1])) : 400;

    double start = Now();
    ui::TSkinComponent component;
    component.Data.Active = true;
    component.Data.SkinControls = {xcMainMenu,  xcPopupMenu, xcCombo,  xcCheckBox, xcRadioButton,
                                   xcScrollbar, xcEdit,      xcButton, xcBitBtn,   xcPanel,
                                   xcGroupBox,  xcStatusBar, xcTab};
    if (!component.LoadFromResource(GetModuleHandleA(nullptr), "KESTRONE_SKIN")) {
        std::printf("no skin resource\n");
        return 1;
    }
    const double loadMs = (Now() - start) * 1000.0;
    component.Activate(nullptr);
    ui::TSkinManage& manager = *ui::TSkinManage::Instance();
    manager.RunPendingAction();

    HWND plain = MainLikeWindow("Kestrone V2.3", 99);  // never skinned: the baseline
    ShowWindow(plain, SW_SHOWNORMAL);
    Pump(300);
    start = Now();
    HWND skinned = MainLikeWindow("Kestrone V2.3", 0);
    ShowWindow(skinned, SW_SHOWNORMAL);
    SetForegroundWindow(skinned);
    while (!manager.FindForm(skinned) || manager.FindForm(skinned)->Life() != ui::FormLife::Running)
        Pump(1);
    UpdateWindow(skinned);
    GdiFlush();
    const double skinMs = (Now() - start) * 1000.0;
    Pump(300);

    ui::TWinSkinForm& form = *manager.FindForm(skinned);
    const double skinRepaint = MedianMs(repaints, [&] { form.PaintFrame(); });
    const double systemRepaint = MedianMs(repaints, [&] { SendMessageA(plain, WM_NCPAINT, 1, 0); });
    std::printf("%u-bit build, window client 429 x 269, %d repaints each\n",
                static_cast<unsigned>(8 * sizeof(void*)), repaints);
    std::printf("  loading the packed skin          %8.2f ms\n", loadMs);
    std::printf("  showing the window until skinned %8.2f ms\n", skinMs);
    std::printf("  repaint of the skinned frame     %8.3f ms\n", skinRepaint);
    std::printf("  repaint of the system frame      %8.3f ms\n", systemRepaint);
    std::printf("  skinned / system frame           %8.2fx\n", skinRepaint / systemRepaint);
    DestroyWindow(skinned);
    DestroyWindow(plain);
    return 0;
}
