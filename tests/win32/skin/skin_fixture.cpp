#include "skin_fixture.h"

#include "ui/skin/skin_messages.h"

namespace kestrone::test {

std::map<HWND, WindowLog>& Logs() {
    static std::map<HWND, WindowLog> logs;
    return logs;
}

LRESULT CALLBACK LoggingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowLog& log = Logs()[window];
    switch (message) {
        case WM_NCPAINT:
            ++log.ncPaints;
            break;
        case WM_CLOSE:
            ++log.closes;
            break;
        case WM_COMMAND:
            ++log.commands;
            log.lastCommand = wParam;
            return 0;
        case skinmsg::kTitleAction:
            log.titleActions.push_back(wParam);
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterTestClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = LoggingProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kSkinTestClass;
    RegisterClassA(&windowClass);
    registered = true;
}

TSkinControlSet MainSkinControls() {
    return {xcMainMenu, xcPopupMenu, xcControlbar, xcCombo,  xcCheckBox,  xcRadioButton,
            xcProgress, xcScrollbar, xcEdit,       xcButton, xcBitBtn,    xcSpeedButton,
            xcPanel,    xcGroupBox,  xcStatusBar,  xcTab,    xcSystemMenu};
}

void SkinTest::SetUp() {
    RegisterTestClass();
    component_ = std::make_unique<ui::TSkinComponent>();
    TSkinData& data = component_->Data;
    data.Active = true;
    data.SkinFormtype = TSkinFormType::sfMainform;
    data.SkinControls = MainSkinControls();
    data.Options = {xoPreview, xoToolbarBK};
    ASSERT_TRUE(component_->LoadFromResource(GetModuleHandleA(nullptr), "KESTRONE_SKIN"));
    component_->Activate(nullptr);
    ASSERT_NE(ui::TSkinManage::Instance(), nullptr);
    EXPECT_EQ(Manager().PendingAction(), SkinAction::SkinAll);
    Manager().RunPendingAction();  // what the timer does 250 ms later
    ASSERT_TRUE(Manager().Active());
}

void SkinTest::TearDown() {
    for (HWND window : windows_) {
        if (IsWindow(window)) DestroyWindow(window);
    }
    PumpFor(50);
    component_.reset();
    EXPECT_EQ(ui::TSkinManage::Instance(), nullptr)
        << "the last component took the manager with it";
}

HWND SkinTest::MakeWindow(DWORD style, int clientWidth, int clientHeight, const char* title,
                          HMENU menu, DWORD exStyle) {
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, style, menu != nullptr, exStyle);
    HWND window = CreateWindowExA(exStyle, kSkinTestClass, title, style, 120, 80,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr, menu,
                                  GetModuleHandleA(nullptr), nullptr);
    windows_.push_back(window);
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    return window;
}

HWND SkinTest::Child(HWND parent, const char* className, const char* text, DWORD style, int x,
                     int y, int w, int h, int id) {
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
}

bool SkinTest::WaitRunning(HWND window) {
    return PumpUntil(
        [&] {
            ui::TWinSkinForm* form = Form(window);
            return form && form->Life() == ui::FormLife::Running;
        },
        3000);
}

RECT SkinTest::WindowBox(HWND window) {
    RECT box{};
    GetWindowRect(window, &box);
    return box;
}

SIZE SkinTest::ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

}  // namespace kestrone::test
