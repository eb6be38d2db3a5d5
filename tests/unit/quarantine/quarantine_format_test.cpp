#include "core/quarantine_format.h"

#include <gtest/gtest.h>

namespace kestrone {
namespace {

QuarantineEntry Entry(uint32_t number, uint64_t size, bool kept = true) {
    QuarantineEntry e;
    e.number = number;
    e.time = "2026-01-01 12:00:00";
    e.attributes = 0x27;
    e.size = size;
    e.fileCode = "ABCD";
    e.kept = kept;
    e.reason = "Drive clean";
    e.originalPath = "E:\\setup.exe";
    return e;
}

TEST(QuarantineIndex, RoundTripsEveryFieldAndFlattensLineBreaks) {
    QuarantineEntry odd = Entry(7, 123456789012ull, false);
    odd.reason = "Virus\tKavo\r\nsecond line";
    odd.note = "No copy kept: the file could not be read.";
    odd.originalPath = "C:\\Dokumente und Einstellungen\\\xC4rger.exe";
    std::vector<QuarantineEntry> parsed;
    ASSERT_TRUE(ParseQuarantineIndex(FormatQuarantineIndex({Entry(3, 0), odd}), parsed));
    ASSERT_EQ(parsed.size(), 2u);
    EXPECT_EQ(parsed[0].number, 3u);
    EXPECT_EQ(parsed[0].attributes, 0x27u);
    EXPECT_TRUE(parsed[0].kept);
    EXPECT_EQ(parsed[1].size, 123456789012ull);
    EXPECT_FALSE(parsed[1].kept);
    EXPECT_EQ(parsed[1].reason, "Virus Kavo  second line");
    EXPECT_EQ(parsed[1].note, odd.note);
    EXPECT_EQ(parsed[1].originalPath, odd.originalPath);
}

TEST(QuarantineIndex, RejectsDamagedText) {
    std::string good = FormatQuarantineIndex({Entry(1, 10), Entry(2, 20)});
    std::vector<QuarantineEntry> parsed;
    ASSERT_TRUE(ParseQuarantineIndex(good, parsed));
    EXPECT_TRUE(ParseQuarantineIndex(FormatQuarantineIndex({}), parsed));
    EXPECT_TRUE(parsed.empty());
    struct Case {
        const char* what;
        std::string text;
    } cases[] = {
        {"empty file", ""},
        {"cut in the last line", good.substr(0, good.size() - 5)},
        {"cut before the final line break", good.substr(0, good.size() - 2)},
        {"foreign header", "Something else\r\n"},
        {"a repeated number", FormatQuarantineIndex({Entry(4, 1), Entry(4, 2)})},
        {"number zero", FormatQuarantineIndex({Entry(0, 1)})},
        {"a field missing",
         std::string(kQuarantineIndexHeader) + "\r\n1\tt\t20\t5\tAB\t1\tr\tE:\\a\r\n"},
        {"size not a number",
         std::string(kQuarantineIndexHeader) + "\r\n1\tt\t20\tx\tAB\t1\tr\tE:\\a\t\r\n"},
        {"kept neither 0 nor 1",
         std::string(kQuarantineIndexHeader) + "\r\n1\tt\t20\t5\tAB\t2\tr\tE:\\a\t\r\n"},
        {"no path", std::string(kQuarantineIndexHeader) + "\r\n1\tt\t20\t5\tAB\t1\tr\t\t\r\n"},
        {"number past 32 bits",
         std::string(kQuarantineIndexHeader) + "\r\n4294967296\tt\t20\t5\tAB\t1\tr\tE:\\a\t\r\n"},
    };
    for (const Case& c : cases) EXPECT_FALSE(ParseQuarantineIndex(c.text, parsed)) << c.what;
}

TEST(QuarantineSeal, StoresNoOriginalBytesAndDetectsDamage) {
    std::string program =
        "MZ\x90\x00\x03 This program cannot be run in DOS mode" + std::string(600, '\0');
    std::string sealed = SealContent(program);
    EXPECT_NE(sealed.substr(0, 2), "MZ");
    EXPECT_EQ(sealed.find("This program"), std::string::npos);
    // No byte stays as it was at its own offset, nor at the shifted one.
    size_t header = sealed.size() - program.size();
    for (size_t i = 0; i < program.size(); ++i) ASSERT_NE(sealed[header + i], program[i]) << i;

    std::string back;
    ASSERT_TRUE(UnsealContent(sealed, back));
    EXPECT_EQ(back, program);
    ASSERT_TRUE(UnsealContent(SealContent(""), back));
    EXPECT_EQ(back, "");

    std::string flipped = sealed;
    flipped[header + 40] ^= 1;
    EXPECT_FALSE(UnsealContent(flipped, back));
    EXPECT_FALSE(UnsealContent(sealed.substr(0, 10), back));
    EXPECT_FALSE(UnsealContent(program, back));
    EXPECT_EQ(SealedFileName(12), "00000012.kq");
}

TEST(QuarantineRestorePath, AcceptsOnlyPlainPathsOnADrive) {
    struct Case {
        const char* path;
        bool restorable;
    } cases[] = {
        {"E:\\setup.exe", true},
        {"c:\\Program Files\\App\\a b.exe", true},
        {"E:\\folder\\", false},
        {"E:setup.exe", false},
        {"\\\\server\\share\\a.exe", false},
        {"\\\\?\\C:\\a.exe", false},
        {"1:\\a.exe", false},
        {"E:\\*.exe", false},
        {"E:\\a?.exe", false},
        {"E:\\a|b.exe", false},
        {"E:\\a:stream.exe", false},
        {"E:\\..\\Windows\\a.exe", false},
        {"E:\\dir\\.\\a.exe", false},
        {"E:\\a.exe.", false},
        {"E:\\a.exe ", false},
        {"E:\\CON", false},
        {"E:\\nul.txt", false},
        {"E:\\dir\\com1.exe", false},
        {"E:\\LPT9", false},
        {"E:\\console.exe", true},
        {"E:\\com10.exe", true},
        {"E:\\a/b.exe", false},
        {"E:\\a\tb.exe", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsRestorablePath(c.path), c.restorable) << c.path;
    EXPECT_FALSE(IsRestorablePath("E:\\" + std::string(300, 'a')));
}

TEST(QuarantineLimit, DropsOldestKeptCopiesUntilTheRestFits) {
    std::vector<QuarantineEntry> entries = {Entry(5, 40), Entry(2, 30), Entry(9, 50, false),
                                            Entry(7, 20)};
    EXPECT_TRUE(EntriesOverLimit(entries, 90).empty());
    EXPECT_EQ(EntriesOverLimit(entries, 89), (std::vector<uint32_t>{2}));
    EXPECT_EQ(EntriesOverLimit(entries, 59), (std::vector<uint32_t>{2, 5}));
    EXPECT_EQ(EntriesOverLimit(entries, 0), (std::vector<uint32_t>{2, 5, 7}));
}

}  // namespace
}  // namespace kestrone
