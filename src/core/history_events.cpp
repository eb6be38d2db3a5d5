#include "core/history_events.h"

#include "core/quarantine_format.h"
#include "core/text.h"
#include "scan/drive_clean.h"
#include "scan/drive_scan.h"
#include "scan/memory_scan.h"

namespace kestrone {

namespace {

using platform::EventType;

bool IsScanKind(const std::string& kind) {
    return kind == "Scan" || kind == "Command-line scan";
}

// "E:\kavo.exe  cleaned": a suffix after something.
bool EndsAfterText(const std::string& text, const std::string& suffix) {
    return text.size() > suffix.size() && EndsWith(text, suffix);
}

bool IsRefusal(const std::string& text) {
    return text.find(" could not be removed") != std::string::npos;
}

HistoryEvent ScanEvent(const std::string& text) {
    if (IsRefusal(text)) return {kEventRemovalRefused, EventType::Warning};
    if (EndsAfterText(text, kCleanedSuffix) || EndsAfterText(text, kCleanedInMemorySuffix))
        return {kEventThreatRemoved, EventType::Warning};
    if (EndsAfterText(text, kCompletedSuffix)) return {kEventThreatsFound, EventType::Warning};
    return {};
}

HistoryEvent UpdateEvent(const std::string& text) {
    if (EndsWith(text, " are installed.")) return {kEventUpdateInstalled, EventType::Information};
    if (EndsWith(text, "there is nothing to install."))
        return {kEventUpdateNothingNewer, EventType::Information};
    return {kEventUpdateFailed, EventType::Warning};
}

}  // namespace

HistoryEvent EventForHistoryLine(const std::string& kind, const std::string& text) {
    if (IsScanKind(kind)) return ScanEvent(text);
    // An arrival's popup lists what was cleaned on the drive.
    if (kind == "Popup")
        return text.find(kCleanedSuffix) != std::string::npos
                   ? HistoryEvent{kEventThreatsFound, EventType::Warning}
                   : HistoryEvent{};
    if (kind == "Update") return UpdateEvent(text);
    if (kind == "Quarantine" && StartsWith(text, "Restored "))
        return {kEventFileRestored, EventType::Information};
    if (kind == "Undo") return {kEventChangeUndone, EventType::Information};
    if (kind == "Change") return {kEventSystemChanged, EventType::Information};
    if (kind == "Policy" || kind == "Immunity" || kind == "Trust")
        return {kEventProtectionChanged, EventType::Information};
    if (kind == "Repair") return {kEventRepaired, EventType::Information};
    if (IsRefusal(text)) return {kEventRemovalRefused, EventType::Warning};
    return {};
}

const std::vector<EventDescription>& EventDescriptions() {
    static const std::vector<EventDescription> events = {
        {kEventThreatRemoved, EventType::Warning, "Kestrone removed a threat: %1"},
        {kEventThreatsFound, EventType::Warning, "Kestrone found threats: %1"},
        {kEventRemovalRefused, EventType::Warning,
         "Windows refused to let Kestrone remove threats: %1"},
        {kEventFileRestored, EventType::Information,
         "Kestrone restored a file from its quarantine: %1"},
        {kEventChangeUndone, EventType::Information, "Kestrone undid a change: %1"},
        {kEventUpdateInstalled, EventType::Information, "Kestrone's definitions were updated: %1"},
        {kEventUpdateNothingNewer, EventType::Information,
         "Kestrone's definitions are up to date: %1"},
        {kEventUpdateFailed, EventType::Warning, "Kestrone's definitions could not be updated: %1"},
        {kEventSystemChanged, EventType::Information, "Kestrone changed a system setting: %1"},
        {kEventProtectionChanged, EventType::Information,
         "Kestrone's protection settings were changed: %1"},
        {kEventRepaired, EventType::Information, "Kestrone repaired the system: %1"},
    };
    return events;
}

std::string EventText(const std::string& text) {
    std::string line = OneLineText(text);
    if (line.size() > kEventTextLimit) line = line.substr(0, kEventTextLimit - 3) + "...";
    return line;
}

void ReportHistoryEvent(const std::string& kind, const std::string& text) {
    HistoryEvent event = EventForHistoryLine(kind, text);
    if (event.id == kNoEvent) return;
    platform::WriteLogEvent(kEventSource, event.type, event.id, {EventText(text)});
}

}  // namespace kestrone
