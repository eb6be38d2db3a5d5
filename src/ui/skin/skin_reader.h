// The skin container: a header, a list of entry names, their sizes and their
// bytes, all inside one unpacked skin. Entries are BMP files and one INI text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrone {

inline constexpr uint32_t kSkinFormat20000 = 20000;
inline constexpr uint32_t kSkinFormat30000 = 30000;
inline constexpr size_t kMaxSkinEntries = 1001;
inline constexpr const char* kOlderSkinMessage =
    "This is Older Skin File\rPlease update to new version !";

class TSkinReader {
public:
    // Why the last ReadPacked/ReadUnpacked refused its data.
    enum class Refusal {
        None,
        Unpack,        // shorter than its size field, or an impossible size
        Header,        // shorter than the header
        OlderFormat,   // neither 20000 nor 30000
        NameList,      // the name list runs past the data
        TooManyEntries,
        SizeTable,     // the size table runs past the data
        EntryData,     // the sizes add up to more than the data holds
    };

    // Unpacks a packed skin and splits the container. On failure the reader
    // holds nothing; an older format also shows its message to the user.
    bool ReadPacked(std::string_view packed);
    // Splits an already unpacked container.
    bool ReadUnpacked(std::string unpacked);
    Refusal LastRefusal() const { return refusal_; }

    // The bytes of the entry with exactly this name (compared in lower case);
    // empty when there is none.
    std::string Entry(std::string_view name) const;
    bool HasEntry(std::string_view name) const;
    // The first entry whose name contains `text` (compared in lower case);
    // false when none does.
    bool FindContaining(std::string_view text, std::string& bytes, std::string& name) const;

    uint32_t Format() const { return format_; }
    const std::vector<std::string>& Names() const { return names_; }
    const std::vector<uint32_t>& Sizes() const { return sizes_; }
    void Clear();

private:
    bool Refuse(Refusal why);
    std::string_view EntryAt(size_t index) const;

    uint32_t format_ = 0;
    std::vector<std::string> names_;
    std::vector<uint32_t> sizes_;
    std::vector<uint64_t> offsets_;  // running offset of each entry in data_
    std::string data_;               // the whole unpacked container
    size_t dataStart_ = 0;           // where the entries' bytes begin
    Refusal refusal_ = Refusal::None;
};

// Splits a name list the way the container defines it: lines ended by CR LF
// (a lone CR or LF also ends a line); no empty line after the last break.
std::vector<std::string> SplitNameList(std::string_view text);

}  // namespace kestrone
