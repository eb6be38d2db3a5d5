// The threat question's trust box: usable only for a volume with a serial
// while trust is allowed, ticked for a trusted stick, and OK changes trust
// only when the tick changed.
#include "app/trust_choice.h"

#include "core/policy_table.h"
#include "platform/registry.h"
#include "sim_fixture.h"

namespace kestrone {
namespace {

class TrustAnswer : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        AddPcWithStick(true);
        world().SetVolumeIdentity('E', 0x11112222, "WORK");
    }
};

TEST_F(TrustAnswer, TickTrustsClearingTakesTrustAwayAndADisabledBoxDoesNothing) {
    platform::VolumeIdentity volume;
    TrustBox box = TrustBoxForDrive("E:\\", volume);
    ASSERT_TRUE(box.enabled);
    EXPECT_FALSE(box.checked);
    ApplyTrustAnswer("E:\\", volume, box, true);
    EXPECT_TRUE(IsTrustedDrive("E:\\"));

    box = TrustBoxForDrive("E:\\", volume);
    EXPECT_TRUE(box.checked);
    ApplyTrustAnswer("E:\\", volume, box, true);  // unchanged: nothing recorded twice
    EXPECT_EQ(ReadTrustedSticks().size(), 1u);
    ApplyTrustAnswer("E:\\", volume, box, false);
    EXPECT_FALSE(IsTrustedDrive("E:\\"));

    // Trust forbidden by the administrator: the box is disabled and a tick
    // that arrives anyway (a message sent to the dialog) is ignored.
    platform::RegistryKey policy;
    ASSERT_TRUE(policy.OpenOrCreate(platform::kHkeyLocalMachine, kPolicyKeyPath));
    policy.WriteDword("AllowTrustedSticks", 0);
    box = TrustBoxForDrive("E:\\", volume);
    EXPECT_FALSE(box.enabled);
    ApplyTrustAnswer("E:\\", volume, box, true);
    EXPECT_TRUE(ReadTrustedSticks().empty());
}

}  // namespace
}  // namespace kestrone
