// The computer's policy, then the user's, then the settings file: for every
// policy of the table, both as the plain rule and as the program reads it.
#include <functional>
#include <set>

#include "app/settings_page_values.h"
#include "app/system_switches.h"
#include "app/threat_choice.h"
#include "core/definitions.h"
#include "core/policy_values.h"
#include "core/quarantine_store.h"
#include "core/text.h"
#include "core/trusted_sticks.h"
#include "core/user_settings.h"
#include "platform/registry.h"
#include "repair/immunity.h"
#include "sim_fixture.h"
#include "updater/mirror_list.h"

namespace kestrone {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

RawPolicyValue Dword(uint32_t number) { return {true, platform::kRegDword, number, ""}; }
RawPolicyValue Text(const std::string& text) { return {true, platform::kRegSz, 0, text}; }
RawPolicyValue Absent() { return {}; }

// A valid value of the policy, a second valid one, and one it must refuse.
RawPolicyValue Valid(const PolicyInfo& info, int which) {
    if (info.kind == PolicyKind::Text) return Text(which == 0 ? "\\\\one\\defs" : "\\\\two\\defs");
    return Dword(which == 0 ? info.lowest : info.highest);
}
RawPolicyValue OutOfRange(const PolicyInfo& info) {
    if (info.kind == PolicyKind::Text) return Text("  ");
    return Dword(info.highest + 1);
}
RawPolicyValue WrongType(const PolicyInfo& info) {
    if (info.kind == PolicyKind::Text) return Dword(1);
    return Text(std::to_string(info.lowest));
}

TEST(PolicyPrecedence, ComputerThenUserThenNothingForEveryPolicy) {
    for (const PolicyInfo& info : PolicyTable()) {
        SCOPED_TRACE(info.valueName);
        bool userCounts = info.scope == PolicyScope::MachineThenUser;
        struct Row {
            RawPolicyValue machine, user;
            int expected;  // -1 no policy, 0 the first valid value, 1 the second
        } rows[] = {
            {Absent(), Absent(), -1},
            {Valid(info, 0), Absent(), 0},
            {Absent(), Valid(info, 1), userCounts ? 1 : -1},
            {Valid(info, 0), Valid(info, 1), 0},
            {OutOfRange(info), Valid(info, 1), userCounts ? 1 : -1},
            {WrongType(info), Absent(), -1},
            {Absent(), WrongType(info), -1},
            {OutOfRange(info), OutOfRange(info), -1},
        };
        for (size_t i = 0; i < std::size(rows); ++i) {
            SCOPED_TRACE(i);
            PolicySetting setting = ResolvePolicy(info, rows[i].machine, rows[i].user);
            ASSERT_EQ(setting.set, rows[i].expected >= 0);
            if (!setting.set) continue;
            RawPolicyValue want = Valid(info, rows[i].expected);
            EXPECT_EQ(setting.number, want.number);
            EXPECT_EQ(setting.text, want.text);
        }
    }
}

TEST(PolicyPrecedence, NumbersAreTakenOnlyWithinTheirRange) {
    const PolicyInfo& action = PolicyInfoOf(PolicyId::ThreatAction);
    struct {
        uint32_t number;
        bool accepted;
    } cases[] = {{0, false}, {1, true}, {4, true}, {5, false}, {0xFFFFFFFFu, false}};
    for (auto c : cases) {
        PolicySetting setting;
        EXPECT_EQ(AcceptPolicyValue(action, Dword(c.number), setting), c.accepted) << c.number;
    }
    PolicySetting setting;
    RawPolicyValue expandable{true, platform::kRegExpandSz, 0, "https://x.example/"};
    EXPECT_TRUE(AcceptPolicyValue(PolicyInfoOf(PolicyId::UpdateMirrors), expandable, setting));
}

TEST(PolicyTable, EveryIdHasOneEntryWithItsOwnValueName) {
    std::set<std::string> names;
    for (const PolicyInfo& info : PolicyTable()) {
        EXPECT_EQ(&PolicyInfoOf(info.id), &info);
        EXPECT_TRUE(names.insert(UpperCase(info.valueName)).second) << info.valueName;
    }
}

// The same rule as the program meets it: the simulated registry holds the
// policies, UserSettings.ini and the machine's own values the rest.
class PolicyInForce : public test::SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddFolder("C:\\Program Files\\Kestrone");
    }
    static void SetPolicy(uint32_t root, const std::string& name, const RawPolicyValue& value) {
        platform::RegistryKey key;
        ASSERT_TRUE(key.OpenOrCreate(root, kPolicyKeyPath));
        if (value.type == platform::kRegDword)
            key.WriteDword(name, value.number);
        else
            key.WriteString(name, value.text);
    }
};

