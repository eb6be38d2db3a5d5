#include "cli/json_lines.h"

#include <gtest/gtest.h>

#include "json_reader.h"
#include "platform/remote_modules.h"

namespace kestrone::cli {
namespace {

TEST(JsonLines, EveryAnsiTextReadsBackAsTheSameCharacters) {
    const std::string texts[] = {
        "",
        "C:\\Program Files\\Kestrone\\",
        "say \"hi\"",
        "tab\there, line\r\nend",
        std::string("nul\0one", 7),
        "\x01\x08\x0C\x1F\x7F",
        "M\xFC" "ll \xE4\xF6\xDF \x80\xFF",
        "/slash/ and {braces} [brackets]",
    };
    for (const std::string& text : texts) {
        std::string json = "{\"v\":" + JsonAnsiString(text) + "}";
        test::JsonObject object;
        std::string error;
        ASSERT_TRUE(test::FlatJsonReader().Read(json, object, error)) << error << ": " << json;
        EXPECT_EQ(object["v"].text, platform::AnsiToWide(text)) << json;
        for (unsigned char c : json) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << json;
    }
}

TEST(JsonLines, EscapesAreTheShortOnesWhereJsonHasThem) {
    EXPECT_EQ(JsonString(u"a\\b\"c\n\t\r\b\f"), "\"a\\\\b\\\"c\\n\\t\\r\\b\\f\"");
    EXPECT_EQ(JsonString(u"\x01\x7F\u00E9\u20AC"), "\"\\u0001\\u007f\\u00e9\\u20ac\"");
    // Characters beyond the first plane stay a surrogate pair.
    EXPECT_EQ(JsonString(u"\U0001F600"), "\"\\ud83d\\ude00\"");
}

TEST(JsonLines, TheReaderRefusesWhatIsNoStrictJson) {
    const char* bad[] = {
        "{\"v\":\"raw\ttab\"}", "{\"v\":\"a\"b\"}", "{\"v\":\"\\x41\"}", "{\"v\":\"\\u12\"}",
        "{\"v\":01}",          "{\"v\":1,}",        "{\"v\":1} x",        "{\"v\":\"\xE4\"}",
        "{\"v\":1 \"w\":2}",    "{\"v\":1,\"v\":2}",
    };
    for (const char* line : bad) {
        test::JsonObject object;
        std::string error;
        EXPECT_FALSE(test::FlatJsonReader().Read(line, object, error)) << line;
    }
}

TEST(JsonLines, FindingsAreTakenFromTheEngineLines) {
    struct Case {
        std::string line;
        bool found;
        std::string kind, where;
    } cases[] = {
        {"E:\\WORM.EXE  cleaned", true, "file", "E:\\WORM.EXE"},
        {"E:\\ cleaned completed.", true, "drive", "E:\\"},
        {"KAVO.EXE virus found in memory, cleaned successfully", true, "memory", "KAVO.EXE"},
        {"E:\\  no threat found", false, "", ""},
        {"  cleaned", false, "", ""},
    };
    for (const Case& c : cases) {
        Finding finding;
        ASSERT_EQ(FindingOfLine(c.line, false, finding), c.found) << c.line;
        if (!c.found) continue;
        EXPECT_EQ(finding.kind, c.kind);
        EXPECT_EQ(finding.where, c.where);
        EXPECT_EQ(finding.action, "removed");
    }
    Finding finding;
    ASSERT_TRUE(FindingOfLine("E:\\A.EXE  cleaned", true, finding));
    EXPECT_EQ(finding.action, "would be removed");
}

TEST(JsonLines, TheSummaryCarriesTheCounts) {
    ScanOutcome outcome;
    outcome.threatLines = 3;
    outcome.refusedChanges = 1;
    outcome.reportOnly = false;
    EXPECT_EQ(SummaryJson(outcome, 2, "Threats found; not all of them were removed."),
              "{\"type\":\"summary\",\"exitCode\":2,\"threats\":3,\"refused\":1,\"busyDrives\":0,"
              "\"reportOnly\":false,\"message\":\"Threats found; not all of them were removed.\"}");
}

}  // namespace
}  // namespace kestrone::cli
