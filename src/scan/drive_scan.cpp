#include "scan/drive_scan.h"

#include "core/definitions.h"
#include "core/drive_claim.h"
#include "core/machine_changes.h"
#include "platform/registry.h"
#include "scan/autorun.h"
#include "scan/drive_clean.h"
#include "scan/process_kill.h"
#include "scan/reg_script.h"
#include "scan/run_entries.h"
#include "scan/signature_scan.h"

namespace kestrone {

namespace {

void Append(TextList& to, TextList from) {
    for (std::string& line : from) to.push_back(std::move(line));
}

// Characters that can continue a file name; anything else ends it.
bool IsNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           c == '.' || c == '_' || c == '-' || c == '$' || c == '~' ||
           static_cast<unsigned char>(c) >= 0x80;
}

TextList ScanDrives(const std::string& letters) {
    TextList report;
    for (char letter : letters) Append(report, ScanAndCleanDrive(std::string(1, letter) + ":\\"));
    return report;
}

}  // namespace

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

void DeleteRunValuesContaining(const TextList& names, const std::string& keyPath) {
    RegPath path = ParseRegPath(keyPath);
    if (!path.valid) return;
    platform::RegistryKey key;
    if (!key.Open(path.root, path.keyPath)) return;
    for (const std::string& valueName : key.ValueNames()) {
        std::string data;
        if (!key.TryReadString(valueName, data)) continue;  // not a string: nothing to match
        for (const std::string& name : names) {
            if (DataNamesProgram(data, name)) {
                DeleteRegistryValue(key, valueName);
                break;
            }
        }
    }
}

TextList CleanAutorunWorm(TextList launchList) {
    TextList killNames;
    for (std::string& name : FileNamesOf(launchList)) {
        if (!name.empty()) killNames.push_back(std::move(name));
    }
    std::string code = FirstAutorunProgramCode();
    if (!code.empty()) {
        TextList codes{code};
        Append(launchList, ScanRunEntries(codes));
        Append(launchList, MatchProcessesByCode(codes, nullptr, ProcessNaming::FullPaths));
        Append(launchList, FindThreatLocations(kUnknownVirusName));
        Append(killNames, MatchProcessesByCode(codes, nullptr, ProcessNaming::ExeNames));
    }
    killNames.push_back("wscript.exe");
    // Names from a drive's Autorun.inf are untrusted: literal names only.
    KillProcessesByName(killNames, KillNames::Literal);
    TextList deleted = DeleteLiteralFileList(launchList);
    for (const char* key : kStartupKeys) DeleteRunValuesContaining(killNames, key);
    return deleted;
}

TextList ScanAndCleanDrive(const std::string& driveRoot) {
    DriveCleaningClaim claim(driveRoot);
    const std::string noThreat = driveRoot + kNoThreatSuffix;
    TextList report{noThreat};
    bool handled = false;
    if (HasAutorunInf(driveRoot)) {
        report.clear();
        TextList launchList = ParseAutorunInf(driveRoot);
        Append(report, CleanKnownVirusFiles(launchList));
        Append(report, CleanAutorunWorm(launchList));
        handled = true;
    }
    TextList known = FindKnownExeFiles(driveRoot);
    if (!known.empty()) {
        int at = IndexOfText(report, noThreat);
        if (at >= 0) report.erase(report.begin() + at);
        Append(report, std::move(known));
        handled = true;
    }
    if (handled) {
        report = MarkCleaned(report);
        report.push_back(driveRoot + kCompletedSuffix);
    }
    return report;
}

TextList ScanFixedDrives() { return ScanDrives(GetFixedDriveLetters()); }

TextList ScanRemovableDrives() {
    TextList report = ScanDrives(GetRemovableDriveLetters());
    report.push_back("\r");
    report.push_back("\r");
    return report;
}

}  // namespace kestrone
