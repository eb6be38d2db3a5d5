// The simulated machine's work inside other processes: libraries loaded in
// simulated processes (with reference counts, kept in each process's module
// list), memory allocated there by another process, the threads started
// there, and the faults a test can arrange (a process that refuses to be
// opened, a suspended one whose threads never run, failing allocations,
// writes and thread starts).
#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/remote_modules.h"

namespace kestrone::sim {

struct RemoteBuffer {
    uint32_t processId = 0;
    uintptr_t address = 0;
    size_t size = 0;
    std::string bytes;  // what was written (empty until then)
    bool written = false;
    bool decommitted = false;
};

struct RemoteThread {
    uint32_t processId = 0;
    platform::KernelRoutine routine = platform::KernelRoutine::GetModuleHandleW;
    uintptr_t parameter = 0;
    bool ran = false;  // false while the process is suspended
};

class RemoteWork {
  public:
    void Reset();

    // The process loads a library (LoadLibrary): a library already loaded
    // gains a reference and keeps its handle. Returns the handle; 0 when the
    // process is not running.
    uintptr_t LoadModule(uint32_t processId, const std::string& path);
    // The references a library still holds in a process; 0 when not loaded.
    int References(uint32_t processId, const std::string& path) const;
    // The handle the process's own GetModuleHandleW gives for a name or path:
    // a path compares whole, a bare name with the module's file name (".DLL"
    // is supplied when the name has no extension). 0 when not loaded.
    uintptr_t LookUpModule(uint32_t processId, const std::u16string& name) const;

    // Faults.
    void RefuseOpen(uint32_t processId) { refusedOpen_.insert(processId); }
    void Suspend(uint32_t processId) { suspended_.insert(processId); }
    void FailAllocation(bool fail) { failAllocation_ = fail; }
    void FailWrite(bool fail) { failWrite_ = fail; }
    void FailThreadStart(bool fail) { failThreadStart_ = fail; }

    // What was done, in order.
    const std::vector<uint32_t>& OpenAttempts() const { return openAttempts_; }
    const std::vector<RemoteThread>& Threads() const { return threads_; }
    const std::vector<RemoteBuffer>& Buffers() const { return buffers_; }
    // Buffers in the process still committed.
    size_t LiveBuffers(uint32_t processId) const;
    // Remote reads of memory that was never written or already decommitted:
    // a real process would crash on them.
    int BadReads() const { return badReads_; }

    // ---- used by the simulated platform itself ----
    bool Open(uint32_t processId);
    uintptr_t Allocate(uint32_t processId, size_t size);
    bool Write(uint32_t processId, uintptr_t address, const void* data, size_t size);
    bool Decommit(uint32_t processId, uintptr_t address, size_t size);
    platform::RemoteThreadResult Run(uint32_t processId, platform::KernelRoutine routine,
                                     uintptr_t parameter);

  private:
    RemoteBuffer* FindBuffer(uint32_t processId, uintptr_t address);
    std::u16string ReadString(uint32_t processId, uintptr_t address);
    uintptr_t FreeModule(uint32_t processId, uintptr_t handle);

    std::set<uint32_t> refusedOpen_, suspended_;
    bool failAllocation_ = false, failWrite_ = false, failThreadStart_ = false;
    std::vector<uint32_t> openAttempts_;
    std::vector<RemoteThread> threads_;
    std::vector<RemoteBuffer> buffers_;
    int badReads_ = 0;
};

// The one simulated remote state of the test process (reset with the process table).
RemoteWork& TheRemoteWork();

}  // namespace kestrone::sim
