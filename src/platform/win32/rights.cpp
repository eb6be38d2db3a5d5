// The rights this process runs with, on the real Win32 API. The 32-bit build
// must start on XP, so everything newer (the true version, elevation, the
// linked token) is asked for only where it exists; the version comes from
// ntdll because GetVersionEx answers with an older system to programs whose
// manifest does not name the newer one.
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include "platform/rights.h"
#include "platform/win32/handles.h"
#include "platform/win32/rights_access.h"

namespace kestrone::platform {

namespace {

using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);

DWORD QuerySystemMajorVersion() {
    auto getVersion = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (getVersion && getVersion(&info) == 0) return info.dwMajorVersion;
    // Without RtlGetVersion the system is older than XP: no user account control.
    return LOBYTE(LOWORD(GetVersion()));
}

KernelHandle OwnToken() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return KernelHandle();
    return KernelHandle(token);
}

bool MemberOfAdministrators() {
    BYTE sid[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof sid;
    if (!CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, sid, &size)) return false;
    BOOL member = FALSE;
    return CheckTokenMembership(nullptr, sid, &member) && member;
}

// The elevation flag of our token; false in `known` when the system cannot tell.
bool TokenElevated(bool& known) {
    known = false;
    KernelHandle token = OwnToken();
    if (!token) return false;
    TOKEN_ELEVATION elevation{};
    DWORD returned = 0;
    known = GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation,
                                &returned) != FALSE;
    return known && elevation.TokenIsElevated != 0;
}

// The ordinary rights of an elevated administrator: the token Windows linked
// to ours when it split the logon in two.
KernelHandle LinkedToken() {
    KernelHandle token = OwnToken();
    if (!token) return KernelHandle();
    TOKEN_LINKED_TOKEN linked{};
    DWORD returned = 0;
    if (!GetTokenInformation(token.get(), TokenLinkedToken, &linked, sizeof linked, &returned))
        return KernelHandle();
    return KernelHandle(linked.LinkedToken);
}

std::string WithSeparator(const std::string& folder) {
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/') return folder;
    return folder + '\\';
}

}  // namespace

bool SystemHasUserAccountControl() {
    static const bool hasControl = QuerySystemMajorVersion() >= 6;
    return hasControl;
}

bool ProcessIsElevated() {
    if (SystemHasUserAccountControl()) {
        bool known = false;
        const bool elevated = TokenElevated(known);
        if (known) return elevated;
    }
    return MemberOfAdministrators();
}

bool FolderWritableByUser(const std::string& folder) {
    const std::string path = WithSeparator(folder);
    if (!SystemHasUserAccountControl() || !ProcessIsElevated()) return ProbeFolderWrite(path);
    // Elevated: our own rights say nothing about the user's. The linked
    // token must be allowed to add a file, and the folder must really take
    // one (read-only media, a missing folder), which our own probe shows.
    KernelHandle ordinary = LinkedToken();
    return ordinary && TokenMayAddFile(ordinary.get(), path) && ProbeFolderWrite(path);
}

bool PathPassesThroughLink(const std::string& path) {
    for (const std::string& step : PathSteps(path)) {
        const DWORD attributes = GetFileAttributesA(step.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            return true;
    }
    return false;
}

ElevatedStart StartElevated(uintptr_t ownerWindow, const std::string& program,
                            const std::string& parameters) {
    SHELLEXECUTEINFOA request{};
    request.cbSize = sizeof request;
    // No SEE_MASK_FLAG_NO_UI: the system's consent prompt is the point.
    request.fMask = SEE_MASK_NOASYNC;
    request.hwnd = reinterpret_cast<HWND>(ownerWindow);
    request.lpVerb = "runas";
    request.lpFile = program.c_str();
    request.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    request.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExA(&request)) return ElevatedStart::Started;
    return GetLastError() == ERROR_CANCELLED ? ElevatedStart::Declined : ElevatedStart::Failed;
}

}  // namespace kestrone::platform
