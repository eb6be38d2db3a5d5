#include "platform/event_log.h"

#include <windows.h>

namespace kestrone::platform {

bool WriteLogEvent(const std::string& source, EventType type, uint32_t eventId,
                   const std::vector<std::string>& strings) {
    HANDLE log = RegisterEventSourceA(nullptr, source.c_str());
    if (!log) return false;
    std::vector<LPCSTR> pointers;
    for (const std::string& text : strings) pointers.push_back(text.c_str());
    BOOL written = ReportEventA(log, static_cast<WORD>(type), 0, eventId, nullptr,
                                static_cast<WORD>(pointers.size()), 0,
                                pointers.empty() ? nullptr : pointers.data(), nullptr);
    DeregisterEventSource(log);
    return written != FALSE;
}

}  // namespace kestrone::platform
