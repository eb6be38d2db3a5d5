// A harmless test library that takes four seconds to load. While it loads,
// its host's loader is busy, and a thread started in the host cannot begin:
// this is how the tests make a remote thread outlast its wait.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) Sleep(4000);
    return TRUE;
}
