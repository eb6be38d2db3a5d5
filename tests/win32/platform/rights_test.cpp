// The rights platform against the real API: the system's kind, which folders
// the user may write (as this process and as an instance started with the
// user's ordinary rights), links on a path, and the elevated start.
//
// Under Wine every program starts elevated, with a linked ordinary token;
// the ordinary instance is started here with that token, and "runas" starts
// its program elevated without a prompt. Wine draws a folder's security from
// its Unix permissions, and shows a Unix symbolic link to a folder as a
// reparse point (CMakeLists.txt makes one before the run).
#include "platform/rights.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/rights_access.h"

namespace kestrone::platform {
namespace {

std::string FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    std::string path = value ? value : "";
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string TempFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return temp;
}

std::string BesideUs(const std::string& name) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder = self;
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

// A fresh folder below the temporary folder, gone again after the test.
class ScratchFolder {
  public:
    ScratchFolder() {
        static int made = 0;
        path_ = TempFolder() + "kestrone-rights-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++made);
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~ScratchFolder() {
        for (const std::string& name : Names()) DeleteFileA((path_ + "\\" + name).c_str());
        SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
        RemoveDirectoryA(path_.c_str());
    }
    const std::string& path() const { return path_; }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA entry;
        FindHandle find(FindFirstFileA((path_ + "\\*").c_str(), &entry));
        if (!find) return names;
        do {
            const std::string name = entry.cFileName;
            if (name != "." && name != "..") names.push_back(name);
        } while (FindNextFileA(find.get(), &entry));
        return names;
    }

