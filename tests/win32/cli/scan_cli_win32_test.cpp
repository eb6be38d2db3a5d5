// kestrone-scan.exe started as a separate program, as a script would start it:
// an infected stick is cleaned (its running worm ended, its start-up value
// removed), a clean stick is left alone, --report-only changes nothing, a
// drive that Kestrone is cleaning is refused, and broken calls end with 3.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/files.h"
#include "platform/registry.h"
#include "platform/remote_modules.h"
#include "unit/cli/json_reader.h"

namespace kestrone::test {
namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValue[] = "KestroneTestWorm";

// Build paths are host paths; Wine shows the host's root as drive Z:.
std::string HostPath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

const std::string kBin = HostPath(KESTRONE_TEST_BIN_DIR) + "\\";

struct Result {
    DWORD exitCode = 0xFFFFFFFF;
    std::string out, err;
};

std::string ReadAll(const std::string& path) {
    std::string content;
    platform::ReadWholeFile(path, content);
    return content;
}

HANDLE InheritableFile(const std::string& path) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Runs a program with its standard output and error caught in files of their
// own for each run (a file of an ended run may still be held for a moment).
Result RunProgram(const std::string& program, const std::string& arguments) {
    static int runs = 0;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string base = std::string(temp) + "kestrone-scan-test-" + std::to_string(++runs);
    std::string outPath = base + ".out", errPath = base + ".err";
    HANDLE out = InheritableFile(outPath), err = InheritableFile(errPath);
    Result result;
    if (out == INVALID_HANDLE_VALUE || err == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot create " << base;
        return result;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = err;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + program + "\" " + arguments;
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                       nullptr, nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, 120000);
        GetExitCodeProcess(process.hProcess, &result.exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(out);
    CloseHandle(err);
    result.out = ReadAll(outPath);
    result.err = ReadAll(errPath);
    DeleteFileA(outPath.c_str());
    DeleteFileA(errPath.c_str());
    return result;
}

Result Scan(const std::string& arguments) {
    return RunProgram(kBin + "kestrone-scan.exe", arguments);
}

void EmptyDriveE() {
    for (const auto& entry : platform::ListFolder("E:\\*")) {
        std::string path = "E:\\" + entry.name;
        platform::SetAttributes(path, FILE_ATTRIBUTE_NORMAL);
        if (!entry.IsFolder()) platform::RemoveFile(path);
    }
}

void WriteFile(const std::string& path, const std::string& text, DWORD attributes = 0) {
    ASSERT_TRUE(platform::WriteTextFile(path, text)) << path;
    if (attributes) platform::SetAttributes(path, attributes);
}

class ScanCli : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(GetDriveTypeA("E:\\"), static_cast<UINT>(DRIVE_REMOVABLE));
        EmptyDriveE();
    }
    void TearDown() override {
        if (worm_.hProcess) {
            TerminateProcess(worm_.hProcess, 0);
            WaitForSingleObject(worm_.hProcess, 10000);
            CloseHandle(worm_.hProcess);
            CloseHandle(worm_.hThread);
        }
        platform::RegistryKey run;
        if (run.Open(platform::kHkeyCurrentUser, kRunKey)) run.DeleteValue(kRunValue);
        EmptyDriveE();
    }

