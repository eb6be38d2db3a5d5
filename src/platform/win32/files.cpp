// Files and folders on the real Win32 API (ANSI functions).
#include "platform/files.h"

#include <windows.h>

#include "platform/win32/handles.h"

namespace kestrone::platform {

uint32_t GetAttributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

bool SetAttributes(const std::string& path, uint32_t attributes) {
    return SetFileAttributesA(path.c_str(), attributes) != 0;
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<FolderEntry> ListFolder(const std::string& pattern) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAA data;
    FindHandle find(FindFirstFileA(pattern.c_str(), &data));
    if (!find) return entries;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        uint64_t size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        entries.push_back({name, data.dwFileAttributes, size});
    } while (FindNextFileA(find.get(), &data));
    return entries;
}

bool RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool RemoveFileAtRestart(const std::string& path) {
    return MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

bool MoveEntry(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), 0) != 0;  // no flag: never replaces, same volume
}

bool ReplaceFileWith(const std::string& source, const std::string& target) {
    return MoveFileExA(source.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool MakeFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }
bool RemoveFolder(const std::string& path) { return RemoveDirectoryA(path.c_str()) != 0; }

std::string GetShortPathForm(const std::string& path) {
    char buffer[MAX_PATH] = {};
    DWORD length = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

std::string GetCurrentFolder() {
    char buffer[MAX_PATH + 1] = {};
    DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

bool SetCurrentFolder(const std::string& path) { return SetCurrentDirectoryA(path.c_str()) != 0; }

bool WriteTextFile(const std::string& path, const std::string& text) {
    FileStream file;
    if (!file.Open(path, FileStream::Mode::Create)) return false;
    return file.Write(text.data(), text.size()) == text.size();
}

bool ReadWholeFile(const std::string& path, std::string& content) {
    FileStream file;
    if (!file.Open(path, FileStream::Mode::Read)) return false;
    content.clear();
    char buffer[65536];
    for (size_t n; (n = file.Read(buffer, sizeof buffer)) > 0;) content.append(buffer, n);
    return true;
}

// ---- FileStream on a Win32 file handle ----

namespace {
HANDLE AsHandle(uintptr_t handle) { return reinterpret_cast<HANDLE>(handle); }
}  // namespace

bool FileStream::Open(const std::string& path, Mode mode, std::string* error) {
    Close();
    HANDLE file = mode == Mode::Read
                      ? CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
                      : CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                    nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (error) *error = SystemErrorText(GetLastError());
        return false;
    }
    handle_ = reinterpret_cast<uintptr_t>(file);
    return true;
}

void FileStream::Close() {
    if (handle_) CloseHandle(AsHandle(handle_));
    handle_ = 0;
}

size_t FileStream::Read(void* buffer, size_t count) {
    DWORD done = 0;
    if (!handle_ || !ReadFile(AsHandle(handle_), buffer, static_cast<DWORD>(count), &done, nullptr)) {
        return 0;
    }
    return done;
}

size_t FileStream::Write(const void* buffer, size_t count) {
    DWORD done = 0;
    if (!handle_ ||
        !WriteFile(AsHandle(handle_), buffer, static_cast<DWORD>(count), &done, nullptr)) {
        return 0;
    }
    return done;
}

int64_t FileStream::Size() const {
    LARGE_INTEGER size;
    return handle_ && GetFileSizeEx(AsHandle(handle_), &size) ? size.QuadPart : 0;
}

int64_t FileStream::Position() const {
    LARGE_INTEGER zero{}, position{};
    return handle_ && SetFilePointerEx(AsHandle(handle_), zero, &position, FILE_CURRENT)
               ? position.QuadPart
               : 0;
}

bool FileStream::Seek(int64_t position) {
    LARGE_INTEGER target;
    target.QuadPart = position;
    return handle_ && SetFilePointerEx(AsHandle(handle_), target, nullptr, FILE_BEGIN);
}

bool FileStream::SetSize(int64_t size) {
    int64_t position = Position();
    bool done = Seek(size) && SetEndOfFile(AsHandle(handle_));
    Seek(position < size ? position : size);
    return done;
}

}  // namespace kestrone::platform
