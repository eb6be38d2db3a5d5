// How the quarantine keeps its files: the index of entries as a text file,
// the sealed form of a kept file's content, the paths it may restore to, and
// which entries the size limit evicts. Plain rules without file access, so
// every one of them is tested on its own.
//
// The index is "Kestrone quarantine 1" on its first line, then one entry a
// line with tab-separated fields: number, time, attributes (hex), size, file
// code, kept (1/0), reason, original path, note. Windows names cannot hold a
// tab or a line break, and reasons and notes are cleaned of them, so a line
// always splits back into the same fields.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrone {

inline constexpr char kQuarantineIndexHeader[] = "Kestrone quarantine 1";

struct QuarantineEntry {
    uint32_t number = 0;      // grows with every entry: a smaller number is older
    std::string time;         // "YYYY-MM-DD HH:MM:SS"
    uint32_t attributes = 0;  // the file's attributes before it was deleted
    uint64_t size = 0;        // bytes of the original file
    std::string fileCode;     // as the scans name files
    bool kept = false;        // a copy is in the store
    std::string reason;       // the rule or virus that removed it
    std::string originalPath;
    std::string note;  // why no copy was kept
};

std::string FormatQuarantineIndex(const std::vector<QuarantineEntry>& entries);
// False when the text is not a whole, well-formed index (wrong header, a line
// with missing or bad fields, a repeated number).
bool ParseQuarantineIndex(const std::string& text, std::vector<QuarantineEntry>& entries);

// The name of an entry's content file in the store: never an executable name.
std::string SealedFileName(uint32_t number);
// The content as the store writes it: a header, then the bytes masked, so
// that the file on disk neither starts nor runs as the original.
std::string SealContent(const std::string& bytes);
// The original bytes; false when the header is wrong or the check value
// does not match (a damaged or foreign file).
bool UnsealContent(const std::string& sealed, std::string& bytes);

// A path the store may write a restored file to: "X:\..." on a drive letter,
// no wildcard or reserved character, no "." or ".." step, no device name
// (CON, NUL, COM1, ...) as any step, shorter than MAX_PATH.
bool IsRestorablePath(const std::string& path);

// The numbers of the entries to drop, oldest first, so that the copies of
// the rest take no more than the limit.
std::vector<uint32_t> EntriesOverLimit(const std::vector<QuarantineEntry>& entries,
                                       uint64_t limitBytes);

// Tabs and line breaks become blanks.
std::string OneLineText(const std::string& text);

}  // namespace kestrone
