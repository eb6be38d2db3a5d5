#include "scan/autorun.h"

#include "sim_fixture.h"

namespace kestrone {
namespace {

class AutorunParser : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('E', platform::kDriveRemovable);
    }
    TextList Parse(const std::string& inf) {
        world().AddFile("E:\\Autorun.inf", inf);
        return ParseAutorunInf("E:\\");
    }
};

TEST_F(AutorunParser, LaunchEntriesBecomeRootPathsFollowedByTheInf) {
    EXPECT_EQ(Parse("[autorun]\r\nshell\\open\\command=setup.exe /x\r\nshellexecute=SETUP.EXE\r\n"),
              (TextList{"E:\\setup.exe", "E:\\Autorun.inf"}));
    EXPECT_EQ(Parse("[AutoRun]\r\nopen=virus.exe\r\n"), (TextList{"E:\\Autorun.inf"}));
    EXPECT_EQ(Parse("[AutoRun]\r\nopen=run command.exe\r\n"),
              (TextList{"E:\\run", "E:\\Autorun.inf"}));  // the value itself holds COMMAND
    EXPECT_EQ(Parse("[AUTORUN]\r\nSHELL\\OPEN\\COMMAND=a.exe\r\nshell\\explore\\command=b.exe\r\n"
                    "shell\\auto\\command=.\\c.com\r\n"),
              (TextList{"E:\\a.exe", "E:\\b.exe", "E:\\c.com", "E:\\Autorun.inf"}));
}

TEST_F(AutorunParser, ScriptHostIsDroppedSoTheScriptRemains) {
    EXPECT_EQ(Parse("[autorun]\r\nshell\\open\\Command=WScript.exe .\\x.vbs\r\n"),
              (TextList{"E:\\x.vbs", "E:\\Autorun.inf"}));
}

TEST_F(AutorunParser, QuotedValuesAreReadWithoutQuotesAndKeepTheirCase) {
    EXPECT_EQ(Parse("[autorun]\r\nshellexecute=\"MyWorm.EXE\"\r\n"),
              (TextList{"E:\\MyWorm.EXE", "E:\\Autorun.inf"}));
}

TEST_F(AutorunParser, MissingFileOrSectionGivesOnlyTheInf) {
    EXPECT_EQ(ParseAutorunInf("E:\\"), (TextList{"E:\\Autorun.inf"}));
    EXPECT_EQ(Parse("[other]\r\nshellexecute=x.exe\r\n"), (TextList{"E:\\Autorun.inf"}));
}

TEST_F(AutorunParser, HostileValuesStayInsideTheirText) {
    std::string junk;
    for (int i = 1; i < 256; ++i) {
        if (i != '\r' && i != '\n') junk += static_cast<char>(i);
    }
    TextList result = Parse("[autorun]\r\nshellexecute=" + std::string(100000, 'A') +
                            "\r\nshell\\open\\command=\x01\x02 \t\r\nshell\\junk\\command=" +
                            junk + "\r\nshellexecute\r\n");
    ASSERT_EQ(result.size(), 3u);
    EXPECT_EQ(result[0], "E:\\" + std::string(2047, 'A'));  // cut by the value buffer
    EXPECT_EQ(result[1], "E:\\");  // nothing left: the root itself, which names no file
    // The junk holds characters that no file name can hold: it names nothing on the drive.
    EXPECT_EQ(result.back(), "E:\\Autorun.inf");
}

}  // namespace
}  // namespace kestrone
