// Commands as an ordinary account sees them: what goes to an elevated
// instance and how it travels there and back, the per-user autostart, and the
// honest end of a scan or an arrival that Windows partly refused.
#include "app/admin_task.h"

#include "app/device_arrival.h"
#include "app/scan_command.h"
#include "app/system_switches.h"
#include "app/threat_choice.h"
#include "core/history_log.h"
#include "platform/sim/registry_tree.h"
#include "sim_fixture.h"

namespace kestrone {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

// The C runtime's split of a command line (backslashes count only before a quote).
std::vector<std::string> SplitLikeTheRuntime(const std::string& line) {
    std::vector<std::string> arguments;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ') ++i;
        if (i >= line.size()) break;
        std::string argument;
        bool quoted = false;
        for (; i < line.size() && (quoted || line[i] != ' '); ++i) {
            size_t backslashes = 0;
            while (i < line.size() && line[i] == '\\') ++backslashes, ++i;
            if (i < line.size() && line[i] == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2) {
                    argument += '"';
                } else {
                    quoted = !quoted;
                }
            } else {
                argument.append(backslashes, '\\');
                if (i >= line.size() || (!quoted && line[i] == ' ')) break;
                argument += line[i];
            }
        }
        arguments.push_back(argument);
    }
    return arguments;
}

TEST(AdminCommandLine, EveryTaskSurvivesTheTripThroughTheCommandLine) {
    const AdminRequest requests[] = {
        {AdminTask::UsbPolicies, {"1", "0"}, 0x10ABC},
        {AdminTask::MachineAutostart, {"0"}, 7},
        {AdminTask::Repair, {"Restore the hidden files view", "Say \"no\" to C:\\Tmp\\"}, 9},
        {AdminTask::Undo, {"42"}, 9},
        {AdminTask::Scan, {"memory", "E:\\", "local"}, 123456789},
    };
    for (const AdminRequest& request : requests) {
        std::string parameters = FormatAdminParameters(request);
        SCOPED_TRACE(parameters);
        AdminRequest parsed;
        ASSERT_TRUE(ParseAdminArguments(SplitLikeTheRuntime(parameters), parsed));
        EXPECT_EQ(parsed.task, request.task);
        EXPECT_EQ(parsed.arguments, request.arguments);
        EXPECT_EQ(parsed.replyWindow, request.replyWindow);
    }
}

// The elevated instance does nothing for a command line it did not expect.
TEST(AdminCommandLine, AnythingButAFittingCommandIsRefused) {
    const std::vector<std::string> refused[] = {
        {},
        {"-Hide"},
        {"-Admin", "12"},
        {"-Admin", "x12", "undo", "3"},
        {"-Admin", "12", "format", "C:\\"},
        {"-Admin", "12", "usb-policies", "1"},
        {"-Admin", "12", "usb-policies", "2", "0"},
        {"-Admin", "12", "autostart", "yes"},
        {"-Admin", "12", "undo", "0"},
        {"-Admin", "12", "undo", "-1"},
        {"-Admin", "12", "scan"},
        {"-Admin", "12", "scan", "C:\\Windows"},
        {"-Admin", "12", "scan", "..\\E:\\"},
        {"-Admin", "12", "repair"},
    };
    for (const std::vector<std::string>& arguments : refused) {
        AdminRequest parsed;
        EXPECT_FALSE(ParseAdminArguments(arguments, parsed))
            << (arguments.size() > 2 ? arguments[2] : "") << " " << arguments.size();
    }
}

TEST(AdminResult, TheReplyKeepsTaskStatusAndLines) {
    AdminResult result{AdminTask::Scan, true, {"E:\\worm.exe  cleaned", "", "E:\\ cleaned completed."}};
    AdminResult back;
    ASSERT_TRUE(ParseAdminResult(FormatAdminResult(result), back));
    EXPECT_EQ(back.task, AdminTask::Scan);
    EXPECT_TRUE(back.done);
    EXPECT_EQ(back.lines, result.lines);
    EXPECT_FALSE(ParseAdminResult("scan\tmaybe", back));
    EXPECT_FALSE(ParseAdminResult("Hello", back));
}

TEST(AutostartPlan, OnWithoutRightsUsesTheUsersOwnKeyAndOnlyRemovingTheMachinesNeedsThem) {
    struct Case {
        bool on, mayWriteMachine, machineHas, userHas;
        AutostartPlan expected;
    } const cases[] = {
        // on: the machine's value when we may, else this user's; never both.
        {true, true, false, false, {true, false, false, false, false}},
        {true, true, false, true, {true, false, false, true, false}},
        {true, false, false, false, {false, false, true, false, false}},
        {true, false, false, true, {false, false, false, false, false}},
        {true, false, true, false, {false, false, false, false, false}},
        // off: whatever exists goes; the machine's value may need the rights.
        {false, true, true, true, {false, true, false, true, false}},
        {false, false, true, true, {false, false, false, true, true}},
        {false, false, false, false, {false, false, false, false, false}},
    };
    for (const Case& c : cases) {
        AutostartPlan plan = PlanAutostart(c.on, c.mayWriteMachine, c.machineHas, c.userHas);
        SCOPED_TRACE(testing::Message() << c.on << c.mayWriteMachine << c.machineHas << c.userHas);
        EXPECT_EQ(plan.writeMachine, c.expected.writeMachine);
        EXPECT_EQ(plan.deleteMachine, c.expected.deleteMachine);
        EXPECT_EQ(plan.writeUser, c.expected.writeUser);
        EXPECT_EQ(plan.deleteUser, c.expected.deleteUser);
        EXPECT_EQ(plan.machineNeedsAdministrator, c.expected.machineNeedsAdministrator);
    }
}

