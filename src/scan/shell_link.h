// Reads shortcut (.lnk) files ourselves, byte by byte, so that a shortcut on a
// drive can be judged without ever being started or handed to the shell. The
// reader trusts no size or count in the file: every field is checked against
// the bytes that are really there, and a file that is not a well-formed
// shortcut is refused as a whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/text.h"

namespace kestrone {

// Shortcuts larger than this are not read further (real ones are a few KiB).
inline constexpr size_t kMaxShortcutBytes = 1u << 20;

// Link flags of the header that the reader looks at.
inline constexpr uint32_t kLinkHasTargetIdList = 0x0001;
inline constexpr uint32_t kLinkHasLinkInfo = 0x0002;
inline constexpr uint32_t kLinkHasName = 0x0004;
inline constexpr uint32_t kLinkHasRelativePath = 0x0008;
inline constexpr uint32_t kLinkHasWorkingDir = 0x0010;
inline constexpr uint32_t kLinkHasArguments = 0x0020;
inline constexpr uint32_t kLinkHasIconLocation = 0x0040;
inline constexpr uint32_t kLinkIsUnicode = 0x0080;

// What a shortcut holds. Texts stored as UTF-16 in the file arrive converted
// to ANSI by the converter given to the reader.
struct ShellLink {
    uint32_t flags = 0;
    uint32_t fileAttributes = 0;
    // The path the target ID list spells out ("C:\WINDOWS\system32\cmd.exe");
    // empty when the list names no file-system path we can follow.
    std::string idListPath;
    // The local path of the link info (base path + common path suffix).
    std::string linkInfoPath;
    std::string name, relativePath, workingDir, arguments, iconLocation;
    // The target written with environment variables ("%windir%\system32\cmd.exe").
    std::string environmentTarget;

    // Every distinct, non-empty spelling of the target, in the order above:
    // the shell may start any of them, so each must be judged.
    TextList Targets() const;
};

// Converts UTF-16 text of the file to the engine's ANSI text.
using WideConverter = std::string (*)(const std::u16string&);
// ASCII only; every other character becomes '?' (which no file name holds).
std::string WideToAsciiOnly(const std::u16string& text);

// Parses the bytes of a shortcut. False when they are not a well-formed
// shortcut (wrong header, sizes that leave the data, truncated structures);
// `link` is then unspecified. Extra data blocks at the end are read as far as
// they are well-formed.
bool ParseShellLink(std::string_view bytes, ShellLink& link,
                    WideConverter toAnsi = WideToAsciiOnly);

// Reads at most kMaxShortcutBytes of a file and parses them, converting UTF-16
// texts through the system's ANSI code page. False when the file cannot be
// read or is no shortcut.
bool ReadShellLink(const std::string& path, ShellLink& link);

}  // namespace kestrone
