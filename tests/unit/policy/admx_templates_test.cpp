// The administrative templates must write what the program reads: every
// registry value that a policy of Kestrone.admx sets is a policy of the
// program's table (with the same scope and range) or one of the machine's own
// values that the program looks at, every policy of the table has a template,
// and every text the template names is in the en-US language file.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/system_switches.h"
#include "core/policy_table.h"
#include "core/text.h"
#include "repair/immunity.h"

namespace kestrone {
namespace {

struct Tag {
    std::string name;  // "policy", "/policy", ...
    std::map<std::string, std::string> attributes;
};

// Start and end tags of an XML text in order (comments, declarations and
// text between tags skipped). Enough for the templates, which xmllint checks
// for well-formedness in a test of its own.
std::vector<Tag> ReadTags(const std::string& xml) {
    std::vector<Tag> tags;
    size_t at = 0;
    while ((at = xml.find('<', at)) != std::string::npos) {
        if (xml.compare(at, 4, "<!--") == 0) {
            at = xml.find("-->", at);
            continue;
        }
        size_t end = xml.find('>', at);
        if (end == std::string::npos) break;
        std::string body = xml.substr(at + 1, end - at - 1);
        at = end + 1;
        if (body.empty() || body[0] == '?' || body[0] == '!') continue;
        if (body.back() == '/') body.pop_back();
        Tag tag;
        size_t nameEnd = body.find_first_of(" \t\r\n");
        tag.name = body.substr(0, nameEnd);
        size_t pos = nameEnd;
        while (pos != std::string::npos && pos < body.size()) {
            size_t eq = body.find('=', pos);
            if (eq == std::string::npos) break;
            std::string attr = Trim(body.substr(pos, eq - pos));
            size_t open = body.find('"', eq);
            size_t close = body.find('"', open + 1);
            if (open == std::string::npos || close == std::string::npos) break;
            tag.attributes[attr] = body.substr(open + 1, close - open - 1);
            pos = close + 1;
        }
        tags.push_back(tag);
    }
    return tags;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct TemplateValue {
    std::string policy, policyClass, key, valueName, tag;
    std::map<std::string, std::string> attributes;
};

std::vector<TemplateValue> ValuesOfTemplate(const std::vector<Tag>& tags) {
    std::vector<TemplateValue> values;
    std::string policy, policyClass, policyKey;
    for (const Tag& tag : tags) {
        if (tag.name == "policy") {
            policy = tag.attributes.at("name");
            policyClass = tag.attributes.at("class");
            policyKey = tag.attributes.at("key");
        }
        if (tag.name == "/policy") policy.clear();
        auto valueName = tag.attributes.find("valueName");
        if (policy.empty() || valueName == tag.attributes.end()) continue;
        auto key = tag.attributes.find("key");
        values.push_back({policy, policyClass, key == tag.attributes.end() ? policyKey : key->second,
                          valueName->second, tag.name, tag.attributes});
    }
    return values;
}

// The machine's own values that a policy may set besides ours, as the
// program reads them.
std::set<std::string> MachineValuesTheProgramReads() {
    std::string explorer = kAutorunPolicyKey;
    explorer = explorer.substr(explorer.find('\\') + 1);  // without the root
    explorer.pop_back();                                  // the closing backslash
    return {UpperCase(std::string(kUsbStorKeyPath) + "\\Start"),
            UpperCase(std::string(kStoragePoliciesKeyPath) + "\\WriteProtect"),
            UpperCase(explorer + "\\" + kAutorunPolicyValue)};
}

const PolicyInfo* FindPolicy(const std::string& valueName) {
    for (const PolicyInfo& info : PolicyTable())
        if (SameText(info.valueName, valueName)) return &info;
    return nullptr;
}

TEST(AdmxTemplate, EveryValueItSetsIsOneTheProgramReads) {
    std::vector<TemplateValue> values =
        ValuesOfTemplate(ReadTags(ReadFile(KESTRONE_POLICY_DIR "/Kestrone.admx")));
    ASSERT_FALSE(values.empty());
    std::set<std::string> machineValues = MachineValuesTheProgramReads();
    std::set<std::string> covered;
    for (const TemplateValue& value : values) {
        SCOPED_TRACE(value.policy + ": " + value.valueName);
        if (!SameText(value.key, kPolicyKeyPath)) {
            EXPECT_TRUE(machineValues.count(UpperCase(value.key + "\\" + value.valueName)))
                << "not read by the program: " << value.key;
            continue;
        }
        const PolicyInfo* info = FindPolicy(value.valueName);
        ASSERT_NE(info, nullptr) << "not in the program's policy table";
        covered.insert(info->valueName);
        EXPECT_EQ(value.policyClass,
                  info->scope == PolicyScope::MachineOnly ? "Machine" : "Both");
        EXPECT_EQ(value.tag == "text", info->kind == PolicyKind::Text);
        if (value.tag == "decimal") {
            EXPECT_EQ(value.attributes.at("minValue"), std::to_string(info->lowest));
            EXPECT_EQ(value.attributes.at("maxValue"), std::to_string(info->highest));
        }
    }
    for (const PolicyInfo& info : PolicyTable())
        EXPECT_TRUE(covered.count(info.valueName)) << "no template for " << info.valueName;
}

TEST(AdmxTemplate, NumbersItWritesAreWithinWhatTheProgramAccepts) {
    std::vector<Tag> tags = ReadTags(ReadFile(KESTRONE_POLICY_DIR "/Kestrone.admx"));
    const PolicyInfo* current = nullptr;  // the policy whose value is being written
    bool inOtherKeys = false;             // the lists that set the machine's own values
    int checked = 0;
    for (const Tag& tag : tags) {
        if (tag.name == "enabledList" || tag.name == "disabledList") inOtherKeys = true;
        if (tag.name == "/enabledList" || tag.name == "/disabledList") inOtherKeys = false;
        if (tag.name == "/policy") current = nullptr;
        auto valueName = tag.attributes.find("valueName");
        if (valueName != tag.attributes.end() && !inOtherKeys)
            current = FindPolicy(valueName->second);
        if (tag.name != "decimal" || inOtherKeys || !current || !tag.attributes.count("value"))
            continue;
        uint32_t number = static_cast<uint32_t>(std::stoul(tag.attributes.at("value")));
        EXPECT_GE(number, current->lowest) << current->valueName;
        EXPECT_LE(number, current->highest) << current->valueName;
        ++checked;
    }
    EXPECT_GE(checked, 10);
}

TEST(AdmxTemplate, EveryTextItNamesIsInTheLanguageFile) {
    std::string admx = ReadFile(KESTRONE_POLICY_DIR "/Kestrone.admx");
    std::set<std::string> strings, presentations;
    for (const Tag& tag : ReadTags(ReadFile(KESTRONE_POLICY_DIR "/en-US/Kestrone.adml"))) {
        if (tag.name == "string") strings.insert(tag.attributes.at("id"));
        if (tag.name == "presentation") presentations.insert(tag.attributes.at("id"));
    }
    int references = 0;
    for (const char* kind : {"$(string.", "$(presentation."}) {
        std::set<std::string>& defined = kind[2] == 's' ? strings : presentations;
        for (size_t at = admx.find(kind); at != std::string::npos; at = admx.find(kind, at + 1)) {
            size_t start = at + std::string(kind).size();
            std::string id = admx.substr(start, admx.find(')', start) - start);
            EXPECT_TRUE(defined.count(id)) << kind << id << ")";
            ++references;
        }
    }
    EXPECT_GT(references, 20);
}

}  // namespace
}  // namespace kestrone
