#include "scan/drive_guard.h"

#include "core/definitions.h"
#include "core/machine_changes.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "scan/autorun.h"
#include "scan/drive_clean.h"
#include "scan/drive_paths.h"
#include "scan/drive_scan.h"
#include "scan/lookalike_worm.h"
#include "scan/reg_script.h"
#include "scan/run_entries.h"
#include "scan/shortcut_worm.h"

namespace kestrone {

namespace {

const platform::FolderEntry* Named(const std::vector<platform::FolderEntry>& entries,
                                   const std::string& name) {
    for (const platform::FolderEntry& entry : entries) {
        if (SameText(entry.name, name)) return &entry;
    }
    return nullptr;
}

// The first name below the root of a path on the drive ("RECYCLER" for
// "E:\RECYCLER\x.exe"): what a change of the root shows of it.
std::string RootName(const std::string& path) {
    std::string below = PathBelowRoot(path);
    return below.substr(0, below.find('\\'));
}

bool Changed(const TextList& changed, const std::string& path) {
    return IndexOfText(changed, RootName(path)) >= 0;
}

bool ShortcutWormChanged(const std::string& driveRoot, const TextList& changed) {
    for (const WormShortcut& worm : FindWormShortcuts(driveRoot)) {
        if (Changed(changed, worm.path)) return true;
        for (const std::string& payload : worm.launch.payloads) {
            if (Changed(changed, payload)) return true;
        }
    }
    return false;
}

bool LookalikeChanged(const std::string& driveRoot, const TextList& changed) {
    for (const Lookalike& copy : FindLookalikeWorms(driveRoot)) {
        if (Changed(changed, copy.program) || Changed(changed, copy.item)) return true;
    }
    return false;
}

// "key\value" for every value of the start-up keys.
TextList StartupValues() {
    TextList values;
    for (const char* keyText : kStartupKeys) {
        RegPath path = ParseRegPath(keyText);
        platform::RegistryKey key;
        if (!path.valid || !key.OpenForReading(path.root, path.keyPath)) continue;
        for (const std::string& name : key.ValueNames())
            values.push_back(std::string(keyText) + "\\" + name);
    }
    return values;
}

}  // namespace

TextList ChangedRootNames(const std::vector<platform::FolderEntry>& before,
                          const std::vector<platform::FolderEntry>& after) {
    TextList changed;
    for (const platform::FolderEntry& entry : after) {
        const platform::FolderEntry* old = Named(before, entry.name);
        if (!old || old->attributes != entry.attributes || old->size != entry.size)
            changed.push_back(entry.name);
    }
    return changed;
}

bool ChangeBringsWorm(const std::string& driveRoot, const TextList& changed) {
    if (changed.empty()) return false;
    if (IndexOfText(changed, kAutorunFileName) >= 0 && HasAutorunInf(driveRoot)) return true;
    return ShortcutWormChanged(driveRoot, changed) || LookalikeChanged(driveRoot, changed);
}

GuardReport GuardDriveRoot(const std::string& driveRoot,
                           std::vector<platform::FolderEntry>& baseline) {
    GuardReport report;
    std::vector<platform::FolderEntry> now = platform::ListFolder(driveRoot + "*");
    if (!ChangeBringsWorm(driveRoot, ChangedRootNames(baseline, now))) {
        baseline = std::move(now);
        return report;
    }
    std::vector<platform::ProcessEntry> processesBefore = platform::SnapshotProcesses();
    TextList valuesBefore = StartupValues();
    size_t endedBefore = MachineChanges().endedProcesses.size();
    report.acted = true;
    report.lines = ScanAndCleanDrive(driveRoot, StickTrust::Disregard);
    // Only what the clean ended: other programs come and go meanwhile.
    const std::vector<uint32_t>& ended = MachineChanges().endedProcesses;
    for (size_t index = endedBefore; index < ended.size(); ++index) {
        for (const platform::ProcessEntry& process : processesBefore) {
            if (process.id == ended[index]) report.endedProcesses.push_back(process.exeName);
        }
    }
    TextList valuesAfter = StartupValues();
    for (const std::string& value : valuesBefore) {
        if (IndexOfText(valuesAfter, value) < 0)
            report.removedStartupValues.push_back(FilePart(value));
    }
    baseline = platform::ListFolder(driveRoot + "*");
    return report;
}

std::string GuardPopupText(const std::string& driveRoot, const GuardReport& report) {
    if (!report.acted) return std::string();
    TextList lines{kGuardHeadline + driveRoot};
    for (const std::string& line : report.lines) lines.push_back(line);
    auto joined = [](const TextList& items) {
        std::string text;
        for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
        return text;
    };
    if (!report.endedProcesses.empty()) {
        lines.push_back(kGuardEndedPrefix);
        lines.push_back(joined(report.endedProcesses));
    }
    if (!report.removedStartupValues.empty()) {
        lines.push_back(kGuardStartupPrefix);
        lines.push_back(joined(report.removedStartupValues));
    }
    return JoinLines(lines);
}

}  // namespace kestrone
