// The compiled Help.chm: a valid file of its kind that carries every page of
// the project, its table of contents and its index; and sources whose table of
// contents and links name only pages that are compiled in.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>

#include "chm_reader.h"

namespace kestrone::test {
namespace {

const std::string kHelpFile = KESTRONE_TEST_HELP_FILE;
const std::string kProject = KESTRONE_TEST_HELP_PROJECT;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string SourceDir() {
    return kProject.substr(0, kProject.find_last_of('/') + 1);
}

// The [FILES] section of the project: every file that is compiled in.
std::set<std::string> ProjectFiles() {
    std::istringstream project(ReadAll(kProject));
    std::set<std::string> files;
    bool inFiles = false;
    for (std::string line; std::getline(project, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '[') {
            inFiles = line == "[FILES]";
            continue;
        }
        if (inFiles && !line.empty()) files.insert(line);
    }
    return files;
}

std::set<std::string> Matches(const std::string& text, const std::regex& pattern) {
    std::set<std::string> found;
    for (std::sregex_iterator it(text.begin(), text.end(), pattern), end; it != end; ++it)
        found.insert((*it)[1].str());
    return found;
}

TEST(HelpFile, HeaderDirectoryAndEveryPageOfTheProject) {
    ChmReader chm;
    std::string reason;
    ASSERT_TRUE(chm.Parse(ReadAll(kHelpFile), reason)) << reason;
    EXPECT_EQ(chm.Version(), 3u);
    std::set<std::string> files = ProjectFiles();
    ASSERT_GE(files.size(), 12u);
    files.insert("toc.hhc");
    files.insert("index.hhk");
    for (const std::string& file : files) {
        auto entry = chm.Entries().find("/" + file);
        ASSERT_NE(entry, chm.Entries().end()) << file << " is not in Help.chm";
        EXPECT_GT(entry->second.length, 0u) << file;
    }
}

TEST(HelpFile, SystemRecordNamesContentsIndexTopicAndTitle) {
    ChmReader chm;
    std::string reason;
    ASSERT_TRUE(chm.Parse(ReadAll(kHelpFile), reason)) << reason;
    std::map<uint16_t, std::string> system = chm.SystemRecords();
    EXPECT_EQ(system[0], "toc.hhc");
    EXPECT_EQ(system[1], "index.hhk");
    EXPECT_EQ(system[2], "index.html");
    EXPECT_EQ(system[3], "Kestrone Help");
}

TEST(HelpFile, ADamagedFileIsRecognisedAsSuch) {
    const std::string good = ReadAll(kHelpFile);
    struct Case {
        const char* what;
        std::string bytes;
    };
    std::string badSignature = good, badDirectory = good, badVersion = good;
    badSignature[3] = 'X';
    badVersion[4] = 2;
    badDirectory[0x48] ^= 0x10;  // the directory's offset no longer points at ITSP
    const Case cases[] = {
        {"empty", ""},
        {"cut inside the header", good.substr(0, 0x50)},
        {"cut inside the directory", good.substr(0, 0x200)},
        {"other signature", badSignature},
        {"other version", badVersion},
        {"directory moved", badDirectory},
    };
    for (const Case& c : cases) {
        ChmReader chm;
        std::string reason;
        EXPECT_FALSE(chm.Parse(c.bytes, reason)) << c.what;
        EXPECT_FALSE(reason.empty()) << c.what;
    }
}

TEST(HelpSources, ContentsIndexAndLinksNameOnlyCompiledPagesAndEveryPageIsCompiled) {
    std::set<std::string> files = ProjectFiles();
    const std::regex local("name=\"Local\" value=\"([^\"]+)\"");
    for (const char* listing : {"toc.hhc", "index.hhk"}) {
        for (const std::string& page : Matches(ReadAll(SourceDir() + listing), local))
            EXPECT_TRUE(files.count(page)) << listing << " names " << page;
    }
    const std::regex link("href=\"([^\"#:]+)[\"#]");
    std::set<std::string> inContents = Matches(ReadAll(SourceDir() + "toc.hhc"), local);
    for (const std::string& file : files) {
        if (file.size() < 5 || file.substr(file.size() - 5) != ".html") continue;
        EXPECT_TRUE(inContents.count(file)) << file << " is missing from the table of contents";
        for (const std::string& target : Matches(ReadAll(SourceDir() + file), link))
            EXPECT_TRUE(files.count(target)) << file << " links to " << target;
    }
    for (const auto& source : std::filesystem::directory_iterator(SourceDir())) {
        std::string name = source.path().filename().string();
        if (source.path().extension() == ".html" || source.path().extension() == ".css") {
            EXPECT_TRUE(files.count(name)) << name << " is not compiled into Help.chm";
        }
    }
}

}  // namespace
}  // namespace kestrone::test
