#include "scan/worm_payloads.h"

#include "core/machine_changes.h"
#include "core/path_macros.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "scan/drive_paths.h"
#include "scan/file_code.h"
#include "scan/launch_command.h"
#include "scan/process_info.h"
#include "scan/process_kill.h"
#include "scan/reg_script.h"
#include "scan/run_entries.h"

namespace kestrone {

namespace {

// Characters that can continue a file name; anything else ends it.
bool IsNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '_' || c == '-' || c == '$' || c == '~' || static_cast<unsigned char>(c) >= 0x80;
}

bool HasWormCode(const std::string& path, const WormPayloads& worm) {
    if (worm.codes.empty() || !platform::FileExists(path)) return false;
    return IndexOfText(worm.codes, GetFileCode(path)) >= 0;
}

bool IsPayloadPath(const std::string& path, const WormPayloads& worm) {
    return !path.empty() && IndexOfText(worm.paths, path) >= 0;
}

// A bare name that Windows finds in the system folder before the drive's.
bool NamesSystemFile(const std::string& written) {
    if (written.find_first_of("\\/") != std::string::npos) return false;
    return platform::FileExists(GetSpecialDir(platform::kCsidlSystem) + written);
}

bool LaunchedFileIsPayload(const LaunchedFile& file, const WormPayloads& worm,
                           bool startedOnDrive) {
    if (file.role == LaunchRole::SystemLauncher &&
        file.path.find_first_of("\\/") == std::string::npos) {
        return false;  // the system's own launcher
    }
    if (IsDriveAbsolute(file.path)) {
        std::string onDrive = ResolveOnDrive(file.path, worm.driveRoot, worm.driveRoot);
        return IsPayloadPath(onDrive, worm) || HasWormCode(file.path, worm);
    }
    if (!startedOnDrive || NamesSystemFile(file.path)) return false;
    return IsPayloadPath(ResolveOnDrive(file.path, worm.driveRoot, worm.driveRoot), worm);
}

// The codes of Windows' own launchers on this machine.
TextList SystemLauncherCodes() {
    const std::string system = GetSpecialDir(platform::kCsidlSystem);
    TextList codes;
    for (const char* name :
         {"rundll32.exe", "wscript.exe", "cscript.exe", "cmd.exe", "mshta.exe", "regsvr32.exe"}) {
        codes.push_back(GetFileCode(system + name));
    }
    codes.push_back(GetFileCode(GetSpecialDir(platform::kCsidlWindows) + "explorer.exe"));
    return codes;
}

bool IsExplorer(const std::string& exeName) {
    return LauncherNamed(ProcessFilePart(exeName)) == Launcher::Explorer;
}

// A system launcher is judged by what its command line runs; Explorer never
// so (it only opens what it is given, and the desktop lives in it). Any other
// process, and one that merely carries a launcher's name, by its executable.
bool IsPayloadProcess(const platform::ProcessEntry& process, const WormPayloads& worm) {
    if (IsSystemLauncherName(ProcessFilePart(process.exeName)) && !IsExplorer(process.exeName)) {
        std::string commandLine = platform::WideToAnsi(GetProcessCommandLine(process.id));
        if (CommandRunsPayload(commandLine, worm, true)) return true;
    }
    std::string exePath = GetProcessExePath(process.id);
    return IsPayloadPath(exePath, worm) || (!exePath.empty() && HasWormCode(exePath, worm));
}

void DeleteStartupValuesOf(const WormPayloads& worm, const char* keyText) {
    RegPath path = ParseRegPath(keyText);
    platform::RegistryKey key;
    if (!path.valid || !key.Open(path.root, path.keyPath)) return;
    for (const std::string& valueName : key.ValueNames()) {
        std::string data;
        if (!key.TryReadString(valueName, data)) continue;  // not a string: names no program
        bool named = false;
        for (const std::string& name : worm.names) named = named || DataNamesProgram(data, name);
        if (named || CommandRunsPayload(data, worm, false)) DeleteRegistryValue(key, valueName);
    }
}

}  // namespace

bool IsUsableWormCode(const std::string& code) {
    return !code.empty() && code != "0000";
}

void AddWormCode(WormPayloads& worm, const std::string& code) {
    if (!IsUsableWormCode(code) || IndexOfText(worm.codes, code) >= 0) return;
    if (IndexOfText(SystemLauncherCodes(), code) >= 0) return;
    worm.codes.push_back(code);
}

void AddPayloadCodes(WormPayloads& worm) {
    for (const std::string& path : worm.paths) AddWormCode(worm, GetFileCode(path));
}

void AddPayloadName(WormPayloads& worm, const std::string& name) {
    if (name.empty() || IsSystemLauncherName(name) || IndexOfText(worm.names, name) >= 0) return;
    worm.names.push_back(name);
}

bool DataNamesProgram(const std::string& data, const std::string& name) {
    if (name.empty()) return false;
    for (size_t at = data.find(name); at != std::string::npos; at = data.find(name, at + 1)) {
        bool startsName = at == 0 || !IsNameCharacter(data[at - 1]);
        size_t end = at + name.size();
        bool endsName = end == data.size() || !IsNameCharacter(data[end]);
        if (startsName && endsName) return true;
    }
    return false;
}

bool CommandRunsPayload(std::string_view commandLine, const WormPayloads& worm,
                        bool startedOnDrive) {
    for (const LaunchedFile& file : FilesLaunchedBy(commandLine)) {
        if (LaunchedFileIsPayload(file, worm, startedOnDrive)) return true;
    }
    return false;
}

TextList TerminatePayloadProcesses(const WormPayloads& worm) {
    TextList killed;
    for (std::string& name : KillProcessesByName(worm.names, KillNames::Literal)) {
        killed.push_back(std::move(name));
    }
    for (const platform::ProcessEntry& process : platform::SnapshotProcesses()) {
        if (IsUntouchableProcess(process.id)) continue;
        if (IsPayloadProcess(process, worm) && EndProcess(process.id)) {
            killed.push_back(process.exeName);
        }
    }
    return killed;
}

void DeletePayloadStartupValues(const WormPayloads& worm) {
    for (const char* key : kStartupKeys) DeleteStartupValuesOf(worm, key);
}

}  // namespace kestrone
