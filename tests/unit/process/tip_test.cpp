// The tip question and its per-tip switch in UserSettings.ini.
#include "core/tip.h"

#include "core/definitions.h"
#include "core/errors.h"
#include "process_fixture.h"

namespace kestrone::test {
namespace {

using Tip = ProcessTest;

TEST_F(Tip, OkWithBoxTickedSwitchesTheTipOff) {
    shell.tick = true;
    EXPECT_EQ(ShowTip("CloseExplorer", "close?"), kTipContinue);
    EXPECT_EQ(Settings(), "[ShowDiag]\r\nCloseExplorer=0\r\n");
    EXPECT_EQ(ShowTip("CloseExplorer", "close?"), kTipContinue);
    EXPECT_EQ(shell.asked.size(), 1u);  // the second time nothing was shown

    // Another tip keeps its own switch.
    EXPECT_EQ(ShowTip("UnLockFlash", "unlock?"), kTipContinue);
    EXPECT_EQ(shell.asked.back(), "UnLockFlash");
}

TEST_F(Tip, OkWithBoxUntickedKeepsAsking) {
    EXPECT_EQ(ShowTip("CloseExplorer", "close?"), kTipContinue);
    EXPECT_EQ(Settings(), "[ShowDiag]\r\nCloseExplorer=1\r\n");
    EXPECT_EQ(ShowTip("CloseExplorer", "close?"), kTipContinue);
    EXPECT_EQ(shell.asked.size(), 2u);
}

TEST_F(Tip, CancelOrCloseBoxStoresNothing) {
    shell.tick = true;
    for (int answer : {2, 0, 7}) {  // Cancel, and anything that is not OK
        shell.answer = answer;
        EXPECT_EQ(ShowTip("CloseExplorer", "close?"), kTipCancel);
    }
    EXPECT_FALSE(world().Exists("C:\\Program Files\\Kestrone\\UserSettings.ini"));
}

TEST_F(Tip, SwitchAsTheUserLeftItInTheFile) {
    world().AddFile("C:\\Program Files\\Kestrone\\UserSettings.ini",
                    "[ShowDiag]\r\nCloseExplorer=1\r\nUnLockFlash=0\r\n");
    EXPECT_EQ(ShowTip("UnLockFlash", "unlock?"), kTipContinue);
    EXPECT_TRUE(shell.asked.empty());
    shell.answer = 2;
    EXPECT_EQ(ShowTip("CloseExplorer", "close?"), kTipCancel);
    EXPECT_EQ(shell.asked.size(), 1u);
}

TEST_F(Tip, RefusedWriteEndsTheCommand) {
    world().AddFile("C:\\Program Files\\Kestrone\\UserSettings.ini", "", platform::kAttrReadOnly);
    EXPECT_THROW(ShowTip("CloseExplorer", "close?"), EWriteError);
}

}  // namespace
}  // namespace kestrone::test
