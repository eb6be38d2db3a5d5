// A simulated machine for the unloading tests: drive C:, Windows in
// C:\WINDOWS, definitions in the data directory, and ways to start host
// processes with loaded modules and to read back what the unloader did in them.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/sim/process_table.h"
#include "platform/sim/remote_work.h"
#include "sim_fixture.h"

namespace kestrone::test {

class UnloadMachine : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddFolder("C:\\Temp");
        world().AddFolder("C:\\WINDOWS\\system32");
    }
    void Definitions(const std::string& text) { world().AddFile("C:\\Temp\\KERNEL.DLL", text); }
    static sim::ProcessTable& processes() { return sim::TheProcesses(); }
    static sim::RemoteWork& remote() { return sim::TheRemoteWork(); }

    // A running program with the modules loaded once each.
    static uint32_t Host(const std::string& name, const std::string& folder,
                         const std::vector<std::string>& modules = {}) {
        uint32_t id = processes().Add(name, folder + name);
        for (const std::string& module : modules) remote().LoadModule(id, module);
        return id;
    }

    // The module lookups made, in order: (process, text the lookup was given).
    static std::vector<std::pair<uint32_t, std::string>> Lookups() {
        std::vector<std::pair<uint32_t, std::string>> lookups;
        for (const sim::RemoteThread& thread : remote().Threads()) {
            if (thread.routine != platform::KernelRoutine::GetModuleHandleW) continue;
            lookups.emplace_back(thread.processId, TextAt(thread.processId, thread.parameter));
        }
        return lookups;
    }

    static size_t CountThreads(platform::KernelRoutine routine) {
        size_t count = 0;
        for (const sim::RemoteThread& thread : remote().Threads())
            count += thread.routine == routine;
        return count;
    }

  private:
    // The UTF-16 text written at a remote address, narrowed (test texts are ASCII).
    static std::string TextAt(uint32_t processId, uintptr_t address) {
        for (const sim::RemoteBuffer& buffer : remote().Buffers()) {
            if (buffer.processId != processId || buffer.address != address) continue;
            std::string text;
            for (size_t i = 0; i + 1 < buffer.bytes.size() && buffer.bytes[i] != 0; i += 2) {
                text += buffer.bytes[i];
            }
            return text;
        }
        return "<no buffer>";
    }
};

}  // namespace kestrone::test
