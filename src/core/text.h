// Text helpers shared by the whole engine. Text is ANSI bytes; case folding
// touches the ASCII letters only, so double-byte characters pass unchanged.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrone {

// The ordered list of strings every scanner takes and returns.
using TextList = std::vector<std::string>;

std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b);  // case-insensitive equality
// Case-insensitive substring test; an empty needle is found everywhere.
bool ContainsText(std::string_view haystack, std::string_view needle);
// Index of the first item equal to text (case-insensitive), or -1.
int IndexOfText(const TextList& list, std::string_view text);

// Removes leading and trailing characters up to and including the blank (<= 32).
std::string Trim(std::string_view text);
bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);

// "C:\dir\a.exe" -> "a.exe"; the whole text when it has no backslash.
std::string FilePart(std::string_view path);
// "C:\dir\a.exe" -> "C:\dir\"; empty when it has no backslash.
std::string FolderPart(std::string_view path);
// Adds a trailing backslash unless the text already ends in one.
std::string WithBackslash(std::string_view folder);

// printf-style formatting into a std::string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace kestrone
