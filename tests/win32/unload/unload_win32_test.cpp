// Unloading a module from a real process: a harmless host built here loads a
// harmless library, and the unloader makes the host free it. The host itself
// tells when the library has left it, and the system's module list agrees.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <tlhelp32.h>

#include <cstdio>
#include <string>

#include "core/definitions.h"
#include "core/path_macros.h"
#include "core/text.h"
#include "platform/remote_modules.h"
#include "scan/module_unload.h"

namespace kestrone::test {
namespace {

std::string OwnFolder() {
    char buffer[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return FolderPart(buffer);
}

const std::string kLibraryName = "unload_test_dll.dll";

// True when the process's module list, as the system gives it, holds the file name.
bool ListsModule(DWORD processId, const std::string& fileName) {
    HANDLE snapshot = INVALID_HANDLE_VALUE;
    for (int i = 0; i < 10 && snapshot == INVALID_HANDLE_VALUE; ++i) {
        snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    }
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Module32First(snapshot, &entry); more && !found;
         more = Module32Next(snapshot, &entry)) {
        found = SameText(entry.szModule, fileName);
        entry.dwSize = sizeof entry;
    }
    CloseHandle(snapshot);
    return found;
}

// A started host; ended and closed when the test ends.
class Host {
  public:
    Host(int loads, bool slowLibrary = false) {
        std::string folder = OwnFolder();
        std::string line = "\"" + folder + "unload_host.exe\" \"" + folder + kLibraryName + "\" " +
                           std::to_string(loads);
        if (slowLibrary) line += " \"" + folder + "unload_stall_dll.dll\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &info_);
    }
    ~Host() {
        if (!started_) return;
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    DWORD id() const { return info_.dwProcessId; }
    // Started, and the library is in its module list.
    bool Ready() const {
        // Up to 20 s: a loaded machine running other Wine suites is slow to start it.
        for (int i = 0; started_ && i < 400; ++i) {
            if (ListsModule(id(), kLibraryName)) return true;
            Sleep(50);
        }
        return false;
    }
    // The host's own word that the library has left it.
    bool ReportsLibraryGone(DWORD waitMs) const {
        char name[64];
        std::snprintf(name, sizeof name, "KestroneUnloadTestGone-%lu",
                      static_cast<unsigned long>(id()));
        HANDLE gone = nullptr;
        for (int i = 0; i < 40 && !gone; ++i) {
            gone = OpenEventA(SYNCHRONIZE, FALSE, name);
            if (!gone) Sleep(50);
        }
        if (!gone) return false;
        bool set = WaitForSingleObject(gone, waitMs) == WAIT_OBJECT_0;
        CloseHandle(gone);
        return set;
    }

  private:
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

TEST(UnloadWin32, TwoLoadsNeedTwoUnloadsAndThenTheLibraryIsGone) {
    Host host(2);
    ASSERT_TRUE(host.Ready());
    const std::string path = OwnFolder() + kLibraryName;

    EXPECT_TRUE(UnloadRemoteModule("UNLOAD_HOST.EXE", path, 0));
    EXPECT_FALSE(host.ReportsLibraryGone(300));
    EXPECT_TRUE(ListsModule(host.id(), kLibraryName));

    EXPECT_TRUE(UnloadRemoteModule("unload_host.exe", UpperCase(path), 0));
    EXPECT_TRUE(host.ReportsLibraryGone(5000));
    EXPECT_FALSE(ListsModule(host.id(), kLibraryName));

    // Nothing left to free.
    EXPECT_FALSE(UnloadRemoteModule("unload_host.exe", path, 0));
}

TEST(UnloadWin32, BareNameInAProcessGivenById) {
    Host host(1);
    ASSERT_TRUE(host.Ready());
    EXPECT_FALSE(UnloadRemoteModule("unload_host.exe", "no_such_library.dll", host.id()));
    EXPECT_TRUE(UnloadRemoteModule("not-used.exe", kLibraryName, host.id()));
    EXPECT_TRUE(host.ReportsLibraryGone(5000));
    EXPECT_FALSE(ListsModule(host.id(), kLibraryName));
}

TEST(UnloadWin32, DefinitionsListUnloadsFromEveryProgram) {
    Host host(1);
    ASSERT_TRUE(host.Ready());
    // The definitions' decrypted copy lives in the data directory, the temporary
    // folder: a folder of this test's own, so that no other suite's copy is touched.
    std::string dataFolder = OwnFolder() + "unload-data\\";
    CreateDirectoryA(dataFolder.c_str(), nullptr);
    char oldTmp[MAX_PATH + 1] = {};
    bool hadTmp = GetEnvironmentVariableA("TMP", oldTmp, sizeof oldTmp) > 0;
    SetEnvironmentVariableA("TMP", dataFolder.c_str());
    std::string definitions = DataFilePath(kDefinitionsFile);
    std::string entry = "ALL\\" + kLibraryName;
    bool written =
        WritePrivateProfileStringA("TESTWORM", "UnloadDll", entry.c_str(), definitions.c_str());

    if (written) UnloadDlls("TESTWORM");
    SetEnvironmentVariableA("TMP", hadTmp ? oldTmp : nullptr);
    DeleteFileA(definitions.c_str());
    RemoveDirectoryA(dataFolder.c_str());

    EXPECT_EQ(definitions, dataFolder + kDefinitionsFile);
    ASSERT_TRUE(written);
    EXPECT_TRUE(host.ReportsLibraryGone(5000));
    EXPECT_FALSE(ListsModule(host.id(), kLibraryName));
}

TEST(UnloadWin32, ThreadThatCannotStartOutlastsItsWait) {
    Host host(1, true);
    ASSERT_TRUE(host.Ready());
    Sleep(200);  // the slow library is loading now, holding the host's loader
    platform::RemoteProcess process(host.id());
    ASSERT_TRUE(process.IsOpen());
    platform::RemoteThreadResult result =
        process.RunRoutine(platform::KernelRoutine::GetModuleHandleW, 0, 300);
    EXPECT_EQ(result.end, platform::RemoteThreadEnd::TimedOut);
}

TEST(UnloadWin32, RemoteLookupGivesTheWholeHandle) {
    Host host(1);
    ASSERT_TRUE(host.Ready());
    platform::RemoteProcess process(host.id());
    ASSERT_TRUE(process.IsOpen());
    std::u16string name = platform::AnsiToWide(kLibraryName);
    size_t size = (name.size() + 1) * sizeof(char16_t);
    uintptr_t address = process.Allocate(size);
    ASSERT_NE(address, 0u);
    ASSERT_TRUE(process.Write(address, name.c_str(), size));
    platform::RemoteThreadResult lookup =
        process.RunRoutine(platform::KernelRoutine::GetModuleHandleW, address, 5000);
    EXPECT_TRUE(process.Decommit(address, size));
    ASSERT_EQ(lookup.end, platform::RemoteThreadEnd::Finished);

    // The same library in our own process would sit at its preferred base too,
    // but the host's module list is the authority.
    uintptr_t listed = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, host.id());
    ASSERT_NE(snapshot, INVALID_HANDLE_VALUE);
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Module32First(snapshot, &entry); more; more = Module32Next(snapshot, &entry)) {
        if (SameText(entry.szModule, kLibraryName))
            listed = reinterpret_cast<uintptr_t>(entry.hModule);
    }
    CloseHandle(snapshot);
    EXPECT_EQ(lookup.value, listed);
    EXPECT_NE(listed, 0u);
}

TEST(UnloadWin32, AnsiTextBecomesWide) {
    EXPECT_EQ(platform::AnsiToWide("C:\\Dir\\x.dll"), u"C:\\Dir\\x.dll");
    EXPECT_EQ(platform::AnsiToWide(""), u"");
}

}  // namespace
}  // namespace kestrone::test
