#include "tell_kestrone.h"

#include <windows.h>

#include "app/definitions_update_message.h"
#include "platform/win32/handles.h"
#include "updater/companion_record.h"

namespace kestrone::updater {

namespace {

constexpr UINT kQuitRequest = WM_USER + 20;  // Kestrone's WM_QUITREQUEST
constexpr char kMainWindowClass[] = "TMainForm";
constexpr DWORD kQuitWaitMs = 30000;

HWND RunningMainWindow(const PublishedKestrone& published) {
    HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(published.windowHandle));
    if (!window || !IsWindow(window)) return nullptr;
    // A stale record may name a handle that another window now has.
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpiA(className, kMainWindowClass) == 0 ? window : nullptr;
}

bool AskToReload(HWND window) {
    DWORD_PTR reply = 0;
    UINT message = RegisterWindowMessageA(kDefinitionsUpdatedMessage);
    return SendMessageTimeoutA(window, message, 0, 0, SMTO_ABORTIFHUNG, kDefinitionsReloadTimeoutMs,
                               &reply) &&
           reply == kDefinitionsReloadedReply;
}

// Ends that copy and waits until it is gone, so the new one is not turned
// away as a second copy.
bool EndRunningCopy(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    platform::KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    PostMessageA(window, kQuitRequest, 0, 0);
    if (process) return WaitForSingleObject(process.get(), kQuitWaitMs) == WAIT_OBJECT_0;
    for (DWORD waited = 0; waited < kQuitWaitMs && IsWindow(window); waited += 100) Sleep(100);
    return !IsWindow(window);
}

bool StartInTray(const std::string& folder) {
    std::string program = folder + "Kestrone.exe";
    std::string commandLine = "\"" + program + "\" -Hide";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &started)) {
        return false;
    }
    platform::KernelHandle process(started.hProcess), thread(started.hThread);
    return true;
}

}  // namespace

KestroneTold TellKestrone() {
    PublishedKestrone published = ReadPublishedKestrone();
    HWND window = RunningMainWindow(published);
    if (!window) return KestroneTold::NotRunning;
    if (AskToReload(window)) return KestroneTold::Reloaded;
    if (published.mainPath.empty() || !EndRunningCopy(window)) return KestroneTold::RestartFailed;
    return StartInTray(published.mainPath) ? KestroneTold::Restarted : KestroneTold::RestartFailed;
}

std::string DescribeTold(KestroneTold told) {
    switch (told) {
        case KestroneTold::NotRunning:
            return "Kestrone will use them at its next start.";
        case KestroneTold::Reloaded:
            return "Kestrone now uses them.";
        case KestroneTold::Restarted:
            return "Kestrone was restarted in the tray and now uses them.";
        case KestroneTold::RestartFailed:
            return "Kestrone will use them once it is started again.";
    }
    return "";
}

}  // namespace kestrone::updater
