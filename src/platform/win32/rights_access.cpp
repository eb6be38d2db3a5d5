// Write probes, access checks for the user's ordinary token, and path steps.
#include "platform/win32/rights_access.h"

#include <cstdio>

#include "platform/win32/handles.h"

namespace kestrone::platform {

namespace {

constexpr int kProbeAttempts = 8;
// The integrity label: an ordinary token may not write where it sits lower.
constexpr SECURITY_INFORMATION kLabelInformation = 0x10;

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string ProbeName(const std::string& folder, int attempt) {
    static LONG counter = 0;
    char name[64];
    std::snprintf(name, sizeof name, "~kestrone-probe-%lx-%lx-%d.tmp",
                  static_cast<unsigned long>(GetCurrentProcessId()),
                  static_cast<unsigned long>(InterlockedIncrement(&counter)), attempt);
    return folder + name;
}

// The folder's owner, group, access list and (where the system asks for it)
// integrity label; empty when it cannot be read.
std::vector<BYTE> FolderSecurity(const std::string& folder) {
    const SECURITY_INFORMATION basic =
        OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    for (SECURITY_INFORMATION wanted : {basic | kLabelInformation, basic}) {
        DWORD needed = 0;
        GetFileSecurityA(folder.c_str(), wanted, nullptr, 0, &needed);
        if (needed == 0) continue;
        std::vector<BYTE> descriptor(needed);
        if (GetFileSecurityA(folder.c_str(), wanted, descriptor.data(), needed, &needed))
            return descriptor;
    }
    return {};
}

}  // namespace

bool ProbeFolderWrite(const std::string& folder) {
    for (int attempt = 0; attempt < kProbeAttempts; ++attempt) {
        FileHandle probe(CreateFileA(
            ProbeName(folder, attempt).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        if (probe) return true;  // closing it removes it
        if (GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    return false;
}

bool TokenMayAddFile(HANDLE token, const std::string& folder) {
    std::vector<BYTE> descriptor = FolderSecurity(folder);
    if (descriptor.empty()) return false;
    GENERIC_MAPPING mapping{FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE,
                            FILE_ALL_ACCESS};
    std::vector<BYTE> privileges(sizeof(PRIVILEGE_SET) + 8 * sizeof(LUID_AND_ATTRIBUTES));
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD privilegesSize = static_cast<DWORD>(privileges.size());
        DWORD granted = 0;
        BOOL allowed = FALSE;
        if (AccessCheck(descriptor.data(), token, FILE_ADD_FILE, &mapping,
                        reinterpret_cast<PRIVILEGE_SET*>(privileges.data()), &privilegesSize,
                        &granted, &allowed))
            return allowed && (granted & FILE_ADD_FILE);
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
        privileges.resize(privilegesSize);
    }
    return false;
}

namespace {

// Where "\\server\share\" ends, from the server name's first character.
size_t ShareRootEnd(const std::string& path, size_t server) {
    size_t end = server;
    for (int part = 0; part < 2; ++part) {
        while (end < path.size() && !IsSeparator(path[end])) ++end;
        if (end < path.size()) ++end;
    }
    return end;
}

size_t DriveRootEnd(const std::string& path, size_t start) {
    size_t end = start;
    if (path.size() >= start + 2 && path[start + 1] == ':') end = start + 2;
    if (end < path.size() && IsSeparator(path[end])) ++end;
    return end;
}

size_t RootLength(const std::string& path) {
    const bool doubleSeparator = path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
    if (doubleSeparator && path.size() >= 4 && (path[2] == '?' || path[2] == '.') &&
        IsSeparator(path[3])) {
        if (path.size() >= 8 && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, path.c_str() + 4,
                                               4, "UNC\\", 4) == CSTR_EQUAL)
            return ShareRootEnd(path, 8);
        return DriveRootEnd(path, 4);
    }
    if (doubleSeparator) return ShareRootEnd(path, 2);
    return DriveRootEnd(path, 0);
}

}  // namespace

std::vector<std::string> PathSteps(const std::string& path) {
    const size_t root = RootLength(path);
    std::vector<std::string> steps;
    size_t end = path.size();
    while (end > root) {
        while (end > root && IsSeparator(path[end - 1])) --end;
        if (end <= root) break;
        steps.push_back(path.substr(0, end));
        while (end > root && !IsSeparator(path[end - 1])) --end;
    }
    return steps;
}

}  // namespace kestrone::platform
