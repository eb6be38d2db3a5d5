// The threat question's trust box: usable only for a volume with a serial
// while trust is allowed, ticked for a trusted stick, and OK changes trust
// only when the tick changed.
#include "app/trust_choice.h"

#include "core/policy_table.h"
#include "platform/registry.h"
#include "sim_fixture.h"

namespace kestrone {
namespace {

TEST(TrustBox, EnabledOnlyForAReadableVolumeWithASerialWhileAllowed) {
    const std::vector<TrustedStick> trusted = {{0x11112222, "WORK"}};
    struct Case {
        bool read;
        platform::VolumeIdentity volume;
        bool allowed, enabled, checked;
    } cases[] = {
        {true, {0x11112222, "WORK"}, true, true, true},
        {true, {0x11112222, "HOME"}, true, true, false},
        {true, {0, "WORK"}, true, false, false},
        {false, {0x11112222, "WORK"}, true, false, false},
        {true, {0x11112222, "WORK"}, false, false, false},
    };
    for (const Case& c : cases) {
        TrustBox box = TrustBoxFor(c.read, c.volume, c.allowed, trusted);
        EXPECT_EQ(box.enabled, c.enabled) << c.volume.label << c.read << c.allowed;
        EXPECT_EQ(box.checked, c.checked) << c.volume.label << c.read << c.allowed;
    }
}

class TrustAnswer : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddDrive('E', platform::kDriveRemovable);
        world().AddFolder("C:\\Temp");
        world().AddFolder("C:\\Program Files\\Kestrone");
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
