// Which history lines also go to the Windows Application log, under the
// source "Kestrone", so that an administrator learns centrally what happened
// on each PC: detections, removals, refusals, restores, undos, updates and
// changes of the system and of the protection. Each kind of event has a fixed
// number; its text is in the message table compiled into the programs
// (src/app/res/kestrone_events.mc), with the history text as %1.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/event_log.h"

namespace kestrone {

inline constexpr char kEventSource[] = "Kestrone";

enum HistoryEventId : uint32_t {
    kNoEvent = 0,
    kEventThreatRemoved = 1001,
    kEventThreatsFound = 1002,
    kEventRemovalRefused = 1003,
    kEventFileRestored = 1004,
    kEventChangeUndone = 1005,
    kEventUpdateInstalled = 1006,
    kEventUpdateNothingNewer = 1007,
    kEventUpdateFailed = 1008,
    kEventSystemChanged = 1009,
    kEventProtectionChanged = 1010,
    kEventRepaired = 1011,
};

struct HistoryEvent {
    uint32_t id = kNoEvent;
    platform::EventType type = platform::EventType::Information;
};

// The event for a history line (its kind and text); kNoEvent for the lines
// that are not worth an administrator's attention (no threat found, notes).
HistoryEvent EventForHistoryLine(const std::string& kind, const std::string& text);

// Every event, for the templates and the help that list them.
struct EventDescription {
    uint32_t id;
    platform::EventType type;
    const char* message;  // as in the message table, %1 the history text
};
const std::vector<EventDescription>& EventDescriptions();

// The history text as the event carries it: on one line, and cut (with
// "...") to what Windows takes for one string of an event.
inline constexpr size_t kEventTextLimit = 31000;
std::string EventText(const std::string& text);

// Writes the event of a history line, if it has one. A log that refuses it
// changes nothing else.
void ReportHistoryEvent(const std::string& kind, const std::string& text);

}  // namespace kestrone
