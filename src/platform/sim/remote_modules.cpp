// Remote memory, remote threads and loaded libraries of the simulated machine.
#include "platform/remote_modules.h"

#include <algorithm>
#include <cstring>

#include "platform/sim/process_table.h"
#include "platform/sim/remote_work.h"

namespace kestrone::sim {

namespace {

char16_t UpperWide(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
}

bool SameWide(const std::u16string& a, const std::u16string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return UpperWide(x) == UpperWide(y); });
}

std::u16string Widen(const std::string& text) {
    std::u16string wide;
    for (char c : text) wide += static_cast<char16_t>(static_cast<unsigned char>(c));
    return wide;
}

std::u16string WideFilePart(const std::u16string& path) {
    size_t slash = path.find_last_of(u"\\/");
    return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

// A bare name without an extension means "name.DLL"; a trailing dot means
// "exactly this name, no extension".
std::u16string ModuleFileName(std::u16string name) {
    if (!name.empty() && name.back() == u'.') {
        name.pop_back();
        return name;
    }
    if (name.find(u'.') == std::u16string::npos) name += u".DLL";
    return name;
}

constexpr uintptr_t kFirstModuleHandle = 0x10000000;
constexpr uintptr_t kFirstBuffer = 0x00A00000;
constexpr uintptr_t kAllocationGranularity = 0x10000;

}  // namespace

RemoteWork& TheRemoteWork() {
    static RemoteWork work;
    return work;
}

void RemoteWork::Reset() {
    *this = RemoteWork();
}

uintptr_t RemoteWork::LoadModule(uint32_t processId, const std::string& path) {
    SimProcess* process = TheProcesses().Find(processId);
    if (!process) return 0;
    uintptr_t next = kFirstModuleHandle;
    for (SimModule& module : process->modules) {
        if (SameWide(Widen(module.path), Widen(path))) {
            ++module.references;
            return module.handle;
        }
        next = std::max(next, module.handle + kAllocationGranularity);
    }
    process->modules.push_back(SimModule{path, next, 1});
    return next;
}

int RemoteWork::References(uint32_t processId, const std::string& path) const {
    const SimProcess* process = TheProcesses().Find(processId);
    if (!process) return 0;
    for (const SimModule& module : process->modules) {
        if (SameWide(Widen(module.path), Widen(path))) return module.references;
    }
    return 0;
}

uintptr_t RemoteWork::LookUpModule(uint32_t processId, const std::u16string& name) const {
    const SimProcess* process = TheProcesses().Find(processId);
    if (!process || name.empty()) return 0;
    bool isPath = name.find_first_of(u"\\/") != std::u16string::npos;
    for (const SimModule& module : process->modules) {
        std::u16string path = Widen(module.path);
        if (isPath ? SameWide(path, name) : SameWide(WideFilePart(path), ModuleFileName(name))) {
            return module.handle;
        }
    }
    return 0;
}

size_t RemoteWork::LiveBuffers(uint32_t processId) const {
    return static_cast<size_t>(std::count_if(
        buffers_.begin(), buffers_.end(),
        [processId](const RemoteBuffer& b) { return b.processId == processId && !b.decommitted; }));
}

bool RemoteWork::Open(uint32_t processId) {
    openAttempts_.push_back(processId);
    return TheProcesses().IsRunning(processId) && !refusedOpen_.count(processId);
}

uintptr_t RemoteWork::Allocate(uint32_t processId, size_t size) {
    if (failAllocation_ || size == 0 || !TheProcesses().IsRunning(processId)) return 0;
    uintptr_t address = kFirstBuffer + buffers_.size() * kAllocationGranularity;
    buffers_.push_back(RemoteBuffer{processId, address, size, std::string(), false, false});
    return address;
}

RemoteBuffer* RemoteWork::FindBuffer(uint32_t processId, uintptr_t address) {
    for (RemoteBuffer& buffer : buffers_) {
        if (buffer.processId == processId && buffer.address == address && !buffer.decommitted) {
            return &buffer;
        }
    }
    return nullptr;
}

