// Profile files behave as Windows' own profile functions do.
#include "contract.h"
#include "platform/files.h"
#include "platform/profile.h"

namespace kestrone::contract {
namespace {

using platform::ReadProfileKeyNames;
using platform::ReadProfileSection;
using platform::ReadProfileValue;
using platform::WriteProfileValue;

class ProfileContract : public PlatformContract {
  protected:
    std::string Ini(const std::string& text) {
        std::string path = dir + "t.ini";
        EXPECT_TRUE(platform::WriteTextFile(path, text));
        return path;
    }
    std::string Read(const std::string& path, const char* section, const char* key,
                     const char* fallback = "dflt") {
        return ReadProfileValue(section, key, fallback, path);
    }
};

TEST_F(ProfileContract, NamesIgnoreCaseAndBlanksValuesKeepCase) {
    std::string ini = Ini("[ Sec One ]\r\n  KeyA  =  Value B  \r\n\tk2\t=\tv2\r\n");
    EXPECT_EQ(Read(ini, "sec one", "keya"), "Value B");
    EXPECT_EQ(Read(ini, "SEC ONE", "K2"), "v2");
    EXPECT_EQ(Read(ini, "  Sec One ", " keyA "), "Value B");
}

TEST_F(ProfileContract, OnlyOneMatchingPairOfQuotesIsStripped) {
    std::string ini =
        Ini("[q]\r\nd=\"double\"\r\ns='single'\r\ninner=\"a\"b\"\r\nmixed=\"x'\r\nlone=\"\r\n"
            "spaced= \" keep inside \" \r\n");
    EXPECT_EQ(Read(ini, "q", "d"), "double");
    EXPECT_EQ(Read(ini, "q", "s"), "single");
    EXPECT_EQ(Read(ini, "q", "inner"), "a\"b");
    EXPECT_EQ(Read(ini, "q", "mixed"), "\"x'");
    EXPECT_EQ(Read(ini, "q", "lone"), "\"");
    EXPECT_EQ(Read(ini, "q", "spaced"), " keep inside ");
}

TEST_F(ProfileContract, LongValuesAreCutToTheBuffer) {
    std::string ini = Ini("[s]\r\nlong=" + std::string(3000, 'v') + "\r\n");
    EXPECT_EQ(Read(ini, "s", "long"), std::string(2047, 'v'));
    EXPECT_EQ(ReadProfileValue("s", "long", "", ini, 4), "vvv");
}

TEST_F(ProfileContract, FirstDuplicateWinsAndMissingPiecesGiveTheDefault) {
    std::string ini = Ini("[a]\r\nk=first\r\nk=second\r\n[b]\r\nx=1\r\n[A]\r\nk=third\r\nz=9\r\n");
    EXPECT_EQ(Read(ini, "a", "k"), "first");
    EXPECT_EQ(Read(ini, "a", "z"), "dflt");  // only the first [a] is searched
    EXPECT_EQ(Read(ini, "missing", "k"), "dflt");
    EXPECT_EQ(Read(dir + "nofile.ini", "a", "k"), "dflt");
    EXPECT_EQ(Read(ini, "a", "nokey", "trailing   "), "trailing");
}

TEST_F(ProfileContract, SemicolonLinesAreCommentsHashIsNot) {
    std::string ini = Ini("[c]\r\n;hidden=1\r\n#shown=2\r\nk=v ;x\r\nbare line\r\n");
    EXPECT_EQ(Read(ini, "c", "#shown"), "2");
    EXPECT_EQ(Read(ini, "c", "k"), "v ;x");
    EXPECT_EQ(Read(ini, "c", "bare line"), "dflt");
}

TEST_F(ProfileContract, KeyListsHoldKeyLinesOnlyInFileOrder) {
    std::string ini = Ini("[k]\r\nb=1\r\n;c=2\r\nno equals\r\nA = 3\r\nb=4\r\n[other]\r\nz=1\r\n");
    EXPECT_EQ(ReadProfileKeyNames("K", ini), (std::vector<std::string>{"b", "A", "b"}));
    EXPECT_TRUE(ReadProfileKeyNames("none", ini).empty());
    EXPECT_TRUE(ReadProfileKeyNames("k", dir + "nofile.ini").empty());
}

TEST_F(ProfileContract, AFullKeyListBufferCutsTheLastName) {
    std::string ini = Ini("[s]\r\nname1=a\r\nname2=b\r\nname3=c\r\n");
    EXPECT_EQ(ReadProfileKeyNames("s", ini, 16),
              (std::vector<std::string>{"name1", "name2", "na"}));
}

TEST_F(ProfileContract, SectionLinesAreTrimmedWithQuotesKept) {
    std::string ini = Ini("[s]\r\n  k1 = \"v 1\"  \r\nplain\r\n;note\r\n\r\nk2=v2\r\n");
    EXPECT_EQ(ReadProfileSection("S", ini),
              (std::vector<std::string>{"k1=\"v 1\"", "plain", "k2=v2"}));
}

TEST_F(ProfileContract, WritesCreateFilesSectionsAndKeysInPlace) {
    std::string path = dir + "w.ini";
    ASSERT_TRUE(WriteProfileValue("App", "key", "val", path));
    std::string content;
    ASSERT_TRUE(platform::ReadWholeFile(path, content));
    EXPECT_EQ(content, "[App]\r\nkey=val\r\n");

    ASSERT_TRUE(WriteProfileValue("app", "KEY", "new", path));  // existing key keeps its name
    ASSERT_TRUE(WriteProfileValue("App", "second", "2", path));
    ASSERT_TRUE(WriteProfileValue("Next", "n", "x y", path));
    ASSERT_TRUE(platform::ReadWholeFile(path, content));
    EXPECT_EQ(content.substr(0, 26), "[App]\r\nkey=new\r\nsecond=2\r\n");
    EXPECT_NE(content.find("[Next]\r\nn=x y\r\n"), std::string::npos) << content;
    EXPECT_EQ(Read(path, "next", "n"), "x y");
    EXPECT_FALSE(WriteProfileValue("App", "k", "v", dir + "no such folder\\w.ini"));
}

TEST_F(ProfileContract, DeletingAKeyLeavesItsNeighboursAndOtherSections) {
    std::string ini = Ini("[S]\r\na=1\r\nB=2\r\nc=3\r\n[T]\r\nb=4\r\n");
    ASSERT_TRUE(platform::DeleteProfileKey("s", "b", ini));
    EXPECT_EQ(ReadProfileKeyNames("S", ini), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(Read(ini, "S", "c"), "3");
    EXPECT_EQ(Read(ini, "T", "b"), "4");
    EXPECT_EQ(Read(ini, "S", "b"), "dflt");
}

// ASCII text as the bytes of a UTF-16LE file with its byte-order mark.
std::string Utf16File(const std::string& text) {
    std::string bytes = "\xFF\xFE";
    for (char c : text) {
        bytes.push_back(c);
        bytes.push_back('\0');
    }
    return bytes;
}

// Worms and editors write Autorun.inf as UTF-16; Windows reads it all the same.
TEST_F(ProfileContract, AFileWithTheUtf16MarkIsReadAsUtf16) {
    std::string ini = Ini(
        Utf16File("[AutoRun]\r\nopen=setup.exe\r\n shell\\open\\command = \"x.exe\" /s\r\n;k=v\r\n"
                  "[b]\r\nz=1\r\n"));
    EXPECT_EQ(Read(ini, "autorun", "open"), "setup.exe");
    EXPECT_EQ(Read(ini, "autorun", "shell\\open\\command"), "\"x.exe\" /s");
    EXPECT_EQ(Read(ini, "b", "z"), "1");
    EXPECT_EQ(Read(ini, "b", "missing"), "dflt");
    EXPECT_EQ(ReadProfileKeyNames("AutoRun", ini),
              (std::vector<std::string>{"open", "shell\\open\\command"}));
    EXPECT_EQ(ReadProfileSection("b", ini), std::vector<std::string>{"z=1"});
}

TEST_F(ProfileContract, WritesToAUtf16FileKeepItUtf16) {
    std::string ini = Ini(Utf16File("[s]\r\nk=old\r\n"));
    ASSERT_TRUE(WriteProfileValue("s", "k", "new", ini));
    ASSERT_TRUE(WriteProfileValue("s", "added", "2", ini));
    EXPECT_EQ(Read(ini, "s", "k"), "new");
    EXPECT_EQ(Read(ini, "s", "added"), "2");
    std::string bytes;
    ASSERT_TRUE(platform::ReadWholeFile(ini, bytes));
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_NE(bytes.find(std::string("n\0e\0w\0", 6)), std::string::npos);
    EXPECT_EQ(bytes.find("new"), std::string::npos);  // no ANSI text mixed in
}

}  // namespace
}  // namespace kestrone::contract
