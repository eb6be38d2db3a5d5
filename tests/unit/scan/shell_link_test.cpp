#include "scan/shell_link.h"

#include <gtest/gtest.h>

#include "shell_link_builder.h"

namespace kestrone {
namespace {

using test::LinkBuilder;

test::LinkBuilder WormLink() {
    LinkBuilder link;
    link.IdList("C:\\WINDOWS\\system32\\cmd.exe")
        .LinkInfo("C:\\WINDOWS\\system32\\cmd.exe")
        .RelativePath("..\\WINDOWS\\system32\\cmd.exe")
        .WorkingDir("E:\\")
        .Arguments("/c start _\\run.vbs & start explorer Photos & exit")
        .Icon("%SystemRoot%\\system32\\SHELL32.dll")
        .EnvironmentTarget("%windir%\\system32\\cmd.exe");
    return link;
}

TEST(ShellLinkReader, ReadsEveryPartInAnsiAndUnicode) {
    for (bool unicode : {false, true}) {
        ShellLink link;
        ASSERT_TRUE(ParseShellLink(WormLink().Unicode(unicode).Bytes(), link)) << unicode;
        EXPECT_EQ(link.idListPath, "C:\\WINDOWS\\system32\\cmd.exe");
        EXPECT_EQ(link.linkInfoPath, "C:\\WINDOWS\\system32\\cmd.exe");
        EXPECT_EQ(link.relativePath, "..\\WINDOWS\\system32\\cmd.exe");
        EXPECT_EQ(link.workingDir, "E:\\");
        EXPECT_EQ(link.arguments, "/c start _\\run.vbs & start explorer Photos & exit");
        EXPECT_EQ(link.iconLocation, "%SystemRoot%\\system32\\SHELL32.dll");
        EXPECT_EQ(link.environmentTarget, "%windir%\\system32\\cmd.exe");
        EXPECT_EQ(link.Targets(),
                  (TextList{"C:\\WINDOWS\\system32\\cmd.exe", "%windir%\\system32\\cmd.exe",
                            "..\\WINDOWS\\system32\\cmd.exe"}));
    }
}

// Wine's shell counts the terminating NUL of each string; Windows does not.
TEST(ShellLinkReader, CountsThatTakeInTheTerminatingNulEndThere) {
    for (bool unicode : {false, true}) {
        ShellLink link;
        ASSERT_TRUE(ParseShellLink(LinkBuilder()
                                       .Unicode(unicode)
                                       .Arguments(std::string("/c x\0", 6))
                                       .WorkingDir(std::string("E:\\\0", 4))
                                       .Bytes(),
                                   link));
        EXPECT_EQ(link.arguments, "/c x");
        EXPECT_EQ(link.workingDir, "E:\\");
    }
}

TEST(ShellLinkReader, ShortNamesServeWhereNoLongNameIsStored) {
    std::string items = LinkBuilder::FileItem("WINDOWS", "", true) +
                        LinkBuilder::FileItem("NOTEPAD.EXE", "", false);
    std::string computer =
        LinkBuilder::U16(0x14) + "\x1F\x50" +
        std::string("\xE0\x4F\xD0\x20\xEA\x3A\x69\x10\xA2\xD8\x08\x00\x2B\x30\x30\x9D", 16);
    std::string drive =
        "\x2F"
        "D:\\" +
        std::string(20, '\0');
    ShellLink link;
    ASSERT_TRUE(
        ParseShellLink(LinkBuilder()
                           .RawIdList(computer + LinkBuilder::U16(drive.size() + 2) + drive + items)
                           .Bytes(),
                       link));
    EXPECT_EQ(link.idListPath, "D:\\WINDOWS\\NOTEPAD.EXE");
}

TEST(ShellLinkReader, NonAsciiUnicodeBecomesQuestionMarksWithoutAConverter) {
    std::string bytes = LinkBuilder().Unicode().Arguments("ab").Bytes();
    bytes[bytes.size() - 7] = '\x4E';  // the 'a' becomes U+4E61
    ShellLink link;
    ASSERT_TRUE(ParseShellLink(bytes, link));
    EXPECT_EQ(link.arguments, "?b");
}

TEST(ShellLinkReader, EveryTruncationOfTheRequiredPartsIsRefused) {
    std::string whole = WormLink().Unicode().Bytes();
    size_t extraAt = whole.size() - 4 - 0x314;  // the environment block and terminal block
    ShellLink link;
    for (size_t size = 0; size < extraAt; ++size) {
        EXPECT_FALSE(ParseShellLink(whole.substr(0, size), link)) << size;
    }
    // Cut inside the extra data: the structures before it are intact.
    for (size_t size = extraAt; size <= whole.size(); ++size) {
        ASSERT_TRUE(ParseShellLink(whole.substr(0, size), link)) << size;
        EXPECT_EQ(link.arguments, "/c start _\\run.vbs & start explorer Photos & exit");
    }
}

// Lying sizes and counts: a field that claims more than the file holds.
TEST(ShellLinkReader, LyingSizesAndHugeCountsAreRefused) {
    std::string good =
        LinkBuilder().IdList("C:\\a.exe").LinkInfo("C:\\a.exe").Arguments("x").Bytes();
    struct Lie {
        const char* what;
        size_t at;
        std::string bytes;
    };
    const size_t idListAt = 0x4C;
    size_t linkInfoAt = idListAt + 2 + static_cast<unsigned char>(good[idListAt]) +
                        256 * static_cast<unsigned char>(good[idListAt + 1]);
    const Lie lies[] = {
        {"header size", 0, LinkBuilder::U32(0x4D)},
        {"class id", 4, "\x02"},
        {"ID list size", idListAt, LinkBuilder::U16(0xFFFF)},
        {"link info size", linkInfoAt, LinkBuilder::U32(0xFFFFFFF0)},
        {"link info size below its header", linkInfoAt, LinkBuilder::U32(4)},
        {"link info header size", linkInfoAt + 4, LinkBuilder::U32(0x7FFFFFFF)},
    };
    for (const Lie& lie : lies) {
        std::string bytes = good;
        bytes.replace(lie.at, lie.bytes.size(), lie.bytes);
        ShellLink link;
        EXPECT_FALSE(ParseShellLink(bytes, link)) << lie.what;
    }
    // A string count of 65535 characters in a file that holds a few bytes.
    std::string counted = LinkBuilder().Unicode().Arguments("x").Bytes();
    counted.replace(counted.size() - 8, 2, LinkBuilder::U16(0xFFFF));
    ShellLink link;
    EXPECT_FALSE(ParseShellLink(counted, link));
    // Offsets inside the link info that point outside it name nothing.
    std::string offsets = good;
    offsets.replace(linkInfoAt + 16, 4, LinkBuilder::U32(0xFFFFFF00));
    ASSERT_TRUE(ParseShellLink(offsets, link));
    EXPECT_EQ(link.linkInfoPath, "");
    EXPECT_EQ(link.idListPath, "C:\\a.exe");
}

TEST(ShellLinkReader, MalformedIdListsNameNoPathAndEnd) {
    std::string computer =
        LinkBuilder::U16(0x14) + "\x1F\x50" +
        std::string("\xE0\x4F\xD0\x20\xEA\x3A\x69\x10\xA2\xD8\x08\x00\x2B\x30\x30\x9D", 16);
    std::string drive = LinkBuilder::U16(26) +
                        "\x2F"
                        "C:\\" +
                        std::string(20, '\0');
    std::string file = LinkBuilder::FileItem("A.EXE", "a.exe", false);
    struct IdCase {
        const char* what;
        std::string items;
        const char* path;
    };
    std::string many;
    for (int i = 0; i < 140; ++i) many += LinkBuilder::FileItem(std::string(250, 'd'), "", true);
    const IdCase cases[] = {
        {"well formed", computer + drive + file, "C:\\a.exe"},
        {"an item of size one would never advance", computer + LinkBuilder::U16(1) + drive, ""},
        {"an item of size two", computer + LinkBuilder::U16(2) + drive, ""},
        {"an item larger than the list", computer + LinkBuilder::U16(0x7000) + drive, ""},
        {"a file entry before any drive", computer + file + drive, ""},
        {"a second drive", computer + drive + drive, ""},
        {"a root other than My Computer",
         std::string(LinkBuilder::U16(0x14)) + "\x1F\x50" + std::string(16, 'x') + drive, ""},
        {"an unknown item type", computer + drive + LinkBuilder::U16(4) + "\x77\x00", ""},
        {"a path past the longest Windows knows", computer + drive + many, ""},
        {"an extension block pointing outside its item",
         computer + drive + file.substr(0, file.size() - 2) + LinkBuilder::U16(0xFFF0),
         "C:\\A.EXE"},
    };
    for (const IdCase& c : cases) {
        ShellLink link;
        ASSERT_TRUE(ParseShellLink(LinkBuilder().RawIdList(c.items).Arguments("x").Bytes(), link))
            << c.what;
        EXPECT_EQ(link.idListPath, c.path) << c.what;
        EXPECT_EQ(link.arguments, "x") << c.what;
    }
}

TEST(ShellLinkReader, ExtraDataThatDoesNotFitEndsQuietly) {
    std::string bytes = LinkBuilder().Arguments("x").Bytes();
    bytes.resize(bytes.size() - 4);
    bytes += LinkBuilder::U32(0x314) + LinkBuilder::U32(0xA0000001) + "%windir%";  // cut short
    ShellLink link;
    ASSERT_TRUE(ParseShellLink(bytes, link));
    EXPECT_EQ(link.environmentTarget, "");
    bytes.resize(bytes.size() - 16);
    bytes += LinkBuilder::U32(3);  // a block smaller than its own header
    ASSERT_TRUE(ParseShellLink(bytes, link));
}

}  // namespace
}  // namespace kestrone
