// The shortcut file format: a fixed header, then optional structures in a
// fixed order (target ID list, link info, five counted strings), then extra
// data blocks. Every offset, size and count below is checked against the
// bytes in hand before it is used.
#include "scan/shell_link.h"

#include <cstring>

namespace kestrone {

namespace {

constexpr uint32_t kHeaderSize = 0x4C;
constexpr unsigned char kShellLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                               0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
// "My Computer" as an ID list stores it; file-system paths hang below it.
constexpr unsigned char kMyComputerClsid[16] = {0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10,
                                                0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};
constexpr uint32_t kFileEntryExtension = 0xBEEF0004;
constexpr uint32_t kEnvironmentBlock = 0xA0000001;
constexpr uint32_t kEnvironmentBlockSize = 0x314;
constexpr size_t kMaxPathLength = 32767;  // the longest path Windows knows

bool Has(std::string_view bytes, size_t at, size_t count) {
    return at <= bytes.size() && count <= bytes.size() - at;
}

bool ReadU16(std::string_view bytes, size_t at, uint16_t& value) {
    if (!Has(bytes, at, 2)) return false;
    value = static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                  static_cast<unsigned char>(bytes[at + 1]) << 8);
    return true;
}

bool ReadU32(std::string_view bytes, size_t at, uint32_t& value) {
    uint16_t low = 0, high = 0;
    if (!ReadU16(bytes, at, low) || !ReadU16(bytes, at + 2, high)) return false;
    value = static_cast<uint32_t>(low) | static_cast<uint32_t>(high) << 16;
    return true;
}

// A NUL-terminated ANSI text starting at `at`; ends at the data's end when no NUL follows.
std::string AnsiAt(std::string_view bytes, size_t at) {
    if (at >= bytes.size()) return std::string();
    std::string_view rest = bytes.substr(at);
    return std::string(rest.substr(0, rest.find('\0')));
}

// UTF-16 text from `at` up to a NUL or the data's end.
std::u16string WideAt(std::string_view bytes, size_t at) {
    std::u16string text;
    for (uint16_t unit = 0; ReadU16(bytes, at, unit) && unit != 0; at += 2) {
        text += static_cast<char16_t>(unit);
    }
    return text;
}

// `count` UTF-16 units from `at` (the caller has checked they are there),
// ending early at a NUL: some writers count the terminating NUL too.
std::u16string WideCounted(std::string_view bytes, size_t at, size_t count) {
    std::u16string text;
    uint16_t unit = 0;
    for (size_t i = 0; i < count && ReadU16(bytes, at + 2 * i, unit) && unit != 0; ++i) {
        text += static_cast<char16_t>(unit);
    }
    return text;
}

// The long name that a file entry's extension block carries; empty when none.
std::string LongNameOf(std::string_view item, WideConverter toAnsi) {
    uint16_t blockAt = 0;
    if (item.size() < 4 || !ReadU16(item, item.size() - 2, blockAt)) return std::string();
    uint16_t blockSize = 0, version = 0;
    uint32_t signature = 0;
    if (!ReadU16(item, blockAt, blockSize) || !ReadU16(item, blockAt + 2, version) ||
        !ReadU32(item, blockAt + 4, signature) || signature != kFileEntryExtension ||
        !Has(item, blockAt, blockSize) || version < 3) {
        return std::string();
    }
    // Later Windows versions put more fields in front of the name.
    size_t nameAt = version >= 9 ? 46 : version == 8 ? 42 : version == 7 ? 38 : 20;
    if (nameAt >= blockSize) return std::string();
    return toAnsi(WideAt(item.substr(blockAt, blockSize), nameAt));
}

// One item of a file entry: the long name when it has one, else the short name.
std::string FileEntryName(std::string_view item, WideConverter toAnsi) {
    constexpr size_t kNameAt = 14;  // after size, type, flags, file size, date, time, attributes
    bool unicode = (static_cast<unsigned char>(item[2]) & 0x04) != 0;
    std::string shortName = unicode ? toAnsi(WideAt(item, kNameAt)) : AnsiAt(item, kNameAt);
    std::string longName = LongNameOf(item, toAnsi);
    return longName.empty() ? shortName : longName;
}

bool IsDriveRoot(const std::string& text) {
    return text.size() == 3 && text[1] == ':' && text[2] == '\\' &&
           ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'));
}

// The path spelled by the items of an ID list: "My Computer", a drive, then
// folders and files. Empty when an item is malformed or leaves the file system.
std::string PathOfIdList(std::string_view list, WideConverter toAnsi) {
    std::string path;
    uint16_t itemSize = 0;
    for (size_t at = 0, index = 0; ReadU16(list, at, itemSize) && itemSize != 0;
         at += itemSize, ++index) {
        if (itemSize < 3 || !Has(list, at, itemSize)) return std::string();
        std::string_view item = list.substr(at, itemSize);
        unsigned type = static_cast<unsigned char>(item[2]);
        if (index == 0 && type == 0x1F) {
            if (!Has(item, 4, 16) || std::memcmp(item.data() + 4, kMyComputerClsid, 16) != 0) {
                return std::string();
            }
        } else if ((type & 0x70) == 0x20 && path.empty()) {
            path = AnsiAt(item, 3);
            if (!IsDriveRoot(path)) return std::string();
        } else if ((type & 0x70) == 0x30 && !path.empty()) {
            std::string name = FileEntryName(item, toAnsi);
            if (name.empty()) return std::string();
            if (path.back() != '\\') path += '\\';
            path += name;
        } else {
            return std::string();
        }
        if (path.size() > kMaxPathLength) return std::string();
    }
    return path;
}

bool ReadIdList(std::string_view bytes, size_t& at, ShellLink& link, WideConverter toAnsi) {
    uint16_t listSize = 0;
    if (!ReadU16(bytes, at, listSize) || !Has(bytes, at + 2, listSize)) return false;
    link.idListPath = PathOfIdList(bytes.substr(at + 2, listSize), toAnsi);
    at += 2 + listSize;
    return true;
}

// A text inside the link info at the given offset; empty when it lies outside.
std::string InfoText(std::string_view info, uint32_t offset, bool wide, WideConverter toAnsi) {
    if (offset == 0 || offset >= info.size()) return std::string();
    return wide ? toAnsi(WideAt(info, offset)) : AnsiAt(info, offset);
}

bool ReadLinkInfo(std::string_view bytes, size_t& at, ShellLink& link, WideConverter toAnsi) {
    uint32_t size = 0, headerSize = 0, flags = 0;
    if (!ReadU32(bytes, at, size) || size < 0x1C || !Has(bytes, at, size)) return false;
    std::string_view info = bytes.substr(at, size);
    at += size;
    if (!ReadU32(info, 4, headerSize) || headerSize < 0x1C || headerSize > size ||
        !ReadU32(info, 8, flags)) {
        return false;
    }
    if ((flags & 1) == 0) return true;  // no local path (a network target)
    uint32_t baseAt = 0, suffixAt = 0, baseWideAt = 0, suffixWideAt = 0;
    ReadU32(info, 16, baseAt);
    ReadU32(info, 24, suffixAt);
    if (headerSize >= 0x24) {
        ReadU32(info, 28, baseWideAt);
        ReadU32(info, 32, suffixWideAt);
    }
    std::string base = InfoText(info, baseWideAt, true, toAnsi);
    if (base.empty()) base = InfoText(info, baseAt, false, toAnsi);
    std::string suffix = InfoText(info, suffixWideAt, true, toAnsi);
    if (suffix.empty()) suffix = InfoText(info, suffixAt, false, toAnsi);
    link.linkInfoPath = base + suffix;
    return true;
}

bool ReadCountedString(std::string_view bytes, size_t& at, bool unicode, std::string& text,
                       WideConverter toAnsi) {
    uint16_t count = 0;
    size_t width = unicode ? 2 : 1;
    if (!ReadU16(bytes, at, count) || !Has(bytes, at + 2, count * width)) return false;
    text = unicode ? toAnsi(WideCounted(bytes, at + 2, count))
                   : AnsiAt(bytes.substr(0, at + 2 + count), at + 2);
    at += 2 + count * width;
    return true;
}

bool ReadStringData(std::string_view bytes, size_t& at, ShellLink& link, WideConverter toAnsi) {
    const std::pair<uint32_t, std::string*> strings[] = {
        {kLinkHasName, &link.name},
        {kLinkHasRelativePath, &link.relativePath},
        {kLinkHasWorkingDir, &link.workingDir},
        {kLinkHasArguments, &link.arguments},
        {kLinkHasIconLocation, &link.iconLocation},
    };
    bool unicode = (link.flags & kLinkIsUnicode) != 0;
    for (const auto& [flag, text] : strings) {
        if ((link.flags & flag) && !ReadCountedString(bytes, at, unicode, *text, toAnsi))
            return false;
    }
    return true;
}

// Extra data blocks until the terminal block; a block that does not fit ends
// the walk quietly, as the shell reads what it can there.
void ReadExtraData(std::string_view bytes, size_t at, ShellLink& link, WideConverter toAnsi) {
    uint32_t size = 0, signature = 0;
    while (ReadU32(bytes, at, size) && size >= 8 && Has(bytes, at, size)) {
        ReadU32(bytes, at + 4, signature);
        if (signature == kEnvironmentBlock && size >= kEnvironmentBlockSize) {
            std::string_view block = bytes.substr(at, size);
            std::string wide = toAnsi(WideAt(block.substr(0, kEnvironmentBlockSize), 8 + 260));
            link.environmentTarget = wide.empty() ? AnsiAt(block.substr(0, 8 + 260), 8) : wide;
        }
        at += size;
    }
}

}  // namespace

