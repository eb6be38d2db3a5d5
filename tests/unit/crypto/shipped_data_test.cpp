// Checks on the shipped data that the program would otherwise only trip over
// at run time: counts that do not match their lines, lists of unequal length,
// malformed codes and registry lines, values longer than the profile buffer.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/decryption.h"
#include "core/definitions.h"
#include "core/path_macros.h"
#include "openssl_helpers.h"
#include "platform/profile.h"
#include "scan/reg_script.h"
#include "sim_fixture.h"

namespace kestrone {
namespace {

class ShippedDefinitionsTest : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddFolder("C:\\Temp");
        world().AddFile(GetExeDir() + "kernel.dll", test::ReadHostFile(KESTRONE_TEST_PACKED_DEFINITIONS));
        DecryptDataFiles();
    }
    static std::string Read(const std::string& section, const std::string& key,
                            const std::string& fallback = "None") {
        return ReadDataString(section, key, fallback, "kernel.dll");
    }
    static TextList List(const std::string& section, const std::string& key) {
        return SplitList(Read(section, key), ',');
    }
    static TextList Viruses() { return List("VirusName", "Name"); }
};

bool IsFileCode(const std::string& code) {
    if (code.size() < 4 || code.size() > 8 || code.size() == 7) return false;
    return code.find_first_not_of("0123456789ABCDEF") == std::string::npos;
}

// Each field count that the operations use, counting the operation itself.
void ExpectValidRegLine(const std::string& line, const std::string& where) {
    TextList fields = SplitList(line, ',');
    ASSERT_FALSE(fields.empty()) << where;
    std::string op = LowerCase(fields[0]);
    size_t needed = op == "regaddvalue" ? 5 : op == "regaddkey" || op == "regdeletevalue" ? 3
                    : op == "regdeletekey"                                        ? 2
                                                                                  : 0;
    ASSERT_NE(needed, 0u) << where << ": unknown operation " << op;
    ASSERT_GE(fields.size(), needed) << where;
    EXPECT_TRUE(ParseRegPath(fields[1]).valid) << where;
    if (op == "regaddvalue") {
        EXPECT_TRUE(fields[3] == "REG_SZ" || fields[3] == "REG_DWORD") << where;
        int32_t number;
        if (fields[3] == "REG_DWORD") {
            EXPECT_TRUE(ParseInteger(fields[4], number)) << where;
        }
    }
}

TEST_F(ShippedDefinitionsTest, EveryVirusHasASectionWithConsistentRegistryLines) {
    ASSERT_GE(Viruses().size(), 5u);
    for (const std::string& virus : Viruses()) {
        EXPECT_FALSE(platform::ReadProfileKeyNames(virus, GetTempDir() + "kernel.dll").empty()) << virus;
        int32_t count = -1;
        ASSERT_TRUE(ParseInteger(Read(virus, "RegOperate", "0"), count)) << virus;
        for (int line = 1; line <= count; ++line) {
            std::string where = virus + " Reg" + std::to_string(line);
            ExpectValidRegLine(Read(virus, "Reg" + std::to_string(line)), where);
        }
        EXPECT_EQ(Read(virus, "Reg" + std::to_string(count + 1)), "None") << virus << ": extra line";
    }
}

TEST_F(ShippedDefinitionsTest, PathListsExpandAndProcessListsSpareWindowsOwnPrograms) {
    const TextList windowsPrograms = {"EXPLORER.EXE", "SVCHOST.EXE", "LSASS.EXE", "CSRSS.EXE",
                                      "WINLOGON.EXE", "SERVICES.EXE", "SMSS.EXE"};
    for (const std::string& virus : Viruses()) {
        for (const char* key : {"FileToDelete", "Immunity"}) {
            for (const std::string& entry : List(virus, key)) {
                EXPECT_TRUE(IsPathEntry(entry)) << virus << " " << key << ": " << entry;
                EXPECT_NE(entry.find('\\'), std::string::npos) << virus << ": " << entry;
            }
        }
        for (const std::string& entry : List(virus, "ProcessToKill")) {
            EXPECT_EQ(IndexOfText(windowsPrograms, entry), -1) << virus << ": " << entry;
            if (StartsWith(entry, "CODE=")) {
                EXPECT_TRUE(IsFileCode(entry.substr(5))) << entry;
            }
        }
        for (const std::string& entry : List(virus, "UnloadDll")) {
            EXPECT_NE(entry.find('\\'), std::string::npos) << virus << ": " << entry;
        }
    }
}

