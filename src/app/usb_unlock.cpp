#include "app/usb_unlock.h"

#include "core/definitions.h"
#include "platform/shell_exec.h"
#include "scan/process_info.h"
#include "scan/process_kill.h"

namespace kestrone {

TextList UnlockMatchList(const std::string& removableLetters) {
    TextList list;
    for (char letter : removableLetters) list.push_back(std::string(1, letter) + ":\\");
    list.push_back(kExplorerProgram);
    return list;
}

UnlockResult UnlockUsbDrives() {
    CommandLineKill kill =
        KillProcessesByCommandLineReport(UnlockMatchList(GetRemovableDriveLetters()));
    UnlockResult result;
    result.terminated = kill.terminated;
    result.survivors = kill.survivors;
    bool explorerClosed = false;
    for (const std::string& name : kill.terminated)
        if (SameText(ProcessFilePart(name), kExplorerProgram)) explorerClosed = true;
    // Without Explorer the user has no desktop and no taskbar.
    if (explorerClosed && !IsProcessRunning(kExplorerProgram))
        result.explorerRestarted =
            platform::RunCommandLine(kExplorerProgram, platform::kShowNormal) > 31;
    return result;
}

std::string UnlockMessage(const UnlockResult& result) {
    if (result.survivors.empty()) return kUnlockDoneMessage;
    std::string names;
    for (const std::string& name : result.survivors) {
        if (!names.empty()) names += ", ";
        names += name;
    }
    return "Unable to unlock the usb device: these programs are still using it and could not be "
           "closed:\r\n" +
           names + "\r\nClose them yourself, then remove the device.";
}

}  // namespace kestrone
