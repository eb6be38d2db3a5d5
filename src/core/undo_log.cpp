#include "core/undo_log.h"

#include <algorithm>
#include <cstdlib>
#include <set>

#include "core/definitions.h"
#include "core/history_log.h"
#include "core/machine_changes.h"
#include "core/quarantine_format.h"
#include "core/text.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/registry.h"

namespace kestrone {

namespace {

constexpr char kUndoHeader[] = "Kestrone undo 1";
bool g_use = false;

std::string ToHex(const std::string& bytes) {
    std::string hex;
    for (unsigned char c : bytes) hex += Format("%02X", c);
    return hex;
}

bool FromHex(const std::string& hex, std::string& bytes) {
    if (hex.size() % 2) return false;
    bytes.clear();
    for (size_t i = 0; i < hex.size(); i += 2) {
        int value = 0;
        for (char c : hex.substr(i, 2)) {
            int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
            if (digit < 0) return false;
            value = value * 16 + digit;
        }
        bytes += static_cast<char>(value);
    }
    return true;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

bool ParseNumber(const std::string& text, int base, uint32_t& value) {
    if (text.empty() || text.size() > 10) return false;
    char* end = nullptr;
    unsigned long long parsed = std::strtoull(text.c_str(), &end, base);
    if (*end != '\0' || parsed > 0xFFFFFFFFull || text[0] == '-' || text[0] == '+') return false;
    value = static_cast<uint32_t>(parsed);
    return true;
}

std::string UndoPath() {
    return DataFilePath(kUndoFileName);
}

bool SaveRecords(const std::vector<UndoRecord>& records) {
    std::string temporary = UndoPath() + ".new";
    if (platform::WriteTextFile(temporary, FormatUndoLog(records)) &&
        platform::ReplaceFileWith(temporary, UndoPath()))
        return true;
    platform::RemoveFile(temporary);
    return false;
}

bool AddRecord(UndoRecord record) {
    std::vector<UndoRecord> records = ReadUndoRecords();
    for (const UndoRecord& r : records) record.number = std::max(record.number, r.number);
    ++record.number;
    record.time = platform::CurrentLocalTimeText();
    records.push_back(record);
    if (records.size() > kUndoRecordLimit)
        records.erase(records.begin(), records.end() - static_cast<long>(kUndoRecordLimit));
    if (!SaveRecords(records)) return false;
    AppendHistory("Change", Format("%s (undo %u)", record.change.c_str(), record.number));
    return true;
}

std::string DwordBytes(uint32_t value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

uint32_t DwordOf(const std::string& bytes) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[static_cast<size_t>(i)]);
    return value;
}

bool PutValueBack(const UndoRecord& record) {
    platform::RegistryKey key;
    if (!record.existed) {
        if (!key.Open(record.root, record.path) || !key.ValueExists(record.name)) return true;
        return key.DeleteValue(record.name);
    }
    if (!key.OpenOrCreate(record.root, record.path)) return false;
    switch (record.type) {
        case platform::kRegSz:
            return key.WriteString(record.name, record.data);
        case platform::kRegExpandSz:
            return key.WriteExpandString(record.name, record.data);
        case platform::kRegDword:
            return record.data.size() == 4 && key.WriteDword(record.name, DwordOf(record.data));
        default:
            return false;
    }
}

bool PutFileBack(const UndoRecord& record) {
    if (!record.existed)
        return !platform::FileExists(record.path) || platform::RemoveFile(record.path);
    uint32_t attributes = platform::GetAttributes(record.path);
    if (attributes != platform::kInvalidAttributes)
        platform::SetAttributes(record.path, platform::kAttrNormal);
    bool written = platform::WriteTextFile(record.path, record.data);
    if (attributes != platform::kInvalidAttributes)
        platform::SetAttributes(record.path, attributes);
    return written;
}

}  // namespace

std::string RootShortName(uint32_t root) {
    switch (root) {
        case platform::kHkeyClassesRoot:
            return "HKCR";
        case platform::kHkeyCurrentUser:
            return "HKCU";
        case platform::kHkeyLocalMachine:
            return "HKLM";
        case platform::kHkeyUsers:
            return "HKU";
    }
    return Format("%X", root);
}

std::string FormatUndoLog(const std::vector<UndoRecord>& records) {
    std::string text = std::string(kUndoHeader) + "\r\n";
    for (const UndoRecord& r : records) {
        text += Format("%u\t%s\t%s\t%X\t%s\t%s\t%d\t%u\t%s\t%s\r\n", r.number,
                       OneLineText(r.time).c_str(), OneLineText(r.kind).c_str(), r.root,
                       ToHex(r.path).c_str(), ToHex(r.name).c_str(), r.existed ? 1 : 0, r.type,
                       ToHex(r.data).c_str(), OneLineText(r.change).c_str());
    }
    return text;
}

bool ParseUndoLog(const std::string& text, std::vector<UndoRecord>& records) {
    records.clear();
    if (text.empty() || text.back() != '\n') return false;
    std::set<uint32_t> numbers;
    size_t start = 0;
    bool header = true;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (header) {
            if (line != kUndoHeader) return false;
            header = false;
            continue;
        }
        std::vector<std::string> f = Fields(line);
        UndoRecord r;
        if (f.size() != 10 || !ParseNumber(f[0], 10, r.number) || r.number == 0 ||
            !ParseNumber(f[3], 16, r.root) || !ParseNumber(f[7], 10, r.type) ||
            (f[2] != "value" && f[2] != "file") || (f[6] != "0" && f[6] != "1") ||
            !FromHex(f[4], r.path) || !FromHex(f[5], r.name) || !FromHex(f[8], r.data) ||
            !numbers.insert(r.number).second)
            return false;
        r.time = f[1];
        r.kind = f[2];
        r.existed = f[6] == "1";
        r.change = f[9];
        records.push_back(r);
    }
    return !header;
}

