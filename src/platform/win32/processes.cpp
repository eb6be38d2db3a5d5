// Processes on the real Win32 API. PSAPI is loaded on first use (and again on
// every call while it cannot be loaded), so the program starts on systems
// without it. The command line is read from the target's process parameters
// record in the layout of our own pointer size; the 32-bit build leaves 64-bit
// targets alone, and no read ever goes beyond the length the remote record announces.
#include <windows.h>
// after windows.h
#include <tlhelp32.h>

#include <cstring>
#include <vector>

#include "platform/processes.h"
#include "platform/win32/handles.h"

namespace kestrone::platform {

namespace {

constexpr DWORD kProcessAllAccess = 0x1F0FFF;  // as NT 5 defines it
constexpr DWORD kQueryAndReadMemory = 0x410;   // PROCESS_QUERY_INFORMATION | PROCESS_VM_READ

// Where the command line sits, for our own pointer size: the basic information
// record, the PEB's pointer to the process parameters, and the parameters'
// counted string {USHORT Length (bytes), USHORT MaximumLength, pointer Buffer}.
struct RecordLayout {
    size_t pointerSize;
    size_t basicInformationSize;
    size_t pebAddressOffset;
    size_t pebReadSize;
    size_t parametersPointerOffset;
    size_t parametersReadSize;
    size_t commandLineOffset;
    size_t bufferOffset;  // of the string's buffer pointer, within the counted string
};
#ifdef _WIN64
constexpr RecordLayout kLayout{8, 48, 8, 0x28, 0x20, 0x80, 0x70, 8};
#else
constexpr RecordLayout kLayout{4, 24, 4, 28, 16, 144, 64, 4};
#endif

using EnumProcessModulesFn = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
using GetModuleFileNameExFn = DWORD(WINAPI*)(HANDLE, HMODULE, char*, DWORD);
using NtQueryInformationProcessFn = LONG(WINAPI*)(HANDLE, ULONG, void*, ULONG, ULONG*);
using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, BOOL*);

struct Psapi {
    LibraryHandle library;
    EnumProcessModulesFn enumProcessModules = nullptr;
    GetModuleFileNameExFn getModuleFileNameEx = nullptr;

    bool Load() {
        if (enumProcessModules && getModuleFileNameEx) return true;
        if (!library) library.reset(LoadLibraryA("PSAPI.dll"));
        if (!library) return false;
        enumProcessModules = reinterpret_cast<EnumProcessModulesFn>(
            reinterpret_cast<void*>(GetProcAddress(library.get(), "EnumProcessModules")));
        getModuleFileNameEx = reinterpret_cast<GetModuleFileNameExFn>(
            reinterpret_cast<void*>(GetProcAddress(library.get(), "GetModuleFileNameExA")));
        return enumProcessModules && getModuleFileNameEx;
    }
};

Psapi& ThePsapi() {
    static Psapi psapi;
    return psapi;
}

template <typename Fn>
Fn SystemFunction(const char* module, const char* name) {
    HMODULE handle = GetModuleHandleA(module);
    return handle ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(handle, name)))
                  : nullptr;
}

// True when the target runs with another pointer size than we do: a 32-bit
// program on 64-bit Windows (under WOW64) looking at a native 64-bit process.
bool IsOtherBitness(HANDLE process) {
#ifdef _WIN64
    // Every process, WOW64 ones included, has a native PEB of our own layout.
    (void)process;
    return false;
#else
    static IsWow64ProcessFn isWow64 =
        SystemFunction<IsWow64ProcessFn>("kernel32.dll", "IsWow64Process");
    if (!isWow64) return false;  // a system without WOW64 runs 32-bit processes only
    BOOL selfWow64 = FALSE, targetWow64 = FALSE;
    if (!isWow64(GetCurrentProcess(), &selfWow64) || !isWow64(process, &targetWow64)) return true;
    return selfWow64 != targetWow64;
#endif
}

bool ReadRemote(HANDLE process, uintptr_t address, void* buffer, size_t size) {
    SIZE_T read = 0;
    return address != 0 &&
           ReadProcessMemory(process, reinterpret_cast<const void*>(address), buffer, size,
                             &read) &&
           read == size;
}

