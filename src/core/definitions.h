// The definitions store: typed reads and writes of the data files (kernel.dll,
// Process.dat, UserSettings.ini), separated-text lists, and the drive lists.
// Nothing is cached; every call reads or writes the file at that moment.
#pragma once

#include <cstdint>
#include <string>

#include "core/text.h"

namespace kestrone {

// The encrypted data files, as a comma list (decrypted at start-up into the data directory).
inline constexpr char kEncryptedDataFiles[] = "kernel.dll";
inline constexpr char kDefinitionsFile[] = "kernel.dll";
inline constexpr char kProcessFile[] = "Process.dat";
inline constexpr char kUserSettingsFile[] = "UserSettings.ini";

// Where a data file lives: the data directory for an encrypted data file
// (its decrypted copy), the executable's folder for every other one.
std::string DataFilePath(const std::string& fileName);

std::string ReadDataString(const std::string& section, const std::string& key,
                           const std::string& defaultValue, const std::string& fileName);
// Raises EWriteError "Unable to write to <path>" when the system refuses.
void WriteDataString(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& fileName);
int32_t ReadDataInteger(const std::string& section, const std::string& key, int32_t defaultValue,
                        const std::string& fileName);
void WriteDataInteger(const std::string& section, const std::string& key, int32_t value,
                      const std::string& fileName);
bool ReadDataBool(const std::string& section, const std::string& key, bool defaultValue,
                  const std::string& fileName);
void WriteDataBool(const std::string& section, const std::string& key, bool value,
                   const std::string& fileName);

bool IsEncryptedDataFile(const std::string& fileName);

// Decimal, or hexadecimal after "0x"/"$"; false when the text is no 32-bit integer.
bool ParseInteger(const std::string& text, int32_t& value);

// "a,b," -> {A, B}; "None" or "" -> {}; items upper-cased (ASCII), never trimmed.
TextList SplitList(const std::string& text, char separator);
std::string JoinList(const TextList& items);   // every item followed by ","
std::string JoinLines(const TextList& items);  // every item followed by a carriage return

// Letters of the fixed drives ("CDE"), and of the removable drives other than A.
std::string GetFixedDriveLetters();
std::string GetRemovableDriveLetters();

}  // namespace kestrone
