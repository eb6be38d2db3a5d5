// Drive immunity, its cancel command and the autorun policy value.
#include "repair/immunity.h"

#include "core/errors.h"
#include "platform/files.h"
#include "platform/shell_exec.h"
#include "repair_fixture.h"

namespace kestrone::test {
namespace {

using platform::kHkeyCurrentUser;

class Immunity : public RepairTest {
  protected:
    void SetUp() override {
        RepairTest::SetUp();
        world().AddDrive('D', platform::kDriveFixed);
        world().AddDrive('E', platform::kDriveRemovable);
        world().AddDrive('F', platform::kDriveCdRom);
    }
    // The structure exactly as it must stand on an immunised drive.
    static void ExpectImmunised(char letter) {
        std::string root = std::string(1, letter) + ":\\";
        std::string dir = root + "Autorun.inf";
        SCOPED_TRACE(root);
        EXPECT_EQ(world().Attributes(dir), platform::kAttrDirectory | platform::kAttrHidden);
        EXPECT_EQ(world().Content(dir + "\\ReadMe.txt"),
                  "The directory created by Kestrone should be deleted by itself\r\n");
        std::vector<std::string> names;
        for (const auto& entry : platform::ListFolder(dir + "\\*")) names.push_back(entry.name);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"ImmunityFolder...", "ReadMe.txt"}));
        EXPECT_TRUE(world().IsFolder("\\\\?\\" + dir + "\\ImmunityFolder..."));
    }
    static bool Untouched(char letter) {
        return !world().Exists(std::string(1, letter) + ":\\Autorun.inf");
    }
    static void AddPolicyKey() { reg().SetDword(kHkeyCurrentUser, kPolicyBelowUser, "Other", 1); }
    static uint32_t Policy() {
        return reg().DwordValue(kHkeyCurrentUser, kPolicyBelowUser, "NoDriveTypeAutoRun");
    }
};

TEST_F(Immunity, DriveGetsHiddenDirectoryReadMeAndDottedFolder) {
    ImmunizeDrive("E:\\");
    ExpectImmunised('E');
    EXPECT_EQ(world().ListTree("E:\\").size(), 3u);
}

TEST_F(Immunity, DottedFolderKeepsAllThreeDots) {
    // The plain forms lose dots on Windows; only the literal one keeps them.
    EXPECT_EQ(ImmunityFolderPath("E:\\"), "\\\\?\\E:\\Autorun.inf\\ImmunityFolder...");
    ImmunizeDrive("E:\\");
    EXPECT_FALSE(world().IsFolder("\\\\?\\E:\\Autorun.inf\\ImmunityFolder.."));
    EXPECT_FALSE(world().IsFolder("\\\\?\\E:\\Autorun.inf\\ImmunityFolder"));
}

TEST_F(Immunity, ExistingDirectoryIsReusedAndLeftHiddenOnly) {
    world().AddFolder("E:\\Autorun.inf",
                      platform::kAttrReadOnly | platform::kAttrSystem | platform::kAttrArchive);
    world().AddFile("E:\\Autorun.inf\\ReadMe.txt", "changed by someone");
    ImmunizeDrive("E:\\");
    ImmunizeDrive("E:\\");
    ExpectImmunised('E');
    EXPECT_EQ(world().ListTree("E:\\").size(), 3u);
}

TEST_F(Immunity, FileNamedAutorunInfStopsTheRunAtThatDrive) {
    world().AddFile("D:\\autorun.inf", "[autorun]\r\nopen=worm.exe\r\n");
    EXPECT_THROW(ImmunizeDrives("CDE"), EFileError);
    ExpectImmunised('C');
    EXPECT_EQ(world().Content("D:\\autorun.inf"), "[autorun]\r\nopen=worm.exe\r\n");
    EXPECT_TRUE(Untouched('E'));
}

