// A harmless program for the rights tests: it writes what it finds about its
// own rights into a report file and ends. Started with the user's ordinary
// rights or through the elevation prompt, it shows what that instance sees.
// Usage: rights_helper REPORT [FOLDER...]
// The report: "elevated 0|1", then a line "writable <answer> <real>" per
// folder, where real tells whether a plainly written file could be made there.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/rights.h"

namespace {

bool RealWriteWorks(const std::string& folder) {
    const std::string path = folder + "\\real-write-" + std::to_string(GetCurrentProcessId());
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool wrote = WriteFile(file, "x", 1, &written, nullptr) && written == 1;
    CloseHandle(file);
    DeleteFileA(path.c_str());
    return wrote;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    using namespace kestrone::platform;
    std::string report = "elevated " + std::to_string(ProcessIsElevated()) + "\n";
    for (int i = 2; i < argc; ++i) {
        report += "writable " + std::to_string(FolderWritableByUser(argv[i])) + " " +
                  std::to_string(RealWriteWorks(argv[i])) + "\n";
    }
    // Written aside and moved into place, so a waiting test never reads half of it.
    const std::string partial = std::string(argv[1]) + ".partial";
    FILE* out = std::fopen(partial.c_str(), "wb");
    if (!out) return 1;
    std::fputs(report.c_str(), out);
    std::fclose(out);
    return MoveFileExA(partial.c_str(), argv[1], MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
