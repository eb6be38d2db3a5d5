#include "core/definitions.h"

#include "core/data_places.h"
#include "core/errors.h"
#include "core/path_macros.h"
#include "platform/drives.h"
#include "platform/profile.h"

namespace kestrone {

std::string DataFilePath(const std::string& fileName) {
    return IsEncryptedDataFile(fileName) ? GetTempDir() + fileName : UserFilePath(fileName);
}

namespace {
// A default no stored value can hold: tells a missing key from an empty one.
constexpr char kMissing[] = "\x01missing\x01";
}  // namespace

// The user's value; where the user has none, the one beside the program.
std::string ReadDataString(const std::string& section, const std::string& key,
                           const std::string& defaultValue, const std::string& fileName) {
    std::string own = DataFilePath(fileName);
    std::string shipped = IsEncryptedDataFile(fileName) ? own : ShippedFilePath(fileName);
    if (SameText(own, shipped))
        return platform::ReadProfileValue(section, key, defaultValue, own);
    std::string value = platform::ReadProfileValue(section, key, kMissing, own);
    if (value != kMissing) return value;
    return platform::ReadProfileValue(section, key, defaultValue, shipped);
}

void WriteDataString(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& fileName) {
    std::string path = DataFilePath(fileName);
    if (!platform::WriteProfileValue(section, key, value, path)) {
        throw EWriteError("Unable to write to " + path);
    }
}

bool ParseInteger(const std::string& raw, int32_t& value) {
    std::string text = Trim(raw);
    size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
    bool hex = false;
    if (pos < text.size() && text[pos] == '$') {
        hex = true;
        ++pos;
    } else if (pos + 1 < text.size() && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        hex = true;
        pos += 2;
    }
    if (pos >= text.size()) return false;
    uint64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        char c = text[pos];
        int digit = (c >= '0' && c <= '9')               ? c - '0'
                    : hex && (c >= 'a' && c <= 'f')      ? c - 'a' + 10
                    : hex && (c >= 'A' && c <= 'F')      ? c - 'A' + 10
                                                         : -1;
        if (digit < 0) return false;
        magnitude = magnitude * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
        if (magnitude > 0xFFFFFFFFull) return false;
    }
    if (hex) {
        // Hexadecimal fills all 32 bits: $FFFFFFFF is -1.
        uint32_t bits = static_cast<uint32_t>(magnitude);
        value = static_cast<int32_t>(negative ? 0u - bits : bits);
        return true;
    }
    if (magnitude > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return false;
    value = negative ? static_cast<int32_t>(-static_cast<int64_t>(magnitude))
                     : static_cast<int32_t>(magnitude);
    return true;
}

int32_t ReadDataInteger(const std::string& section, const std::string& key, int32_t defaultValue,
                        const std::string& fileName) {
    std::string text = ReadDataString(section, key, "", fileName);
    int32_t value = 0;
    return ParseInteger(text, value) ? value : defaultValue;
}

void WriteDataInteger(const std::string& section, const std::string& key, int32_t value,
                      const std::string& fileName) {
    WriteDataString(section, key, std::to_string(value), fileName);
}

bool ReadDataBool(const std::string& section, const std::string& key, bool defaultValue,
                  const std::string& fileName) {
    return ReadDataInteger(section, key, defaultValue ? 1 : 0, fileName) != 0;
}

void WriteDataBool(const std::string& section, const std::string& key, bool value,
                   const std::string& fileName) {
    WriteDataString(section, key, value ? "1" : "0", fileName);
}

bool IsEncryptedDataFile(const std::string& fileName) {
    std::string upper = UpperCase(fileName);
    for (const std::string& item : SplitList(kEncryptedDataFiles, ',')) {
        if (item == upper) return true;
    }
    return false;
}

TextList SplitList(const std::string& text, char separator) {
    TextList items;
    if (text.empty() || text == "None") return items;
    std::string rest = text;
    if (rest.back() == separator) rest.pop_back();
    size_t start = 0;
    for (size_t pos; (pos = rest.find(separator, start)) != std::string::npos; start = pos + 1) {
        items.push_back(UpperCase(std::string_view(rest).substr(start, pos - start)));
    }
    items.push_back(UpperCase(std::string_view(rest).substr(start)));
    return items;
}

std::string JoinList(const TextList& items) {
    std::string text;
    for (const std::string& item : items) text += item + ",";
    return text;
}

std::string JoinLines(const TextList& items) {
    std::string text;
    for (const std::string& item : items) text += item + "\r";
    return text;
}

namespace {
std::string DriveLetters(bool removable) {
    std::string letters;
    uint32_t mask = platform::GetLogicalDriveMask();
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (1u << i))) continue;
        char letter = static_cast<char>('A' + i);
        unsigned type = platform::GetDriveKind(std::string(1, letter) + ":\\");
        bool wanted = removable ? (type == platform::kDriveRemovable && letter != 'A')
                                : type == platform::kDriveFixed;
        if (wanted) letters += letter;
    }
    return letters;
}
}  // namespace

std::string GetFixedDriveLetters() { return DriveLetters(false); }
std::string GetRemovableDriveLetters() { return DriveLetters(true); }

}  // namespace kestrone
