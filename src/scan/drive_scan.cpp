#include "scan/drive_scan.h"

#include "core/definitions.h"
#include "core/drive_claim.h"
#include "core/trusted_sticks.h"
#include "scan/autorun.h"
#include "scan/drive_clean.h"
#include "scan/mass_removal.h"
#include "scan/root_worms.h"
#include "scan/run_entries.h"
#include "scan/shortcut_worm.h"
#include "scan/signature_scan.h"
#include "scan/trusted_stick_clean.h"

namespace kestrone {

namespace {

void Append(TextList& to, TextList from) {
    for (std::string& line : from) to.push_back(std::move(line));
}

TextList ScanDrives(const std::string& letters) {
    TextList report;
    for (char letter : letters) Append(report, ScanAndCleanDrive(std::string(1, letter) + ":\\"));
    return report;
}

void RemoveLine(TextList& report, const std::string& line) {
    int at = IndexOfText(report, line);
    if (at >= 0) report.erase(report.begin() + at);
}

// A trusted stick's report: what the definitions named and went, or no
// threat, then the note that the launch rules were skipped.
TextList ScanTrustedStick(const std::string& driveRoot) {
    TextList cleaned = CleanTrustedStick(driveRoot);
    TextList report = cleaned.empty() ? TextList{driveRoot + kNoThreatSuffix} : MarkCleaned(cleaned);
    report.push_back(driveRoot + kTrustedStickSuffix);
    if (!cleaned.empty()) report.push_back(driveRoot + kCompletedSuffix);
    return report;
}

}  // namespace

TextList CleanAutorunWorm(const std::string& driveRoot) {
    WormPayloads worm;
    worm.driveRoot = driveRoot;
    TextList launchList;
    for (const AutorunLaunch& launch : ReadAutorunLaunches(driveRoot)) {
        launchList.push_back(launch.path);
        worm.paths.push_back(launch.path);
        if (launch.direct) AddPayloadName(worm, FilePart(launch.path));
    }
    launchList.push_back(driveRoot + kAutorunFileName);
    AddPayloadName(worm, kAutorunFileName);
    AddPayloadCodes(worm);
    std::string code = FirstAutorunProgramCode();
    // "0000" is the code of every empty or unreadable file: hunting it would
    // delete whatever cannot be read.
    if (IsUsableWormCode(code)) {
        TextList codes{code};
        Append(launchList, ScanRunEntries(codes));
        Append(launchList, MatchProcessesByCode(codes, nullptr, ProcessNaming::FullPaths));
        Append(launchList, FindThreatLocations(kUnknownVirusName));
        for (const std::string& name :
             MatchProcessesByCode(codes, nullptr, ProcessNaming::ExeNames)) {
            AddPayloadName(worm, name);
        }
        AddWormCode(worm, code);
    }
    TerminatePayloadProcesses(worm);
    TextList deleted = DeleteLiteralFileList(launchList);
    DeletePayloadStartupValues(worm);
    return deleted;
}

TextList ScanAndCleanDrive(const std::string& driveRoot, StickTrust trust) {
    DriveCleaningClaim claim(driveRoot);
    if (trust == StickTrust::Honour && IsTrustedDrive(driveRoot)) return ScanTrustedStick(driveRoot);
    const std::string noThreat = driveRoot + kNoThreatSuffix;
    TextList report{noThreat};
    bool handled = false;
    RootWormPlan rootWorms = PlanRootWormClean(driveRoot);  // before anything changes
    if (HasAutorunInf(driveRoot)) {
        report.clear();
        Append(report, CleanKnownVirusFiles(ParseAutorunInf(driveRoot)));
        Append(report, CleanAutorunWorm(driveRoot));
        handled = true;
    }
    TextList known = FindKnownExeFiles(driveRoot);
    if (!known.empty()) {
        RemoveLine(report, noThreat);
        Append(report, std::move(known));
        handled = true;
    }
    WormCleanReport worms = CleanRootWorms(driveRoot, rootWorms);
    if (!worms.cleaned.empty() || !worms.restored.empty() || !worms.left.empty()) {
        RemoveLine(report, noThreat);
        Append(report, std::move(worms.cleaned));
        handled = true;
    }
    if (handled) {
        report = MarkCleaned(report);
        Append(report, MarkRestored(worms.restored));
        Append(report, MarkLeftUnconfirmed(worms.left));
        report.push_back(driveRoot + kCompletedSuffix);
    }
    return report;
}

TextList ScanFixedDrives() {
    return ScanDrives(GetFixedDriveLetters());
}

TextList ScanRemovableDrives() {
    TextList report = ScanDrives(GetRemovableDriveLetters());
    report.push_back("\r");
    report.push_back("\r");
    return report;
}

}  // namespace kestrone
