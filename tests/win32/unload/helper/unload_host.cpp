// A harmless test host: loads a library the given number of times (and,
// when asked, a slow-loading second library on another thread), then waits.
// When the first library has left it, it sets the event
// "KestroneUnloadTestGone-<its process id>". It ends by itself after a minute.
// Usage: unload_host LIBRARY COUNT [SLOW-LIBRARY]
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

DWORD WINAPI LoadSlowly(void* path) {
    LoadLibraryA(static_cast<const char*>(path));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 10;
    const char* library = argv[1];
    for (int i = 0; i < std::atoi(argv[2]); ++i) {
        if (!LoadLibraryA(library)) return 11;
    }
    if (argc > 3) {
        HANDLE thread = CreateThread(nullptr, 0, LoadSlowly, argv[3], 0, nullptr);
        if (thread) CloseHandle(thread);
    }
    char eventName[64];
    std::snprintf(eventName, sizeof eventName, "KestroneUnloadTestGone-%lu",
                  static_cast<unsigned long>(GetCurrentProcessId()));
    HANDLE gone = CreateEventA(nullptr, TRUE, FALSE, eventName);
    for (int i = 0; i < 1200; ++i) {
        if (!GetModuleHandleA(library) && gone) SetEvent(gone);
        Sleep(50);
    }
    if (gone) CloseHandle(gone);
    return 0;
}