bool RemoteWork::Write(uint32_t processId, uintptr_t address, const void* data, size_t size) {
    RemoteBuffer* buffer = FindBuffer(processId, address);
    if (failWrite_ || !buffer || size > buffer->size) return false;
    buffer->bytes.assign(static_cast<const char*>(data), size);
    buffer->written = true;
    return true;
}

bool RemoteWork::Decommit(uint32_t processId, uintptr_t address, size_t size) {
    RemoteBuffer* buffer = FindBuffer(processId, address);
    if (!buffer || size > buffer->size) return false;
    buffer->decommitted = true;
    return true;
}

// The NUL-terminated UTF-16 text at an address, as the remote thread reads it.
std::u16string RemoteWork::ReadString(uint32_t processId, uintptr_t address) {
    RemoteBuffer* buffer = FindBuffer(processId, address);
    if (!buffer || !buffer->written) {
        ++badReads_;
        return std::u16string();
    }
    std::u16string text;
    for (size_t i = 0; i + 1 < buffer->bytes.size(); i += 2) {
        char16_t c = 0;
        std::memcpy(&c, buffer->bytes.data() + i, sizeof c);
        if (c == 0) return text;
        text += c;
    }
    ++badReads_;  // no terminating NUL: the lookup would read past the buffer
    return std::u16string();
}

uintptr_t RemoteWork::FreeModule(uint32_t processId, uintptr_t handle) {
    SimProcess* process = TheProcesses().Find(processId);
    if (!process || handle == 0) return 0;
    for (auto it = process->modules.begin(); it != process->modules.end(); ++it) {
        if (it->handle != handle) continue;
        if (--it->references == 0) process->modules.erase(it);
        return 1;
    }
    return 0;
}

platform::RemoteThreadResult RemoteWork::Run(uint32_t processId, platform::KernelRoutine routine,
                                             uintptr_t parameter) {
    using platform::RemoteThreadEnd;
    if (failThreadStart_ || !TheProcesses().IsRunning(processId)) {
        return {RemoteThreadEnd::Failed, 0};
    }
    bool ran = !suspended_.count(processId);
    threads_.push_back(RemoteThread{processId, routine, parameter, ran});
    if (!ran) return {RemoteThreadEnd::TimedOut, 0};
    uintptr_t value = routine == platform::KernelRoutine::GetModuleHandleW
                          ? LookUpModule(processId, ReadString(processId, parameter))
                          : FreeModule(processId, parameter);
    return {RemoteThreadEnd::Finished, value};
}

}  // namespace kestrone::sim

namespace kestrone::platform {

struct RemoteProcess::Impl {
    uint32_t processId = 0;
};

RemoteProcess::RemoteProcess(uint32_t processId) {
    if (sim::TheRemoteWork().Open(processId)) impl_.reset(new Impl{processId});
}

RemoteProcess::~RemoteProcess() = default;

bool RemoteProcess::IsOpen() const {
    return impl_ != nullptr;
}

uintptr_t RemoteProcess::Allocate(size_t size) {
    return impl_ ? sim::TheRemoteWork().Allocate(impl_->processId, size) : 0;
}

bool RemoteProcess::Write(uintptr_t address, const void* data, size_t size) {
    return impl_ && sim::TheRemoteWork().Write(impl_->processId, address, data, size);
}

bool RemoteProcess::Decommit(uintptr_t address, size_t size) {
    return impl_ && sim::TheRemoteWork().Decommit(impl_->processId, address, size);
}

RemoteThreadResult RemoteProcess::RunRoutine(KernelRoutine routine, uintptr_t parameter,
                                             uint32_t /*timeoutMs*/) {
    if (!impl_) return {};
    return sim::TheRemoteWork().Run(impl_->processId, routine, parameter);
}

std::u16string AnsiToWide(const std::string& text) {
    // The simulated machine's code page is Latin-1.
    return sim::Widen(text);
}

}  // namespace kestrone::platform
