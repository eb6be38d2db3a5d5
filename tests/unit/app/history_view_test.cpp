// The History page's columns: every shape of line the program writes comes
// apart right, and a line of any other shape is shown whole, never lost.
#include <gtest/gtest.h>

#include "app/history_view.h"
#include "core/history_log.h"

namespace kestrone {
namespace {

TEST(HistoryView, EachLineComesApartIntoItsColumns) {
    struct Case {
        const char* line;
        HistoryRow row;
    } cases[] = {
        {"2026-12-08 21:27:29  Scan  E:\\specimen.exe  cleaned",
         {"2026-12-08 21:27:29", "Scan", "cleaned", "E:\\specimen.exe"}},
        {"2026-12-08 21:27:31  Scan  E:\\  no threat found",
         {"2026-12-08 21:27:31", "Scan", "no threat found", "E:\\"}},
        {"2026-12-08 21:27:29  Drive clean  E:\\My Files\\a  b.exe  cleaned",
         {"2026-12-08 21:27:29", "Drive clean", "b.exe  cleaned", "E:\\My Files\\a"}},
        // Several items in one popup: the text stays whole rather than half split.
        {"2026-12-08 23:20:19  Popup  E:\\specimen.exe  cleaned E:\\Autorun.inf  cleaned ",
         {"2026-12-08 23:20:19", "Popup", "E:\\specimen.exe  cleaned E:\\Autorun.inf  cleaned", ""}},
        {"2026-12-08 20:02:27  Change  Disabled USB storage devices (undo 1)",
         {"2026-12-08 20:02:27", "Change", "Disabled USB storage devices (undo 1)", ""}},
        {"2026-12-08 21:27:29  Scan  E:\\ cleaned completed.",
         {"2026-12-08 21:27:29", "Scan", "E:\\ cleaned completed.", ""}},
        {"2026-12-08 21:27:29  Quarantine  \\\\server\\share\\x.exe  restored",
         {"2026-12-08 21:27:29", "Quarantine", "restored", "\\\\server\\share\\x.exe"}},
        {"2026-12-08 21:27:29  Scan", {"2026-12-08 21:27:29", "Scan", "", ""}},
        // Not of our making: kept whole.
        {"written by hand  E:\\x.exe  cleaned", {"", "", "written by hand  E:\\x.exe  cleaned", ""}},
        {"2026-12-08 21:27  Scan  E:\\x.exe  cleaned", {"", "", "2026-12-08 21:27  Scan  E:\\x.exe  cleaned", ""}},
        {"", {"", "", "", ""}},
    };
    for (const Case& c : cases) {
        HistoryRow row = ParseHistoryLine(c.line);
        EXPECT_EQ(row.time, c.row.time) << c.line;
        EXPECT_EQ(row.action, c.row.action) << c.line;
        EXPECT_EQ(row.result, c.row.result) << c.line;
        EXPECT_EQ(row.path, c.row.path) << c.line;
    }
}

TEST(HistoryView, AWrittenLineReadsBackInItsColumns) {
    std::string line = FormatHistoryLine("2026-12-08 10:00:00", "Scan", "F:\\kavo.exe  cleaned");
    line.resize(line.size() - 2);  // the line end
    HistoryRow row = ParseHistoryLine(line);
    EXPECT_EQ(row.path, "F:\\kavo.exe");
    EXPECT_EQ(row.result, "cleaned");
}

}  // namespace
}  // namespace kestrone