uint32_t UndoNumberOfHistoryLine(const std::string& line) {
    constexpr std::string_view kMark = "(undo ";
    size_t at = line.rfind(kMark);
    if (at == std::string::npos || line.empty() || line.back() != ')') return 0;
    std::string digits = line.substr(at + kMark.size(), line.size() - 1 - at - kMark.size());
    uint32_t number = 0;
    if (digits.find_first_not_of("0123456789") != std::string::npos ||
        !ParseNumber(digits, 10, number))
        return 0;
    return number;
}

void UseUndoRecords(bool use) {
    g_use = use;
}
bool UndoRecordsInUse() {
    return g_use;
}

std::vector<UndoRecord> ReadUndoRecords() {
    std::vector<UndoRecord> records;
    std::string text;
    if (!platform::ReadWholeFile(UndoPath(), text)) return records;
    if (!ParseUndoLog(text, records)) {
        // A damaged file cannot be trusted to put anything back: set it aside.
        platform::ReplaceFileWith(UndoPath(), UndoPath() + ".bad");
        records.clear();
    }
    return records;
}

bool RecordRegistryValue(uint32_t root, const std::string& keyPath, const std::string& name,
                         const std::string& change) {
    if (!g_use || !ChangesApplied()) return false;  // a report-only run changes nothing
    UndoRecord record;
    record.kind = "value";
    record.root = root;
    record.path = keyPath;
    record.name = name;
    record.change = change;
    platform::RegistryKey key;
    if (key.OpenForReading(root, keyPath) && key.ValueType(name, record.type)) {
        record.existed = true;
        uint32_t dword = 0;
        if (record.type == platform::kRegDword && key.ReadDword(name, dword)) {
            record.data = DwordBytes(dword);
        } else if ((record.type == platform::kRegSz || record.type == platform::kRegExpandSz) &&
                   key.TryReadString(name, record.data)) {
        } else {
            return false;
        }
    }
    return AddRecord(record);
}

bool RecordFileContent(const std::string& path, const std::string& change) {
    if (!g_use || !ChangesApplied()) return false;  // a report-only run changes nothing
    UndoRecord record;
    record.kind = "file";
    record.path = path;
    record.change = change;
    record.existed = platform::ReadWholeFile(path, record.data);
    return AddRecord(record);
}

UndoOutcome UndoChange(uint32_t number) {
    std::vector<UndoRecord> records = ReadUndoRecords();
    auto it = std::find_if(records.begin(), records.end(),
                           [number](const UndoRecord& r) { return r.number == number; });
    if (it == records.end()) return UndoOutcome::NoSuchRecord;
    bool done = it->kind == "file" ? PutFileBack(*it) : PutValueBack(*it);
    if (!done) return UndoOutcome::Refused;
    AppendHistory("Undo", "Undone: " + it->change);
    records.erase(it);
    SaveRecords(records);
    return UndoOutcome::Undone;
}

}  // namespace kestrone
