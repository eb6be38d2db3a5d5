#include "chm_reader.h"

namespace kestrone::test {

namespace {

uint64_t Little(const std::string& bytes, size_t at, size_t size) {
    uint64_t value = 0;
    for (size_t i = size; i-- > 0;) value = (value << 8) | static_cast<uint8_t>(bytes[at + i]);
    return value;
}

// A variable-length number: seven bits per byte, most significant first; a set
// top bit means that another byte follows.
bool ReadEncodedInteger(const std::string& bytes, size_t& at, size_t end, uint64_t& value) {
    value = 0;
    for (int count = 0; at < end && count < 10; ++count) {
        uint8_t byte = static_cast<uint8_t>(bytes[at++]);
        value = (value << 7) | (byte & 0x7F);
        if ((byte & 0x80) == 0) return true;
    }
    return false;
}

}  // namespace

bool ChmReader::Parse(const std::string& bytes, std::string& reason) {
    bytes_ = bytes;
    entries_.clear();
    if (bytes.size() < 0x60 || bytes.compare(0, 4, "ITSF") != 0) {
        reason = "no ITSF header";
        return false;
    }
    version_ = static_cast<uint32_t>(Little(bytes, 4, 4));
    uint64_t headerLength = Little(bytes, 8, 4);
    if (version_ != 3 || headerLength != 0x60) {
        reason = "unexpected ITSF version or header length";
        return false;
    }
    uint64_t directoryOffset = Little(bytes, 0x48, 8);
    uint64_t directoryLength = Little(bytes, 0x50, 8);
    contentOffset_ = Little(bytes, 0x58, 8);
    if (directoryOffset + directoryLength > bytes.size() || contentOffset_ > bytes.size() ||
        directoryLength < 0x54 || bytes.compare(directoryOffset, 4, "ITSP") != 0) {
        reason = "no ITSP directory header where the file header points";
        return false;
    }
    uint64_t itspLength = Little(bytes, directoryOffset + 8, 4);
    uint32_t chunkSize = static_cast<uint32_t>(Little(bytes, directoryOffset + 0x10, 4));
    uint32_t chunkCount = static_cast<uint32_t>(Little(bytes, directoryOffset + 0x2C, 4));
    if (chunkSize < 0x20 || itspLength + uint64_t{chunkSize} * chunkCount > directoryLength) {
        reason = "directory chunks do not fit the directory";
        return false;
    }
    for (uint32_t chunk = 0; chunk < chunkCount; ++chunk) {
        size_t at = directoryOffset + itspLength + size_t{chunk} * chunkSize;
        if (bytes.compare(at, 4, "PMGL") == 0 && !ParseListingChunk(at, chunkSize, reason))
            return false;
    }
    if (entries_.empty()) {
        reason = "the directory lists no files";
        return false;
    }
    return true;
}

bool ChmReader::ParseListingChunk(size_t at, uint32_t chunkSize, std::string& reason) {
    uint64_t freeSpace = Little(bytes_, at + 4, 4);
    if (freeSpace > chunkSize - 0x14) {
        reason = "listing chunk with a bad free-space length";
        return false;
    }
    size_t position = at + 0x14;
    size_t end = at + chunkSize - freeSpace;
    while (position < end) {
        uint64_t nameLength = 0;
        if (!ReadEncodedInteger(bytes_, position, end, nameLength) || position + nameLength > end) {
            reason = "listing entry runs past its chunk";
            return false;
        }
        std::string name = bytes_.substr(position, nameLength);
        position += nameLength;
        ChmEntry entry;
        if (!ReadEncodedInteger(bytes_, position, end, entry.section) ||
            !ReadEncodedInteger(bytes_, position, end, entry.offset) ||
            !ReadEncodedInteger(bytes_, position, end, entry.length)) {
            reason = "listing entry without its place";
            return false;
        }
        entries_[name] = entry;
    }
    return true;
}

bool ChmReader::ReadUncompressed(const std::string& name, std::string& content) const {
    auto found = entries_.find(name);
    if (found == entries_.end() || found->second.section != 0) return false;
    uint64_t start = contentOffset_ + found->second.offset;
    if (start + found->second.length > bytes_.size()) return false;
    content = bytes_.substr(start, found->second.length);
    return true;
}

std::map<uint16_t, std::string> ChmReader::SystemRecords() const {
    std::map<uint16_t, std::string> records;
    std::string system;
    if (!ReadUncompressed("/#SYSTEM", system) || system.size() < 4) return records;
    // A 4-byte version, then records of code, length and data (2 + 2 + length bytes).
    for (size_t at = 4; at + 4 <= system.size();) {
        uint16_t code = static_cast<uint16_t>(Little(system, at, 2));
        size_t length = Little(system, at + 2, 2);
        if (at + 4 + length > system.size()) break;
        std::string data = system.substr(at + 4, length);
        while (!data.empty() && data.back() == '\0') data.pop_back();
        records[code] = data;
        at += 4 + length;
    }
    return records;
}

}  // namespace kestrone::test
