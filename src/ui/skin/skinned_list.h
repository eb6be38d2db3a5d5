// The objects attached to windows (skinned windows, control skins), kept by
// window handle. An entry leaves the list the moment its window is destroyed,
// so no entry can outlive its window and a handle the system hands out again
// never finds a stale object. The object itself is freed later, once no call
// of its own is running (it may be retired from inside its window procedure).
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace kestrone {

template <typename T>
class SkinnedList {
  public:
    using Key = uintptr_t;

    T* Find(Key key) const {
        for (const auto& entry : live_) {
            if (entry.first == key) return entry.second.get();
        }
        return nullptr;
    }

    // A key already present is retired first: the new object replaces it.
    T* Add(Key key, std::unique_ptr<T> object) {
        Retire(key);
        live_.emplace_back(key, std::move(object));
        return live_.back().second.get();
    }

    // The window is gone: the entry leaves the list at once.
    void Retire(Key key) {
        for (auto it = live_.begin(); it != live_.end(); ++it) {
            if (it->first == key) {
                retired_.push_back(std::move(it->second));
                live_.erase(it);
                return;
            }
        }
    }

    // An object that already left the list waits with the retired ones.
    void Bury(std::unique_ptr<T> object) {
        if (object) retired_.push_back(std::move(object));
    }

    // Takes an entry out of the list and hands the object over.
    std::unique_ptr<T> Take(Key key) {
        for (auto it = live_.begin(); it != live_.end(); ++it) {
            if (it->first == key) {
                std::unique_ptr<T> object = std::move(it->second);
                live_.erase(it);
                return object;
            }
        }
        return nullptr;
    }

    // Frees the retired objects for which `idle` holds.
    template <typename Idle>
    void Purge(Idle idle) {
        std::vector<std::unique_ptr<T>> freeing;
        auto keep = std::stable_partition(retired_.begin(), retired_.end(),
                                          [&](const std::unique_ptr<T>& o) { return !idle(*o); });
        std::move(keep, retired_.end(), std::back_inserter(freeing));
        retired_.erase(keep, retired_.end());
        // Destructors run after the list is consistent again.
    }

    // The keys in the order the entries were added (a copy: the caller may
    // retire entries while it walks them).
    std::vector<Key> Keys() const {
        std::vector<Key> keys;
        for (const auto& entry : live_) keys.push_back(entry.first);
        return keys;
    }

    size_t Size() const { return live_.size(); }
    size_t RetiredCount() const { return retired_.size(); }

  private:
    std::vector<std::pair<Key, std::unique_ptr<T>>> live_;
    std::vector<std::unique_ptr<T>> retired_;
};

}  // namespace kestrone
