// What the skin tests share: the program's default skin registered as the
// main window's component, windows of this program that log what reaches
// their own procedure, and waiting for a window to run with its skin.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "ui/skin/win32/skin_component.h"
#include "ui/skin/win32/skin_manage.h"
#include "ui/skin/win32/win_skin_form.h"
#include "win32/tray/message_pump.h"

namespace kestrone::test {

inline constexpr char kSkinTestClass[] = "KestroneSkinTestWindow";

// What reached a test window's own procedure.
struct WindowLog {
    int ncPaints = 0;
    int closes = 0;
    int commands = 0;
    WPARAM lastCommand = 0;
    std::vector<WPARAM> titleActions;
};
std::map<HWND, WindowLog>& Logs();
LRESULT CALLBACK LoggingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void RegisterTestClass();

// The main window's settings.
TSkinControlSet MainSkinControls();

class SkinTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A window of this program with the given client size, shown and
    // activated, so the manager sees it.
    HWND MakeWindow(DWORD style, int clientWidth, int clientHeight, const char* title = "Skin test",
                    HMENU menu = nullptr, DWORD exStyle = 0);
    HWND Child(HWND parent, const char* className, const char* text, DWORD style, int x, int y,
               int w, int h, int id);
    ui::TSkinManage& Manager() { return *ui::TSkinManage::Instance(); }
    ui::TWinSkinForm* Form(HWND window) { return Manager().FindForm(window); }
    // Pumps until the window's skin runs (false after three seconds).
    bool WaitRunning(HWND window);
    static RECT WindowBox(HWND window);
    static SIZE ClientSize(HWND window);

    std::unique_ptr<ui::TSkinComponent> component_;
    std::vector<HWND> windows_;
};

}  // namespace kestrone::test
