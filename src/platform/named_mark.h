// A name that several processes can hold at once, where each holder learns
// whether someone else held it first (a named mutex on Windows). It marks work
// in progress that another program must not start again meanwhile.
#pragma once

#include <cstdint>
#include <string>

namespace kestrone::platform {

class NamedMark {
  public:
    explicit NamedMark(const std::string& name);
    ~NamedMark();
    NamedMark(const NamedMark&) = delete;
    NamedMark& operator=(const NamedMark&) = delete;

    // True when nobody held the name before us. A name that exists but that
    // we may not open (another user's) counts as held by someone else.
    bool First() const { return first_; }

  private:
    uintptr_t handle_ = 0;
    std::string name_;
    bool first_ = false;
};

}  // namespace kestrone::platform
