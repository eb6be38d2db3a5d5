#include "cli/scan_session.h"

#include <algorithm>
#include <optional>

#include "cli/scan_outcome.h"
#include "core/decryption.h"
#include "core/definitions.h"
#include "core/drive_claim.h"
#include "core/errors.h"
#include "core/history_log.h"
#include "core/machine_changes.h"
#include "core/path_macros.h"
#include "core/record_keeping.h"
#include "core/refusal_report.h"
#include "core/shell.h"
#include "core/tip.h"
#include "platform/drives.h"
#include "platform/files.h"
#include "platform/rights.h"
#include "scan/drive_scan.h"
#include "scan/memory_scan.h"

namespace kestrone::cli {

namespace {

// The engine's upcalls without a window: questions get a fixed answer, the
// memory scan's extra line and the walk's progress go to the console.
class ConsoleShell : public ShellCallbacks {
  public:
    ConsoleShell(ScanConsole& console, bool reportOnly)
        : console_(console), reportOnly_(reportOnly) {
        InstallShell(this);
    }
    ~ConsoleShell() override { InstallShell(nullptr); }
    ConsoleShell(const ConsoleShell&) = delete;
    ConsoleShell& operator=(const ConsoleShell&) = delete;

    // The only system message is the one about missing data files.
    void ShowSystemMessage(const std::string&, const std::string&) override { dataMissing = true; }
    void RequestQuit() override { dataMissing = true; }
    void ShowPrompt(const std::string& text) override { console_.Progress(text); }
    // Explorer is closed when a threat needs it, as a scan without a window
    // must decide alone; a report-only run closes nothing and so stores no answer.
    int AskTip(const std::string&, const std::string&, bool& dontShowAgain) override {
        dontShowAgain = false;
        return reportOnly_ ? kTipCancel : kTipContinue;
    }
    void ShowProgress(const std::string& path) override { console_.Walking(path); }
    void AddReportLine(const std::string& line) override { addedLines.push_back(line); }

    bool dataMissing = false;
    TextList addedLines;

  private:
    ScanConsole& console_;
    bool reportOnly_;
};

constexpr char kHistoryKind[] = "Command-line scan";

class Session {
  public:
    Session(const ScanRequest& request, ScanConsole& console)
        : request_(request), console_(console), shell_(console, request.reportOnly) {
        outcome_.reportOnly = request.reportOnly;
    }

    int Run() {
        if (!DrivesExist() || !DataFilesReady()) {
            outcome_.dataError = true;
            console_.Finished(outcome_, kExitUsageOrData, Summary(kExitUsageOrData));
            return kExitUsageOrData;
        }
        ChangeModeScope mode(request_.reportOnly ? ChangeMode::ReportOnly : ChangeMode::Apply);
        // What a real run removes is kept and recorded, as from the window.
        std::optional<RecordKeeping> records;
        if (!request_.reportOnly) records.emplace();
        ResetMachineChanges();
        if (request_.memory) {
            console_.Progress("Scanning memory");
            RunTarget([] { return ScanMemory(); });
        }
        for (const std::string& root : DrivesToScan()) ScanDrive(root);
        outcome_.refusedChanges = MachineChanges().refused;
        outcome_.elevated = CauseOfRefusals() == RefusalCause::RefusedAnyway;
        ReportRefusals();
        int code = ExitCodeFor(outcome_);
        console_.Progress(Summary(code));
        console_.Finished(outcome_, code, Summary(code));
        return code;
    }

  private:
    void ReportRefusals() {
        std::string line = RefusalLine(outcome_.refusedChanges, CauseOfRefusals());
        if (line.empty()) return;
        console_.Progress("kestrone-scan: " + line);
        if (!request_.reportOnly) AppendHistory(kHistoryKind, line);
        if (!outcome_.elevated)
            console_.Progress(
                "kestrone-scan: run it from a command prompt started as administrator to remove them.");
    }

