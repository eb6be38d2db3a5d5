// Processes of the simulated machine, and the table tests arrange them in.
#include "platform/processes.h"

#include <algorithm>

#include "platform/sim/process_table.h"
#include "platform/sim/remote_work.h"
#include "platform/sim/sim_text.h"

namespace kestrone::sim {

ProcessTable& TheProcesses() {
    static ProcessTable table;
    return table;
}

void ProcessTable::Reset() {
    running_.clear();
    terminations_.clear();
    nextId_ = 100;
    systemCrashed_ = false;
    terminationWatcher_ = nullptr;
    failSnapshot_ = false;
    psapiAvailable_ = true;
    refuseDebugPrivilege_ = false;
    debugPrivilege_ = false;
    TheRemoteWork().Reset();
}

uint32_t ProcessTable::Add(const std::string& exeName, const std::string& exePath,
                           const std::string& commandLine, uint32_t id) {
    if (id == 0) {
        while (Find(nextId_)) nextId_ += 4;
        id = nextId_;
        nextId_ += 4;
    }
    SimProcess process;
    process.id = id;
    process.exeName = exeName;
    process.exePath = exePath;
    for (char c : commandLine)
        process.commandLine += static_cast<char16_t>(static_cast<unsigned char>(c));
    running_.push_back(process);
    return id;
}

SimProcess* ProcessTable::Find(uint32_t id) {
    auto it = std::find_if(running_.begin(), running_.end(),
                           [id](const SimProcess& p) { return p.id == id; });
    return it == running_.end() ? nullptr : &*it;
}

bool ProcessTable::IsRunning(uint32_t id) const {
    return const_cast<ProcessTable*>(this)->Find(id) != nullptr;
}

size_t ProcessTable::CountRunning(const std::string& exeName) const {
    return static_cast<size_t>(
        std::count_if(running_.begin(), running_.end(),
                      [&](const SimProcess& p) { return Upper(p.exeName) == Upper(exeName); }));
}

bool ProcessTable::Terminate(uint32_t id, uint32_t exitCode) {
    SimProcess* process = Find(id);
    if (!process || process->refuseTermination) return false;
    if (process->critical) systemCrashed_ = true;
    if (terminationWatcher_) terminationWatcher_(*process);
    terminations_.push_back(Termination{id, process->exeName, exitCode});
    running_.erase(running_.begin() + (process - running_.data()));
    return true;
}

ShellLog& TheShellLog() {
    static ShellLog log;
    return log;
}

}  // namespace kestrone::sim

namespace kestrone::platform {

std::vector<ProcessEntry> SnapshotProcesses() {
    std::vector<ProcessEntry> entries;
    if (sim::TheProcesses().failSnapshot_) return entries;
    for (const sim::SimProcess& process : sim::TheProcesses().Running()) {
        entries.push_back(ProcessEntry{process.id, process.exeName});
    }
    return entries;
}

std::string QueryProcessExePath(uint32_t processId) {
    sim::ProcessTable& table = sim::TheProcesses();
    const sim::SimProcess* process = table.Find(processId);
    if (!process || process->refuseFullAccess || !table.psapiAvailable_) return std::string();
    return process->exePath.substr(0, 260);
}

std::u16string QueryProcessCommandLine(uint32_t processId) {
    const sim::SimProcess* process = sim::TheProcesses().Find(processId);
    if (!process || process->refuseCommandLine) return std::u16string();
    return process->commandLine.substr(0, kMaxCommandLineBytes / 2);
}

bool TerminateProcessById(uint32_t processId, uint32_t exitCode) {
    return sim::TheProcesses().Terminate(processId, exitCode);
}

bool AdjustDebugPrivilege(bool enable) {
    sim::ProcessTable& table = sim::TheProcesses();
    if (table.refuseDebugPrivilege_) return false;
    table.debugPrivilege_ = enable;
    return true;
}

std::string WideToAnsi(const std::u16string& text) {
    // The simulated machine's code page is Latin-1.
    std::string result;
    result.reserve(text.size());
    for (char16_t c : text) result += c < 0x100 ? static_cast<char>(c) : '?';
    return result;
}

}  // namespace kestrone::platform
