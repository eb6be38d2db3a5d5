// Unloading injected modules on the simulated machine: which modules are
// tried in which programs and in what order, critical processes left alone,
// reference counts, stuck hosts and refusals.
#include "scan/module_unload.h"

#include <gtest/gtest.h>

#include "unload_machine.h"

namespace kestrone::test {
namespace {

using Lookup = std::pair<uint32_t, std::string>;
using LookupList = std::vector<Lookup>;
using platform::KernelRoutine;

class Unload : public UnloadMachine {};

TEST_F(Unload, PlanSplitsEntriesIntoTargetsAndModules) {
    struct Case {
        TextList entries;
        TextList targets, modules;
    };
    const Case cases[] = {
        {{"EXPLORER.EXE\\%SYSTEMROOT%\\X.DLL"}, {"EXPLORER.EXE"}, {"C:\\WINDOWS\\system32\\X.DLL"}},
        {{"A.EXE\\C:\\DIR\\X.DLL"}, {"A.EXE"}, {"C:\\DIR\\X.DLL"}},
        // A bare module name is what the host's own lookup takes.
        {{"A.EXE\\X.DLL"}, {"A.EXE"}, {"X.DLL"}},
        // No backslash: an empty target that no process has.
        {{"X.DLL"}, {""}, {"X.DLL"}},
        // Only the first backslash separates; an empty module part names nothing.
        {{"A.EXE\\SUB\\X.DLL", "B.EXE\\"}, {"A.EXE", "B.EXE"}, {"SUB\\X.DLL"}},
        {{"A.EXE\\%TEMP%\\X.DLL", "B.EXE\\Y.DLL"},
         {"A.EXE", "B.EXE"},
         {"C:\\Temp\\X.DLL", "Y.DLL"}},
    };
    for (const Case& c : cases) {
        UnloadPlan plan = PlanUnload(c.entries);
        EXPECT_EQ(plan.targets, c.targets) << c.entries[0];
        EXPECT_EQ(plan.modules, c.modules) << c.entries[0];
    }
}

TEST_F(Unload, EveryModuleIsTriedInEveryTargetModulesOutside) {
    uint32_t a = Host("a.exe", "C:\\Apps\\", {"C:\\Apps\\x.dll", "C:\\Apps\\y.dll"});
    uint32_t b = Host("b.exe", "C:\\Apps\\", {"C:\\Apps\\x.dll", "C:\\Apps\\y.dll"});
    Definitions("[VirusName]\r\nName=Worm\r\n[WORM]\r\nUnloadDll=a.exe\\x.dll,b.exe\\y.dll\r\n");

    UnloadDlls("WORM");

    EXPECT_EQ(Lookups(), (LookupList{{a, "X.DLL"}, {b, "X.DLL"}, {a, "Y.DLL"}, {b, "Y.DLL"}}));
    for (uint32_t host : {a, b}) {
        EXPECT_TRUE(processes().Find(host)->modules.empty()) << host;
        EXPECT_EQ(remote().LiveBuffers(host), 0u);
    }
    EXPECT_TRUE(processes().DebugPrivilege());
}

TEST_F(Unload, ExpandedPathReachesOnlyTheFirstProgramOfThatName) {
    const std::string dll = "C:\\WINDOWS\\system32\\x.dll";
    uint32_t first = Host("explorer.exe", "C:\\WINDOWS\\", {dll});
    uint32_t second = Host("EXPLORER.EXE", "C:\\WINDOWS\\", {dll});
    Definitions("[W]\r\nUnloadDll=EXPLORER.EXE\\%SYSTEMROOT%\\X.DLL\r\n");

    UnloadDlls("W");

    EXPECT_EQ(Lookups(), (LookupList{{first, "C:\\WINDOWS\\system32\\X.DLL"}}));
    EXPECT_EQ(remote().References(first, dll), 0);
    EXPECT_EQ(remote().References(second, dll), 1);
    // An explicit id reaches the other one.
    EXPECT_TRUE(UnloadRemoteModule("ignored.exe", dll, second));
    EXPECT_EQ(remote().References(second, dll), 0);
}

TEST_F(Unload, AllTriesEveryProgramOncePerNameInTheSnapshot) {
    const std::string dll = "C:\\Apps\\x.dll";
    uint32_t first = Host("host.exe", "C:\\Apps\\", {dll});
    uint32_t other = Host("other.exe", "C:\\Apps\\");
    uint32_t second = Host("host.exe", "D:\\Copy\\", {dll});
    remote().LoadModule(first, dll);  // loaded twice: needs two frees
    Definitions("[W]\r\nUnloadDll=ALL\\X.DLL\r\n");

    UnloadDlls("W");

    // The name host.exe appears twice, and both times the first host is reached.
    EXPECT_EQ(Lookups(), (LookupList{{first, "X.DLL"}, {other, "X.DLL"}, {first, "X.DLL"}}));
    EXPECT_EQ(remote().References(first, dll), 0);
    EXPECT_EQ(remote().References(second, dll), 1);
}

TEST_F(Unload, CriticalProcessesAreNeverOpened) {
    const std::string dll = "C:\\Temp\\x.dll";
    uint32_t lsass = Host("lsass.exe", "C:\\WINDOWS\\system32\\", {dll});
    uint32_t winlogon = Host("winlogon.exe", "c:\\windows\\SYSTEM32\\", {dll});
    Definitions("[W]\r\nUnloadDll=LSASS.EXE\\%TEMP%\\X.DLL,ALL\\X.DLL\r\n");

    UnloadDlls("W");
    EXPECT_TRUE(remote().OpenAttempts().empty());
    EXPECT_EQ(remote().References(lsass, dll), 1);
    EXPECT_EQ(remote().References(winlogon, dll), 1);

    // The same name outside the system folder is an ordinary program.
    processes().Reset();
    uint32_t impostor = Host("lsass.exe", "C:\\Temp\\", {dll});
    EXPECT_TRUE(UnloadRemoteModule("LSASS.EXE", dll, 0));
    EXPECT_EQ(remote().OpenAttempts(), (std::vector<uint32_t>{impostor}));
}

TEST_F(Unload, NoListDoesNothingAndLeavesThePrivilegeAlone) {
    const char* definitions[] = {
        "[W]\r\nUnloadDll=None\r\n",
        "[W]\r\nUnloadDll=\r\n",
        "[W]\r\nSign=None\r\n",
        "[Other]\r\nUnloadDll=ALL\\X.DLL\r\n",
    };
    for (const char* text : definitions) {
        world().Reset();
        SetUp();
        uint32_t host = Host("host.exe", "C:\\Apps\\", {"C:\\Apps\\x.dll"});
        Definitions(text);
        UnloadDlls("W");
        EXPECT_TRUE(remote().OpenAttempts().empty()) << text;
        EXPECT_FALSE(processes().DebugPrivilege()) << text;
        EXPECT_EQ(remote().References(host, "C:\\Apps\\x.dll"), 1) << text;
    }
    // Any entry at all enables it, even when no target runs.
    Definitions("[W]\r\nUnloadDll=MISSING.EXE\\X.DLL\r\n");
    UnloadDlls("W");
    EXPECT_TRUE(processes().DebugPrivilege());
    EXPECT_TRUE(remote().OpenAttempts().empty());
}

TEST_F(Unload, EachCallFreesOneReference) {
    const std::string dll = "C:\\Apps\\hook.dll";
    uint32_t host = Host("host.exe", "C:\\Apps\\", {dll, dll});

    EXPECT_TRUE(UnloadRemoteModule("HOST.EXE", "hook.dll", 0));
    EXPECT_EQ(remote().References(host, dll), 1);
    EXPECT_TRUE(UnloadRemoteModule("host.exe", dll, 0));
    EXPECT_EQ(remote().References(host, dll), 0);
    // Gone: the lookup gives 0, and the free of 0 fails.
    EXPECT_FALSE(UnloadRemoteModule("host.exe", dll, 0));
    EXPECT_EQ(CountThreads(KernelRoutine::FreeLibrary), 3u);

    // The path went over with its terminating NUL; nothing stays behind.
    ASSERT_FALSE(remote().Buffers().empty());
    EXPECT_EQ(remote().Buffers()[0].size, (std::string("hook.dll").size() + 1) * 2);
    EXPECT_EQ(remote().LiveBuffers(host), 0u);
    EXPECT_EQ(remote().BadReads(), 0);
}

TEST_F(Unload, StuckHostFailsWithinTheWaitAndKeepsThePath) {
    const std::string dll = "C:\\Apps\\x.dll";
    uint32_t stuck = Host("stuck.exe", "C:\\Apps\\", {dll});
    uint32_t healthy = Host("healthy.exe", "C:\\Apps\\", {dll});
    remote().Suspend(stuck);
    Definitions("[W]\r\nUnloadDll=STUCK.EXE\\X.DLL,HEALTHY.EXE\\X.DLL\r\n");

    UnloadDlls("W");

    // X.DLL is listed twice, so each host is tried twice. A lookup thread that
    // has not run may still read its argument one day: its memory stays, and
    // no free is started on a handle that never came.
    EXPECT_EQ(remote().LiveBuffers(stuck), 2u);
    EXPECT_EQ(remote().References(stuck, dll), 1);
    for (const sim::RemoteThread& thread : remote().Threads()) {
        if (thread.processId == stuck) {
            EXPECT_EQ(thread.routine, KernelRoutine::GetModuleHandleW);
        }
    }
    EXPECT_EQ(CountThreads(KernelRoutine::FreeLibrary), 2u);
    // The scan goes on with the next pair.
    EXPECT_EQ(remote().References(healthy, dll), 0);
    EXPECT_EQ(remote().LiveBuffers(healthy), 0u);
    EXPECT_FALSE(UnloadRemoteModule("stuck.exe", dll, 0));
}

TEST_F(Unload, RefusalsReleaseWhatWasObtained) {
    enum Fault { RefuseOpen, FailAllocation, FailWrite, FailThreadStart };
    struct Case {
        Fault fault;
        size_t buffers, threads;
    };
    const Case cases[] = {
        {RefuseOpen, 0, 0}, {FailAllocation, 0, 0}, {FailWrite, 1, 0}, {FailThreadStart, 1, 0}};
    for (const Case& c : cases) {
        world().Reset();
        SetUp();
        uint32_t host = Host("host.exe", "C:\\Apps\\", {"C:\\Apps\\x.dll"});
        if (c.fault == RefuseOpen) remote().RefuseOpen(host);
        if (c.fault == FailAllocation) remote().FailAllocation(true);
        if (c.fault == FailWrite) remote().FailWrite(true);
        if (c.fault == FailThreadStart) remote().FailThreadStart(true);

        EXPECT_FALSE(UnloadRemoteModule("host.exe", "x.dll", 0)) << c.fault;
        EXPECT_EQ(remote().Buffers().size(), c.buffers) << c.fault;
        EXPECT_EQ(remote().LiveBuffers(host), 0u) << c.fault;
        EXPECT_EQ(remote().Threads().size(), c.threads) << c.fault;
        EXPECT_EQ(remote().References(host, "C:\\Apps\\x.dll"), 1) << c.fault;
    }
}

TEST_F(Unload, RefusedPrivilegeStillTriesAndMissingTargetsFail) {
    uint32_t host = Host("host.exe", "C:\\Apps\\", {"C:\\Apps\\x.dll"});
    processes().RefuseDebugPrivilege(true);
    EXPECT_TRUE(UnloadRemoteModule("host.exe", "X.DLL", 0));
    EXPECT_EQ(remote().References(host, "C:\\Apps\\x.dll"), 0);

    EXPECT_FALSE(UnloadRemoteModule("host.exe", "", 0));
    EXPECT_FALSE(UnloadRemoteModule("", "X.DLL", 0));
    EXPECT_FALSE(UnloadRemoteModule("absent.exe", "X.DLL", 0));
    EXPECT_FALSE(UnloadRemoteModule("host.exe", "X.DLL", 4242));  // no such id
    EXPECT_EQ(remote().OpenAttempts(), (std::vector<uint32_t>{host, 4242}));
}

}  // namespace
}  // namespace kestrone::test