  private:
    std::string path_;
};

// What the helper reported: its elevation, then per folder the answer and
// whether a real write worked.
struct HelperReport {
    bool arrived = false;
    int elevated = -1;
    std::vector<std::pair<int, int>> folders;
};

HelperReport WaitForReport(const std::string& path, DWORD timeoutMs) {
    HelperReport report;
    for (DWORD waited = 0; waited < timeoutMs; waited += 100) {
        std::ifstream in(path);
        std::string word;
        if (in >> word >> report.elevated) {
            int answer = 0, real = 0;
            while (in >> word >> answer >> real) report.folders.emplace_back(answer, real);
            report.arrived = true;
            DeleteFileA(path.c_str());
            return report;
        }
        Sleep(100);
    }
    return report;
}

TEST(PathStepsTest, EachFolderAboveThePathDownToTheRoot) {
    using Steps = std::vector<std::string>;
    const struct {
        const char* path;
        Steps steps;
    } cases[] = {
        {"C:\\a\\b\\c.txt", {"C:\\a\\b\\c.txt", "C:\\a\\b", "C:\\a"}},
        {"C:\\a\\b\\\\", {"C:\\a\\b", "C:\\a"}},  // trailing separators are not steps
        {"C:/a/b", {"C:/a/b", "C:/a"}},
        {"C:\\", {}},
        {"C:", {}},
        {"\\\\server\\share\\dir\\f", {"\\\\server\\share\\dir\\f", "\\\\server\\share\\dir"}},
        {"\\\\server\\share", {}},
        {"\\\\?\\C:\\x\\y", {"\\\\?\\C:\\x\\y", "\\\\?\\C:\\x"}},
        {"\\\\?\\unc\\server\\share\\x", {"\\\\?\\unc\\server\\share\\x"}},
        {"dir\\file", {"dir\\file", "dir"}},
        {"\\top\\file", {"\\top\\file", "\\top"}},
        {"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(PathSteps(c.path), c.steps) << c.path;
}

TEST(RightsTest, UserAccountControlGoesWithTheVistaSystem) {
    // GetTickCount64 came with Vista, as did user account control.
    const bool vista = GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount64");
    EXPECT_EQ(SystemHasUserAccountControl(), vista);
}

TEST(RightsTest, WritableFoldersAndOthers) {
    ScratchFolder scratch;
    const std::string file = scratch.path() + "\\plain.txt";
    std::ofstream(file) << "x";
    const std::string folderOnly = scratch.path();
    const struct {
        std::string folder;
        bool writable;
    } cases[] = {
        {TempFolder(), true},
        {folderOnly, true},
        {folderOnly + "\\", true},
        {folderOnly + "\\missing\\", false},
        {file, false},  // a file is no folder to write into
    };
    for (const auto& c : cases) EXPECT_EQ(FolderWritableByUser(c.folder), c.writable) << c.folder;
    // The probe leaves nothing behind.
    EXPECT_EQ(scratch.Names(), std::vector<std::string>{"plain.txt"});
}

TEST(RightsTest, ReadOnlyAttributeOnAFolderDoesNotStopWrites) {
    // On folders the attribute only marks shell customisation.
    ScratchFolder scratch;
    ASSERT_TRUE(SetFileAttributesA(scratch.path().c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(FolderWritableByUser(scratch.path()));
}

TEST(RightsTest, FolderTheAccountMayNotWriteIsNotWritable) {
    const std::string closed = FromEnvironment("KESTRONE_TEST_CLOSED_FOLDER");
    if (closed.empty()) GTEST_SKIP() << "no closed folder prepared";
    // Elevated, the answer is the ordinary rights' and the folder's security
    // refuses them; a root account's probe would pass the Unix permissions.
    if (ProcessIsElevated()) {
        EXPECT_FALSE(FolderWritableByUser(closed));
    }
    EXPECT_TRUE(FolderWritableByUser(closed.substr(0, closed.find_last_of('\\'))));
}

// The ordinary instance: the helper started with our linked, unelevated token.
bool StartWithOrdinaryRights(const std::string& commandLine) {
    HANDLE own = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &own)) return false;
    KernelHandle ownToken(own);
    TOKEN_LINKED_TOKEN linked{};
    DWORD size = 0;
    if (!GetTokenInformation(own, TokenLinkedToken, &linked, sizeof linked, &size)) return false;
    KernelHandle linkedToken(linked.LinkedToken);
    HANDLE primary = nullptr;
    if (!DuplicateTokenEx(linked.LinkedToken, TOKEN_ALL_ACCESS, nullptr, SecurityImpersonation,
                          TokenPrimary, &primary))
        return false;
    KernelHandle primaryToken(primary);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::string line = commandLine;
    if (!CreateProcessAsUserA(primary, nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &started))
        return false;
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

TEST(RightsTest, OrdinaryInstanceSeesWhatItCanWrite) {
    if (!SystemHasUserAccountControl() || !ProcessIsElevated())
        GTEST_SKIP() << "no elevated token with a linked one to start from";
    const std::string closed = FromEnvironment("KESTRONE_TEST_CLOSED_FOLDER");
    const std::string report = TempFolder() + "kestrone-ordinary-report.txt";
    DeleteFileA(report.c_str());
    // No folder ends in a separator here: before a closing quote it would
    // escape the quote.
    const std::string temp = TempFolder().substr(0, TempFolder().size() - 1);
    std::string commandLine = "\"" + BesideUs("rights_helper.exe") + "\" \"" + report + "\" \"" +
                              temp + "\" \"" + temp + "\\missing-folder\"";
    if (!closed.empty()) commandLine += " \"" + closed + "\"";
    if (!StartWithOrdinaryRights(commandLine))
        GTEST_SKIP() << "this account may not start a program with another token";
    const HelperReport seen = WaitForReport(report, 30000);
    ASSERT_TRUE(seen.arrived);
    EXPECT_EQ(seen.elevated, 0);
    ASSERT_EQ(seen.folders.size(), closed.empty() ? 2u : 3u);
    EXPECT_EQ(seen.folders[0], std::make_pair(1, 1));  // the temporary folder
    EXPECT_EQ(seen.folders[1], std::make_pair(0, 0));  // a missing one
    // Unelevated the answer is what a write really does (under Wine, Unix
    // permissions bind every account but root).
    if (!closed.empty()) {
        EXPECT_EQ(seen.folders[2].first, seen.folders[2].second);
    }
}

TEST(RightsTest, PathThroughAFolderLinkIsSeen) {
    const std::string link = FromEnvironment("KESTRONE_TEST_FOLDER_LINK");
    const std::string target = FromEnvironment("KESTRONE_TEST_LINK_TARGET");
    if (link.empty() || target.empty()) GTEST_SKIP() << "no folder link prepared";
    const struct {
        std::string path;
        bool throughLink;
    } cases[] = {
        {link, true},
        {link + "\\", true},
        {link + "\\missing\\file.txt", true},  // what is missing below it does not matter
        {target, false},
        {target + "\\file.txt", false},
        {TempFolder() + "missing-folder\\file.txt", false},
        {TempFolder(), false},
    };
    for (const auto& c : cases) EXPECT_EQ(PathPassesThroughLink(c.path), c.throughLink) << c.path;
}

TEST(RightsTest, SymbolicLinkTheSystemMakesIsSeen) {
    // Wine 8's CreateSymbolicLinkA answers TRUE and makes nothing (and its
    // junction request, FSCTL_SET_REPARSE_POINT, is "not supported"), so
    // there the Unix link above stands in.
    using CreateSymbolicLinkFn = BOOLEAN(WINAPI*)(const char*, const char*, DWORD);
    auto createSymbolicLink = reinterpret_cast<CreateSymbolicLinkFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "CreateSymbolicLinkA")));
    ScratchFolder scratch;
    const std::string link = scratch.path() + "-symbolic";
    const DWORD kDirectory = 1;  // SYMBOLIC_LINK_FLAG_DIRECTORY
    if (!createSymbolicLink ||
        !createSymbolicLink(link.c_str(), scratch.path().c_str(), kDirectory) ||
        GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "this system (or account) makes no symbolic links";
    EXPECT_TRUE(PathPassesThroughLink(link + "\\file.txt"));
    RemoveDirectoryA(link.c_str());
}

TEST(RightsTest, ElevatedStartRunsTheProgramWithAdministratorRights) {
    const std::string report = TempFolder() + "kestrone-elevated-report.txt";
    DeleteFileA(report.c_str());
    ASSERT_EQ(StartElevated(0, BesideUs("rights_helper.exe"), "\"" + report + "\""),
              ElevatedStart::Started);
    const HelperReport seen = WaitForReport(report, 30000);
    ASSERT_TRUE(seen.arrived);
    EXPECT_EQ(seen.elevated, 1);
}

TEST(RightsTest, ElevatedStartOfAMissingProgramFails) {
    EXPECT_EQ(StartElevated(0, TempFolder() + "no-such-program.exe", ""), ElevatedStart::Failed);
}

}  // namespace
}  // namespace kestrone::platform
