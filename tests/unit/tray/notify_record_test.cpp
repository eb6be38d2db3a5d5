#include "ui/tray/notify_record.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrone::ui {
namespace {

TEST(NotifyIconRecord, InitFillsTheFixedFieldsAndZeroesTheRest) {
    NotifyIconRecord record;
    record.SetTip("old hint", true);
    record.Init(0x1234, 7);
    EXPECT_EQ(record.Get(notify_field::cbSize), 488u);
    EXPECT_EQ(record.Get(notify_field::hWnd), 0x1234u);
    EXPECT_EQ(record.Get(notify_field::uID), 7u);
    EXPECT_EQ(record.Get(notify_field::uFlags), 7u);
    EXPECT_EQ(record.Get(notify_field::uCallbackMessage), 0x800u);
    EXPECT_EQ(record.Text(notify_field::szTip, notify_field::szTipCapacity), "");
    const auto* bytes = static_cast<const unsigned char*>(record.data());
    for (std::size_t i = notify_field::hIcon; i < record.size(); ++i) EXPECT_EQ(bytes[i], 0) << i;
}

TEST(NotifyIconRecord, LittleEndianFieldsAtTheirOffsets) {
    NotifyIconRecord record;
    record.Set(notify_field::uTimeout, 0x01020304);
    const auto* bytes = static_cast<const unsigned char*>(record.data());
    EXPECT_EQ(bytes[416], 0x04);
    EXPECT_EQ(bytes[419], 0x01);
    EXPECT_EQ(bytes[420], 0);  // szInfoTitle untouched
}

struct CutCase {
    std::size_t offset;
    std::size_t capacity;
    std::size_t kept;
};

class TextCut : public ::testing::TestWithParam<CutCase> {};

TEST_P(TextCut, LongTextKeepsItsFirstCharactersAndATerminatingZero) {
    const CutCase c = GetParam();
    NotifyIconRecord record;
    record.Set(c.offset + c.capacity, 0xFFFFFFFF);  // the following field
    const std::string longText(400, 'x');
    record.SetText(c.offset, c.capacity, longText);
    EXPECT_EQ(record.Text(c.offset, c.capacity), std::string(c.kept, 'x'));
    const auto* bytes = static_cast<const unsigned char*>(record.data());
    EXPECT_EQ(bytes[c.offset + c.capacity - 1], 0);
    EXPECT_EQ(record.Get(c.offset + c.capacity), 0xFFFFFFFFu);  // not overrun
}

INSTANTIATE_TEST_SUITE_P(
    Fields, TextCut,
    ::testing::Values(CutCase{notify_field::szTip, notify_field::szTipCapacity, 127},
                      CutCase{notify_field::szInfo, notify_field::szInfoCapacity, 255},
                      CutCase{notify_field::szInfoTitle, notify_field::szInfoTitleCapacity, 63}));

TEST(NotifyIconRecord, ShorterTextClearsTheRestOfTheField) {
    NotifyIconRecord record;
    record.SetTip(std::string(100, 'a'), true);
    record.SetTip("short", true);
    EXPECT_EQ(record.Text(notify_field::szTip, 128), "short");
    const auto* bytes = static_cast<const unsigned char*>(record.data());
    for (std::size_t i = notify_field::szTip + 5; i < notify_field::szTip + 128; ++i)
        EXPECT_EQ(bytes[i], 0) << i;
}

TEST(NotifyIconRecord, HintOfTwoHundredCharactersReachesTheShellAsItsFirst127) {
    NotifyIconRecord record;
    std::string hint;
    for (int i = 0; i < 200; ++i) hint += static_cast<char>('A' + i % 26);
    record.SetTip(hint, true);
    EXPECT_EQ(record.Text(notify_field::szTip, 128), hint.substr(0, 127));
}

TEST(NotifyIconRecord, TipIsEmptyWhenHintsAreOff) {
    NotifyIconRecord record;
    record.SetTip("Real-time system protection is actived", false);
    EXPECT_EQ(record.Text(notify_field::szTip, 128), "");
}

TEST(NotifyIconRecord, BalloonFieldsAndFlags) {
    NotifyIconRecord record;
    record.Init(1, 1);
    record.SetBalloon("Prompt", "Kestrone is activated", 1, 10);
    EXPECT_EQ(record.Get(notify_field::uFlags), 0x17u);
    EXPECT_EQ(record.Get(notify_field::uTimeout), 10000u);
    EXPECT_EQ(record.Get(notify_field::dwInfoFlags), 1u);
    EXPECT_EQ(record.Text(notify_field::szInfo, 256), "Kestrone is activated");
    EXPECT_EQ(record.Text(notify_field::szInfoTitle, 64), "Prompt");
    record.EndBalloonCall();
    EXPECT_EQ(record.Get(notify_field::uFlags), 7u);
    // The largest 8-bit timeout does not wrap.
    record.SetBalloon("", "", 0, 255);
    EXPECT_EQ(record.Get(notify_field::uTimeout), 255000u);
}

TEST(NotifyIconRecord, ClearBalloonEmptiesTheTextOnly) {
    NotifyIconRecord record;
    record.Init(1, 1);
    record.SetBalloon("Prompt", "text", 2, 5);
    record.EndBalloonCall();
    record.ClearBalloon();
    EXPECT_EQ(record.Get(notify_field::uFlags), 0x17u);
    EXPECT_EQ(record.Text(notify_field::szInfo, 256), "");
}

TEST(BalloonInfoFlags, KindsMapToTheShellIconsAndUnknownKindsToNone) {
    const std::uint32_t expected[] = {0, 1, 2, 3, 4, 0, 0};
    const std::uint8_t kinds[] = {0, 1, 2, 3, 4, 5, 255};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(BalloonInfoFlags(kinds[i]), expected[i]) << int(kinds[i]);
}

}  // namespace
}  // namespace kestrone::ui
