// Test helper: a small reader of a compiled help file's layout. It checks the
// file header and the directory header, lists the directory's entries (the
// listing chunks) and reads files kept uncompressed in content section 0,
// such as #SYSTEM. Compressed files (the pages) are listed, not read.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace kestrone::test {

struct ChmEntry {
    uint64_t section = 0;
    uint64_t offset = 0;
    uint64_t length = 0;
};

class ChmReader {
  public:
    // Parses the bytes of a whole file; false (with a reason) when the layout is wrong.
    bool Parse(const std::string& bytes, std::string& reason);

    uint32_t Version() const { return version_; }
    const std::map<std::string, ChmEntry>& Entries() const { return entries_; }
    // The content of an uncompressed file (section 0); false when it is not one.
    bool ReadUncompressed(const std::string& name, std::string& content) const;
    // The #SYSTEM records: code -> data (text records without their final NUL).
    std::map<uint16_t, std::string> SystemRecords() const;

  private:
    bool ParseListingChunk(size_t at, uint32_t chunkSize, std::string& reason);

    std::string bytes_;
    uint32_t version_ = 0;
    uint64_t contentOffset_ = 0;
    std::map<std::string, ChmEntry> entries_;
};

}  // namespace kestrone::test
