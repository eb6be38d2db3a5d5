#include "cli/scan_arguments.h"

#include <gtest/gtest.h>

namespace kestrone::cli {
namespace {

using Args = std::vector<std::string>;
using Roots = std::vector<std::string>;

TEST(DriveRootOf, LetterAndColonWithOrWithoutASeparator) {
    struct Case {
        const char* argument;
        const char* root;
    };
    const Case cases[] = {
        {"E:\\", "E:\\"}, {"e:", "E:\\"}, {"e:/", "E:\\"}, {"Z:", "Z:\\"},
        {"E", ""},        {"E:\\x", ""},  {"E:x", ""},     {"1:", ""},
        {"EE:", ""},      {"", ""},       {":\\", ""},     {"\\\\srv\\share", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(DriveRootOf(c.argument), c.root) << c.argument;
}

TEST(ParseScanArguments, TargetsAndSwitchesInAnyOrder) {
    struct Case {
        Args arguments;
        Roots drives;
        bool all, memory, reportOnly, help;
    };
    const Case cases[] = {
        {{"E:\\"}, {"E:\\"}, false, false, false, false},
        {{"--report-only", "e:"}, {"E:\\"}, false, false, true, false},
        {{"f:", "E:\\", "e:", "F:\\"}, {"F:\\", "E:\\"}, false, false, false, false},
        {{"--all"}, {}, true, false, false, false},
        {{"--memory"}, {}, false, true, false, false},
        {{"--MEMORY", "--All", "--Report-Only"}, {}, true, true, true, false},
        {{"--all", "G:"}, {"G:\\"}, true, false, false, false},
        {{"--help"}, {}, false, false, false, true},
        {{"/?"}, {}, false, false, false, true},
        {{"-h", "--report-only"}, {}, false, false, true, true},
    };
    for (const Case& c : cases) {
        ParsedArguments parsed = ParseScanArguments(c.arguments);
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        ASSERT_TRUE(parsed.ok) << parsed.error;
        EXPECT_EQ(parsed.request.drives, c.drives);
        EXPECT_EQ(parsed.request.allDrives, c.all);
        EXPECT_EQ(parsed.request.memory, c.memory);
        EXPECT_EQ(parsed.request.reportOnly, c.reportOnly);
        EXPECT_EQ(parsed.request.help, c.help);
    }
}

TEST(ParseScanArguments, WhatIsRefusedAndWhy) {
    struct Case {
        Args arguments;
        const char* error;
    };
    const Case cases[] = {
        {{}, "nothing to scan: name a drive, --all or --memory"},
        {{"--report-only"}, "nothing to scan: name a drive, --all or --memory"},
        {{"--everything", "E:"}, "unknown option --everything"},
        {{"E:", "/s"}, "unknown option /s"},
        {{"E:\\Autorun.inf"}, "not a drive: E:\\Autorun.inf (write it as E:\\)"},
        {{"E"}, "not a drive: E (write it as E:\\)"},
        {{""}, "not a drive:  (write it as E:\\)"},
    };
    for (const Case& c : cases) {
        ParsedArguments parsed = ParseScanArguments(c.arguments);
        EXPECT_FALSE(parsed.ok) << testing::PrintToString(c.arguments);
        EXPECT_EQ(parsed.error, c.error);
    }
}

TEST(UsageText, NamesEverySwitchAndEveryExitCode) {
    std::string usage = UsageText();
    for (const char* word : {"--all", "--memory", "--report-only", "--help", "E:\\"})
        EXPECT_NE(usage.find(word), std::string::npos) << word;
    for (const char* code : {"  0  ", "  1  ", "  2  ", "  3  ", "  4  ", "  5  "})
        EXPECT_NE(usage.find(code), std::string::npos) << code;
}

}  // namespace
}  // namespace kestrone::cli
