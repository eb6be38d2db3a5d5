#include "scan/launch_command.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "scan/drive_paths.h"

namespace kestrone {
namespace {

// The files a command runs besides launchers, as "path" for a program and
// "path<via" for a launcher's payload (via: r rundll32, s script host,
// m mshta, g regsvr32, e explorer).
std::string Describe(const std::vector<LaunchedFile>& files) {
    std::string text;
    for (const LaunchedFile& file : files) {
        if (file.role == LaunchRole::SystemLauncher || file.guess) continue;
        if (!text.empty()) text += " | ";
        text += file.path;
        if (file.role == LaunchRole::Payload) {
            const char* via[] = {"", "r", "s", "c", "m", "g", "e", "t"};
            text += std::string("<") + via[static_cast<int>(file.via)];
        }
    }
    return text;
}

struct LaunchCase {
    const char* command;
    const char* files;
};

TEST(FilesLaunchedBy, LaunchersAreFollowedToTheFileTheyRun) {
    const LaunchCase cases[] = {
        {"setup.exe /x", "setup.exe"},
        {"rundll32.exe .\\RECYCLER\\S-5-3-42-2819952290\\jwgkvsq.vmx,ahaezedrn",
         ".\\RECYCLER\\S-5-3-42-2819952290\\jwgkvsq.vmx<r"},
        {"RUNDLL32 \"Sys Files\\a b.dll\",Entry x", "Sys Files\\a b.dll<r"},
        {"rundll32.exe x.dll Entry", "x.dll<r"},
        {"C:\\WINDOWS\\system32\\rundll32.exe C:\\x\\y.dll,Start", "C:\\x\\y.dll<r"},
        {"wscript.exe //B //E:VBScript.Encode .\\w\\x.dat arg", ".\\w\\x.dat<s"},
        {"cscript /nologo \"My Script.vbs\"", "My Script.vbs<s"},
        {"mshta.exe page.hta", "page.hta<m"},
        {"regsvr32 /s /u /i:x srv.ocx", "srv.ocx<g"},
        {"explorer.exe /e, Photos", "Photos<e"},
        {"cmd.exe /c start worm.exe", "worm.exe"},
        {"cmd /q /k wscript run.vbs", "run.vbs<s"},
        {"cmd.exe /d x.exe", ""},  // no /c or /k: an interactive prompt runs nothing
        {"cmd/c x.exe", "x.exe"},
        {"%windir%\\system32\\cmd.exe /c start _\\DeviceConfigManager.vbs & start explorer _ & "
         "exit",
         "_\\DeviceConfigManager.vbs | _<e | exit"},
        {"cmd /c \"start \"\" wscript.exe /e:vbscript \"a b.dat\" && explorer Docs\"",
         "a b.dat<s | Docs<e"},
        {"cmd /c @(start x.exe)|y.exe", "x.exe | y.exe"},
        {"start /min /d C:\\ w.exe", "w.exe"},
        {"\"Sys Info.exe\" -auto", "Sys Info.exe"},
        {"", ""},
    };
    for (const LaunchCase& c : cases) {
        SCOPED_TRACE(c.command);
        std::string described = Describe(FilesLaunchedBy(c.command));
        // Readings that differ (cmd's outer quotes, start's title) may add
        // spellings; every expected file must be among them.
        std::string expected = c.files;
        for (size_t at = 0; at < expected.size();) {
            size_t bar = expected.find(" | ", at);
            if (bar == std::string::npos) bar = expected.size();
            std::string name = expected.substr(at, bar - at);
            EXPECT_NE((" | " + described + " | ").find(" | " + name + " | "), std::string::npos)
                << name << " in " << described;
            at = bar + 3;
        }
        if (std::string(c.files).empty()) {
            EXPECT_EQ(described, "");
        }
    }
}

TEST(FilesLaunchedBy, StartsQuotedTitleIsReadBothWays) {
    EXPECT_EQ(Describe(FilesLaunchedBy("start \"x.exe\" y.exe")), "x.exe | y.exe");
}

TEST(FilesLaunchedBy, UnquotedNamesWithBlanksAreAlsoReadLonger) {
    std::vector<LaunchedFile> files = FilesLaunchedBy("Sys Info.exe -auto");
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].path, "Sys");
    EXPECT_FALSE(files[0].guess);
    EXPECT_EQ(files[1].path, "Sys Info.exe");
    EXPECT_TRUE(files[1].guess);
    EXPECT_EQ(files[2].path, "Sys Info.exe -auto");
}

