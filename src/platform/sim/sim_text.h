// Case folding for the simulated machine, which compares names as Windows
// does (ASCII letters only). The simulation stands apart from the engine, so
// it carries its own copy rather than linking the engine's text helpers.
#pragma once

#include <string>
#include <string_view>

namespace kestrone::sim {

inline std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    return text;
}

inline bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && Upper(std::string(a)) == Upper(std::string(b));
}

}  // namespace kestrone::sim
