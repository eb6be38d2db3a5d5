// The simulated machine's running processes: ids, snapshot names, executable
// paths and command lines, processes that cannot be opened, read or
// terminated, system-critical processes, and the debug privilege.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kestrone::sim {

// A module loaded in a simulated process: its path, its handle (base
// address) and how many loads it has not yet been freed for.
struct SimModule {
    std::string path;
    uintptr_t handle = 0;
    int references = 0;
};

struct SimProcess {
    uint32_t id = 0;
    std::string exeName;             // what the snapshot shows (a bare name, or a full path)
    std::string exePath;             // its first module; empty when it cannot be read
    std::u16string commandLine;      // the parameters record's command line
    bool refuseFullAccess = false;   // opening with full access fails (no path)
    bool refuseCommandLine = false;  // the parameters record cannot be read
    bool refuseTermination = false;  // terminating fails
    bool critical = false;           // ending it would bring the system down
    std::vector<SimModule> modules;  // loaded libraries (see remote_work.h)
};

struct Termination {
    uint32_t id = 0;
    std::string exeName;
    uint32_t exitCode = 0;
};

class ProcessTable {
  public:
    void Reset();

    // Adds a running process; id 0 picks the next free id. Returns the id. The
    // command line is given as ANSI text and stored as UTF-16.
    uint32_t Add(const std::string& exeName, const std::string& exePath,
                 const std::string& commandLine = "", uint32_t id = 0);
    SimProcess* Find(uint32_t id);
    bool IsRunning(uint32_t id) const;
    size_t CountRunning(const std::string& exeName) const;  // case-insensitive
    const std::vector<SimProcess>& Running() const { return running_; }

    // Terminations in the order they happened.
    const std::vector<Termination>& Terminations() const { return terminations_; }
    // True once a process marked critical was terminated.
    bool SystemCrashed() const { return systemCrashed_; }
    // Called at each termination, before the process is gone (tests look at
    // the machine at that moment).
    void WatchTerminations(std::function<void(const SimProcess&)> watcher) {
        terminationWatcher_ = std::move(watcher);
    }

    // Faults of the whole process layer.
    void FailSnapshot(bool fail) { failSnapshot_ = fail; }
    void SetPsapiAvailable(bool available) { psapiAvailable_ = available; }
    void RefuseDebugPrivilege(bool refuse) { refuseDebugPrivilege_ = refuse; }
    bool DebugPrivilege() const { return debugPrivilege_; }

    // ---- used by the simulated platform itself ----
    bool Terminate(uint32_t id, uint32_t exitCode);
    bool failSnapshot_ = false;
    bool psapiAvailable_ = true;
    bool refuseDebugPrivilege_ = false;
    bool debugPrivilege_ = false;

  private:
    std::vector<SimProcess> running_;
    std::vector<Termination> terminations_;
    uint32_t nextId_ = 100;
    bool systemCrashed_ = false;
    std::function<void(const SimProcess&)> terminationWatcher_;
};

// The one simulated process table of the test process (reset by World::Reset).
ProcessTable& TheProcesses();

// Shell requests (ShellExecute and WinExec style) the engine made, in order.
struct ShellRequest {
    bool commandLine = false;  // a WinExec-style command line rather than a shell verb
    uintptr_t ownerWindow = 0;
    std::string verb, file, parameters, directory;  // file holds the command line for WinExec
    int showCommand = 0;
};

class ShellLog {
  public:
    void Reset() {
        requests_.clear();
        fail_ = false;
    }
    const std::vector<ShellRequest>& Requests() const { return requests_; }
    // Every later request is refused (the system's "file not found" result).
    void FailRequests(bool fail) { fail_ = fail; }

    void Record(const ShellRequest& request) { requests_.push_back(request); }
    bool fail_ = false;

  private:
    std::vector<ShellRequest> requests_;
};

ShellLog& TheShellLog();

}  // namespace kestrone::sim
