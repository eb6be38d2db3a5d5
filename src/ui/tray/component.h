// The root of Kestrone's non-visual components (tray icon, sliding popup):
// events are std::function members that carry the raising object as Sender,
// and an unassigned event is simply skipped.
#pragma once

#include <functional>
#include <utility>

namespace kestrone::ui {

class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

// Calls an event when it is assigned; returns whether it ran.
template <typename Signature, typename... Args>
bool Raise(const std::function<Signature>& event, Args&&... args) {
    if (!event) return false;
    event(std::forward<Args>(args)...);
    return true;
}

}  // namespace kestrone::ui
