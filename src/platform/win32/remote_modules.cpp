// Remote memory and remote threads on the real Win32 API. A remote thread
// starts at the address of a routine in our own kernel32: kernel32 is mapped
// at the same address in every process of one pointer size, so the address is
// valid in the target too, and not at all in a process of the other size,
// which is therefore never opened.
#include <windows.h>
// after windows.h
#include <tlhelp32.h>

#include "platform/remote_modules.h"
#include "platform/win32/handles.h"

namespace kestrone::platform {

namespace {

// Create-thread, memory operations and writes are what the unloading does;
// newer Windows versions also demand query and read rights of
// CreateRemoteThread, and the query right tells the target's pointer size.
constexpr DWORD kRemoteRights = PROCESS_CREATE_THREAD | PROCESS_VM_OPERATION | PROCESS_VM_WRITE |
                                PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;

using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, BOOL*);

// True when the target runs with our pointer size (both native, or both under WOW64).
bool HasOurPointerSize(HANDLE process) {
    static IsWow64ProcessFn isWow64 = reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
    if (!isWow64) return true;  // a system without WOW64 runs one pointer size only
    BOOL selfWow64 = FALSE, targetWow64 = FALSE;
    if (!isWow64(GetCurrentProcess(), &selfWow64) || !isWow64(process, &targetWow64)) return false;
    return selfWow64 == targetWow64;
}

LPTHREAD_START_ROUTINE RoutineAddress(KernelRoutine routine) {
    HMODULE kernel = GetModuleHandleA("Kernel32");
    if (!kernel) return nullptr;
    const char* name =
        routine == KernelRoutine::GetModuleHandleW ? "GetModuleHandleW" : "FreeLibrary";
    return reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(GetProcAddress(kernel, name)));
}

#ifdef _WIN64
// A thread's exit code holds only the low 32 bits of a 64-bit module handle;
// the target's module list gives the whole one. Ambiguity counts as not found.
uintptr_t WidenModuleHandle(DWORD processId, DWORD lowBits) {
    if (lowBits == 0) return 0;
    FileHandle snapshot;
    for (int attempt = 0; attempt < 5 && !snapshot; ++attempt) {
        // The snapshot can fail while the target's module list changes.
        snapshot.reset(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
    }
    if (!snapshot) return 0;
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof entry;
    uintptr_t found = 0;
    int matches = 0;
    for (BOOL more = Module32First(snapshot.get(), &entry); more;
         more = Module32Next(snapshot.get(), &entry)) {
        uintptr_t base = reinterpret_cast<uintptr_t>(entry.hModule);
        if (static_cast<DWORD>(base) == lowBits) {
            found = base;
            ++matches;
        }
        entry.dwSize = sizeof entry;
    }
    return matches == 1 ? found : 0;
}
#endif

}  // namespace

struct RemoteProcess::Impl {
    DWORD processId;
    KernelHandle process;
};

RemoteProcess::RemoteProcess(uint32_t processId) {
    KernelHandle process(OpenProcess(kRemoteRights, FALSE, processId));
    if (process && HasOurPointerSize(process.get())) {
        impl_.reset(new Impl{processId, std::move(process)});
    }
}

RemoteProcess::~RemoteProcess() = default;

bool RemoteProcess::IsOpen() const {
    return impl_ != nullptr;
}

uintptr_t RemoteProcess::Allocate(size_t size) {
    if (!impl_) return 0;
    return reinterpret_cast<uintptr_t>(
        VirtualAllocEx(impl_->process.get(), nullptr, size, MEM_COMMIT, PAGE_READWRITE));
}

bool RemoteProcess::Write(uintptr_t address, const void* data, size_t size) {
    SIZE_T written = 0;
    return impl_ &&
           WriteProcessMemory(impl_->process.get(), reinterpret_cast<void*>(address), data, size,
                              &written) &&
           written == size;
}

bool RemoteProcess::Decommit(uintptr_t address, size_t size) {
    return impl_ && VirtualFreeEx(impl_->process.get(), reinterpret_cast<void*>(address), size,
                                  MEM_DECOMMIT);
}

RemoteThreadResult RemoteProcess::RunRoutine(KernelRoutine routine, uintptr_t parameter,
                                             uint32_t timeoutMs) {
    RemoteThreadResult result;
    LPTHREAD_START_ROUTINE start = RoutineAddress(routine);
    if (!impl_ || !start) return result;
    KernelHandle thread(CreateRemoteThread(impl_->process.get(), nullptr, 0, start,
                                           reinterpret_cast<void*>(parameter), 0, nullptr));
    if (!thread) return result;
    if (WaitForSingleObject(thread.get(), timeoutMs) != WAIT_OBJECT_0) {
        // Not known to have ended: it may still run, and read its argument.
        result.end = RemoteThreadEnd::TimedOut;
        return result;
    }
    DWORD code = 0;
    if (!GetExitCodeThread(thread.get(), &code)) return result;
    result.end = RemoteThreadEnd::Finished;
    result.value = code;
#ifdef _WIN64
    if (routine == KernelRoutine::GetModuleHandleW) {
        result.value = WidenModuleHandle(impl_->processId, code);
    }
#endif
    return result;
}

std::u16string AnsiToWide(const std::string& text) {
    if (text.empty()) return std::u16string();
    int length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) return std::u16string();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return std::u16string(wide.begin(), wide.end());
}

}  // namespace kestrone::platform