uintptr_t LoadPointer(const unsigned char* bytes) {
    uintptr_t value = 0;
    std::memcpy(&value, bytes, kLayout.pointerSize);
    return value;
}

uint16_t LoadU16(const unsigned char* bytes) {
    uint16_t value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

}  // namespace

std::vector<ProcessEntry> SnapshotProcesses() {
    std::vector<ProcessEntry> entries;
    FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return entries;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more;
         more = Process32Next(snapshot.get(), &entry)) {
        size_t length = strnlen(entry.szExeFile, sizeof entry.szExeFile);
        entries.push_back(ProcessEntry{entry.th32ProcessID, std::string(entry.szExeFile, length)});
        entry.dwSize = sizeof entry;
    }
    return entries;
}

std::string QueryProcessExePath(uint32_t processId) {
    KernelHandle process(OpenProcess(kProcessAllAccess, FALSE, processId));
    if (!process) return std::string();
    Psapi& psapi = ThePsapi();
    if (!psapi.Load()) return std::string();
    HMODULE module = nullptr;
    DWORD needed = 0;
    if (!psapi.enumProcessModules(process.get(), &module, sizeof module, &needed) || !module) {
        return std::string();
    }
    char buffer[MAX_PATH + 1] = {};
    DWORD length = psapi.getModuleFileNameEx(process.get(), module, buffer, MAX_PATH);
    return std::string(buffer, strnlen(buffer, length < MAX_PATH ? length : MAX_PATH));
}

std::u16string QueryProcessCommandLine(uint32_t processId) {
    static NtQueryInformationProcessFn query =
        SystemFunction<NtQueryInformationProcessFn>("ntdll.dll", "NtQueryInformationProcess");
    KernelHandle process(OpenProcess(kQueryAndReadMemory, FALSE, processId));
    if (!query || !process || IsOtherBitness(process.get())) return std::u16string();

    unsigned char basic[kLayout.basicInformationSize] = {};
    ULONG returned = 0;
    if (query(process.get(), 0, basic, sizeof basic, &returned) != 0) return std::u16string();
    unsigned char peb[kLayout.pebReadSize] = {};
    if (!ReadRemote(process.get(), LoadPointer(basic + kLayout.pebAddressOffset), peb,
                    sizeof peb)) {
        return std::u16string();
    }
    unsigned char parameters[kLayout.parametersReadSize] = {};
    if (!ReadRemote(process.get(), LoadPointer(peb + kLayout.parametersPointerOffset), parameters,
                    sizeof parameters)) {
        return std::u16string();
    }
    // Length counts bytes; an odd count has a half character that is dropped.
    const unsigned char* counted = parameters + kLayout.commandLineOffset;
    size_t bytes = LoadU16(counted) & ~size_t{1};
    if (bytes > kMaxCommandLineBytes) bytes = kMaxCommandLineBytes;
    std::u16string commandLine(bytes / 2, u'\0');
    if (bytes != 0 && !ReadRemote(process.get(), LoadPointer(counted + kLayout.bufferOffset),
                                  commandLine.data(), bytes)) {
        return std::u16string();
    }
    return commandLine;
}

bool TerminateProcessById(uint32_t processId, uint32_t exitCode) {
    KernelHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, processId));
    return process && TerminateProcess(process.get(), exitCode);
}

bool AdjustDebugPrivilege(bool enable) {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &raw)) return false;
    KernelHandle token(raw);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    if (!LookupPrivilegeValueA(nullptr, "SeDebugPrivilege", &privileges.Privileges[0].Luid)) {
        return false;
    }
    privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
    AdjustTokenPrivileges(token.get(), FALSE, &privileges, sizeof privileges, nullptr, nullptr);
    return GetLastError() == ERROR_SUCCESS;
}

std::string WideToAnsi(const std::u16string& text) {
    if (text.empty()) return std::string();
    const wchar_t* wide = reinterpret_cast<const wchar_t*>(text.data());
    int size = static_cast<int>(text.size());
    int needed = WideCharToMultiByte(CP_ACP, 0, wide, size, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return std::string();
    std::string result(static_cast<size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, size, result.data(), needed, nullptr, nullptr);
    return result;
}

}  // namespace kestrone::platform
