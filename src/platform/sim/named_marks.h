// The simulated machine's named marks: how many holders each name has, and
// names held by other processes (arranged by tests).
#pragma once

#include <map>
#include <string>

namespace kestrone::sim {

class NamedMarks {
  public:
    void Reset() { holders_.clear(); }
    // Another process holds the name (or lets it go).
    void HoldElsewhere(const std::string& name, bool held = true);
    int Holders(const std::string& name) const;

    // ---- used by the simulated platform itself ----
    int Take(const std::string& name);  // the holders before this one
    void Release(const std::string& name);

  private:
    std::map<std::string, int> holders_;  // names compare case-sensitively, as on Windows
};

NamedMarks& TheNamedMarks();

}  // namespace kestrone::sim