struct InForceCase {
    PolicyId id;
    std::function<void()> arrangeFile;     // the user's own choice
    std::function<std::string()> inForce;  // what the program goes by
    std::string fromFile;
    RawPolicyValue machine, user;
    std::string fromMachine, fromUser;
};

std::vector<InForceCase> InForceCases() {
    return {
        {PolicyId::ThreatAction, [] { WriteUserChoice(2); },
         [] { return std::to_string(ReadUserChoice()); }, "2", Dword(4), Dword(1), "4", "1"},
        {PolicyId::AskBeforeAction, [] { WriteNeedShowSelDiag(true); },
         [] { return std::string(ReadNeedShowSelDiag() ? "ask" : "silent"); }, "ask", Dword(0),
         Dword(0), "silent", "silent"},
        {PolicyId::GuardDrives, [] { WriteGuardDrives(true); },
         [] { return std::string(ReadGuardDrives() ? "guard" : "none"); }, "guard", Dword(0),
         Dword(0), "none", "none"},
        {PolicyId::ShowAlertPopup, [] {},
         [] { return std::string(PolicyBoolOr(PolicyId::ShowAlertPopup, true) ? "popup" : "quiet"); },
         "popup", Dword(0), Dword(0), "quiet", "quiet"},
        {PolicyId::DisableUsbStorage,
         [] {
             platform::RegistryKey key;
             key.OpenOrCreate(kHkeyLocalMachine, kUsbStorKeyPath);
             key.WriteDword("Start", 3);
         },
         [] { return std::string(ReadSettingsPage().usbDisabled ? "off" : "on"); }, "on", Dword(1),
         Dword(1), "off", "on"},
        {PolicyId::UsbWriteProtect, [] {},
         [] { return std::string(ReadSettingsPage().usbWriteProtected ? "ro" : "rw"); }, "rw",
         Dword(1), Dword(1), "ro", "rw"},
        {PolicyId::DisableAutorun, [] {},
         [] {
             return std::string(AutorunStepOnApply(false, ReadPolicy(PolicyId::DisableAutorun)) ==
                                        AutorunStep::Disable
                                    ? "disable"
                                    : "leave");
         },
         "leave", Dword(1), Dword(1), "disable", "disable"},
        {PolicyId::QuarantineLimitMB, [] { WriteQuarantineLimitMegabytes(50); },
         [] { return std::to_string(QuarantineLimitBytes() / (1024 * 1024)); }, "50", Dword(10),
         Dword(0), "10", "0"},
        {PolicyId::UpdateMirrors,
         [] {
             WriteDataString(updater::kUpdateSection, updater::kMirrorsKey, "\\\\file\\defs",
                             kUserSettingsFile);
         },
         [] { return updater::ConfiguredMirrors().mirrors.at(0).location; }, "\\\\file\\defs\\",
         Text("https://gpo.example/defs"), Text("\\\\user\\defs"), "https://gpo.example/defs/",
         "\\\\user\\defs\\"},
        {PolicyId::AllowTrustedSticks,
         [] {
             sim::TheWorld().AddDrive('E', platform::kDriveRemovable);
             sim::TheWorld().SetVolumeIdentity('E', 0x1A2B3C4D, "WORK");
             TrustStick({0x1A2B3C4D, "WORK"}, "E:\\");
         },
         [] { return std::string(IsTrustedDrive("E:\\") ? "trusted" : "scanned"); }, "trusted",
         Dword(0), Dword(0), "scanned", "scanned"},
    };
}

