// The stale-definitions balloon: when it comes, and that it never nags twice a
// day nor comes for a clock that runs behind the definitions.
#include <gtest/gtest.h>

#include "update/definitions_age.h"
#include "update/manifest.h"

namespace kestrone::update {
namespace {

TEST(DefinitionsAge, DaysAreCountedAcrossMonthsYearsAndLeapDays) {
    struct Case {
        const char* from;
        const char* to;
        int days;
    } cases[] = {
        {"2026-12-01", "2026-12-01", 0},   {"2026-11-30", "2026-12-01", 1},
        {"2026-12-31", "2027-01-01", 1},   {"2028-02-28", "2028-03-01", 2},
        {"2027-02-28", "2027-03-01", 1},   {"2100-02-28", "2100-03-01", 1},
        {"2026-01-01", "2027-01-01", 365}, {"2026-12-08", "2026-11-08", -30},
        {"2026-13-01", "2026-12-01", 0},   {"", "2026-12-01", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DaysBetween(c.from, c.to), c.days) << c.from << " to " << c.to;
}

TEST(DefinitionsAge, TheWarningComesOnceADayOnlyPastTheSetAge) {
    struct Case {
        const char* madeOn;
        const char* today;
        int staleAfter;
        const char* lastWarned;
        bool due;
    } cases[] = {
        {"2026-11-08", "2026-12-08", 30, "", false},           // exactly 30 days: not yet
        {"2026-11-07", "2026-12-08", 30, "", true},            // 31 days
        {"2026-11-07", "2026-12-08", 30, "2026-12-08", false}, // warned today already
        {"2026-11-07", "2026-12-08", 30, "2026-12-07", true},  // warned yesterday
        {"2026-01-01", "2026-12-08", 0, "", false},            // switched off
        {"2026-01-01", "2026-12-08", -5, "", false},
        {"2027-06-01", "2026-12-08", 30, "", false},           // clock behind the definitions
        {"", "2026-12-08", 30, "", false},                     // no day known
        {"2026-11-07", "garbage", 30, "", false},
    };
    for (const Case& c : cases) {
        StaleWarning warning = CheckDefinitionsAge(c.madeOn, c.today, c.staleAfter, c.lastWarned);
        EXPECT_EQ(warning.due, c.due) << c.madeOn << " " << c.today << " " << c.staleAfter;
        if (warning.due) {
            EXPECT_NE(warning.text.find(std::to_string(warning.ageDays) + " days old"),
                      std::string::npos);
        }
    }
}

TEST(DefinitionsAge, ShippedDefinitionsCountFromTheBuildDay) {
    DefinitionsInUse shipped;
    EXPECT_TRUE(IsCalendarDate(DefinitionsDay(shipped)));
    DefinitionsInUse installed;
    installed.version = 42;
    installed.date = "2026-12-01";
    EXPECT_EQ(DefinitionsDay(installed), "2026-12-01");
}

}  // namespace
}  // namespace kestrone::update
