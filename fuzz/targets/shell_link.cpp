// The shortcut reader on arbitrary bytes, then what the scan does with a
// shortcut it read: every target with the arguments read as a command line
// (launchers followed) and every named file confined to a drive.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "scan/drive_paths.h"
#include "scan/launch_command.h"
#include "scan/shell_link.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kestrone::ShellLink link;
    if (!kestrone::ParseShellLink(std::string_view(reinterpret_cast<const char*>(data), size), link)) {
        return 0;
    }
    for (const std::string& target : link.Targets()) {
        for (const kestrone::LaunchedFile& file : kestrone::FilesLaunchedBy("\"" + target + "\" " + link.arguments)) {
            kestrone::ResolveOnDrive(file.path, "E:\\", kestrone::ResolveOnDrive(link.workingDir, "E:\\", "E:\\"));
        }
    }
    return 0;
}
