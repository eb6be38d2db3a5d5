// Shortcut worms on the real system: shortcut files made by the shell's own
// IShellLink, read back by our reader, and a whole worm on the test prefix's
// removable drive E: with harmless stand-ins for its processes.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <windows.h>

#include <algorithm>
#include <memory>

#include "core/text.h"
#include "platform/drives.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "scan/drive_scan.h"
#include "scan/process_info.h"
#include "scan/shell_link.h"
#include "scan/shortcut_worm.h"

namespace kestrone::test {
namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr uint32_t kHiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

std::string OwnFolder() {
    char buffer[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return FolderPart(buffer);
}

std::string SystemFolder() {
    char buffer[MAX_PATH + 1] = {};
    GetSystemDirectoryA(buffer, MAX_PATH);
    return buffer;
}

std::wstring Widen(const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(),
                                static_cast<int>(wide.size()));
    wide.resize(n > 0 ? n - 1 : 0);
    return wide;
}

// One COM interface pointer, released when it goes.
template <class T>
class ComRef {
  public:
    ComRef() = default;
    ~ComRef() {
        if (pointer_) pointer_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T* operator->() const { return pointer_; }
    void** Out() { return reinterpret_cast<void**>(&pointer_); }
    explicit operator bool() const { return pointer_ != nullptr; }

  private:
    T* pointer_ = nullptr;
};

// A shortcut written by the shell itself.
bool MakeShortcut(const std::string& path, const std::string& target, const std::wstring& arguments,
                  const std::string& workingDir = "") {
    ComRef<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.Out()))) {
        return false;
    }
    if (FAILED(link->SetPath(Widen(target).c_str())) ||
        FAILED(link->SetArguments(arguments.c_str()))) {
        return false;
    }
    if (!workingDir.empty() && FAILED(link->SetWorkingDirectory(Widen(workingDir).c_str())))
        return false;
    ComRef<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.Out()))) return false;
    return SUCCEEDED(file->Save(Widen(path).c_str(), TRUE));
}

void RemoveTree(const std::string& path) {
    platform::SetAttributes(path, FILE_ATTRIBUTE_NORMAL);
    if (platform::FolderExists(path)) {
        for (const platform::FolderEntry& entry : platform::ListFolder(path + "\\*")) {
            RemoveTree(path + "\\" + entry.name);
        }
        platform::RemoveFolder(path);
    } else {
        platform::RemoveFile(path);
    }
}

// A started stand-in process, terminated and closed when the test ends.
class Sleeper {
  public:
    Sleeper(const std::string& exePath, const std::string& commandLine, const std::string& folder) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string line = commandLine;
        started_ = CreateProcessA(exePath.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  folder.c_str(), &startup, &info_);
        // Wine returns before the child's command line is in place.
        for (int i = 0; started_ && i < 200 && GetProcessCommandLine(info_.dwProcessId).empty();
             ++i)
            Sleep(50);
    }
    ~Sleeper() {
        if (!started_) return;
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    Sleeper(const Sleeper&) = delete;
    Sleeper& operator=(const Sleeper&) = delete;
    bool started() const { return started_ != 0; }
    bool Ended(DWORD waitMs) const {
        return WaitForSingleObject(info_.hProcess, waitMs) == WAIT_OBJECT_0;
    }

  private:
    PROCESS_INFORMATION info_{};
    BOOL started_ = FALSE;
};

class ShortcutWin32 : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
    void TearDown() override { CoUninitialize(); }
};

struct ShellMade {
    std::string target;
    std::wstring arguments;
    std::string workingDir;
};

