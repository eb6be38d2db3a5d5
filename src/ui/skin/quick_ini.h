// The small in-memory INI reader of the skin. Its rules differ from the
// system's profile functions: no quotes are stripped, and an empty value
// counts as missing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrone {

class TQuickIni {
public:
    // Loads the text; a NUL ends it.
    void Load(std::string_view text);

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
    bool HasKey(std::string_view section, std::string_view key) const;
    // Section names without brackets, in file order.
    std::vector<std::string> SectionNames() const;

private:
    struct Section {
        std::string header;  // as written, trimmed, brackets included
        size_t line = 0;
    };
    // Index of the first section header that matches, or -1.
    int FindSection(std::string_view name) const;
    // The trimmed value of the first line with this key; false when the key is
    // not there (a line without "=" never matches).
    bool FindValue(std::string_view section, std::string_view key, std::string& value) const;

    std::vector<std::string> lines_;
    std::vector<Section> sections_;
};

// Integer text as the skin writes it: "0x"/"0X" hexadecimal, "$" hexadecimal
// or decimal with an optional sign. False for anything else.
bool ParseSkinInteger(std::string_view text, int& value);

}  // namespace kestrone
