#include "scan/autorun.h"

#include <optional>

#include "platform/files.h"
#include "platform/profile.h"
#include "scan/drive_paths.h"
#include "scan/file_code.h"
#include "scan/known_worm_codes.h"
#include "scan/launch_command.h"

namespace kestrone {

namespace {

bool HasFolderPart(const std::string& path) {
    return path.find_first_of("\\/") != std::string::npos;
}

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

// Looks for the worm's hand on the programs plain open entries name; the worm
// codes are gathered only once a program is not already hidden + system.
class WormsHand {
  public:
    explicit WormsHand(const std::string& driveRoot) : driveRoot_(driveRoot) {}
    bool On(const std::string& path) {
        uint32_t attributes = platform::GetAttributes(path);
        if (OpenProgramShowsWormsHand(attributes, std::string(), {})) return true;
        if (!codes_) {
            codes_ = DefinitionWormCodes();
            for (const std::string& code : DriveWormCodes(driveRoot_)) {
                if (IndexOfText(*codes_, code) < 0) codes_->push_back(code);
            }
        }
        return OpenProgramShowsWormsHand(attributes, GetFileCode(path), *codes_);
    }

  private:
    std::string driveRoot_;
    std::optional<TextList> codes_;
};

bool IsPlainOpenKey(const std::string& key) {
    return SameText(Trim(key), "open");
}

void AddWormProgramsOpened(std::vector<AutorunLaunch>& launches, const std::string& command,
                           const std::string& driveRoot, WormsHand& hand) {
    if (command.empty()) return;
    for (const AutorunLaunch& launch : LaunchesOnDrive(command, driveRoot)) {
        // Looked for by path and code only: an installer's name means nothing.
        if (platform::FileExists(launch.path) && hand.On(launch.path))
            AddLaunch(launches, launch.path, false);
    }
}

}  // namespace

bool OpenProgramShowsWormsHand(uint32_t attributes, const std::string& code,
                               const TextList& wormCodes) {
    constexpr uint32_t kHiddenAndSystem = platform::kAttrHidden | platform::kAttrSystem;
    if (attributes == platform::kInvalidAttributes) return false;
    if ((attributes & kHiddenAndSystem) == kHiddenAndSystem) return true;
    return code != "0000" && !code.empty() && IndexOfText(wormCodes, code) >= 0;
}

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

std::vector<AutorunLaunch> LaunchesOnDrive(const std::string& command,
                                           const std::string& driveRoot) {
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
    WormsHand hand(driveRoot);
    // Key names, then each value through the profile functions: trimmed,
    // stripped of enclosing quotes and cut to 2047 characters, as Windows reads it.
    for (const std::string& key : platform::ReadProfileKeyNames("Autorun", inf)) {
        std::string line = key + "=" + platform::ReadProfileValue("Autorun", key, "", inf);
        std::string command;
        if (!ExtractLaunchCommand(line, command)) {
            if (IsPlainOpenKey(key))
                AddWormProgramsOpened(launches, Trim(line.substr(line.find('=') + 1)), driveRoot,
                                      hand);
            continue;
        }
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
