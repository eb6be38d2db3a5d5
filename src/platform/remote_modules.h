// Work inside another running process: memory allocated and written there,
// and threads started there at a routine of kernel32 (module-handle lookup,
// library release) with one parameter, each waited for within a time limit.
// This is how an injected module is made to leave its host: the host itself
// looks up the module's handle and frees it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace kestrone::platform {

// kernel32 routines that take one pointer-sized argument, so that a thread
// can start at them directly.
enum class KernelRoutine { GetModuleHandleW, FreeLibrary };

enum class RemoteThreadEnd {
    Finished,  // the thread ended; the value holds its result
    TimedOut,  // still not ended after the wait: it may run (and read its argument) later
    Failed,    // no thread was started, or its end could not be learnt
};

struct RemoteThreadResult {
    RemoteThreadEnd end = RemoteThreadEnd::Failed;
    // The routine's result: for GetModuleHandleW the module handle in the
    // target (0 when the module is not loaded there), for FreeLibrary the
    // thread's exit code.
    uintptr_t value = 0;
};

// A process opened for remote threads and memory operations; closed with the
// object. A process of another pointer size than ours is never opened: a
// thread started there at one of our kernel32 addresses would crash it.
class RemoteProcess {
  public:
    explicit RemoteProcess(uint32_t processId);
    ~RemoteProcess();
    RemoteProcess(const RemoteProcess&) = delete;
    RemoteProcess& operator=(const RemoteProcess&) = delete;

    bool IsOpen() const;

    // Commits size bytes of read-write memory in the process; 0 when refused.
    uintptr_t Allocate(size_t size);
    // Copies bytes into the process's memory; false unless all were written.
    bool Write(uintptr_t address, const void* data, size_t size);
    // Decommits memory obtained from Allocate.
    bool Decommit(uintptr_t address, size_t size);

    // Starts a thread in the process at the routine with the parameter and
    // waits at most timeoutMs for it to end.
    RemoteThreadResult RunRoutine(KernelRoutine routine, uintptr_t parameter, uint32_t timeoutMs);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// ANSI text (the system's code page) as UTF-16.
std::u16string AnsiToWide(const std::string& text);

}  // namespace kestrone::platform