class AsStandardUser : public test::SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        AddPcWithStick(true);
        world().AddFolder("C:\\Users\\User\\AppData\\Local");
        world().AddFile("C:\\Temp\\KERNEL.DLL", "[VirusName]\r\nName=None\r\n");
        world().SetStandardUser();
    }
    static constexpr char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
};

TEST_F(AsStandardUser, AutostartIsSwitchedForThisUserWithoutAPrompt) {
    EXPECT_FALSE(SetAutostart(true));
    EXPECT_TRUE(sim::TheRegistry().HasValue(kHkeyCurrentUser, kRun, "Kestrone.exe"));
    EXPECT_FALSE(sim::TheRegistry().HasValue(kHkeyLocalMachine, kRun, "Kestrone.exe"));
    EXPECT_TRUE(IsAutostart());
    // A machine-wide value (the installer's) can only go with the rights.
    sim::TheRegistry().SetString(kHkeyLocalMachine, kRun, "Kestrone.exe", "x");
    EXPECT_TRUE(SetAutostart(false));
    EXPECT_FALSE(sim::TheRegistry().HasValue(kHkeyCurrentUser, kRun, "Kestrone.exe"));
    EXPECT_TRUE(IsAutostart());
}

// In place without rights the task fails with its message and changes
// nothing; the elevated instance (same task, rights held) does it.
TEST_F(AsStandardUser, AnAdministratorTaskNeedsTheRightsItAsksFor) {
    AdminRequest usb{AdminTask::UsbPolicies, {"1", "1"}, 0};
    AdminResult refused = RunAdminTask(usb);
    EXPECT_FALSE(refused.done);
    ASSERT_FALSE(refused.lines.empty());
    EXPECT_NE(refused.lines.back().find("Windows refused to change"), std::string::npos);
    EXPECT_FALSE(sim::TheRegistry().KeyExists(kHkeyLocalMachine, kUsbStorKeyPath));

    world().SetElevated(true);
    AdminResult done = RunAdminTask(usb);
    EXPECT_TRUE(done.done);
    EXPECT_EQ(sim::TheRegistry().DwordValue(kHkeyLocalMachine, kUsbStorKeyPath, "Start"), 4u);
    TextList history = ReadHistory();
    ASSERT_FALSE(history.empty());
    EXPECT_NE(history.back().find("USB storage disabled: yes, write-protected: yes"),
              std::string::npos);
}

class RecordingUi : public ArrivalUi {
  public:
    int ChooseThreatAction(const std::string& /*driveRoot*/) override { return 1; }
    void ShowPopup(const std::string& text) override { popups.push_back(text); }
    uintptr_t OwnerWindow() override { return 0; }
    void OfferElevatedClean(const std::string& root, int refused) override {
        offers.push_back(root + " " + std::to_string(refused));
    }
    TextList popups, offers;
};

// A worm that Windows would not let go is not reported as cleaned, neither
// by the popup nor by the scan page, and the rights are offered.
TEST_F(AsStandardUser, WhatWindowsWouldNotLetGoIsSaidAndAnElevatedRepeatOffered) {
    world().AddFile("E:\\Autorun.inf", "[AutoRun]\r\nshellexecute=worm.exe\r\n");
    world().AddFile("E:\\worm.exe", "MZ worm", platform::kAttrHidden);
    world().Lock("E:\\worm.exe");
    world().RefuseRestartScheduling(true);
    RecordingUi ui;
    world().AddFile("C:\\Program Files\\Kestrone\\UserSettings.ini",
                    "[Settings]\r\nNeedShowSelDiag=0\r\nUserChoice=1\r\n");
    HandleVolumeArrival('E', ui);
    ASSERT_EQ(ui.popups.size(), 1u);
    EXPECT_EQ(ui.popups[0].find("worm.exe  cleaned"), std::string::npos) << ui.popups[0];
    EXPECT_NE(ui.popups[0].find("1 threat could not be removed: Windows refused access, "
                                "administrator rights are needed."),
              std::string::npos)
        << ui.popups[0];
    EXPECT_EQ(ui.offers, TextList{"E:\\ 1"});

    world().AddFile("E:\\Autorun.inf", "[AutoRun]\r\nshellexecute=worm.exe\r\n");
    TextList report;
    int offered = 0;
    ScanPorts ports = EngineScanPorts();
    ports.appendLines = [&](const TextList& lines) { report.insert(report.end(), lines.begin(), lines.end()); };
    ports.setStatus = [](int, const std::string&) {};
    ports.decryptDataFiles = [] {};
    ports.offerElevatedRepeat = [&](int refused) { offered = refused; };
    OnDemandScan scan(ports);
    scan.Start(ScanTargets{false, false, true});
    ASSERT_GE(report.size(), 2u);
    EXPECT_EQ(report.back(), kScanIncompleteLine);
    EXPECT_EQ(offered, 1);
    for (const std::string& line : report) EXPECT_NE(line, kScanCompletedLine);
}

}  // namespace
}  // namespace kestrone
