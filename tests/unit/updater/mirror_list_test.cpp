// The mirror setting as administrators write it: what counts as a mirror,
// what is left out (and said so), and where the setting is read from.
#include "updater/mirror_list.h"

#include <gtest/gtest.h>

#include "core/definitions.h"
#include "sim_fixture.h"

namespace kestrone::updater {
namespace {

TEST(MirrorEntry, WebAddressesAndFoldersAreMirrorsOtherTextIsNot) {
    struct Case {
        const char* entry;
        bool ok;
        MirrorKind kind;
        const char* location;
    } cases[] = {
        {"http://127.0.0.1:8080/defs", true, MirrorKind::Http, "http://127.0.0.1:8080/defs/"},
        {"HTTPS://mirror.example.com/kestrone/", true, MirrorKind::Https,
         "HTTPS://mirror.example.com/kestrone/"},
        {"  http://host/  ", true, MirrorKind::Http, "http://host/"},
        {"\\\\server\\defs", true, MirrorKind::Folder, "\\\\server\\defs\\"},
        {"D:\\Kestrone\\defs\\", true, MirrorKind::Folder, "D:\\Kestrone\\defs\\"},
        {"ftp://host/defs", false, {}, ""},
        {"http://", false, {}, ""},
        {"http:///defs", false, {}, ""},
        {"http://user@host/defs", false, {}, ""},  // no credentials in a setting file
        {"http://host/my defs", false, {}, ""},
        {"http://host\\defs", false, {}, ""},
        {"\\\\server", false, {}, ""},  // a server without a share
        {"\\\\server\\", false, {}, ""},
        {"defs", false, {}, ""},  // relative: depends on the current folder
        {"C:defs", false, {}, ""},
        {"C:\\defs\\*.txt", false, {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        Mirror mirror;
        ASSERT_EQ(ParseMirror(c.entry, mirror), c.ok);
        if (!c.ok) continue;
        EXPECT_EQ(mirror.kind, c.kind);
        EXPECT_EQ(mirror.location, c.location);
    }
}

TEST(MirrorList, KeepsTheOrderDropsRepeatsAndNamesWhatItLeftOut) {
    MirrorList list = ParseMirrorList(
        "http://first/defs;\\\\server\\defs\r\nnonsense ; HTTP://FIRST/DEFS/;;https://third/\n");
    ASSERT_EQ(list.mirrors.size(), 3u);
    EXPECT_EQ(list.mirrors[0].location, "http://first/defs/");
    EXPECT_EQ(list.mirrors[1].location, "\\\\server\\defs\\");
    EXPECT_EQ(list.mirrors[2].location, "https://third/");
    EXPECT_EQ(list.ignored, std::vector<std::string>{"nonsense"});
    EXPECT_EQ(MirrorFileLocation(list.mirrors[0], "manifest.txt"),
              "http://first/defs/manifest.txt");
    EXPECT_EQ(MirrorFileLocation(list.mirrors[1], "kernel.dll"), "\\\\server\\defs\\kernel.dll");
}

TEST(MirrorList, AListLongerThanTheLimitIsCut) {
    std::string text;
    for (int i = 0; i < 20; ++i) text += "http://m" + std::to_string(i) + "/;";
    MirrorList list = ParseMirrorList(text);
    ASSERT_EQ(list.mirrors.size(), kMirrorLimit);
    EXPECT_EQ(list.mirrors.back().location, "http://m" + std::to_string(kMirrorLimit - 1) + "/");
}

class ConfiguredMirrorsTest : public test::SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddFolder("C:\\Temp");
        world().AddFolder("C:\\Users\\User\\AppData\\Local");
        world().AddFolder("C:\\Program Files\\Kestrone");
        world().SetStandardUser();
    }
    static constexpr char kShippedSettings[] = "C:\\Program Files\\Kestrone\\UserSettings.ini";
    static constexpr char kUserSettings[] =
        "C:\\Users\\User\\AppData\\Local\\Kestrone\\UserSettings.ini";
};

TEST_F(ConfiguredMirrorsTest, NothingConfiguredMeansThePublishersMirror) {
    MirrorList list = ConfiguredMirrors();
    ASSERT_EQ(list.mirrors.size(), 1u);
    EXPECT_EQ(list.mirrors[0].location, kDefaultMirrors);
}

// The file beside the program gives the machine's default; the user's own wins.
TEST_F(ConfiguredMirrorsTest, TheUsersSettingWinsOverTheOneBesideTheProgram) {
    world().AddFile(kShippedSettings, "[Update]\r\nUpdateMirrors=\\\\corp\\defs\r\n");
    EXPECT_EQ(ConfiguredMirrors().mirrors.at(0).location, "\\\\corp\\defs\\");
    world().AddFile(kUserSettings, "[Update]\r\nUpdateMirrors=http://127.0.0.1:8000/\r\n");
    EXPECT_EQ(ConfiguredMirrors().mirrors.at(0).location, "http://127.0.0.1:8000/");
}

}  // namespace
}  // namespace kestrone::updater