    // A stick as a worm leaves it: an Autorun.inf that starts worm.exe (the
    // waiting program, running from the stick), a start-up value naming it, a
    // RavMon.exe that the definitions list, and the owner's photo.
    void InfectStick() {
        WriteFile("E:\\Autorun.inf", "[AutoRun]\r\nshellexecute=worm.exe\r\n",
                  FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        ASSERT_TRUE(CopyFileA(HostPath(KESTRONE_TEST_SLEEPER).c_str(), "E:\\worm.exe", FALSE));
        WriteFile("E:\\RavMon.exe", "MZ harmless specimen", FILE_ATTRIBUTE_HIDDEN);
        WriteFile("E:\\photo.jpg", "JPEG");
        platform::RegistryKey run;
        ASSERT_TRUE(run.OpenOrCreate(platform::kHkeyCurrentUser, kRunKey));
        ASSERT_TRUE(run.WriteString(kRunValue, "E:\\worm.exe /quiet"));
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        char commandLine[] = "E:\\worm.exe";
        ASSERT_TRUE(CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &worm_));
        Sleep(500);
    }
    bool WormRunning() const {
        return worm_.hProcess && WaitForSingleObject(worm_.hProcess, 5000) == WAIT_TIMEOUT;
    }
    static bool RunValueThere() {
        platform::RegistryKey run;
        return run.OpenForReading(platform::kHkeyCurrentUser, kRunKey) &&
               run.ValueExists(kRunValue);
    }

    PROCESS_INFORMATION worm_{};
};

TEST_F(ScanCli, AnInfectedStickIsCleanedWithItsRunningWormAndStartupValue) {
    InfectStick();
    Result result = Scan("E:\\");
    EXPECT_EQ(result.exitCode, 1u) << result.out << result.err;
    EXPECT_EQ(result.out,
              "E:\\worm.exe  cleaned\r\nE:\\Autorun.inf  cleaned\r\nE:\\RavMon.exe  cleaned\r\n"
              "E:\\ cleaned completed.\r\n");
    EXPECT_NE(result.err.find("Scanning E:\\"), std::string::npos) << result.err;
    EXPECT_FALSE(WormRunning());
    EXPECT_FALSE(RunValueThere());
    EXPECT_FALSE(platform::FileExists("E:\\Autorun.inf"));
    EXPECT_FALSE(platform::FileExists("E:\\RavMon.exe"));
    EXPECT_TRUE(platform::FileExists("E:\\photo.jpg"));
}

TEST_F(ScanCli, ACleanStickIsLeftAsItWas) {
    WriteFile("E:\\photo.jpg", "JPEG");
    WriteFile("E:\\setup.exe", "MZ an installer of the owner's");
    Result result = Scan("e:");
    EXPECT_EQ(result.exitCode, 0u) << result.err;
    EXPECT_EQ(result.out, "E:\\  no threat found\r\n");
    EXPECT_TRUE(platform::FileExists("E:\\setup.exe"));
}

