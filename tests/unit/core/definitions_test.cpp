#include "core/definitions.h"

#include <string>

#include "core/data_places.h"
#include "core/errors.h"
#include "sim_fixture.h"

namespace kestrone {
namespace {

class DefinitionsStore : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddFolder("C:\\Program Files\\Kestrone");
        world().AddFolder("C:\\Temp");
    }
    const std::string exeDir = "C:\\Program Files\\Kestrone\\";
};

TEST_F(DefinitionsStore, EncryptedFileReadsItsDecryptedCopyOthersBesideTheProgram) {
    world().AddFile("C:\\Temp\\KERNEL.DLL", "[VirusName]\r\nName=decrypted\r\n");
    world().AddFile(exeDir + "kernel.dll", "[VirusName]\r\nName=encrypted bytes\r\n");
    world().AddFile(exeDir + "Process.dat", "[Process]\r\nSystemProcesses=beside\r\n");
    world().AddFile("C:\\Temp\\Process.dat", "[Process]\r\nSystemProcesses=temp\r\n");

    EXPECT_EQ(ReadDataString("VirusName", "Name", "None", "KERNEL.DLL"), "decrypted");
    EXPECT_EQ(ReadDataString("VirusName", "Name", "None", "kernel.dll"), "decrypted");
    EXPECT_EQ(ReadDataString("Process", "SystemProcesses", "", "Process.dat"), "beside");
    EXPECT_TRUE(IsEncryptedDataFile("Kernel.Dll"));
    EXPECT_FALSE(IsEncryptedDataFile("C:\\Temp\\kernel.dll"));  // only the bare name
}

TEST_F(DefinitionsStore, MissingFileSectionOrKeyGiveTheDefault) {
    EXPECT_EQ(ReadDataString("VirusName", "Name", "None", kDefinitionsFile), "None");
    world().AddFile("C:\\Temp\\kernel.dll", "[Other]\r\nName=x\r\n");
    EXPECT_EQ(ReadDataString("VirusName", "Name", "None", kDefinitionsFile), "None");
    EXPECT_EQ(ReadDataString("Other", "Missing", "0", kDefinitionsFile), "0");
}

TEST_F(DefinitionsStore, ValuesAreTrimmedUnquotedAndCutAt2047) {
    std::string longValue(3000, 'x');
    world().AddFile(exeDir + "a.ini", "[s]\r\nq = \"quoted value\" \r\nlong=" + longValue + "\r\n");
    EXPECT_EQ(ReadDataString("S", "Q", "", "a.ini"), "quoted value");
    EXPECT_EQ(ReadDataString("s", "long", "", "a.ini"), std::string(2047, 'x'));
}

TEST_F(DefinitionsStore, TypedValuesRoundTripAndFallBack) {
    WriteDataInteger("Settings", "UserChoice", 2, kUserSettingsFile);
    WriteDataBool("Settings", "NeedShowSelDiag", true, kUserSettingsFile);
    WriteDataBool("Settings", "BlockPlugInstall", false, kUserSettingsFile);
    EXPECT_EQ(world().Content(exeDir + kUserSettingsFile),
              "[Settings]\r\nUserChoice=2\r\nNeedShowSelDiag=1\r\nBlockPlugInstall=0\r\n");
    EXPECT_EQ(ReadDataInteger("Settings", "UserChoice", 3, kUserSettingsFile), 2);
    EXPECT_TRUE(ReadDataBool("Settings", "NeedShowSelDiag", false, kUserSettingsFile));
    EXPECT_FALSE(ReadDataBool("Settings", "BlockPlugInstall", true, kUserSettingsFile));

    WriteDataString("Settings", "UserChoice", "abc", kUserSettingsFile);
    EXPECT_EQ(ReadDataInteger("Settings", "UserChoice", 3, kUserSettingsFile), 3);
    WriteDataString("Settings", "UserChoice", "0x2", kUserSettingsFile);
    EXPECT_EQ(ReadDataInteger("Settings", "UserChoice", 3, kUserSettingsFile), 2);
    WriteDataString("Settings", "NeedShowSelDiag", "abc", kUserSettingsFile);
    EXPECT_TRUE(ReadDataBool("Settings", "NeedShowSelDiag", true, kUserSettingsFile));
}

TEST_F(DefinitionsStore, RefusedWriteRaisesWithThePath) {
    // The folder turns read-only after start-up, when the data places are decided.
    ASSERT_EQ(CurrentDataLayout(), DataLayout::Portable);
    world().MakeWriteProtected("C:\\Program Files\\Kestrone");
    try {
        WriteDataBool("ShowDiag", "CloseExplorer", false, kUserSettingsFile);
        FAIL() << "no error raised";
    } catch (const EWriteError& error) {
        EXPECT_STREQ(error.what(), "Unable to write to C:\\Program Files\\Kestrone\\UserSettings.ini");
    }
}

TEST_F(DefinitionsStore, DriveListsKeepLetterOrderAndSkipA) {
    world().AddDrive('A', platform::kDriveRemovable);
    world().AddDrive('B', platform::kDriveRemovable);
    world().AddDrive('D', platform::kDriveCdRom);
    world().AddDrive('E', platform::kDriveRemovable);
    world().AddDrive('F', platform::kDriveRemote);
    world().AddDrive('G', platform::kDriveFixed);
    EXPECT_EQ(GetFixedDriveLetters(), "CG");
    EXPECT_EQ(GetRemovableDriveLetters(), "BE");
}

}  // namespace
}  // namespace kestrone
