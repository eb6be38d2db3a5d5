#include "app/admin_task.h"

#include <cstdlib>

#include "app/scan_command.h"
#include "app/settings_page_values.h"
#include "app/system_switches.h"
#include "core/decryption.h"
#include "core/errors.h"
#include "core/history_log.h"
#include "core/machine_changes.h"
#include "core/refusal_report.h"
#include "core/shell.h"
#include "core/tip.h"
#include "core/undo_log.h"
#include "platform/registry.h"
#include "repair/repair_items.h"
#include "scan/drive_scan.h"

namespace kestrone {

namespace {

struct TaskName {
    AdminTask task;
    const char* word;
};
const TaskName kTaskNames[] = {
    {AdminTask::UsbPolicies, "usb-policies"}, {AdminTask::MachineAutostart, "autostart"},
    {AdminTask::Repair, "repair"},            {AdminTask::Undo, "undo"},
    {AdminTask::Scan, "scan"},
};

const char* WordOf(AdminTask task) {
    for (const TaskName& name : kTaskNames)
        if (name.task == task) return name.word;
    return "";
}

bool TaskOfWord(const std::string& word, AdminTask& task) {
    for (const TaskName& name : kTaskNames) {
        if (word == name.word) {
            task = name.task;
            return true;
        }
    }
    return false;
}

// One argument as the C runtime splits a command line: quoted when it holds
// blanks or quotes, backslashes doubled where they stand before a quote.
std::string QuoteArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

bool IsSwitchWord(const std::string& text) { return text == "0" || text == "1"; }

bool IsDriveRoot(const std::string& text) {
    return text.size() == 3 && ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z')) &&
           text[1] == ':' && text[2] == '\\';
}

bool IsNumber(const std::string& text) {
    return !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos;
}

bool IsScanTarget(const std::string& text) {
    return text == "memory" || text == "local" || text == "removable" || IsDriveRoot(text);
}

// What each task accepts; the elevated instance refuses everything else.
bool ArgumentsFit(AdminTask task, const TextList& arguments) {
    switch (task) {
        case AdminTask::UsbPolicies:
            return arguments.size() == 2 && IsSwitchWord(arguments[0]) && IsSwitchWord(arguments[1]);
        case AdminTask::MachineAutostart:
            return arguments.size() == 1 && IsSwitchWord(arguments[0]);
        case AdminTask::Repair:
            return !arguments.empty();  // checked against the definitions when run
        case AdminTask::Undo:
            return arguments.size() == 1 && IsNumber(arguments[0]) && arguments[0] != "0";
        case AdminTask::Scan:
            if (arguments.empty()) return false;
            for (const std::string& target : arguments)
                if (!IsScanTarget(target)) return false;
            return true;
    }
    return false;
}

// The engine's upcalls in the elevated instance, which has no window: lines
// are collected for the reply; Explorer is never closed without the user.
class CollectingShell : public ShellCallbacks {
  public:
    CollectingShell() { InstallShell(this); }
    ~CollectingShell() override { InstallShell(nullptr); }
    CollectingShell(const CollectingShell&) = delete;
    CollectingShell& operator=(const CollectingShell&) = delete;
    int AskTip(const std::string&, const std::string&, bool& dontShowAgain) override {
        dontShowAgain = false;
        return kTipCancel;
    }
    void AddReportLine(const std::string& line) override { lines.push_back(line); }
    void ShowPrompt(const std::string& text) override { lines.push_back(text); }
    TextList lines;
};

void Append(TextList& to, const TextList& lines) { to.insert(to.end(), lines.begin(), lines.end()); }

TextList RunScanTargets(const TextList& targets, CollectingShell& shell) {
    DecryptDataFiles();
    ResetMachineChanges();
    TextList report;
    auto take = [&](TextList lines) {
        Append(report, shell.lines);
        shell.lines.clear();
        Append(report, lines);
    };
    // The scan page's own scanners, so the elevated copy records the same reasons.
    ScanPorts scanners = EngineScanPorts();
    for (const std::string& target : targets) {
        if (target == "memory") {
            take(scanners.scanMemory());
        } else if (target == "local") {
            take(scanners.scanFixedDrives());
        } else if (target == "removable") {
            take(scanners.scanRemovableDrives());
        } else {
            RemovalReasonScope reason("Full scan of " + target);
            take(ScanAndCleanDrive(target));
        }
    }
    std::string refused = RefusalLine(MachineChanges().refused, CauseOfRefusals());
    if (!refused.empty()) report.push_back(refused);
    return report;
}

TextList RunRepair(const TextList& items) {
    DecryptDataFiles();
    TextList known = ReadRepairItemNames();
    for (const std::string& item : items)
        if (IndexOfText(known, item) < 0) throw EDataError("Unknown repair item: " + item);
    ApplyRepairItems(items);
    for (const std::string& item : items) AppendHistory("Repair", item);
    return {kRepairDoneMessage};
}

TextList RunUndo(uint32_t number) {
    switch (UndoChange(number)) {
        case UndoOutcome::Undone: return {"The change has been undone."};
        case UndoOutcome::NoSuchRecord: return {"This change has already been undone."};
        case UndoOutcome::Refused: break;
    }
    return {"The system refused to put the previous state back."};
}

TextList RunTask(const AdminRequest& request, CollectingShell& shell) {
    const TextList& args = request.arguments;
    switch (request.task) {
        case AdminTask::UsbPolicies: {
            SettingsPageValues values;
            values.usbDisabled = args[0] == "1";
            values.usbWriteProtected = args[1] == "1";
            AppendHistory("Policy", UsbPoliciesHistoryText(WriteUsbPolicies(values)));
            return {kPoliciesSavedMessage};
        }
        case AdminTask::MachineAutostart:
            SetMachineAutostart(args[0] == "1");
            return {kSettingsSavedMessage};
        case AdminTask::Repair:
            return RunRepair(args);
        case AdminTask::Undo:
            return RunUndo(static_cast<uint32_t>(std::strtoul(args[0].c_str(), nullptr, 10)));
        case AdminTask::Scan:
            return RunScanTargets(args, shell);
    }
    return {};
}

}  // namespace

std::string FormatAdminParameters(const AdminRequest& request) {
    std::string text = std::string(kAdminSwitch) + " " + std::to_string(request.replyWindow) + " " +
                       WordOf(request.task);
    for (const std::string& argument : request.arguments) text += " " + QuoteArgument(argument);
    return text;
}

bool ParseAdminArguments(const std::vector<std::string>& arguments, AdminRequest& request) {
    if (arguments.size() < 3 || arguments[0] != kAdminSwitch || !IsNumber(arguments[1]) ||
        !TaskOfWord(arguments[2], request.task))
        return false;
    request.replyWindow = static_cast<uintptr_t>(std::strtoull(arguments[1].c_str(), nullptr, 10));
    request.arguments.assign(arguments.begin() + 3, arguments.end());
    return ArgumentsFit(request.task, request.arguments);
}

std::string FormatAdminResult(const AdminResult& result) {
    std::string text = std::string(WordOf(result.task)) + "\t" + (result.done ? "done" : "failed");
    for (const std::string& line : result.lines) text += "\n" + line;
    return text;
}

bool ParseAdminResult(const std::string& text, AdminResult& result) {
    size_t end = text.find('\n');
    std::string head = text.substr(0, end);
    size_t tab = head.find('\t');
    if (tab == std::string::npos || !TaskOfWord(head.substr(0, tab), result.task)) return false;
    std::string status = head.substr(tab + 1);
    if (status != "done" && status != "failed") return false;
    result.done = status == "done";
    result.lines.clear();
    while (end != std::string::npos) {
        size_t next = text.find('\n', end + 1);
        result.lines.push_back(text.substr(end + 1, next == std::string::npos ? next : next - end - 1));
        end = next;
    }
    return true;
}

bool UndoNeedsAdministrator(uint32_t root, const std::string& kind) {
    return kind == "file" || root != platform::kHkeyCurrentUser;
}

AdminResult RunAdminTask(const AdminRequest& request) {
    AdminResult result;
    result.task = request.task;
    if (!ArgumentsFit(request.task, request.arguments)) {
        result.lines = {"The command was not understood."};
        return result;
    }
    CollectingShell shell;
    try {
        result.lines = RunTask(request, shell);
        result.done = true;
    } catch (const KestroneError& error) {
        result.lines = shell.lines;
        result.lines.push_back(error.what());
    }
    return result;
}

}  // namespace kestrone
