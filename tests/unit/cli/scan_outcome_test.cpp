#include "cli/scan_outcome.h"

#include <gtest/gtest.h>

namespace kestrone::cli {
namespace {

TEST(ExitCodeFor, EachOutcomeAndWhatOutranksWhat) {
    struct Case {
        const char* what;
        ScanOutcome outcome;
        int code;
    };
    const Case cases[] = {
        {"nothing found", {}, 0},
        {"found and removed", {.threatLines = 3}, 1},
        {"a removal refused", {.threatLines = 3, .refusedChanges = 1}, 2},
        {"refused with no line: the file that stayed is not reported", {.refusedChanges = 1}, 2},
        {"an engine error after a removal", {.threatLines = 1, .commandFailed = true}, 2},
        {"an engine error with nothing found", {.commandFailed = true}, 2},
        {"report only, nothing found", {.reportOnly = true}, 0},
        {"report only, found", {.threatLines = 2, .reportOnly = true}, 2},
        {"worm files left for want of a yes", {.threatLines = 2, .leftLines = 6}, 2},
        {"only worm files left", {.leftLines = 6}, 2},
        {"report only, only worm files left", {.leftLines = 6, .reportOnly = true}, 2},
        {"a busy drive beside a clean one", {.busyDrives = 1}, 4},
        {"a busy drive outranks removals", {.threatLines = 2, .busyDrives = 1}, 4},
        {"broken data outranks everything",
         {.threatLines = 2, .refusedChanges = 1, .busyDrives = 1, .dataError = true},
         3},
    };
    for (const Case& c : cases) EXPECT_EQ(ExitCodeFor(c.outcome), c.code) << c.what;
}

TEST(ThreatLines, WhatCountsAndHowReportOnlyWordsIt) {
    struct Case {
        const char* line;
        bool threat;
        const char* reportOnly;
    };
    const Case cases[] = {
        {"E:\\setup.exe  cleaned", true, "E:\\setup.exe  would be removed"},
        {"E:\\ cleaned completed.", true, "E:\\ threats found, nothing changed."},
        {"KAVO virus found in memory, cleaned successfully", true,
         "KAVO virus found in memory, would be cleaned"},
        {"E:\\  no threat found", false, "E:\\  no threat found"},
        {"No threat found in memory", false, "No threat found in memory"},
        {"Change the passwords of your online games.", false,
         "Change the passwords of your online games."},
        // A suffix alone names nothing.
        {"  cleaned", false, "  cleaned"},
        // "cleaned" inside a note is no report form.
        {"the drive was cleaned", false, "the drive was cleaned"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsThreatLine(c.line), c.threat) << c.line;
        EXPECT_EQ(ReportOnlyWording(c.line), c.reportOnly);
    }
}

}  // namespace
}  // namespace kestrone::cli
