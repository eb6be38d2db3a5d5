// The process page: rows and their states from a real snapshot of the
// simulated machine, the alternating sort, and the texts of its commands.
#include "app/process_manager.h"

#include "platform/sim/process_table.h"
#include "sim_fixture.h"

namespace kestrone {
namespace {

class ProcessPage : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddFolder("C:\\Program Files\\Kestrone");
        world().AddFile("C:\\Program Files\\Kestrone\\Process.dat",
                        "[Process]\r\nSystemProcesses=%systemroot%\\svchost.exe,\r\n"
                        "TrustProcesses=C:\\TOOLS\\EDITOR.EXE,C:\\WINDOWS\\SYSTEM32\\SVCHOST.EXE,\r\n");
    }
    static sim::ProcessTable& processes() { return sim::TheProcesses(); }
};

TEST_F(ProcessPage, RowsCarryNameStateAndPathInSnapshotOrder) {
    processes().Add("svchost.exe", "C:\\WINDOWS\\system32\\svchost.exe");
    processes().Add("editor.exe", "C:\\Tools\\editor.exe");
    processes().Add("worm.exe", "E:\\worm.exe");
    uint32_t hidden = processes().Add("guarded.exe", "C:\\x\\guarded.exe");
    processes().Find(hidden)->refuseFullAccess = true;
    std::vector<ProcessRow> rows = ReadProcessRows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].status, kSystemProcessText);  // on both lists: system wins
    EXPECT_EQ(rows[1].status, kTrustedProcessText);
    EXPECT_EQ(rows[1].path, "C:\\Tools\\editor.exe");
    EXPECT_EQ(rows[2].status, kUnknownProcessText);
    EXPECT_EQ(rows[3].path, "");
    EXPECT_EQ(rows[3].status, kSystemProcessText);  // no path, and the system list is not empty
}

std::vector<std::string> Names(const std::vector<ProcessRow>& rows) {
    std::vector<std::string> names;
    for (const ProcessRow& row : rows) names.push_back(row.name);
    return names;
}

TEST(ProcessSort, EveryClickTurnsTheOrderWhicheverColumn) {
    std::vector<ProcessRow> rows = {{"beta.exe", kUnknownProcessText, "C:\\b", false},
                                    {"Alpha.exe", kTrustedProcessText, "C:\\c", false},
                                    {"gamma.exe", kSystemProcessText, "C:\\a", false}};
    ProcessSort sort;
    sort.ColumnClick(0, rows);  // first click: Z to A
    EXPECT_EQ(Names(rows), (std::vector<std::string>{"gamma.exe", "beta.exe", "Alpha.exe"}));
    sort.ColumnClick(1, rows);  // next click, other column: A to Z
    EXPECT_EQ(Names(rows), (std::vector<std::string>{"gamma.exe", "Alpha.exe", "beta.exe"}));
    sort.ColumnClick(2, rows);
    EXPECT_EQ(Names(rows), (std::vector<std::string>{"Alpha.exe", "beta.exe", "gamma.exe"}));
    EXPECT_EQ(sort.SortColumn, 2);
    EXPECT_TRUE(sort.SortAscending);
}

TEST(ProcessSort, ComparisonFoldsOnlyLetterCase) {
    ProcessRow a{"ABC.exe", "", "", false}, b{"abc.EXE", "", "", false}, c{"abd.exe", "", "", false};
    EXPECT_EQ(CompareProcessRows(a, b, 0, true), 0);
    EXPECT_LT(CompareProcessRows(a, c, 0, true), 0);
    EXPECT_GT(CompareProcessRows(a, c, 0, false), 0);
}

TEST(ProcessCommands, MessagesSayWhatHappened) {
    EXPECT_EQ(CloseResultMessage(0, 0), kCloseDoneMessage);
    EXPECT_EQ(CloseResultMessage(1, 2), kCloseFailedMessage);  // one name, two processes ended
    EXPECT_EQ(CloseResultMessage(2, 1), kCloseFailedMessage);
    EXPECT_EQ(PopupCloseMessage(true), kCloseFailedMessage);
    EXPECT_EQ(PopupCloseMessage(false), kCloseDoneMessage);
}

TEST(ProcessCommands, InquireAsksForCheckedRowsThenTheFocusedOne) {
    std::vector<ProcessRow> rows = {{"a.exe", "", "", true}, {"b.exe", "", "", true},
                                    {"c.exe", "", "", false}};
    EXPECT_EQ(InquireNames(rows, 2), (TextList{"a.exe", "b.exe", "c.exe"}));
    EXPECT_EQ(InquireNames(rows, 0), (TextList{"a.exe", "b.exe", "a.exe"}));
    EXPECT_EQ(InquireNames(rows, -1), (TextList{"a.exe", "b.exe"}));
}

TEST(ProcessCommands, NamesAndPathsCannotEscapeTheirPlace) {
    EXPECT_EQ(InquireRequest("evil.exe&q=x#y"),
              std::string(kInquireAddress) + "evil.exe%26q%3Dx%23y");
    EXPECT_EQ(PercentEncode("my app.exe"), "my%20app.exe");
    EXPECT_EQ(PercentEncode("\xC4\xE3.exe"), "%C4%E3.exe");
    EXPECT_EQ(OpenContainingFolderCommand("C:\\Program Files\\A, B\\x.exe"),
              "explorer /select,\"C:\\Program Files\\A, B\\x.exe\"");
}

}  // namespace
}  // namespace kestrone