TEST_F(ScanCli, ReportOnlyListsTheThreatsAndChangesNothing) {
    InfectStick();
    Result result = Scan("--report-only E:\\");
    EXPECT_EQ(result.exitCode, 2u) << result.err;
    EXPECT_EQ(result.out,
              "E:\\worm.exe  would be removed\r\nE:\\Autorun.inf  would be removed\r\n"
              "E:\\RavMon.exe  would be removed\r\nE:\\ threats found, nothing changed.\r\n");
    EXPECT_TRUE(WormRunning());
    EXPECT_TRUE(RunValueThere());
    for (const char* file : {"E:\\Autorun.inf", "E:\\worm.exe", "E:\\RavMon.exe", "E:\\photo.jpg"})
        EXPECT_TRUE(platform::FileExists(file)) << file;
    EXPECT_EQ(platform::GetAttributes("E:\\Autorun.inf") &
                  (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
              static_cast<uint32_t>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

TEST_F(ScanCli, ADriveThatKestroneIsCleaningIsRefused) {
    InfectStick();
    // What Kestrone.exe holds while it cleans E:.
    HANDLE cleaning = CreateMutexA(nullptr, FALSE, "Global\\KestroneCleaningDriveE");
    ASSERT_NE(cleaning, nullptr);
    Result result = Scan("E:\\");
    CloseHandle(cleaning);
    EXPECT_EQ(result.exitCode, 4u) << result.out << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("E:\\ skipped: Kestrone is cleaning this drive"), std::string::npos)
        << result.err;
    EXPECT_TRUE(WormRunning());
    EXPECT_TRUE(platform::FileExists("E:\\Autorun.inf"));
    // Once Kestrone is done, the same call cleans.
    EXPECT_EQ(Scan("E:\\").exitCode, 1u);
}

TEST_F(ScanCli, UsageHelpAndMissingDataFiles) {
    struct Case {
        const char* arguments;
        DWORD exitCode;
        const char* inOut;
        const char* inErr;
    };
    const Case cases[] = {
        {"", 3, "", "nothing to scan"},
        {"--fast E:\\", 3, "", "unknown option --fast"},
        {"Q:\\", 3, "", "Q:\\ is not a drive on this machine"},
        {"--help", 0, "Exit codes:", ""},
    };
    for (const Case& c : cases) {
        Result result = Scan(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments;
        EXPECT_NE(result.out.find(c.inOut), std::string::npos) << c.arguments << result.out;
        EXPECT_NE(result.err.find(c.inErr), std::string::npos) << c.arguments << result.err;
    }

    // A copy of the scanner without its data files beside it.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string alone = std::string(temp) + "kestrone-scan-alone\\";
    CreateDirectoryA(alone.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA((kBin + "kestrone-scan.exe").c_str(),
                          (alone + "kestrone-scan.exe").c_str(), FALSE));
    WriteFile("E:\\Autorun.inf", "[AutoRun]\r\nopen=x.exe\r\n");
    Result result = RunProgram(alone + "kestrone-scan.exe", "E:\\");
    EXPECT_EQ(result.exitCode, 3u);
    EXPECT_NE(result.err.find("the data file kernel.dll is missing"), std::string::npos)
        << result.err;
    EXPECT_TRUE(platform::FileExists("E:\\Autorun.inf"));
    DeleteFileA((alone + "kestrone-scan.exe").c_str());
    RemoveDirectoryA(alone.c_str());
}

// --json from the real program: each line a strict JSON object, the paths of
// a folder with a non-ASCII name as the system's code page gives them.
TEST_F(ScanCli, JsonGivesOneObjectPerFindingAndASummary) {
    const std::string folder = "E:\\Fotos \xE4\xF6";  // "Fotos" and two umlauts in the ANSI code page
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    WriteFile(folder + "\\RavMon.exe", "MZ harmless specimen");
    WriteFile("E:\\Autorun.inf", "[AutoRun]\r\nshellexecute=Fotos \xE4\xF6\\RavMon.exe\r\n");
    Result result = Scan("--json E:\\");
    EXPECT_EQ(result.exitCode, 1u) << result.out << result.err;
    std::vector<JsonObject> objects;
    size_t start = 0;
    while (start < result.out.size()) {
        size_t end = result.out.find("\r\n", start);
        ASSERT_NE(end, std::string::npos) << result.out;
        JsonObject object;
        std::string error;
        std::string line = result.out.substr(start, end - start);
        ASSERT_TRUE(FlatJsonReader().Read(line, object, error)) << error << ": " << line;
        objects.push_back(object);
        start = end + 2;
    }
    ASSERT_GE(objects.size(), 3u) << result.out;
    std::u16string wanted = platform::AnsiToWide(folder + "\\RavMon.exe");
    int found = 0;
    for (const JsonObject& object : objects)
        if (object.count("path") && CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE,
                                                   reinterpret_cast<const wchar_t*>(object.at("path").text.c_str()), -1,
                                                   reinterpret_cast<const wchar_t*>(wanted.c_str()), -1) == CSTR_EQUAL)
            ++found;
    EXPECT_EQ(found, 1) << result.out;
    const JsonObject& summary = objects.back();
    EXPECT_EQ(std::string(summary.at("type").text.begin(), summary.at("type").text.end()), "summary");
    EXPECT_EQ(summary.at("exitCode").number, 1);
    EXPECT_FALSE(platform::FileExists(folder + "\\RavMon.exe"));
    RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace kestrone::test
