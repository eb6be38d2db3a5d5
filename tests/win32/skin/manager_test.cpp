// The skin manager under Wine: which windows it skins once they are
// activated, switching Active, and the window list kept by handle.
#include <string>

#include "skin_fixture.h"
#include "ui/skin/skin_messages.h"

namespace kestrone::test {
namespace {

constexpr DWORD kFixedWindow = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

TEST_F(SkinTest, OwnWindowIsSkinnedOnActivationAndKeepsItsClientArea) {
    HWND window = MakeWindow(kFixedWindow, 300, 200);
    ASSERT_TRUE(WaitRunning(window));
    EXPECT_EQ(SendMessageA(window, skinmsg::kQuery, 0, 0), 1);
    EXPECT_TRUE(ui::IsSkinnedWindow(window));
    const RECT box = WindowBox(window);
    EXPECT_EQ(box.right - box.left, 310);           // borders 5 and 5
    EXPECT_EQ(box.bottom - box.top, 200 + 27 + 5);  // title 27, bottom 5
    EXPECT_EQ(ClientSize(window).cx, 300);
    EXPECT_EQ(ClientSize(window).cy, 200);
    EXPECT_EQ(Form(window)->Kind(), FrameKind::Caption);
}

// What the timer saw of the message box below.
struct MessageBoxProbe {
    bool seen = false, skinned = false, running = false;
    ui::TSkinManage* manager = nullptr;
} probe;

// A timer routine, declared as the system calls it (a lambda cannot carry the
// 32-bit calling convention).
void CALLBACK ProbeMessageBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = FindWindowA("#32770", "Skin probe");
    if (!box) return;
    ui::TWinSkinForm* form = probe.manager->FindForm(box);
    if (!form || form->Life() != ui::FormLife::Running) return;
    probe.seen = true;
    probe.skinned = SendMessageA(box, skinmsg::kQuery, 0, 0) == 1;
    probe.running = form->Kind() == FrameKind::Dialog;
    KillTimer(nullptr, timer);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

// A message box is a "#32770" of the system's module; the program shows it,
// so it is skinned (and answers the query) while it is up.
TEST_F(SkinTest, MessageBoxOfTheProgramIsSkinned) {
    probe = {};
    probe.manager = &Manager();
    SetTimer(nullptr, 0, 100, ProbeMessageBox);
    MessageBoxA(nullptr, "Is this box skinned?", "Skin probe", MB_OK | MB_ICONINFORMATION);
    EXPECT_TRUE(probe.seen);
    EXPECT_TRUE(probe.skinned);
    EXPECT_TRUE(probe.running);
}

TEST_F(SkinTest, WindowOfAnotherProcessIsNeverSkinned) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string title = "Foreign " + std::to_string(GetCurrentProcessId());
    std::string command = std::string("\"") + self + "\" --foreign-window \"" + title + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    HWND foreign = nullptr;
    PumpUntil([&] { return (foreign = FindWindowA(kSkinTestClass, title.c_str())) != nullptr; },
              20000);
    ASSERT_NE(foreign, nullptr);
    SetForegroundWindow(foreign);
    PumpFor(300);
    // Same class, same module base address: still not ours.
    EXPECT_FALSE(Manager().SkinWindow(foreign, true));
    EXPECT_EQ(Form(foreign), nullptr);
    DWORD_PTR answer = 99;
    SendMessageTimeoutA(foreign, skinmsg::kQuery, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
    EXPECT_EQ(answer, 0u);
    PostMessageA(foreign, WM_USER, 0, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

TEST_F(SkinTest, Tag99IsNeverSkinnedWhateverDisableTagSays) {
    component_->Data.DisableTag = 5;
    for (int tag : {99, 5}) {
        HWND window = CreateWindowExA(0, kSkinTestClass, "Tagged", kFixedWindow, 100, 100, 200, 150,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        windows_.push_back(window);
        ui::SetSkinTag(window, tag);
        ShowWindow(window, SW_SHOWNORMAL);
        SetForegroundWindow(window);
        PumpFor(200);
        EXPECT_EQ(Form(window) != nullptr, tag != 99) << "tag " << tag;
        EXPECT_EQ(ui::IsSkinnedWindow(window), tag != 99) << "tag " << tag;
    }
}

TEST_F(SkinTest, SwitchingActiveOffRestoresFrameAndSizeAndOnAgainSkins) {
    HWND window = MakeWindow(kFixedWindow, 260, 140);
    RECT own{0, 0, 260, 140};
    AdjustWindowRectEx(&own, kFixedWindow, FALSE, 0);
    ASSERT_TRUE(WaitRunning(window));
    EXPECT_NE(WindowBox(window).right - WindowBox(window).left, own.right - own.left);

    component_->Data.SetActive(false);
    EXPECT_EQ(Manager().PendingAction(), SkinAction::UnskinAll);
    Manager().RunPendingAction();
    EXPECT_FALSE(Manager().Active());
    EXPECT_FALSE(ui::IsSkinnedWindow(window));
    const RECT box = WindowBox(window);
    EXPECT_EQ(box.right - box.left, own.right - own.left);
    EXPECT_EQ(box.bottom - box.top, own.bottom - own.top);
    EXPECT_EQ(ClientSize(window).cx, 260);
    EXPECT_EQ(ClientSize(window).cy, 140);
    // The window's own procedure paints its frame again.
    const int paints = Logs()[window].ncPaints;
    SendMessageA(window, WM_NCPAINT, 1, 0);
    EXPECT_EQ(Logs()[window].ncPaints, paints + 1);
    // Activation while inactive skins nothing.
    SetForegroundWindow(window);
    PumpFor(100);
    EXPECT_EQ(Form(window), nullptr);

    component_->Data.SetActive(true);
    Manager().RunPendingAction();
    ASSERT_TRUE(WaitRunning(window));
    EXPECT_EQ(ClientSize(window).cx, 260);
    EXPECT_EQ(ClientSize(window).cy, 140);
}

// The list is kept by handle: a destroyed window's entry goes at once, its
// object once nothing of it runs; nothing is probed in memory.
TEST_F(SkinTest, DestroyedWindowLeavesTheListAtOnce) {
    HWND first = MakeWindow(kFixedWindow, 200, 100, "First");
    HWND second = MakeWindow(kFixedWindow, 200, 100, "Second");
    ASSERT_TRUE(WaitRunning(first));
    ASSERT_TRUE(WaitRunning(second));
    const size_t count = Manager().FormCount();
    DestroyWindow(first);
    EXPECT_EQ(Manager().FormCount(), count - 1);
    EXPECT_EQ(Form(first), nullptr);
    EXPECT_GE(Manager().RetiredFormCount(), 1u);
    // Every action starts by freeing what is gone; a refresh then walks the
    // live windows only.
    Manager().Schedule(SkinAction::Refresh, &component_->Data);
    Manager().RunPendingAction();
    EXPECT_EQ(Manager().RetiredFormCount(), 0u);
    EXPECT_TRUE(ui::IsSkinnedWindow(second));
    // A new window, whatever handle it gets, is skinned afresh.
    HWND third = MakeWindow(kFixedWindow, 200, 100, "Third");
    ASSERT_TRUE(WaitRunning(third));
    EXPECT_EQ(Manager().FormCount(), count);
}

TEST_F(SkinTest, RefreshAndReskinKeepTheClientArea) {
    HWND window = MakeWindow(kFixedWindow | WS_THICKFRAME | WS_MAXIMIZEBOX, 320, 180);
    ASSERT_TRUE(WaitRunning(window));
    ASSERT_TRUE(component_->Data.LoadSkin());  // a skin loaded again: a refresh follows
    EXPECT_EQ(Manager().PendingAction(), SkinAction::Refresh);
    Manager().RunPendingAction();
    EXPECT_EQ(ClientSize(window).cx, 320);
    EXPECT_EQ(ClientSize(window).cy, 180);
    Manager().Schedule(SkinAction::ReskinOne, &component_->Data, window);
    Manager().RunPendingAction();
    ASSERT_TRUE(WaitRunning(window));
    EXPECT_EQ(ClientSize(window).cx, 320);
    EXPECT_EQ(ClientSize(window).cy, 180);
}

}  // namespace
}  // namespace kestrone::test
