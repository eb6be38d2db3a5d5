// The suite's entry. Started with "--foreign-window TITLE" the program only
// shows a window of the test class under that title until it is told to go:
// the window of another process that the skin must never touch.
//
// Under Wine the suite asks for whole windows to be drawn, as on Windows
// (support/wine_whole_windows.h).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "skin_fixture.h"
#include "support/wine_whole_windows.h"

namespace {

int ShowForeignWindow(const char* title) {
    kestrone::test::RegisterTestClass();
    HWND window =
        CreateWindowExA(0, kestrone::test::kSkinTestClass, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        300, 300, 300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window) return 1;
    MSG message;
    while (IsWindow(window) && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == window && message.message == WM_USER) break;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[1], "--foreign-window") == 0)
        return ShowForeignWindow(argv[2]);
    if (kestrone::test::MustRestartForWholeWindows()) return kestrone::test::RunSelfAgain();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
