#include "platform/sim/named_marks.h"

#include "platform/named_mark.h"

namespace kestrone::sim {

NamedMarks& TheNamedMarks() {
    static NamedMarks marks;
    return marks;
}

void NamedMarks::HoldElsewhere(const std::string& name, bool held) {
    if (held)
        Take(name);
    else
        Release(name);
}

int NamedMarks::Holders(const std::string& name) const {
    auto found = holders_.find(name);
    return found == holders_.end() ? 0 : found->second;
}

int NamedMarks::Take(const std::string& name) {
    return holders_[name]++;
}

void NamedMarks::Release(const std::string& name) {
    auto found = holders_.find(name);
    if (found == holders_.end()) return;
    if (--found->second <= 0) holders_.erase(found);
}

}  // namespace kestrone::sim

namespace kestrone::platform {

NamedMark::NamedMark(const std::string& name) : name_(name) {
    first_ = sim::TheNamedMarks().Take(name) == 0;
    handle_ = 1;
}

NamedMark::~NamedMark() {
    if (handle_) sim::TheNamedMarks().Release(name_);
}

}  // namespace kestrone::platform
