#include "platform/event_log.h"

#include "platform/sim/world.h"

namespace kestrone::platform {

bool WriteLogEvent(const std::string& source, EventType type, uint32_t eventId,
                   const std::vector<std::string>& strings) {
    return sim::TheWorld().LogEvent({source, type, eventId, strings});
}

}  // namespace kestrone::platform