std::string WideToAsciiOnly(const std::u16string& text) {
    std::string result;
    result.reserve(text.size());
    for (char16_t c : text) result += c < 0x80 ? static_cast<char>(c) : '?';
    return result;
}

bool ParseShellLink(std::string_view bytes, ShellLink& link, WideConverter toAnsi) {
    link = ShellLink{};
    if (!toAnsi) toAnsi = WideToAsciiOnly;
    uint32_t headerSize = 0;
    if (!ReadU32(bytes, 0, headerSize) || headerSize != kHeaderSize ||
        !Has(bytes, 0, kHeaderSize) || std::memcmp(bytes.data() + 4, kShellLinkClsid, 16) != 0) {
        return false;
    }
    ReadU32(bytes, 20, link.flags);
    ReadU32(bytes, 24, link.fileAttributes);
    size_t at = kHeaderSize;
    if ((link.flags & kLinkHasTargetIdList) && !ReadIdList(bytes, at, link, toAnsi)) return false;
    if ((link.flags & kLinkHasLinkInfo) && !ReadLinkInfo(bytes, at, link, toAnsi)) return false;
    if (!ReadStringData(bytes, at, link, toAnsi)) return false;
    ReadExtraData(bytes, at, link, toAnsi);
    return true;
}

TextList ShellLink::Targets() const {
    TextList targets;
    for (const std::string* text :
         {&idListPath, &linkInfoPath, &environmentTarget, &relativePath}) {
        if (!text->empty() && IndexOfText(targets, *text) < 0) targets.push_back(*text);
    }
    return targets;
}

}  // namespace kestrone
