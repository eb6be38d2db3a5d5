// Files and folders as the engine sees them. Paths are ANSI text in Windows
// form (drive letter, backslashes); names compare without regard to case.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrone::platform {

// Attribute bits, as Windows defines them.
inline constexpr uint32_t kAttrReadOnly = 0x01;
inline constexpr uint32_t kAttrHidden = 0x02;
inline constexpr uint32_t kAttrSystem = 0x04;
inline constexpr uint32_t kAttrDirectory = 0x10;
inline constexpr uint32_t kAttrArchive = 0x20;
inline constexpr uint32_t kAttrNormal = 0x80;
inline constexpr uint32_t kInvalidAttributes = 0xFFFFFFFF;

struct FolderEntry {
    std::string name;  // the entry's name, without folder
    uint32_t attributes = 0;
    uint64_t size = 0;
    bool IsFolder() const { return (attributes & kAttrDirectory) != 0; }
};

// Attributes of a file or folder, kInvalidAttributes when it does not exist.
uint32_t GetAttributes(const std::string& path);
bool SetAttributes(const std::string& path, uint32_t attributes);

bool FileExists(const std::string& path);    // an existing file, not a folder
bool FolderExists(const std::string& path);  // an existing folder

// Entries of a folder matching a pattern such as "C:\dir\*.exe", every attribute
// included ("." and ".." are left out). Empty when nothing matches or the
// folder cannot be listed.
std::vector<FolderEntry> ListFolder(const std::string& pattern);

bool RemoveFile(const std::string& path);
// Schedules a file for deletion at the next restart (MoveFileEx, no target).
bool RemoveFileAtRestart(const std::string& path);
// Moves a file or a folder (with everything in it) to a new path on the same
// drive. Never replaces: false when the target exists or the move is refused.
bool MoveEntry(const std::string& from, const std::string& to);
// Moves a file over another one, replacing it in one step, so that a reader
// sees either the old or the new file, never a half-written one.
bool ReplaceFileWith(const std::string& source, const std::string& target);
bool MakeFolder(const std::string& path);
bool RemoveFolder(const std::string& path);

// The short (8.3) form of an existing path as the system gives it into a
// MAX_PATH buffer; empty when the path does not exist or the form does not fit.
std::string GetShortPathForm(const std::string& path);

std::string GetCurrentFolder();
bool SetCurrentFolder(const std::string& path);

// Replaces the file with the given bytes. False when it cannot be written.
bool WriteTextFile(const std::string& path, const std::string& text);
// The whole content of a file; false when it cannot be opened.
bool ReadWholeFile(const std::string& path, std::string& content);

// A file opened for reading or created for writing. Closes itself.
class FileStream {
public:
    enum class Mode { Read, Create };
    FileStream() = default;
    ~FileStream() { Close(); }
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;
    FileStream(FileStream&& other) noexcept : handle_(other.handle_) { other.handle_ = 0; }
    FileStream& operator=(FileStream&& other) noexcept {
        if (this != &other) {
            Close();
            handle_ = other.handle_;
            other.handle_ = 0;
        }
        return *this;
    }

    // Opens (Read) or creates, replacing an existing file (Create). On failure
    // returns false and `error` holds the system's text for the reason.
    bool Open(const std::string& path, Mode mode, std::string* error = nullptr);
    bool IsOpen() const { return handle_ != 0; }
    void Close();

    // Bytes read (0 at the end or on failure).
    size_t Read(void* buffer, size_t count);
    size_t Write(const void* buffer, size_t count);
    int64_t Size() const;
    int64_t Position() const;
    bool Seek(int64_t position);
    // Sets the file's length (cuts it or extends it with zero bytes).
    bool SetSize(int64_t size);

private:
    uintptr_t handle_ = 0;
};

}  // namespace kestrone::platform
