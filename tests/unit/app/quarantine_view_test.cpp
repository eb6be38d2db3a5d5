#include "app/quarantine_view.h"

#include <gtest/gtest.h>

namespace kestrone {
namespace {

QuarantineEntry Entry(uint64_t size, bool kept, const std::string& note = "") {
    QuarantineEntry e;
    e.number = 1;
    e.size = size;
    e.kept = kept;
    e.note = note;
    e.originalPath = "E:\\setup.exe";
    return e;
}

TEST(QuarantineView, SummaryCountsOnlyKeptCopiesInTheSize) {
    EXPECT_EQ(QuarantineSummary({}), "0 files, 0 copies, 0 KB");
    EXPECT_EQ(QuarantineSummary({Entry(1, true)}), "1 file, 1 copy, 1 KB");
    EXPECT_EQ(QuarantineSummary({Entry(1536 * 1024, true), Entry(900 * 1024 * 1024, false)}),
              "2 files, 1 copy, 1.5 MB");
}

TEST(QuarantineView, RowsSayWhyNoCopyWasKept) {
    EXPECT_EQ(RowOfEntry(Entry(1, true)).copy, "Kept");
    EXPECT_EQ(RowOfEntry(Entry(1, false)).copy, "No copy kept");
    EXPECT_EQ(RowOfEntry(Entry(1, false, "No copy kept: the file could not be read.")).copy,
              "No copy kept: the file could not be read.");
}

TEST(QuarantineView, EveryFailedRestoreHasAMessageNamingTheFile) {
    for (RestoreOutcome outcome :
         {RestoreOutcome::NoCopy, RestoreOutcome::UnsafePath, RestoreOutcome::DriveMissing,
          RestoreOutcome::CopyDamaged, RestoreOutcome::WriteRefused, RestoreOutcome::Restored})
        EXPECT_NE(RestoreMessage(outcome, "E:\\setup.exe").find("E:\\setup.exe"),
                  std::string::npos);
    EXPECT_EQ(RestoreMessage(RestoreOutcome::TargetExists, "E:\\a"), "");
}

}  // namespace
}  // namespace kestrone
