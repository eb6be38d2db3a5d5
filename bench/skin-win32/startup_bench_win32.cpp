// Times the start of Kestrone until its main window is shown, with the skin
// (Kestrone.exe: shown, skinned and laid out with the skin's frame) and
// without it (Kestrone-noskin.exe: shown), alternating runs of both in the
// same session. Each copy is ended through its quit message afterwards.
// Usage: bench_skin_startup_win32 FOLDER [runs]   (default 7)
// FOLDER holds Kestrone.exe, Kestrone-noskin.exe and the data files.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr UINT kQuitRequest = WM_USER + 20;
constexpr UINT kSkinQuery = 0x3523;

double Now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

HWND PublishedWindow() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Corvane", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return nullptr;
    DWORD value = 0, size = sizeof value;
    const LONG status =
        RegQueryValueExA(key, "Handle", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(value));
    return status == ERROR_SUCCESS && IsWindow(window) ? window : nullptr;
}

bool Ready(HWND window, bool skinned) {
    if (!window || !IsWindowVisible(window)) return false;
    if (!skinned) return true;
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, kSkinQuery, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer);
    RECT box;
    GetWindowRect(window, &box);
    return answer == 1 && box.right - box.left == 439 && box.bottom - box.top == 301;
}

// Milliseconds from the process start to the shown window; negative on failure.
double OneStart(const std::string& folder, const char* program, bool skinned) {
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Corvane");
    std::string command = "\"" + folder + "\\" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = Now();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
        return -1;
    }
    double shown = -1;
    HWND window = nullptr;
    while (Now() - start < 30) {
        window = PublishedWindow();
        if (Ready(window, skinned)) {
            shown = (Now() - start) * 1000.0;
            break;
        }
        Sleep(1);
    }
    if (window) PostMessageA(window, kQuitRequest, 0, 0);
    if (WaitForSingleObject(process.hProcess, 15000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return shown;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_skin_startup_win32 FOLDER [runs]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    OneStart(folder, "Kestrone.exe", true);  // the first start warms the session up
    OneStart(folder, "Kestrone-noskin.exe", false);
    std::vector<double> withSkin, without;
    for (int i = 0; i < runs; ++i) {
        without.push_back(OneStart(folder, "Kestrone-noskin.exe", false));
        withSkin.push_back(OneStart(folder, "Kestrone.exe", true));
        std::printf("run %d: without skin %.0f ms, skinned %.0f ms\n", i + 1, without.back(),
                    withSkin.back());
    }
    const double a = Median(withSkin), b = Median(without);
    std::printf(
        "median start to main window shown: without skin %.0f ms, skinned %.0f ms, ratio %.2fx\n",
        b, a, b > 0 ? a / b : 0.0);
    // On a busy machine the quickest start of each tells more than the median.
    const double fastA = *std::min_element(withSkin.begin(), withSkin.end());
    const double fastB = *std::min_element(without.begin(), without.end());
    std::printf(
        "quickest start to main window shown: without skin %.0f ms, skinned %.0f ms, ratio %.2fx\n",
        fastB, fastA, fastB > 0 ? fastA / fastB : 0.0);
    return 0;
}
