#include "scan/memory_scan.h"

#include "core/definitions.h"
#include "core/machine_changes.h"
#include "core/path_macros.h"
#include "core/shell.h"
#include "platform/files.h"
#include "scan/drive_clean.h"
#include "scan/module_unload.h"
#include "scan/process_info.h"
#include "scan/process_kill.h"
#include "scan/reg_script.h"
#include "scan/signature_scan.h"

namespace kestrone {

namespace {

TextList ReadList(const std::string& section, const std::string& key) {
    return SplitList(ReadDataString(section, key, "None", kDefinitionsFile), ',');
}

}  // namespace

bool CheckSign(const std::string& virusName) {
    TextList signs = ReadList(virusName, "Sign");
    for (std::string& location : FindThreatLocations(virusName)) signs.push_back(std::move(location));
    if (signs.empty()) return false;
    for (const std::string& file : ExpandPathMacros(SelectPathEntries(signs))) {
        if (!platform::FileExists(file)) return false;
    }
    for (const std::string& program : SelectNameEntries(signs)) {
        if (!IsProcessRunning(program)) return false;
    }
    return true;
}

TextList FindMemoryThreats() {
    TextList found;
    TextList names = ReadList("VirusName", "Name");
    if (names.empty()) return found;
    BuildThreatLocations();
    for (const std::string& name : names) {
        if (CheckSign(name)) found.push_back(name);
    }
    return found;
}

void CreateImmunityFolders(const TextList& folders) {
    for (const std::string& folder : folders) {
        MakeBlockingFolder(folder, platform::kAttrReadOnly | platform::kAttrHidden);
    }
}

bool CleanMemoryThreat(const std::string& virusName) {
    TextList files = ExpandPathMacros(ReadList(virusName, "FileToDelete"));
    TextList killList = ReadList(virusName, "ProcessToKill");
    TextList folders = ExpandPathMacros(ReadList(virusName, "Immunity"));
    ResolveCodeEntries(killList);
    for (std::string& name : FileNamesOf(files)) killList.push_back(std::move(name));
    for (std::string& location : FindThreatLocations(virusName)) files.push_back(std::move(location));

    UnloadDlls(virusName);
    KillProcessesByName(killList);
    DeleteFileList(files);
    ApplyRegOperate(virusName);
    CreateImmunityFolders(folders);
    return true;
}

TextList ReportMemoryClean(const TextList& found) {
    TextList report;
    for (const std::string& name : found) {
        report.push_back(name + kCleanedInMemorySuffix);
        std::string note = ReadDataString(name, "Note", "", kDefinitionsFile);
        if (!note.empty()) {
            report.push_back("\r");
            report.push_back(note);
        }
    }
    return report;
}

TextList ScanMemory() {
    TextList found = FindMemoryThreats();
    if (found.empty()) Shell().AddReportLine(kNoThreatInMemory);
    for (const std::string& name : found) CleanMemoryThreat(name);
    TextList report = ReportMemoryClean(found);
    report.push_back("\r");
    return report;
}

}  // namespace kestrone
