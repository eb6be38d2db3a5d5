// Undo for the system changes Kestrone makes: before a registry value or the
// hosts file changes, its previous state is written to "Undo.txt" beside the
// data files, and the history gets a line ending in "(undo N)" from which the
// History page puts that state back. The file is rewritten through a
// temporary one, like the quarantine index, and keeps the newest records.
//
// Format: "Kestrone undo 1", then one record a line with tab-separated
// fields: number, time, kind ("value" or "file"), root (hex), path, value
// name, existed (1/0), value type, data in hexadecimal (so that any bytes
// survive), and the change as the history names it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrone {

inline constexpr char kUndoFileName[] = "Undo.txt";
inline constexpr size_t kUndoRecordLimit = 500;

struct UndoRecord {
    uint32_t number = 0;
    std::string time;
    std::string kind;  // "value" or "file"
    uint32_t root = 0;
    std::string path;  // key path below the root, or a file's full path
    std::string name;  // the value's name
    bool existed = false;
    uint32_t type = 0;  // the value's type as it was
    std::string data;   // string bytes, a DWORD as four little-endian bytes, or the file's content
    std::string change;
};

std::string FormatUndoLog(const std::vector<UndoRecord>& records);
bool ParseUndoLog(const std::string& text, std::vector<UndoRecord>& records);
// The N of a history line ending in "(undo N)"; 0 for any other line.
uint32_t UndoNumberOfHistoryLine(const std::string& line);

// Records are only made while switched on (the program switches them on at
// start; tests and report-only runs leave them off).
void UseUndoRecords(bool use);
bool UndoRecordsInUse();

// Records a registry value's present state before `change` and writes the
// history line; false when nothing could be recorded (a value of a type that
// cannot be put back, or the file refused).
bool RecordRegistryValue(uint32_t root, const std::string& keyPath, const std::string& name,
                         const std::string& change);
bool RecordFileContent(const std::string& path, const std::string& change);

enum class UndoOutcome { Undone, NoSuchRecord, Refused };
// Puts the recorded state back (a value that did not exist is deleted) and
// drops the record.
UndoOutcome UndoChange(uint32_t number);
std::vector<UndoRecord> ReadUndoRecords();

// "HKLM", "HKCU", "HKCR", "HKU".
std::string RootShortName(uint32_t root);

}  // namespace kestrone