    bool DrivesExist() {
        for (const std::string& root : request_.drives) {
            unsigned kind = platform::GetDriveKind(root);
            if (kind == platform::kDriveUnknown || kind == platform::kDriveNoRootDir) {
                console_.Progress("kestrone-scan: " + root + " is not a drive on this machine");
                return false;
            }
        }
        return true;
    }

    bool DataFilesReady() {
        for (const std::string& name : SplitList(kEncryptedDataFiles, ',')) {
            if (!platform::FileExists(GetExeDir() + name)) {
                console_.Progress("kestrone-scan: the data file " + LowerCase(name) +
                                  " is missing beside the program in " + GetExeDir());
                return false;
            }
        }
        try {
            DecryptDataFiles();
        } catch (const KestroneError& error) {
            console_.Progress(std::string("kestrone-scan: the data files cannot be read: ") +
                              error.what());
            return false;
        }
        if (shell_.dataMissing) console_.Progress("kestrone-scan: the data files are missing");
        return !shell_.dataMissing;
    }

    // The named drives, then (with --all) the fixed and the removable ones, each once.
    std::vector<std::string> DrivesToScan() const {
        std::vector<std::string> roots = request_.drives;
        if (request_.allDrives) {
            for (char letter : GetFixedDriveLetters() + GetRemovableDriveLetters()) {
                std::string root = std::string(1, letter) + ":\\";
                if (std::find(roots.begin(), roots.end(), root) == roots.end())
                    roots.push_back(root);
            }
        }
        return roots;
    }

    void ScanDrive(const std::string& root) {
        DriveCleaningClaim claim(root);
        if (!claim.Alone()) {
            console_.Progress("kestrone-scan: " + root +
                              " skipped: Kestrone is cleaning this drive right now");
            ++outcome_.busyDrives;
            return;
        }
        console_.Progress("Scanning " + root);
        RunTarget([&root] { return ScanAndCleanDrive(root); });
    }

    // Runs one target and prints its lines; an engine error ends that target
    // only (as it ends one command in the window) and is reported.
    template <typename Scan>
    void RunTarget(Scan scan) {
        TextList lines;
        try {
            lines = scan();
        } catch (const EDataError& error) {
            console_.Progress(std::string("kestrone-scan: broken definitions: ") + error.what());
            outcome_.dataError = true;
        } catch (const KestroneError& error) {
            console_.Progress(std::string("kestrone-scan: ") + error.what());
            outcome_.commandFailed = true;
        }
        TextList all = std::move(shell_.addedLines);
        shell_.addedLines.clear();
        all.insert(all.end(), lines.begin(), lines.end());
        for (const std::string& line : all) Print(line);
    }

    void Print(const std::string& line) {
        // The window's blank separator lines carry nothing for a reader of the output.
        if (Trim(line).empty()) return;
        if (IsThreatLine(line)) ++outcome_.threatLines;
        if (IsLeftUnconfirmedLine(line)) ++outcome_.leftLines;
        console_.Reported(line, request_.reportOnly ? ReportOnlyWording(line) : line);
        if (!request_.reportOnly) AppendHistory(kHistoryKind, line);
    }

    std::string Summary(int code) const {
        if (request_.reportOnly && code == kExitNotAllRemoved)
            return "Threats found; nothing was changed (report only).";
        switch (code) {
            case kExitClean:
                return "No threat found.";
            case kExitRemoved:
                return "Threats found and removed.";
            case kExitNotAllRemoved:
                return "Threats found; not all of them were removed.";
            case kExitDriveBusy:
                return "Not every drive was scanned.";
            case kExitNeedsAdministrator:
                return "Threats found; not all of them were removed: administrator rights are needed.";
            default:
                return "The scan did not complete.";
        }
    }

    const ScanRequest& request_;
    ScanConsole& console_;
    ConsoleShell shell_;
    ScanOutcome outcome_;
};

}  // namespace

int RunScan(const ScanRequest& request, ScanConsole& console) {
    return Session(request, console).Run();
}

}  // namespace kestrone::cli