TEST(FilesLaunchedBy, NestingAndHostileLengthsStayBounded) {
    std::string deep;
    for (int i = 0; i < 50; ++i) deep += "cmd /c ";
    deep += "deepest.exe";
    EXPECT_EQ(Describe(FilesLaunchedBy(deep)), "");  // past the depth that is followed
    std::string many;
    for (int i = 0; i < 20000; ++i) many += "a&";
    EXPECT_EQ(FilesLaunchedBy("cmd /c " + many).size(), 2u);  // cmd, then "a" once
    std::string quotes(30000, '"');
    EXPECT_LE(FilesLaunchedBy("cmd /c " + quotes).size(), 4u);
}

TEST(LauncherNamed, NamesWithAndWithoutPathAndExtension) {
    EXPECT_EQ(LauncherNamed("RUNDLL32"), Launcher::Rundll32);
    EXPECT_EQ(LauncherNamed("C:\\WINDOWS\\system32\\WScript.exe"), Launcher::ScriptHost);
    EXPECT_EQ(LauncherNamed("cscript.exe"), Launcher::ScriptHost);
    EXPECT_EQ(LauncherNamed("%windir%\\system32\\cmd.exe"), Launcher::Cmd);
    EXPECT_EQ(LauncherNamed("start"), Launcher::Start);
    EXPECT_EQ(LauncherNamed("start.exe"), Launcher::None);
    EXPECT_EQ(LauncherNamed("mycmd.exe"), Launcher::None);
    EXPECT_EQ(LauncherNamed("rundll32.exe.bak"), Launcher::None);
    EXPECT_TRUE(IsSystemLauncherName("EXPLORER.EXE"));
    EXPECT_FALSE(IsSystemLauncherName("setup.exe"));
}

TEST(SplitCommandWords, QuotesGroupAndAreRemoved) {
    std::vector<CommandWord> words = SplitCommandWords("  a \"b c\"d\t\"\" e");
    ASSERT_EQ(words.size(), 4u);
    EXPECT_EQ(words[0].text, "a");
    EXPECT_EQ(words[1].text, "b cd");
    EXPECT_TRUE(words[1].quoted);
    EXPECT_EQ(words[2].text, "");
    EXPECT_EQ(words[3].text, "e");
    EXPECT_EQ(words[3].begin, 14u);
}

struct ResolveCase {
    const char* written;
    const char* base;
    const char* resolved;
};

TEST(ResolveOnDrive, PathsStayOnTheDrive) {
    const ResolveCase cases[] = {
        {"x.exe", "E:\\", "E:\\x.exe"},
        {".\\RECYCLER\\.\\x.vmx", "E:\\", "E:\\RECYCLER\\x.vmx"},
        {"sub/x.exe", "E:\\dir\\", "E:\\dir\\sub\\x.exe"},
        {"\\x.exe", "E:\\dir\\", "E:\\x.exe"},
        {"e:\\a\\\\b.exe", "E:\\", "E:\\a\\b.exe"},
        {"E:x.exe", "E:\\dir\\", "E:\\dir\\x.exe"},
        {"x.exe", "C:\\elsewhere\\", "E:\\x.exe"},  // a base off the drive falls back to the root
        {"C:\\WINDOWS\\x.exe", "E:\\", ""},
        {"..\\x.exe", "E:\\dir\\", ""},
        {"\\\\server\\share\\x.exe", "E:\\", ""},
        {"%temp%\\x.exe", "E:\\", ""},
        {"*.*", "E:\\", ""},
        {"x.exe:stream", "E:\\", ""},
        {"E:", "E:\\", ""},
        {".", "E:\\", ""},
        {"", "E:\\", ""},
    };
    for (const ResolveCase& c : cases) {
        EXPECT_EQ(ResolveOnDrive(c.written, "E:\\", c.base), c.resolved) << c.written;
    }
    EXPECT_EQ(PathBelowRoot("E:\\RECYCLER\\x.vmx"), "RECYCLER\\x.vmx");
}

}  // namespace
}  // namespace kestrone
