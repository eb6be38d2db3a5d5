// Profile files, drives and the process environment on the real Win32 API.
#include <shlobj.h>
#include <windows.h>

#include <cwchar>
#include <vector>

#include "platform/drives.h"
#include "platform/environment.h"
#include "platform/profile.h"
#include "platform/win32/handles.h"

namespace kestrone::platform {

namespace {
// Splits a NUL-separated list (ended by an empty string) of at most `length` bytes.
std::vector<std::string> SplitNulList(const char* buffer, size_t length) {
    std::vector<std::string> items;
    size_t pos = 0;
    while (pos < length && buffer[pos] != '\0') {
        size_t end = pos;
        while (end < length && buffer[end] != '\0') ++end;
        items.emplace_back(buffer + pos, end - pos);
        pos = end + 1;
    }
    return items;
}
}  // namespace

std::string SystemErrorText(DWORD code) {
    char* text = nullptr;
    DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = length ? std::string(text, length) : std::string();
    if (text) LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' ||
                               result.back() == ' ' || result.back() == '.')) {
        result.pop_back();
    }
    return result;
}

std::string ReadProfileValue(const std::string& section, const std::string& key,
                             const std::string& defaultValue, const std::string& path,
                             size_t bufferSize) {
    if (bufferSize == 0) return std::string();
    std::vector<char> buffer(bufferSize, '\0');
    DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                            buffer.data(), static_cast<DWORD>(bufferSize),
                                            path.c_str());
    if (length >= bufferSize) length = static_cast<DWORD>(bufferSize - 1);
    return std::string(buffer.data(), length);
}

bool WriteProfileValue(const std::string& section, const std::string& key,
                       const std::string& value, const std::string& path) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                      path.c_str()) != 0;
}

bool DeleteProfileKey(const std::string& section, const std::string& key, const std::string& path) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, path.c_str()) != 0;
}

std::vector<std::string> ReadProfileKeyNames(const std::string& section, const std::string& path,
                                             size_t bufferSize) {
    if (bufferSize < 2) return {};
    std::vector<char> buffer(bufferSize, '\0');
    DWORD length = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                            static_cast<DWORD>(bufferSize), path.c_str());
    return SplitNulList(buffer.data(), std::min<size_t>(length + 1, bufferSize));
}

std::vector<std::string> ReadProfileSection(const std::string& section, const std::string& path,
                                            size_t bufferSize) {
    if (bufferSize < 2) return {};
    std::vector<char> buffer(bufferSize, '\0');
    DWORD length = GetPrivateProfileSectionA(section.c_str(), buffer.data(),
                                             static_cast<DWORD>(bufferSize), path.c_str());
    return SplitNulList(buffer.data(), std::min<size_t>(length + 1, bufferSize));
}

uint32_t GetLogicalDriveMask() { return GetLogicalDrives(); }

unsigned GetDriveKind(const std::string& root) { return GetDriveTypeA(root.c_str()); }

bool GetVolumeIdentity(const std::string& root, VolumeIdentity& identity) {
    identity = {};
    if (root.size() < 2 || root[1] != ':') return false;
    // A drive without a medium must not bring up Windows' "insert a disk" box.
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    wchar_t rootWide[4] = {static_cast<wchar_t>(static_cast<unsigned char>(root[0])), L':', L'\\', 0};
    wchar_t label[MAX_PATH + 1] = {};
    DWORD serial = 0;
    BOOL read = GetVolumeInformationW(rootWide, label, MAX_PATH + 1, &serial, nullptr, nullptr,
                                      nullptr, 0);
    SetErrorMode(oldMode);
    if (!read) return false;
    identity.serial = serial;
    int length = static_cast<int>(wcslen(label));
    int needed = WideCharToMultiByte(CP_ACP, 0, label, length, nullptr, 0, nullptr, nullptr);
    if (needed > 0) {
        identity.label.resize(needed);
        WideCharToMultiByte(CP_ACP, 0, label, length, identity.label.data(), needed, nullptr,
                            nullptr);
    }
    return true;
}

std::string GetTempFolder() {
    char buffer[256] = {};
    DWORD length = GetTempPathA(sizeof buffer, buffer);
    return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

std::string GetSpecialFolder(int csidl) {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &list)) || !list) return std::string();
    char buffer[MAX_PATH + 1] = {};
    BOOL found = SHGetPathFromIDListA(list, buffer);
    CoTaskMemFree(list);
    return found ? std::string(buffer) : std::string();
}

std::string CurrentLocalTimeText() {
    SYSTEMTIME time = {};
    GetLocalTime(&time);
    char buffer[32] = {};
    wsprintfA(buffer, "%04u-%02u-%02u %02u:%02u:%02u", time.wYear, time.wMonth, time.wDay,
              time.wHour, time.wMinute, time.wSecond);
    return buffer;
}

std::string GetExecutablePath() {
    char buffer[MAX_PATH + 1] = {};
    DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return std::string(buffer, length);
}

uint32_t GetCurrentProcessIdentifier() { return GetCurrentProcessId(); }

uint32_t GetDesktopHostProcessIdentifier() {
    DWORD processId = 0;
    GetWindowThreadProcessId(GetDesktopWindow(), &processId);
    return processId;
}

}  // namespace kestrone::platform
