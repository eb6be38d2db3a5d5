// kestrone-demo: runs the engine on a simulated machine. The shipped, encrypted
// kernel.dll is decrypted by the engine itself, then a USB stick carrying a
// RavMon worm is cleaned as it would be on arrival.
//
// Usage: kestrone-demo [path to kernel.dll]   (default: beside this program)
#include <cstdio>
#include <string>

#include "common/host_files.h"
#include "core/decryption.h"
#include "core/definitions.h"
#include "core/errors.h"
#include "platform/files.h"
#include "platform/sim/world.h"
#include "scan/drive_clean.h"

namespace {

using namespace kestrone;

std::string DefaultKernelPath(const char* argv0) {
    std::string self = argv0;
    size_t slash = self.rfind('/');
    return (slash == std::string::npos ? std::string(".") : self.substr(0, slash)) + "/kernel.dll";
}

void ShowDrive(const char* title, const std::string& root) {
    std::printf("%s\n", title);
    for (const std::string& path : sim::TheWorld().ListTree(root)) {
        uint32_t attributes = sim::TheWorld().Attributes(path);
        std::printf("    %-28s %s%s%s\n", path.c_str(), attributes & platform::kAttrHidden ? "H" : "-",
                    attributes & platform::kAttrSystem ? "S" : "-",
                    attributes & platform::kAttrReadOnly ? "R" : "-");
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string kernelPath = argc > 1 ? argv[1] : DefaultKernelPath(argv[0]);
    std::string kernel;
    if (!tools::ReadHostFile(kernelPath, kernel) || kernel.empty()) {
        std::fprintf(stderr, "kestrone-demo: cannot read %s\n", kernelPath.c_str());
        return 1;
    }

    sim::World& world = sim::TheWorld();
    world.Reset();
    world.AddDrive('C', platform::kDriveFixed);
    world.AddDrive('E', platform::kDriveRemovable);
    world.AddFolder("C:\\Temp");
    world.AddFile("C:\\Program Files\\Kestrone\\kernel.dll", kernel);

    const uint32_t hidden = platform::kAttrHidden | platform::kAttrSystem | platform::kAttrReadOnly;
    world.AddFile("E:\\Autorun.inf",
                  "[AutoRun]\r\nopen=RavMon.exe\r\nshell\\open\\command=RavMon.exe -e\r\n"
                  "shell\\explore\\command=RavMon.exe -e\r\n",
                  hidden);
    world.AddFile("E:\\RavMon.exe", "MZ worm body", hidden);
    world.AddFile("E:\\RavMonE.exe", "MZ worm dropper", hidden);
    world.AddFile("E:\\Holiday photos\\beach.jpg", "JPEG");
    world.AddFile("E:\\report.doc", "a user's document");

    try {
        DecryptDataFiles();
        std::printf("Definitions decrypted: %s\n\n",
                    ReadDataString("VirusName", "Name", "None", kDefinitionsFile).c_str());
        ShowDrive("USB drive E: as attached:", "E:\\");
        std::printf("\nCleaning E:\\ on arrival:\n");
        for (const std::string& line : CleanDriveOnArrival("E:\\")) std::printf("    %s\n", line.c_str());
        std::printf("\n");
        ShowDrive("USB drive E: afterwards:", "E:\\");
    } catch (const KestroneError& error) {
        std::fprintf(stderr, "kestrone-demo: %s\n", error.what());
        return 1;
    }
    return 0;
}
