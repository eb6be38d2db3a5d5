// The manifest is signed text we act on: every malformed shape must be refused
// rather than half understood.
#include <gtest/gtest.h>

#include "update/manifest.h"

namespace kestrone::update {
namespace {

const std::string kDigest(64, 'a');
const std::string kGood = "Kestrone definitions 1\nversion 42\ndate 2026-12-01\nexpires 2027-03-01\n"
                          "min-program 2.3.0.0\nfile kernel.dll 7688 " + kDigest + "\n";

std::string Replaced(const std::string& from, const std::string& to) {
    std::string text = kGood;
    text.replace(text.find(from), from.size(), to);
    return text;
}

TEST(Manifest, AGoodManifestReadsAndWritesBackTheSameText) {
    Manifest manifest;
    std::string problem;
    ASSERT_TRUE(ParseManifest(kGood, manifest, problem)) << problem;
    EXPECT_EQ(manifest.version, 42);
    EXPECT_EQ(manifest.date, "2026-12-01");
    EXPECT_EQ(manifest.expires, "2027-03-01");
    EXPECT_EQ(manifest.minProgram, "2.3.0.0");
    ASSERT_EQ(manifest.files.size(), 1u);
    EXPECT_EQ(manifest.files[0].size, 7688u);
    EXPECT_EQ(FormatManifest(manifest), kGood);
    ASSERT_NE(manifest.Find("KERNEL.DLL"), nullptr);  // names compare as Windows does
}

TEST(Manifest, WindowsLineEndsAndSeveralFilesAreAccepted) {
    std::string text;
    for (char c : kGood + "file Process.dat 10 " + kDigest + "\n") text += c == '\n' ? std::string("\r\n") : std::string(1, c);
    Manifest manifest;
    std::string problem;
    ASSERT_TRUE(ParseManifest(text, manifest, problem)) << problem;
    EXPECT_EQ(manifest.files.size(), 2u);
    EXPECT_EQ(manifest.files[1].name, "Process.dat");
}

TEST(Manifest, MalformedManifestsAreRefused) {
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"unknown format", Replaced("definitions 1", "definitions 2")},
        {"no file line", kGood.substr(0, kGood.find("file "))},
        {"no kernel.dll", Replaced("kernel.dll", "other.dll")},
        {"header out of order", Replaced("version 42\ndate 2026-12-01", "date 2026-12-01\nversion 42")},
        {"version zero", Replaced("version 42", "version 0")},
        {"negative version", Replaced("version 42", "version -42")},
        {"version with leading zero", Replaced("version 42", "version 042")},
        {"version too large", Replaced("version 42", "version 99999999999999999999")},
        {"version not a number", Replaced("version 42", "version 4x")},
        {"February 30", Replaced("date 2026-12-01", "date 2026-02-30")},
        {"month 13", Replaced("expires 2027-03-01", "expires 2027-13-01")},
        {"date without dashes", Replaced("date 2026-12-01", "date 20261201")},
        {"expires before made", Replaced("expires 2027-03-01", "expires 2026-11-30")},
        {"program version with letters", Replaced("min-program 2.3.0.0", "min-program 2.3b")},
        {"program version of five parts", Replaced("min-program 2.3.0.0", "min-program 2.3.0.0.1")},
        {"repeated version line", Replaced("date 2026", "version 43\ndate 2026")},
        {"unknown line", kGood + "mirror http://example.invalid/\n"},
        {"blank line", kGood + "\n"},
        {"double space", Replaced("version 42", "version  42")},
        {"file named twice", kGood + "file KERNEL.DLL 1 " + kDigest + "\n"},
        {"short digest", Replaced(kDigest, kDigest.substr(1))},
        {"upper-case digest", Replaced(kDigest, std::string(64, 'A'))},
        {"size too large", Replaced(" 7688 ", " 99999999999 ")},
        {"size missing", Replaced(" 7688 ", " ")},
        {"path in a name", Replaced("file kernel.dll", "file ..\\kernel.dll")},
        {"absolute name", Replaced("file kernel.dll", "file C:\\kernel.dll")},
        {"too large", kGood + std::string(kManifestSizeLimit, '#')},
    };
    for (const auto& c : cases) {
        Manifest manifest;
        std::string problem;
        EXPECT_FALSE(ParseManifest(c.text, manifest, problem)) << c.what;
        EXPECT_FALSE(problem.empty()) << c.what;
    }
}

TEST(Manifest, OnlyPlainNamesThatStayInTheFolderArePackageFileNames) {
    for (const char* name : {"kernel.dll", "Process.dat", "sigs_2-1.bin"}) EXPECT_TRUE(IsPackageFileName(name)) << name;
    for (const char* name : {"", "..", ".hidden", "a\\b", "a/b", "C:x", "name.", "a b", "CON", "nul.txt",
                             "COM1", "lpt9.dll", "manifest.txt", "MANIFEST.SIG", "newkey", "newkey.sig",
                             "kernel.dll.new", "previous", "keys", "x.trial", "a*", "a?"}) {
        EXPECT_FALSE(IsPackageFileName(name)) << name;
    }
    EXPECT_FALSE(IsPackageFileName(std::string(65, 'a')));
}

TEST(Manifest, CalendarDatesAndProgramVersions) {
    EXPECT_TRUE(IsCalendarDate("2028-02-29"));
    EXPECT_TRUE(IsCalendarDate("2000-02-29"));
    EXPECT_FALSE(IsCalendarDate("2100-02-29"));
    EXPECT_FALSE(IsCalendarDate("2027-02-29"));
    EXPECT_FALSE(IsCalendarDate("2027-04-31"));
    EXPECT_FALSE(IsCalendarDate("2027-00-10"));
    EXPECT_FALSE(IsCalendarDate("2027-1-10"));

    std::array<uint32_t, 4> a, b;
    ASSERT_TRUE(ParseProgramVersion("2.3", a));
    ASSERT_TRUE(ParseProgramVersion("2.3.0.0", b));
    EXPECT_EQ(CompareProgramVersions(a, b), 0);
    ASSERT_TRUE(ParseProgramVersion("2.10", b));
    EXPECT_LT(CompareProgramVersions(a, b), 0);  // numbers, not text: 10 > 3
    ASSERT_TRUE(ParseProgramVersion("2.3.0.618", a));
    ASSERT_TRUE(ParseProgramVersion("2.3.1", b));
    EXPECT_LT(CompareProgramVersions(a, b), 0);
    for (const char* bad : {"", ".", "2.", ".3", "2..3", "v2", "2.-3"}) EXPECT_FALSE(ParseProgramVersion(bad, a)) << bad;
}

}  // namespace
}  // namespace kestrone::update
