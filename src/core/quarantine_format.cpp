#include "core/quarantine_format.h"

#include <algorithm>
#include <set>

#include "core/text.h"
#include "scan/file_code.h"

namespace kestrone {

namespace {

constexpr char kSealMagic[] = "KESTRONE QUARANTINE\r\n";
constexpr size_t kSealMagicLength = sizeof kSealMagic - 1;
constexpr size_t kSealCheckLength = 8;  // hex CRC-32 of the original bytes

// Never zero, so no byte is stored as it was.
unsigned char MaskByte(size_t index) {
    unsigned char mask = static_cast<unsigned char>(index * 151u + 0x6Bu);
    return mask == 0 ? 0x6B : mask;
}

std::string MaskBytes(const std::string& bytes) {
    std::string masked = bytes;
    for (size_t i = 0; i < masked.size(); ++i)
        masked[i] = static_cast<char>(static_cast<unsigned char>(masked[i]) ^ MaskByte(i));
    return masked;
}

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

bool ParseUnsigned(const std::string& text, int base, uint64_t limit, uint64_t& value) {
    if (text.empty() || text.size() > 20) return false;
    value = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            return false;
        if (value > (limit - static_cast<uint64_t>(digit)) / static_cast<uint64_t>(base))
            return false;
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    }
    return true;
}

bool ParseEntry(const std::string& line, QuarantineEntry& entry) {
    std::vector<std::string> fields = SplitFields(line);
    if (fields.size() != 9) return false;
    uint64_t number, attributes, size;
    if (!ParseUnsigned(fields[0], 10, 0xFFFFFFFFu, number) || number == 0) return false;
    if (!ParseUnsigned(fields[2], 16, 0xFFFFFFFFu, attributes)) return false;
    if (!ParseUnsigned(fields[3], 10, UINT64_MAX, size)) return false;
    if (fields[5] != "0" && fields[5] != "1") return false;
    if (fields[7].empty()) return false;
    entry.number = static_cast<uint32_t>(number);
    entry.time = fields[1];
    entry.attributes = static_cast<uint32_t>(attributes);
    entry.size = size;
    entry.fileCode = fields[4];
    entry.kept = fields[5] == "1";
    entry.reason = fields[6];
    entry.originalPath = fields[7];
    entry.note = fields[8];
    return true;
}

bool IsDeviceName(const std::string& step) {
    std::string base = UpperCase(step.substr(0, step.find('.')));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    static const char* const kDevices[] = {"CON",    "PRN",    "AUX",    "NUL",
                                           "CLOCK$", "CONIN$", "CONOUT$"};
    for (const char* device : kDevices)
        if (base == device) return true;
    if (base.size() == 4 && (StartsWith(base, "COM") || StartsWith(base, "LPT")))
        return base[3] >= '0' && base[3] <= '9';
    return false;
}

}  // namespace

std::string OneLineText(const std::string& text) {
    std::string line = text;
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return line;
}

std::string FormatQuarantineIndex(const std::vector<QuarantineEntry>& entries) {
    std::string text = std::string(kQuarantineIndexHeader) + "\r\n";
    for (const QuarantineEntry& e : entries) {
        text += Format("%u\t%s\t%X\t%llu\t%s\t%d\t%s\t%s\t%s\r\n", e.number,
                       OneLineText(e.time).c_str(), e.attributes,
                       static_cast<unsigned long long>(e.size), OneLineText(e.fileCode).c_str(),
                       e.kept ? 1 : 0, OneLineText(e.reason).c_str(),
                       OneLineText(e.originalPath).c_str(), OneLineText(e.note).c_str());
    }
    return text;
}

bool ParseQuarantineIndex(const std::string& text, std::vector<QuarantineEntry>& entries) {
    entries.clear();
    // Every line, the last one included, ends in a line break: a file cut short
    // in the middle of its last line is caught here.
    if (!text.empty() && text.back() != '\n') return false;
    std::set<uint32_t> numbers;
    size_t start = 0;
    bool header = true;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (header) {
            if (line != kQuarantineIndexHeader) return false;
            header = false;
            continue;
        }
        QuarantineEntry entry;
        if (!ParseEntry(line, entry) || !numbers.insert(entry.number).second) return false;
        entries.push_back(entry);
    }
    return !header;
}

std::string SealedFileName(uint32_t number) {
    return Format("%08u.kq", number);
}

std::string SealContent(const std::string& bytes) {
    return kSealMagic + Format("%08X", Crc32(bytes.data(), bytes.size())) + MaskBytes(bytes);
}

bool UnsealContent(const std::string& sealed, std::string& bytes) {
    if (sealed.size() < kSealMagicLength + kSealCheckLength) return false;
    if (sealed.compare(0, kSealMagicLength, kSealMagic) != 0) return false;
    std::string check = sealed.substr(kSealMagicLength, kSealCheckLength);
    std::string unmasked = MaskBytes(sealed.substr(kSealMagicLength + kSealCheckLength));
    if (check != Format("%08X", Crc32(unmasked.data(), unmasked.size()))) return false;
    bytes = std::move(unmasked);
    return true;
}

bool IsRestorablePath(const std::string& path) {
    if (path.size() < 4 || path.size() >= 260) return false;
    char drive = static_cast<char>(UpperCase(path.substr(0, 1))[0]);
    if (drive < 'A' || drive > 'Z' || path[1] != ':' || path[2] != '\\') return false;
    for (size_t i = 2; i < path.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (c < 32 ||
            std::string_view("*?<>\"|:/").find(static_cast<char>(c)) != std::string_view::npos)
            return false;
    }
    size_t start = 3;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        std::string step = path.substr(start, end - start);
        if (step.empty() || step == "." || step == ".." || IsDeviceName(step)) return false;
        // Windows drops trailing dots and blanks: the file would land elsewhere.
        if (step.back() == '.' || step.back() == ' ') return false;
        start = end + 1;
    }
    return true;
}

std::vector<uint32_t> EntriesOverLimit(const std::vector<QuarantineEntry>& entries,
                                       uint64_t limitBytes) {
    std::vector<const QuarantineEntry*> kept;
    uint64_t total = 0;
    for (const QuarantineEntry& entry : entries) {
        if (!entry.kept) continue;
        kept.push_back(&entry);
        total += entry.size;
    }
    std::sort(kept.begin(), kept.end(), [](const QuarantineEntry* a, const QuarantineEntry* b) {
        return a->number < b->number;
    });
    std::vector<uint32_t> dropped;
    for (const QuarantineEntry* entry : kept) {
        if (total <= limitBytes) break;
        dropped.push_back(entry->number);
        total -= entry->size;
    }
    return dropped;
}

}  // namespace kestrone
