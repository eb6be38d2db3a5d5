#include "scan/autorun.h"

#include "platform/files.h"
#include "platform/profile.h"
#include "scan/drive_paths.h"
#include "scan/launch_command.h"

namespace kestrone {

namespace {

bool HasFolderPart(const std::string& path) { return path.find_first_of("\\/") != std::string::npos; }

void AddLaunch(std::vector<AutorunLaunch>& launches, const std::string& path, bool direct) {
    for (const AutorunLaunch& launch : launches) {
        if (SameText(launch.path, path)) return;
    }
    launches.push_back({path, direct});
}

// Whether a launched file counts for the drive. The program an entry starts
// and the file its launcher runs count as written, as the entry names them;
// anything found deeper (commands inside cmd /c, longer readings of a name
// with blanks, a launcher's name given with a folder on the drive) counts
// only when such a file is there.
bool CountsOnDrive(const LaunchedFile& file, const std::string& resolved) {
    if (platform::FolderExists(resolved)) return false;  // a folder is opened, never run
    bool firstLevel = file.depth == 0 && !file.guess;
    if (firstLevel && file.role != LaunchRole::SystemLauncher) return true;
    if (file.role == LaunchRole::SystemLauncher && !HasFolderPart(file.path)) return false;
    return platform::FileExists(resolved);
}

}  // namespace

bool ExtractLaunchCommand(const std::string& line, std::string& command) {
    std::string upper = UpperCase(line);
    if (upper.find("COMMAND") == std::string::npos &&
        upper.find("SHELLEXECUTE") == std::string::npos) {
        return false;
    }
    size_t equals = line.find('=');
    command = Trim(equals == std::string::npos ? std::string() : line.substr(equals + 1));
    return true;
}

std::vector<AutorunLaunch> LaunchesOnDrive(const std::string& command, const std::string& driveRoot) {
    std::vector<AutorunLaunch> launches;
    for (const LaunchedFile& file : FilesLaunchedBy(command)) {
        std::string resolved = ResolveOnDrive(file.path, driveRoot, driveRoot);
        if (resolved.empty() || !CountsOnDrive(file, resolved)) continue;
        bool direct = file.role == LaunchRole::Program && file.depth == 0 && !file.guess;
        AddLaunch(launches, resolved, direct);
        // A program named without extension is started as name + ".exe".
        if (direct && FilePart(resolved).find('.') == std::string::npos &&
            platform::FileExists(resolved + ".exe")) {
            AddLaunch(launches, resolved + ".exe", true);
        }
    }
    return launches;
}

std::vector<AutorunLaunch> ReadAutorunLaunches(const std::string& driveRoot) {
    std::vector<AutorunLaunch> launches;
    std::string inf = driveRoot + kAutorunFileName;
    // Key names, then each value through the profile functions: trimmed,
    // stripped of enclosing quotes and cut to 2047 characters, as Windows reads it.
    for (const std::string& key : platform::ReadProfileKeyNames("Autorun", inf)) {
        std::string line = key + "=" + platform::ReadProfileValue("Autorun", key, "", inf);
        std::string command;
        if (!ExtractLaunchCommand(line, command)) continue;
        if (command.empty()) {
            AddLaunch(launches, driveRoot, true);  // names no file; the consumers skip it
            continue;
        }
        for (const AutorunLaunch& launch : LaunchesOnDrive(command, driveRoot)) {
            AddLaunch(launches, launch.path, launch.direct);
        }
    }
    return launches;
}

TextList ParseAutorunInf(const std::string& driveRoot) {
    TextList paths;
    for (const AutorunLaunch& launch : ReadAutorunLaunches(driveRoot)) paths.push_back(launch.path);
    paths.push_back(driveRoot + kAutorunFileName);
    return paths;
}

}  // namespace kestrone
