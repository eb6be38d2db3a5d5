// The Windows event log: one event in the Application log under a source
// whose messages the installers registered. The texts live in the message
// table compiled into the program; an event carries only its number, its
// type and the strings that fill the message's %1, %2, ...
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrone::platform {

// The types, as Windows numbers them.
enum class EventType : uint16_t { Error = 1, Warning = 2, Information = 4 };

// False when the log refused the event (no such log, no rights); an event
// that cannot be written is no reason to stop what is being recorded.
bool WriteLogEvent(const std::string& source, EventType type, uint32_t eventId,
                   const std::vector<std::string>& strings);

}  // namespace kestrone::platform