TEST_F(Immunity, WriteProtectedOrAbsentDriveRaises) {
    world().MakeWriteProtected("E:\\");
    EXPECT_THROW(ImmunizeDrive("E:\\"), EFileError);
    EXPECT_TRUE(Untouched('E'));
    EXPECT_THROW(ImmunizeDrive("G:\\"), EFileError);
}

TEST_F(Immunity, DriveTextIsLettersOrOneRoot) {
    ImmunizeDrives("E:\\");
    ExpectImmunised('E');
    EXPECT_TRUE(Untouched('C'));
    ImmunizeDrives("");
    EXPECT_TRUE(Untouched('C'));
    ImmunizeDrives("CD");
    ExpectImmunised('C');
    ExpectImmunised('D');
}

TEST_F(Immunity, ApplyImmunisesTheChosenDrives) {
    struct Case {
        ImmunityTarget target;
        std::string selected;
        std::string immunised;
    };
    const Case cases[] = {
        {ImmunityTarget::LocalDisks, "", "CD"},
        {ImmunityTarget::UsbDrives, "", "E"},
        {ImmunityTarget::ManualSelection, "D:\\", "D"},
        {ImmunityTarget::ManualSelection, "", ""},
    };
    for (const Case& c : cases) {
        world().Reset();
        SetUp();
        ImmunitySettings settings;
        settings.disableAutorun = false;
        settings.target = c.target;
        settings.selectedDrive = c.selected;
        ApplyImmunity(settings);
        for (char letter : std::string("CDEF")) {
            if (c.immunised.find(letter) != std::string::npos) {
                ExpectImmunised(letter);
            } else {
                EXPECT_TRUE(Untouched(letter)) << letter << " for " << c.immunised;
            }
        }
    }
}

TEST_F(Immunity, ApplyWithoutImmunisingOnlySetsThePolicy) {
    AddPolicyKey();
    ImmunitySettings settings;
    settings.immunize = false;
    settings.target = ImmunityTarget::LocalDisks;
    ApplyImmunity(settings);
    EXPECT_EQ(Policy(), 255u);
    EXPECT_TRUE(Untouched('C'));
    EXPECT_TRUE(Untouched('E'));
}

TEST_F(Immunity, PolicyValuesAreDwordsInAnExistingKeyOnly) {
    DisableAutorunAllDrives();
    RestoreAutorunDefault();
    EXPECT_FALSE(reg().KeyExists(kHkeyCurrentUser, kPolicyBelowUser));

    AddPolicyKey();
    DisableAutorunAllDrives();
    EXPECT_EQ(reg().ValueType(kHkeyCurrentUser, kPolicyBelowUser, "NoDriveTypeAutoRun"),
              platform::kRegDword);
    EXPECT_EQ(Policy(), 0xFFu);
    RestoreAutorunDefault();
    EXPECT_EQ(Policy(), 0x95u);
}

TEST_F(Immunity, CancelCommandReachesTheDottedFolder) {
    EXPECT_EQ(CancelImmunityCommand('E'), "cmd /c rmdir /s /q \"\\\\?\\E:\\autorun.inf\"");
}

TEST_F(Immunity, CancelRestoresPolicyAndRunsOneHiddenCommandPerDrive) {
    AddPolicyKey();
    DisableAutorunAllDrives();
    world().AddDrive('B', platform::kDriveRemovable);
    CancelImmunity();
    EXPECT_EQ(Policy(), 149u);
    std::vector<std::string> commands;
    for (const auto& request : requests()) {
        EXPECT_TRUE(request.commandLine);
        EXPECT_EQ(request.showCommand, platform::kShowHide);
        commands.push_back(request.file);
    }
    // Fixed drives first, then removable ones; CD-ROM drives are not among them.
    EXPECT_EQ(commands, (std::vector<std::string>{CancelImmunityCommand('C'),
                                                  CancelImmunityCommand('D'),
                                                  CancelImmunityCommand('B'),
                                                  CancelImmunityCommand('E')}));
}

}  // namespace
}  // namespace kestrone::test
