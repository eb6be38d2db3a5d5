// A drive attached while Kestrone runs: which drive, optical drives, the
// no-threat popup, and the threat action with the stored choice or the dialog.
#include "app/device_arrival.h"

#include <cstring>

#include "app/threat_choice.h"
#include "core/user_settings.h"
#include "platform/sim/process_table.h"
#include "sim_fixture.h"

namespace kestrone {
namespace {

TEST(UnitMask, LowestOfTheFirstTwentySixBitsNamesTheDrive) {
    struct Case {
        uint32_t mask;
        char letter;
    } const cases[] = {{1u << 4, 'E'}, {(1u << 4) | (1u << 5), 'E'}, {1u, 'A'},
                       {1u << 25, 'Z'}, {0, 0},  {1u << 26, 0},        {0xFC000000u | (1u << 6), 'G'}};
    for (const Case& c : cases) EXPECT_EQ(DriveLetterOfUnitMask(c.mask), c.letter) << c.mask;
}

TEST(UnitMask, OnlyVolumeArrivalsCount) {
    unsigned char record[20] = {};
    uint32_t size = 20, type = kDbtDevTypVolume, mask = 1u << 6;
    std::memcpy(record, &size, 4);
    std::memcpy(record + 4, &type, 4);
    std::memcpy(record + 12, &mask, 4);
    EXPECT_EQ(ArrivedVolumeLetter(kDbtDeviceArrival, record), 'G');
    EXPECT_EQ(ArrivedVolumeLetter(0x8004, record), 0);  // removal
    EXPECT_EQ(ArrivedVolumeLetter(kDbtDeviceArrival, nullptr), 0);
    type = 5;  // a device interface, not a volume
    std::memcpy(record + 4, &type, 4);
    EXPECT_EQ(ArrivedVolumeLetter(kDbtDeviceArrival, record), 0);
}

class ScriptedUi : public ArrivalUi {
public:
    int action = 0;
    int asked = 0;
    std::vector<std::string> popups;
    int ChooseThreatAction(const std::string& /*driveRoot*/) override {
        ++asked;
        return kestrone::ChooseThreatAction([this] { return action; });
    }
    void ShowPopup(const std::string& text) override { popups.push_back(text); }
    uintptr_t OwnerWindow() override { return 0x1234; }
};

class Arrival : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        AddPcWithStick(true);
        world().AddFile("C:\\Temp\\KERNEL.DLL", "[VirusName]\r\nName=None\r\n");
    }
    void Infect() {
        world().AddFile("E:\\Autorun.inf", "[AutoRun]\r\nshellexecute=worm.exe\r\n");
        world().AddFile("E:\\worm.exe", "MZ worm", platform::kAttrHidden);
        world().AddFile("E:\\Thesis.doc", "the user's work");
    }
    void Settings(const std::string& body) {
        world().AddFile("C:\\Program Files\\Kestrone\\UserSettings.ini", "[Settings]\r\n" + body);
    }
    static const std::vector<sim::ShellRequest>& shell() { return sim::TheShellLog().Requests(); }
    ScriptedUi ui;
};

TEST_F(Arrival, CleanDriveGetsTheNoThreatPopupAndAnImmunisedDriveToo) {
    EXPECT_EQ(HandleVolumeArrival('E', ui), ArrivalOutcome::NoThreat);
    world().AddFolder("E:\\Autorun.inf");
    EXPECT_EQ(HandleVolumeArrival('E', ui), ArrivalOutcome::NoThreat);
    EXPECT_EQ(ui.popups, (std::vector<std::string>(2, "Scan for E:\\ drive,no threat found")));
    EXPECT_EQ(ui.asked, 0);
}

TEST_F(Arrival, OpticalDrivesAreLeftAlone) {
    world().AddDrive('F', platform::kDriveCdRom);
    world().AddFile("F:\\Autorun.inf", "[AutoRun]\r\nopen=setup.exe\r\n");
    EXPECT_EQ(HandleVolumeArrival('F', ui), ArrivalOutcome::Ignored);
    EXPECT_TRUE(ui.popups.empty());
    EXPECT_EQ(ui.asked, 0);
}

