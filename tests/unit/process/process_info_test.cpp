// Process names, paths, critical processes and the debug privilege.
#include "scan/process_info.h"

#include "platform/processes.h"
#include "process_fixture.h"

namespace kestrone::test {
namespace {

using ProcessInfo = ProcessTest;

TEST_F(ProcessInfo, CriticalPathsFollowTheSystemFolder) {
    struct Case {
        const char* path;
        bool critical;
    };
    const Case cases[] = {
        {"C:\\WINDOWS\\system32\\lsass.exe", true},
        {"c:\\windows\\SYSTEM32\\LSASS.EXE", true},
        {"C:\\WINDOWS\\system32\\winlogon.exe", true},
        {"C:\\WINDOWS\\system32\\alg.exe", true},
        {"C:\\WINDOWS\\system32\\svchost.exe", true},
        {"\\SystemRoot\\System32\\smss.exe", true},
        {"\\SYSTEMROOT\\SYSTEM32\\SMSS.EXE", false},  // the native form counts only as written
        {"C:\\WINDOWS\\explorer.exe", false},
        {"C:\\Temp\\lsass.exe", false},
        {"lsass.exe", false},
        {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsCriticalPath(c.path), c.critical) << c.path;

    world().SetSpecialFolder(platform::kCsidlSystem, "D:\\WINNT\\System32");
    EXPECT_TRUE(IsCriticalPath("D:\\WINNT\\System32\\csrss.exe"));
    EXPECT_FALSE(IsCriticalPath("C:\\WINDOWS\\system32\\csrss.exe"));
}

TEST_F(ProcessInfo, CriticalProcessNeedsAReadablePath) {
    uint32_t lsass = processes().Add("lsass.exe", "C:\\WINDOWS\\system32\\lsass.exe");
    EXPECT_TRUE(IsCriticalProcess(lsass));
    processes().Find(lsass)->refuseFullAccess = true;
    EXPECT_EQ(GetProcessExePath(lsass), "");
    EXPECT_FALSE(IsCriticalProcess(lsass));
    EXPECT_FALSE(IsCriticalProcess(12345));  // no such process
}

TEST_F(ProcessInfo, FindingAndListingByName) {
    uint32_t first = processes().Add("C:\\x\\App.exe", "C:\\x\\App.exe");
    uint32_t second = processes().Add("app.exe", "D:\\app.exe");
    processes().Add("svchost.exe", "C:\\WINDOWS\\system32\\svchost.exe");
    processes().Add("svchost.exe", "C:\\WINDOWS\\system32\\svchost.exe");

    EXPECT_EQ(FindProcessByName("APP.EXE", false), first);  // file parts compared
    EXPECT_EQ(FindProcessByName("APP.EXE", true), second);  // whole snapshot name
    EXPECT_EQ(FindProcessByName("c:\\X\\app.exe", true), first);
    EXPECT_EQ(FindProcessByName("missing.exe", false), 0u);

    EXPECT_TRUE(IsProcessRunning("App.Exe"));
    EXPECT_TRUE(IsProcessRunning("C:\\X\\APP.EXE"));
    EXPECT_FALSE(IsProcessRunning("pp.exe"));
    EXPECT_EQ(ListProcessNames(),
              (TextList{"C:\\x\\App.exe", "app.exe", "svchost.exe", "svchost.exe"}));
}

TEST_F(ProcessInfo, CommandLineAndItsAnsiForm) {
    uint32_t id = processes().Add("a.exe", "C:\\a.exe", "a.exe \"E:\\My Files\"");
    EXPECT_EQ(GetProcessCommandLine(id), u"a.exe \"E:\\My Files\"");
    EXPECT_EQ(platform::WideToAnsi(u"x\u00e9\u4e2d"), "x\xe9?");
    EXPECT_EQ(GetProcessCommandLine(999), u"");
}

TEST_F(ProcessInfo, DebugPrivilege) {
    EXPECT_TRUE(SetDebugPrivilege(true));
    EXPECT_TRUE(processes().DebugPrivilege());
    processes().RefuseDebugPrivilege(true);
    EXPECT_FALSE(SetDebugPrivilege(false));
    EXPECT_TRUE(processes().DebugPrivilege());
}

}  // namespace
}  // namespace kestrone::test
