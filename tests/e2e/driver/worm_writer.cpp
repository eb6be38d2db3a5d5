// A harmless stand-in for a worm running on the PC: it copies its own program
// to the root of the drive it is given and writes an Autorun.inf that starts
// that copy, then keeps running (two minutes at most), as a worm waiting for
// the next stick would. It spreads nowhere else and does nothing else.
// Usage: e2e-worm-writer.exe E:
#include <windows.h>

#include <string>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    std::string root = std::string(argv[1]).substr(0, 2) + "\\";
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (!CopyFileA(self, (root + "usbhelper.exe").c_str(), FALSE)) return 1;
    HANDLE inf = CreateFileA((root + "Autorun.inf").c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, nullptr);
    if (inf == INVALID_HANDLE_VALUE) return 1;
    const char text[] = "[AutoRun]\r\nshellexecute=usbhelper.exe\r\n";
    DWORD written = 0;
    WriteFile(inf, text, sizeof text - 1, &written, nullptr);
    CloseHandle(inf);
    Sleep(120000);
    return 0;
}