TEST_F(ShippedDefinitionsTest, CodeListsPairEveryCodeWithAKnownVirus) {
    for (const std::string& folder : SplitList(Read("VirusFile", "Paths", ""), ',')) {
        TextList codes = SplitList(Read(folder, "Codes", ""), ',');
        TextList names = SplitList(Read(folder, "VirusNames", ""), ',');
        EXPECT_FALSE(codes.empty()) << folder;
        EXPECT_EQ(codes.size(), names.size()) << folder;
        for (const std::string& code : codes) EXPECT_TRUE(IsFileCode(code)) << folder << ": " << code;
        for (const std::string& name : names) EXPECT_NE(IndexOfText(Viruses(), name), -1) << name;
    }
    for (const std::string& entry : SplitList(Read("VirusProcess", "Processes", ""), ',')) {
        size_t slash = entry.find('\\'), equals = entry.find('=');
        ASSERT_TRUE(slash != std::string::npos && equals != std::string::npos) << entry;
        EXPECT_NE(IndexOfText(Viruses(), entry.substr(0, slash)), -1) << entry;
        EXPECT_TRUE(IsFileCode(entry.substr(equals + 1))) << entry;
    }
}

TEST_F(ShippedDefinitionsTest, RepairItemsAreKnownActionsOrValidScripts) {
    TextList items = platform::ReadProfileKeyNames("RegRepair", GetTempDir() + "kernel.dll");
    ASSERT_GE(items.size(), 5u);
    for (const std::string& item : items) {
        std::string value = Read("RegRepair", item, "1");
        if (value == "RepairAvsoft" || value == "RepairHostFile") continue;
        EXPECT_EQ(value.find(".rep"), std::string::npos) << item << ": we ship no export files";
        TextList lines = SplitList(value, '$');
        EXPECT_FALSE(lines.empty()) << item;
        for (const std::string& line : lines) ExpectValidRegLine(line, item);
    }
}

// The profile functions see only the first 2047 characters of a value.
TEST(ShippedDataFiles, NoValueIsLongerThanTheProfileBuffer) {
    for (const char* path : {KESTRONE_TEST_PLAIN_DEFINITIONS, KESTRONE_TEST_PROCESS_LISTS}) {
        std::istringstream lines(test::ReadHostFile(path));
        for (std::string line; std::getline(lines, line);) {
            size_t equals = line.find('=');
            if (equals == std::string::npos) continue;
            EXPECT_LT(line.size() - equals - 1, platform::kProfileValueBuffer) << path;
        }
    }
}

TEST_F(ShippedDefinitionsTest, SystemProcessesExpandBelowWindowsAndNobodyIsTrustedYet) {
    world().AddFile(GetExeDir() + "Process.dat", test::ReadHostFile(KESTRONE_TEST_PROCESS_LISTS));
    TextList entries = SplitList(ReadDataString("Process", "SystemProcesses", "", "Process.dat"), ',');
    ASSERT_GE(entries.size(), 10u);
    TextList expanded = ExpandPathMacros(entries);
    EXPECT_EQ(expanded.size(), entries.size());
    for (const std::string& path : expanded) {
        EXPECT_TRUE(StartsWith(UpperCase(path), "C:\\WINDOWS\\")) << path;
        EXPECT_TRUE(EndsWith(path, ".EXE")) << path;
    }
    EXPECT_NE(IndexOfText(expanded, "C:\\WINDOWS\\system32\\WINLOGON.EXE"), -1);
    EXPECT_EQ(ReadDataString("Process", "TrustProcesses", "None", "Process.dat"), "");
}

}  // namespace
}  // namespace kestrone