TEST_F(ShortcutWin32, ShortcutsTheShellWritesAreReadBack) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "kestrone-links\\";
    RemoveTree(folder.substr(0, folder.size() - 1));
    ASSERT_TRUE(platform::MakeFolder(folder));
    ASSERT_TRUE(platform::MakeFolder(folder + "My Apps"));
    ASSERT_TRUE(platform::WriteTextFile(folder + "My Apps\\tool one.exe", "MZ"));
    const ShellMade links[] = {
        {SystemFolder() + "\\cmd.exe", L"/c start _\\run.vbs & start explorer _ & exit", "E:\\"},
        {folder + "My Apps\\tool one.exe", L"--flag \"quoted argument\"", folder + "My Apps"},
        {SystemFolder() + "\\notepad.exe", L"caf\u00e9 \u4e2d\u6587.txt", ""},
    };
    for (size_t i = 0; i < std::size(links); ++i) {
        const ShellMade& made = links[i];
        std::string path = folder + "link" + std::to_string(i) + ".lnk";
        ASSERT_TRUE(MakeShortcut(path, made.target, made.arguments, made.workingDir)) << path;
        ShellLink link;
        ASSERT_TRUE(ReadShellLink(path, link)) << path;
        TextList targets = link.Targets();
        EXPECT_GE(IndexOfText(targets, made.target), 0)
            << made.target << " among " << (targets.empty() ? "nothing" : targets[0]);
        // The shell's own ID list, file entries with long names, spells the same path.
        EXPECT_TRUE(SameText(link.idListPath, made.target)) << link.idListPath;
        EXPECT_TRUE(SameText(link.linkInfoPath, made.target)) << link.linkInfoPath;
        EXPECT_EQ(link.arguments, platform::WideToAnsi(std::u16string(made.arguments.begin(),
                                                                      made.arguments.end())));
        EXPECT_TRUE(SameText(link.workingDir, made.workingDir)) << link.workingDir;
    }
    RemoveTree(folder.substr(0, folder.size() - 1));
}

class ShortcutWormOnE : public ShortcutWin32 {
  protected:
    void SetUp() override {
        ShortcutWin32::SetUp();
        ASSERT_EQ(platform::GetDriveKind("E:\\"), platform::kDriveRemovable);
        ClearDrive();
        platform::RegistryKey run;
        ASSERT_TRUE(run.OpenOrCreate(platform::kHkeyCurrentUser, kRunKey));
        run.WriteString("KestroneTestWorm", "wscript.exe \"E:\\_\\run.vbs\"");
        run.WriteString("KestroneTestLogin", "wscript.exe C:\\Scripts\\login.vbs");
    }
    void TearDown() override {
        ClearDrive();
        RemoveTree(StandIns().substr(0, StandIns().size() - 1));
        platform::RegistryKey run;
        if (run.Open(platform::kHkeyCurrentUser, kRunKey)) {
            run.DeleteValue("KestroneTestWorm");
            run.DeleteValue("KestroneTestLogin");
        }
        ShortcutWin32::TearDown();
    }
    static void ClearDrive() {
        for (const char* name : {"Photos", "Docs", "_", "RECYCLER", "Apps", "holiday.jpg",
                                 "Photos.lnk", "Docs.lnk", "USB.lnk", "Notepad.lnk", "Tool.lnk"}) {
            RemoveTree(std::string("E:\\") + name);
        }
    }
    static std::string StandIns() {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        return std::string(temp) + "kestrone-standins\\";
    }
    // A copy of the sleeper under another name, with bytes of its own so that
    // no two stand-ins share a file code.
    static bool CopySleeper(const std::string& to, const std::string& mark) {
        std::string image;
        if (!platform::ReadWholeFile(OwnFolder() + "scan_sleeper.exe", image)) return false;
        return platform::WriteTextFile(to, image + mark);
    }
};

