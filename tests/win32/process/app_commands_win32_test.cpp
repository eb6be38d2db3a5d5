// The process page, USB unlock and the machine-wide switches against real
// processes and the real registry.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/process_manager.h"
#include "app/system_switches.h"
#include "app/usb_unlock.h"
#include "platform/registry.h"
#include "sleeper_process.h"

namespace kestrone::test {
namespace {

TEST(AppCommandsWin32, ProcessRowsShowAStartedProgramWithItsPath) {
    Sleeper sleeper("plain");
    ASSERT_TRUE(sleeper.started());
    bool found = false;
    for (const ProcessRow& row : ReadProcessRows()) {
        if (!SameText(row.name, "process_sleeper.exe")) continue;
        found = true;
        EXPECT_TRUE(SameText(row.path, sleeper.path())) << row.path;
        EXPECT_EQ(row.status, kUnknownProcessText);  // no process lists beside the tests
    }
    EXPECT_TRUE(found);
}

TEST(AppCommandsWin32, UnlockEndsAProgramHoldingAFileOnTheStickAndSparesUs) {
    Sleeper holder("E:\\Thesis.doc");
    Sleeper bystander("C:\\notes.txt");
    ASSERT_TRUE(holder.started() && bystander.started());
    UnlockResult result = UnlockUsbDrives();
    EXPECT_EQ(holder.ExitCode(5000), 0) << "the holder still runs";
    EXPECT_EQ(bystander.ExitCode(0), -1) << "a program without the stick was ended";
    EXPECT_NE(IndexOfText(result.terminated, "process_sleeper.exe"), -1);
    EXPECT_EQ(IndexOfText(result.terminated, FilePart(OwnFolder() + "win32_process.exe")), -1);
    EXPECT_TRUE(result.survivors.empty());
}

class SwitchesWin32 : public ::testing::Test {
protected:
    void TearDown() override {
        platform::RegistryKey run;
        if (run.Open(platform::kHkeyLocalMachine, kRunKeyPath)) run.DeleteValue("win32_process.exe");
    }
};

TEST_F(SwitchesWin32, AutostartValueIsTheQuotedProgramPathWithTheTraySwitch) {
    SetAutostart(true);
    EXPECT_TRUE(IsAutostart());
    platform::RegistryKey run;
    ASSERT_TRUE(run.OpenForReading(platform::kHkeyLocalMachine, kRunKeyPath));
    char self[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    EXPECT_EQ(run.ReadString("win32_process.exe"), std::string("\"") + self + "\" -Hide");
    SetAutostart(false);
    EXPECT_FALSE(IsAutostart());
}

TEST_F(SwitchesWin32, UsbPoliciesRoundTripThroughTheRegistry) {
    for (bool on : {true, false}) {
        SetUsbStorageDisabled(on);
        SetUsbWriteProtected(on);
        EXPECT_EQ(IsUsbStorageDisabled(), on);
        EXPECT_EQ(IsUsbWriteProtected(), on);
    }
    platform::RegistryKey usbstor;
    ASSERT_TRUE(usbstor.OpenForReading(platform::kHkeyLocalMachine, kUsbStorKeyPath));
    uint32_t start = 0;
    EXPECT_TRUE(usbstor.ReadDword("Start", start));
    EXPECT_EQ(start, 3u);
}

}  // namespace
}  // namespace kestrone::test
