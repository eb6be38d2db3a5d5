#include "core/history_log.h"

#include "sim_fixture.h"

namespace kestrone {
namespace {

TEST(HistoryTrim, DropsWholeOldestLinesUntilTheRestFits) {
    const std::string text = "aaaa\r\nbb\r\ncccccc\r\n";
    struct Case {
        size_t limit;
        std::string kept;
    } cases[] = {
        {100, text},
        {text.size(), text},
        {text.size() - 1, "bb\r\ncccccc\r\n"},
        {12, "bb\r\ncccccc\r\n"},
        {11, "cccccc\r\n"},
        {7, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(TrimHistory(text, c.limit), c.kept) << c.limit;
    EXPECT_EQ(FormatHistoryLine("2026-01-01 12:00:00", "Scan", "E:\\a.exe\r\n  cleaned"),
              "2026-01-01 12:00:00  Scan  E:\\a.exe    cleaned\r\n");
}

class History : public test::SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddFolder("C:\\Program Files\\Kestrone");
    }
};

TEST_F(History, AppendsDatedLinesThatSurviveAndExportAsPlainText) {
    world().SetLocalTime("2026-03-04 05:06:07");
    AppendHistory("Scan", "E:\\kavo.exe  cleaned");
    world().SetLocalTime("2026-03-04 05:06:09");
    AppendHistory("Popup", "Scan for E:\\ drive,no threat found");
    EXPECT_EQ(ReadHistory(),
              (TextList{"2026-03-04 05:06:07  Scan  E:\\kavo.exe  cleaned",
                        "2026-03-04 05:06:09  Popup  Scan for E:\\ drive,no threat found"}));
    world().AddFolder("C:\\Out");
    ASSERT_TRUE(ExportHistory("C:\\Out\\history.txt"));
    EXPECT_EQ(world().Content("C:\\Out\\history.txt"),
              "2026-03-04 05:06:07  Scan  E:\\kavo.exe  cleaned\r\n"
              "2026-03-04 05:06:09  Popup  Scan for E:\\ drive,no threat found\r\n");
    EXPECT_FALSE(ExportHistory("C:\\Missing\\history.txt"));
}

TEST_F(History, ACutLastLineStaysApartAndTheFileKeepsToItsLimit) {
    world().AddFile(HistoryPath(), "2026-01-01 00:00:00  Scan  half a li");
    AppendHistory("Scan", "next");
    EXPECT_EQ(ReadHistory().size(), 2u);
    EXPECT_EQ(ReadHistory().back(), "2026-01-01 12:00:00  Scan  next");

    const std::string longText(1000, 'x');
    for (int i = 0; i < 600; ++i) AppendHistory("Scan", longText);
    EXPECT_LE(world().Content(HistoryPath()).size(), kHistoryLimitBytes);
    EXPECT_GT(world().Content(HistoryPath()).size(), kHistoryLimitBytes - 1100);
    EXPECT_EQ(ReadHistory().back(), "2026-01-01 12:00:00  Scan  " + longText);
    EXPECT_FALSE(world().Exists(HistoryPath() + ".new"));
}

TEST_F(History, AnUnwritableFolderLosesTheLineButNotTheAction) {
    world().MakeWriteProtected("C:\\Program Files\\Kestrone");
    AppendHistory("Scan", "line");
    EXPECT_TRUE(ReadHistory().empty());
}

}  // namespace
}  // namespace kestrone