TEST_F(PolicyInForce, EveryPolicyOutranksTheSettingsFileAndTheComputerOutranksTheUser) {
    std::vector<InForceCase> cases = InForceCases();
    ASSERT_EQ(cases.size(), PolicyTable().size());  // a new policy needs a row here
    for (const InForceCase& c : cases) {
        const char* name = PolicyInfoOf(c.id).valueName;
        SCOPED_TRACE(name);
        SetUp();
        c.arrangeFile();
        EXPECT_EQ(c.inForce(), c.fromFile) << "no policy";
        SetPolicy(kHkeyCurrentUser, name, c.user);
        EXPECT_EQ(c.inForce(), c.fromUser) << "the user's policy";
        SetPolicy(kHkeyLocalMachine, name, c.machine);
        EXPECT_EQ(c.inForce(), c.fromMachine) << "the computer's policy";
    }
}

TEST_F(PolicyInForce, SaveLeavesTheUsersOwnChoiceForWhenThePolicyGoes) {
    WriteUserChoice(1);
    WriteNeedShowSelDiag(true);
    SetPolicy(kHkeyLocalMachine, "ThreatAction", Dword(4));
    SettingsPageValues page = ReadSettingsPage();
    EXPECT_TRUE(page.locks.action);
    EXPECT_FALSE(page.locks.showAlert);
    EXPECT_EQ(page.actionTag, 0);  // "do nothing" has no radio button
    page.showAlert = false;
    WriteSettingsPage(page);
    EXPECT_EQ(ReadDataInteger(kSettingsSection, "UserChoice", 0, kUserSettingsFile), 1);
    EXPECT_FALSE(ReadNeedShowSelDiag());  // not set by policy: saved
}

TEST_F(PolicyInForce, AnActionSetByPolicyIsTakenWithoutAsking) {
    WriteNeedShowSelDiag(true);
    int asked = 0;
    auto dialog = [&] { ++asked; return 2; };
    EXPECT_EQ(ChooseThreatAction(dialog), 2);
    SetPolicy(kHkeyLocalMachine, "ThreatAction", Dword(1));
    EXPECT_EQ(ChooseThreatAction(dialog), 1);
    EXPECT_EQ(asked, 1);
}

TEST_F(PolicyInForce, ApplyWritesThePolicysUsbSwitchWhateverThePageSent) {
    SetPolicy(kHkeyLocalMachine, "UsbWriteProtect", Dword(0));
    SettingsPageValues sent;
    sent.usbDisabled = true;
    sent.usbWriteProtected = true;
    SettingsPageValues written = WriteUsbPolicies(sent);
    EXPECT_TRUE(written.usbDisabled);
    EXPECT_FALSE(written.usbWriteProtected);
    EXPECT_TRUE(IsUsbStorageDisabled());
    EXPECT_FALSE(IsUsbWriteProtected());
}

TEST(AutorunPolicy, CancelKeepsAutorunDisabledOnlyWhileThePolicySaysSo) {
    PolicySetting none, keepDisabled{true, 1, ""}, allow{true, 0, ""};
    EXPECT_EQ(AutorunStepOnCancel(none), AutorunStep::RestoreDefault);
    EXPECT_EQ(AutorunStepOnCancel(keepDisabled), AutorunStep::Leave);
    EXPECT_EQ(AutorunStepOnCancel(allow), AutorunStep::RestoreDefault);
    EXPECT_EQ(AutorunStepOnApply(true, none), AutorunStep::Disable);
    EXPECT_EQ(AutorunStepOnApply(true, allow), AutorunStep::Leave);
}

}  // namespace
}  // namespace kestrone