TEST_F(ShortcutWormOnE, TheWormGoesAndTheUsersItemsComeBack) {
    // The user's things, hidden by the worm or moved into its faceless folder.
    ASSERT_TRUE(platform::MakeFolder("E:\\Photos"));
    ASSERT_TRUE(platform::WriteTextFile("E:\\Photos\\beach.jpg", "a photo"));
    ASSERT_TRUE(platform::MakeFolder("E:\\Docs"));
    ASSERT_TRUE(platform::MakeFolder("E:\\_"));
    ASSERT_TRUE(platform::WriteTextFile("E:\\_\\holiday.jpg", "a photo"));
    // The worm: a script in its folder, a program in RECYCLER, and shortcuts.
    ASSERT_TRUE(platform::WriteTextFile("E:\\_\\run.vbs", "' harmless shortcut worm specimen"));
    ASSERT_TRUE(platform::MakeFolder("E:\\RECYCLER"));
    ASSERT_TRUE(CopySleeper("E:\\RECYCLER\\svc.exe", "worm"));
    const std::string cmd = SystemFolder() + "\\cmd.exe";
    ASSERT_TRUE(MakeShortcut("E:\\Photos.lnk", cmd,
                             L"/c start wscript _\\run.vbs & start explorer Photos & exit"));
    ASSERT_TRUE(
        MakeShortcut("E:\\USB.lnk", cmd, L"/c start wscript _\\run.vbs & start explorer _ & exit"));
    ASSERT_TRUE(MakeShortcut("E:\\Docs.lnk", "E:\\RECYCLER\\svc.exe", L"Docs"));
    for (const char* hidden :
         {"E:\\Photos", "E:\\Docs", "E:\\_\\run.vbs", "E:\\RECYCLER\\svc.exe"}) {
        ASSERT_TRUE(platform::SetAttributes(hidden, kHiddenSystem)) << hidden;
    }
    ASSERT_TRUE(platform::SetAttributes("E:\\_", FILE_ATTRIBUTE_HIDDEN));
    // The user's own shortcuts.
    ASSERT_TRUE(platform::MakeFolder("E:\\Apps"));
    ASSERT_TRUE(CopySleeper("E:\\Apps\\tool.exe", "tool"));
    ASSERT_TRUE(MakeShortcut("E:\\Notepad.lnk", SystemFolder() + "\\notepad.exe", L""));
    ASSERT_TRUE(MakeShortcut("E:\\Tool.lnk", "E:\\Apps\\tool.exe", L"/portable"));

    // Running: the script host with the stick's script, the payload itself,
    // and the user's own script host, all played by stand-ins.
    ASSERT_TRUE(platform::MakeFolder(StandIns()));
    ASSERT_TRUE(CopySleeper(StandIns() + "wscript.exe", "host"));
    Sleeper fromStick(StandIns() + "wscript.exe", "wscript.exe _\\run.vbs", "E:\\");
    Sleeper payload("E:\\RECYCLER\\svc.exe", "\"E:\\RECYCLER\\svc.exe\" Docs", "E:\\");
    Sleeper login(StandIns() + "wscript.exe", "wscript.exe C:\\Scripts\\login.vbs", "C:\\");
    ASSERT_TRUE(fromStick.started() && payload.started() && login.started());

    TextList report = ScanAndCleanDrive("E:\\");
    std::sort(report.begin(), report.end());
    EXPECT_EQ(report,
              (TextList{"E:\\ cleaned completed.", "E:\\Docs  restored", "E:\\Docs.lnk  cleaned",
                        "E:\\Photos  restored", "E:\\Photos.lnk  cleaned",
                        "E:\\RECYCLER\\svc.exe  cleaned", "E:\\USB.lnk  cleaned",
                        "E:\\_\\run.vbs  cleaned", "E:\\holiday.jpg  restored"}));

    EXPECT_TRUE(fromStick.Ended(5000));
    EXPECT_TRUE(payload.Ended(5000));
    EXPECT_FALSE(login.Ended(0));
    for (const char* shown : {"E:\\Photos", "E:\\Docs", "E:\\holiday.jpg"}) {
        uint32_t attributes = platform::GetAttributes(shown);
        ASSERT_NE(attributes, platform::kInvalidAttributes) << shown;
        EXPECT_EQ(attributes & kHiddenSystem, 0u) << shown;
    }
    EXPECT_TRUE(platform::FileExists("E:\\Photos\\beach.jpg"));
    EXPECT_FALSE(platform::FolderExists("E:\\_"));
    for (const char* gone : {"E:\\Photos.lnk", "E:\\USB.lnk", "E:\\Docs.lnk"}) {
        EXPECT_FALSE(platform::FileExists(gone)) << gone;
    }
    EXPECT_TRUE(platform::FileExists("E:\\Notepad.lnk"));
    EXPECT_TRUE(platform::FileExists("E:\\Tool.lnk"));
    EXPECT_TRUE(platform::FileExists("E:\\Apps\\tool.exe"));
    platform::RegistryKey run;
    ASSERT_TRUE(run.Open(platform::kHkeyCurrentUser, kRunKey));
    EXPECT_FALSE(run.ValueExists("KestroneTestWorm"));
    EXPECT_TRUE(run.ValueExists("KestroneTestLogin"));
}

}  // namespace
}  // namespace kestrone::test
