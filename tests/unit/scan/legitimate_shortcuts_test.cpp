// Several hundred shortcuts of the shapes Windows, installers and users put on
// a stick, beside the user's own hidden items: not one of them is a worm, and
// no program beside them is a look-alike.
#include "platform/drives.h"
#include "scan/drive_clean.h"
#include "scan/drive_scan.h"
#include "scan/lookalike_worm.h"
#include "scan/shortcut_worm.h"
#include "scan_machine.h"
#include "shell_link_builder.h"

namespace kestrone {
namespace {

using platform::kAttrHidden;
using platform::kAttrReadOnly;
using platform::kAttrSystem;
using test::LinkBuilder;

struct Target {
    std::string path;
    std::string arguments;
    std::string workingDir;
};

// What legitimate shortcuts start or open.
std::vector<Target> Targets() {
    std::vector<Target> targets;
    for (const char* app :
         {"Mozilla Firefox\\firefox.exe", "VideoLAN\\VLC\\vlc.exe", "7-Zip\\7zFM.exe",
          "Microsoft Office\\Office12\\WINWORD.EXE", "Notepad++\\notepad++.exe"}) {
        std::string path = std::string("C:\\Program Files\\") + app;
        targets.push_back({path, "", ""});
        targets.push_back({path, "E:\\Docs\\report.docx", ""});
        targets.push_back({path, "--profile \"E:\\Profile\"", FolderPart(path)});
    }
    const std::string windows = "C:\\WINDOWS\\", system = "C:\\WINDOWS\\system32\\";
    targets.push_back({windows + "notepad.exe", "E:\\notes.txt", ""});
    targets.push_back({windows + "explorer.exe", "E:\\Photos", ""});
    targets.push_back(
        {windows + "explorer.exe", "/e,E:\\Private", ""});  // the user's hidden folder
    targets.push_back({windows + "explorer.exe", "/select,E:\\secret.txt", ""});
    targets.push_back({system + "cmd.exe", "/k cd /d E:\\", "E:\\"});
    targets.push_back({system + "cmd.exe", "/c ipconfig /all & pause", ""});
    targets.push_back({system + "rundll32.exe", "shell32.dll,Control_RunDLL desk.cpl", ""});
    targets.push_back({system + "mstsc.exe", "E:\\Work\\office.rdp", ""});
    targets.push_back({system + "wscript.exe", "C:\\Scripts\\login.vbs", ""});
    targets.push_back({system + "msiexec.exe", "/i E:\\Setup\\tool.msi", ""});
    // On the stick, in plain sight: documents, folders, portable programs.
    for (const char* onStick :
         {"E:\\Docs\\report.docx", "E:\\Docs\\budget.xlsx", "E:\\Photos\\beach.jpg",
          "E:\\notes.txt", "E:\\Photos", "E:\\Music", "E:\\Docs",
          "E:\\PortableApps\\FirefoxPortable\\FirefoxPortable.exe", "E:\\Tools\\putty.exe",
          "E:\\Setup\\setup.exe", "E:\\Tools\\backup.bat", "E:\\Tools\\sync.cmd"}) {
        targets.push_back({onStick, "", ""});
    }
    targets.push_back({"E:\\Tools\\putty.exe", "-load office", "E:\\Tools"});
    targets.push_back({"E:\\Setup\\setup.exe", "/S /D=C:\\Program Files\\Tool", "E:\\Setup"});
    targets.push_back({"E:\\Tools\\backup.bat", "E:\\Docs", "E:\\Tools"});
    return targets;
}

// The ways the shell and the installers write a target.
std::string LinkBytes(const Target& target, int style) {
    LinkBuilder link;
    switch (style) {
        case 0:
            link.IdList(target.path);
            break;
        case 1:
            link.LinkInfo(target.path);
            break;
        case 2:
            link.IdList(target.path).LinkInfo(target.path).Unicode();
            break;
        case 3:
            link.IdList(target.path).RelativePath(".\\" + FilePart(target.path)).Icon(target.path);
            break;
        default: {
            std::string expandable = target.path;
            if (StartsWith(expandable, "C:\\Program Files"))
                expandable = "%ProgramFiles%" + expandable.substr(16);
            else if (StartsWith(expandable, "C:\\WINDOWS"))
                expandable = "%SystemRoot%" + expandable.substr(10);
            link.LinkInfo(target.path).EnvironmentTarget(expandable).Unicode();
        }
    }
    if (!target.arguments.empty()) link.Arguments(target.arguments);
    if (!target.workingDir.empty()) link.WorkingDir(target.workingDir);
    return link.Bytes();
}

class LegitimateShortcuts : public test::ScanMachine {
  protected:
    void SetUp() override {
        ScanMachine::SetUp();
        world().AddDrive('E', platform::kDriveRemovable);
        for (const Target& target : Targets()) {
            if (target.path[0] != 'E') {
                world().AddFile(target.path, "MZ " + target.path);
            } else if (target.path.find('.', 3) != std::string::npos) {
                world().AddFile(target.path, "the user's " + target.path);
            } else {
                world().AddFolder(target.path);
            }
        }
        // The user's own hidden things, and Windows' own.
        world().AddFolder("E:\\Private", kAttrHidden | kAttrSystem);
        world().AddFile("E:\\secret.txt", "mine", kAttrHidden);
        world().AddFile("E:\\Setup\\data.cab", "installer data", kAttrHidden | kAttrReadOnly);
        world().AddFolder("E:\\System Volume Information", kAttrHidden | kAttrSystem);
        world().AddFile("E:\\desktop.ini", "[.ShellClassInfo]", kAttrHidden | kAttrSystem);
        world().AddFile("E:\\Thumbs.db", "thumbnails", kAttrHidden | kAttrSystem);
        world().AddFile("E:\\Autorun.ico", "an icon", kAttrHidden);
        // Programs in the root that stand for no hidden item.
        world().AddFile("E:\\Start.exe", "MZ PortableApps menu");
        world().AddFile("E:\\Photos.exe", "MZ a slide show beside the visible Photos");
        world().AddFile("E:\\notes.txt.exe", "MZ a self-extractor beside visible notes.txt");
    }
};

TEST_F(LegitimateShortcuts, HundredsOfEverydayShortcutsGiveNoFinding) {
    std::vector<Target> targets = Targets();
    int made = 0;
    for (size_t t = 0; t < targets.size(); ++t) {
        std::string stem = FilePart(targets[t].path);
        for (int style = 0; style < 5; ++style) {
            // Named as the shell names them, as installers do, and as users rename them.
            for (const std::string& name :
                 {stem + " (" + std::to_string(t) + "." + std::to_string(style) + ")",
                  "Shortcut to " + stem + " " + std::to_string(t * 5 + style),
                  stem + " - " + std::to_string(t) + "-" + std::to_string(style)}) {
                world().AddFile("E:\\" + name + ".lnk", LinkBytes(targets[t], style));
                ++made;
            }
        }
    }
    // Named like the items they open, and like the user's hidden ones.
    world().AddFile("E:\\Photos.lnk", LinkBytes({"E:\\Photos", "", ""}, 2));
    world().AddFile("E:\\Private.lnk",
                    LinkBytes({"C:\\WINDOWS\\explorer.exe", "E:\\Private", ""}, 2));
    world().AddFile("E:\\secret.txt.lnk",
                    LinkBytes({"C:\\WINDOWS\\notepad.exe", "E:\\secret.txt", ""}, 0));
    made += 3;
    ASSERT_GE(made, 300);

    for (const WormShortcut& worm : FindWormShortcuts("E:\\")) ADD_FAILURE() << worm.path;
    for (const Lookalike& copy : FindLookalikeWorms("E:\\")) ADD_FAILURE() << copy.program;
    EXPECT_FALSE(HasDriveThreat("E:\\"));
    EXPECT_EQ(ScanAndCleanDrive("E:\\"), TextList{"E:\\  no threat found"});
    EXPECT_TRUE(world().Exists("E:\\Photos.exe"));
    EXPECT_EQ(world().Attributes("E:\\secret.txt") & kAttrHidden, kAttrHidden);
}

}  // namespace
}  // namespace kestrone