TEST_F(Arrival, EachActionCleansOpensOrBoth) {
    struct Case {
        int action;
        ArrivalOutcome outcome;
        bool wormRemains;
        size_t popups;
        size_t opens;
        uintptr_t owner;
    } const cases[] = {
        {1, ArrivalOutcome::Cleaned, false, 1, 0, 0},
        {2, ArrivalOutcome::Opened, true, 0, 1, 0x1234},
        {3, ArrivalOutcome::CleanedAndOpened, false, 1, 1, 0},
        {4, ArrivalOutcome::NothingDone, true, 0, 0, 0},
        {0, ArrivalOutcome::NothingDone, true, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SetUp();
        Infect();
        ui = ScriptedUi{};
        ui.action = c.action;
        EXPECT_EQ(HandleVolumeArrival('E', ui), c.outcome) << c.action;
        EXPECT_EQ(world().Exists("E:\\worm.exe"), c.wormRemains) << c.action;
        EXPECT_TRUE(world().Exists("E:\\Thesis.doc")) << c.action;
        ASSERT_EQ(ui.popups.size(), c.popups) << c.action;
        if (c.popups) {
            EXPECT_EQ(ui.popups[0], "E:\\worm.exe  cleaned\rE:\\Autorun.inf  cleaned\r");
        }
        ASSERT_EQ(shell().size(), c.opens) << c.action;
        if (c.opens) {
            EXPECT_EQ(shell()[0].file, "E:\\");
            EXPECT_EQ(shell()[0].verb, "Open");
            EXPECT_EQ(shell()[0].ownerWindow, c.owner);
        }
    }
}

TEST_F(Arrival, StoredChoiceActsWithoutAsking) {
    Settings("NeedShowSelDiag=0\r\nUserChoice=2\r\n");
    Infect();
    ui.action = 1;  // the dialog would clean; it must not be asked
    EXPECT_EQ(HandleVolumeArrival('E', ui), ArrivalOutcome::Opened);
    EXPECT_TRUE(world().Exists("E:\\worm.exe"));
    EXPECT_TRUE(ui.popups.empty());
}

class SelChoice : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddFolder("C:\\Program Files\\Kestrone");
    }
    static bool SettingsExist() {
        return sim::TheWorld().Exists("C:\\Program Files\\Kestrone\\UserSettings.ini");
    }
};

TEST_F(SelChoice, InitialSelectionFollowsTheStoredChoice) {
    const std::pair<int, int> cases[] = {{1, 0}, {2, 1}, {3, 2}, {7, 2}, {0, -1}, {-3, -1}};
    for (auto [choice, index] : cases) EXPECT_EQ(InitialChoiceIndex(choice), index) << choice;
}

TEST_F(SelChoice, OkStoresTheChoiceAndTheSwitch) {
    EXPECT_EQ(SelChoiceResult(SelChoiceAnswer::Ok, 0, true), 1);
    EXPECT_FALSE(ReadNeedShowSelDiag());
    EXPECT_EQ(ReadUserChoice(), 1);
    EXPECT_EQ(SelChoiceResult(SelChoiceAnswer::Ok, 2, false), 3);
    EXPECT_TRUE(ReadNeedShowSelDiag());
    EXPECT_EQ(ReadUserChoice(), 3);
}

TEST_F(SelChoice, CancelCloseBoxAndOkWithoutChoiceStoreNothing) {
    EXPECT_EQ(SelChoiceResult(SelChoiceAnswer::Cancel, 1, true), kActionNothing);
    EXPECT_EQ(SelChoiceResult(SelChoiceAnswer::CloseBox, 1, true), kActionNothing);
    EXPECT_EQ(SelChoiceResult(SelChoiceAnswer::Ok, -1, true), 0);  // the dialog stays open
    EXPECT_FALSE(SettingsExist());
}

TEST_F(SelChoice, DialogIsAskedOnlyWhileTheSwitchIsOn) {
    int asked = 0;
    auto dialog = [&] {
        ++asked;
        return 2;
    };
    EXPECT_EQ(ChooseThreatAction(dialog), 2);
    SelChoiceResult(SelChoiceAnswer::Ok, 0, true);  // "Don't show this again."
    EXPECT_EQ(ChooseThreatAction(dialog), 1);
    EXPECT_EQ(asked, 1);
}

}  // namespace
}  // namespace kestrone
