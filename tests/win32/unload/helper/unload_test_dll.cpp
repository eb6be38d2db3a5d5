// A harmless test library: it only exists, so that a host can load it and the
// tests can make the host unload it again.
#include <windows.h>

extern "C" __declspec(dllexport) int UnloadTestMarker() {
    return 0x4B45;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
