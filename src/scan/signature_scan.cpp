#include "scan/signature_scan.h"

#include <optional>

#include "core/definitions.h"
#include "core/path_macros.h"
#include "core/shell.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "scan/autorun.h"
#include "scan/file_code.h"
#include "scan/process_info.h"

namespace kestrone {

namespace {

std::string g_specimenCode;
std::optional<TextList> g_threatLocations;

const char kMsInfoFolder[] = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\";

bool HasCandidateExtension(const std::string& path) {
    std::string lower = LowerCase(path);
    for (const char* extension : {".exe", ".dll", ".dat", ".vbs"}) {
        if (lower.find(extension) != std::string::npos) return true;
    }
    return false;
}

void AppendSpecimen(TextList& codes, TextList& names, const std::string& name,
                    const std::string& code) {
    codes.push_back(code);
    names.push_back(name);
}

// "rising" and "auto" leave copies at fixed places on C: and D:; they count
// only for folders below system32.
void AddFixedPlaceSpecimen(const std::string& name, const std::string& folder, TextList& codes,
                           TextList& names) {
    std::string onC = "C:\\" + name + ".exe";
    std::string onD = "D:\\" + name + ".exe";
    bool present = platform::FileExists(onC) || platform::FileExists(onD);
    if (!present || LowerCase(folder).find("system32") == std::string::npos) return;
    AppendSpecimen(codes, names, name, GetFileCode(platform::FileExists(onC) ? onC : onD));
}

// "random" drops a DLL named after the program its Autorun.inf on D: starts.
void AddRandomSpecimen(TextList& codes, TextList& names) {
    std::string program = FirstExistingProgram(ParseAutorunInf("D:\\"));
    if (program.empty()) return;
    std::string base = FilePart(program);
    size_t dot = base.find('.');
    if (dot != std::string::npos) base.erase(dot, 4);
    std::string dll = std::string(kMsInfoFolder) + base + ".dll";
    if (platform::FileExists(dll)) AppendSpecimen(codes, names, "random", GetFileCode(dll));
}

}  // namespace

TextList MatchProcessesByCode(const TextList& codes, const TextList* names, ProcessNaming naming) {
    TextList matches;
    if (codes.empty()) return matches;  // spares reading every running program
    for (const platform::ProcessEntry& process : platform::SnapshotProcesses()) {
        std::string path = GetProcessExePath(process.id);
        std::string code = GetFileCode(path);
        for (size_t i = 0; i < codes.size(); ++i) {
            if (code != UpperCase(codes[i])) continue;
            if (names) {
                std::string name = i < names->size() ? (*names)[i] : std::string();
                matches.push_back(name + "," + process.exeName);
            } else {
                matches.push_back(naming == ProcessNaming::FullPaths ? path : process.exeName);
            }
        }
    }
    return matches;
}

std::string FirstExistingProgram(const TextList& paths) {
    for (const std::string& path : paths) {
        if (!platform::FileExists(path)) continue;
        std::string lower = LowerCase(path);
        if (lower.find(".exe") != std::string::npos || lower.find(".vbs") != std::string::npos) {
            return path;
        }
    }
    return std::string();
}

std::string FirstAutorunProgramCode() {
    if (!g_specimenCode.empty()) return g_specimenCode;
    for (char letter : GetFixedDriveLetters()) {
        std::string program = FirstExistingProgram(ParseAutorunInf(std::string(1, letter) + ":\\"));
        if (!program.empty()) {
            g_specimenCode = GetFileCode(program);
            return g_specimenCode;
        }
    }
    return std::string();
}

TextList ReadVirusProcesses() {
    TextList names, codes;
    for (const std::string& entry :
         SplitList(ReadDataString("VirusProcess", "Processes", "", kDefinitionsFile), ',')) {
        size_t slash = entry.find('\\');
        names.push_back(slash == std::string::npos ? std::string() : entry.substr(0, slash));
        size_t equals = entry.find('=');
        codes.push_back(equals == std::string::npos ? entry : entry.substr(equals + 1));
    }
    return MatchProcessesByCode(codes, &names, ProcessNaming::ExeNames);
}

bool IsValidFileName(const std::string& name) {
    return name.size() <= 260 && name.find_first_of("\\:/*?\"<>|") == std::string::npos;
}

TextList ScanVirusFolder(const std::string& folder, const TextList& codes, const TextList& names) {
    TextList found;
    std::string base = WithBackslash(folder);
    std::vector<platform::FolderEntry> entries = platform::ListFolder(base + "*.*");
    for (size_t index = 0; index < entries.size(); ++index) {
        const platform::FolderEntry& entry = entries[index];
        std::string path = base + entry.name;
        if (!entry.IsFolder() && HasCandidateExtension(path) && IsValidFileName(entry.name)) {
            Shell().ShowProgress(path);
            std::string code = GetFileCode(path);
            for (size_t i = 0; i < codes.size(); ++i) {
                if (code != UpperCase(codes[i])) continue;
                found.push_back((i < names.size() ? names[i] : std::string()) + "," + path);
            }
        }
        if (index > 0) {
            Shell().ProcessMessages();
            if (Shell().StopRequested()) break;
        }
    }
    return found;
}

TextList ScanVirusFiles() {
    TextList result;
    for (const std::string& entry :
         SplitList(ReadDataString("VirusFile", "Paths", "", kDefinitionsFile), ',')) {
        TextList codes = SplitList(ReadDataString(entry, "Codes", "", kDefinitionsFile), ',');
        TextList names = SplitList(ReadDataString(entry, "VirusNames", "", kDefinitionsFile), ',');
        for (const std::string& folder : ExpandPathMacros({entry})) {
            TextList folderCodes = codes;
            TextList folderNames = names;
            AddFixedPlaceSpecimen("rising", folder, folderCodes, folderNames);
            AddRandomSpecimen(folderCodes, folderNames);
            AddFixedPlaceSpecimen("auto", folder, folderCodes, folderNames);
            AppendSpecimen(folderCodes, folderNames, kUnknownVirusName, FirstAutorunProgramCode());
            for (std::string& line : ScanVirusFolder(folder, folderCodes, folderNames)) {
                result.push_back(std::move(line));
            }
        }
    }
    return result;
}

void BuildThreatLocations() {
    TextList locations = ReadVirusProcesses();
    for (std::string& line : ScanVirusFiles()) locations.push_back(std::move(line));
    g_threatLocations = std::move(locations);
}

TextList FindThreatLocations(const std::string& virusName) {
    TextList locations;
    if (!g_threatLocations) return locations;
    std::string key = UpperCase(virusName) + ",";
    for (const std::string& entry : *g_threatLocations) {
        if (UpperCase(entry).find(key) == std::string::npos) continue;
        locations.push_back(entry.substr(entry.find(',') + 1));
    }
    return locations;
}

void ResolveCodeEntries(TextList& list) {
    TextList codes;
    for (size_t i = list.size(); i-- > 0;) {
        if (UpperCase(list[i]).find("CODE=") == std::string::npos) continue;
        codes.push_back(list[i].substr(list[i].find('=') + 1));
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    }
    for (std::string& name : MatchProcessesByCode(codes, nullptr, ProcessNaming::ExeNames)) {
        list.push_back(std::move(name));
    }
}

void ResetSignatureScanState() {
    g_specimenCode.clear();
    g_threatLocations.reset();
}

}  // namespace kestrone
