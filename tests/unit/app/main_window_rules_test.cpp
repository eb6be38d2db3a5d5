// The main window's decisions: start switch, close and log-off handling,
// caption title placement, companion texts and drive texts.
#include <gtest/gtest.h>

#include "app/branding.h"
#include "app/main_window_rules.h"

namespace kestrone {
namespace {

TEST(StartSwitch, OnlyAnExactFirstArgumentStartsInTheTray) {
    struct Case {
        std::vector<std::string> arguments;
        bool inTray;
    } cases[] = {
        {{}, false},
        {{"-Hide"}, true},
        {{"-Hide", "extra"}, true},
        {{"-hide"}, false},
        {{"-HIDE"}, false},
        {{"/Hide"}, false},
        {{"-Hide "}, false},
        {{"x", "-Hide"}, false},
        {{""}, false},
    };
    for (const Case& c : cases) {
        std::string shown;
        for (const auto& a : c.arguments) shown += "[" + a + "]";
        EXPECT_EQ(StartsInTray(c.arguments), c.inTray) << shown;
    }
}

TEST(CloseRequest, VisibleWindowOnlyHidesUntilQuitIsAsked) {
    struct Case {
        bool visible, canQuit, allowClose;
    } cases[] = {
        {true, false, false},  // the close box: hide, keep running
        {true, true, true},    // Quit from the tray menu while shown
        {false, false, true},  // a hidden window closes for good
        {false, true, true},   // WM_QUITREQUEST hides first, then closes
    };
    for (const Case& c : cases) {
        CloseDecision d = DecideClose(c.visible, c.canQuit);
        EXPECT_TRUE(d.hide);
        EXPECT_EQ(d.allowClose, c.allowClose) << c.visible << c.canQuit;
    }
}

TEST(CloseRequest, LogOffOrShutdownIsNeverRefused) {
    for (bool visible : {true, false})
        for (bool canQuit : {true, false}) {
            CloseDecision d = DecideSessionEnd(visible, canQuit);
            EXPECT_TRUE(d.allowClose);
            EXPECT_TRUE(d.hide);
        }
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    struct Case {
        int numerator, denominator, expected;
    } cases[] = {
        {5, 2, 2},  {7, 2, 4},  {3, 2, 2},   {1, 2, 0},  {-1, 2, 0}, {-3, 2, -2},
        {-5, 2, -2}, {4, 2, 2}, {10, 4, 2},  {11, 4, 3}, {9, 4, 2},  {0, 2, 0},
        {6, -4, -2}, {-7, 2, -4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RoundHalfToEven(c.numerator, c.denominator), c.expected)
            << c.numerator << "/" << c.denominator;
}

TEST(CaptionTitle, PlacedAfterTheSystemMenuAndCentredInTheCaption) {
    // Classic metrics: menu 19, border 1, caption 18; 12 pt at 96 dpi is 16 px.
    EXPECT_EQ(FontPixelHeight(12, 96), 16);
    EXPECT_EQ(FontPixelHeight(12, 120), 20);
    Point p = CaptionTitleOrigin({19, 1, 18, -16});
    EXPECT_EQ(p.x, 20);
    EXPECT_EQ(p.y, 2);  // (18 - 16) / 2 + 1
    // An odd difference rounds to even: (23 - 16) / 2 = 3.5 -> 4; (21 - 16) / 2 = 2.5 -> 2.
    EXPECT_EQ(CaptionTitleOrigin({20, 1, 23, 16}).y, 5);
    EXPECT_EQ(CaptionTitleOrigin({20, 1, 21, 16}).y, 3);
    // A caption lower than the font gives a title that starts above the middle.
    EXPECT_EQ(CaptionTitleOrigin({20, 1, 13, 16}).y, -1);  // -1.5 -> -2, + 1
}

TEST(CopyData, ReadsUpToTheZeroButNeverPastTheDeclaredSize) {
    const char terminated[] = "abc\0def";
    EXPECT_EQ(CopyDataText(terminated, sizeof terminated), "abc");
    EXPECT_EQ(CopyDataText(terminated, 2), "ab");  // no zero within the declared size
    EXPECT_EQ(CopyDataText(terminated, 0), "");
    EXPECT_EQ(CopyDataText(nullptr, 10), "");
    const char bytes[] = {'\xb2', '\xe5', '\xbc', '\xfe', 'x'};  // double-byte text passes unchanged
    EXPECT_EQ(CopyDataText(bytes, sizeof bytes), std::string(bytes, sizeof bytes));
}

TEST(CopyData, PopupCaptionIsTheIntendedChineseTextWithTwoBlanks) {
    EXPECT_EQ(std::string(kPlugInCaptionUtf8), "\u622a\u83b7\u63d2\u4ef6  ");
}

TEST(DriveTexts, RootsAndDetectionLine) {
    EXPECT_EQ(DriveRoots("CDE"), (TextList{"C:\\", "D:\\", "E:\\"}));
    EXPECT_TRUE(DriveRoots("").empty());
    EXPECT_EQ(UsbDetectionLine("EF"), "  Detected USB device: EF");
    EXPECT_EQ(UsbDetectionLine(""), "  USB device not found");
}

TEST(PopupClick, OpensTheDriveNamedInTheText) {
    EXPECT_EQ(PopupClickTarget("Scan for G:\\ drive,no threat found"), "G:\\");
    EXPECT_EQ(PopupClickTarget("E:\\AUTORUN.INF  cleaned\rE:\\X.EXE  cleaned\r"), "E:\\");
    // No drive root: nothing is handed to the shell.
    EXPECT_EQ(PopupClickTarget("abc"), "");
    EXPECT_EQ(PopupClickTarget(":\\abc"), "");
    EXPECT_EQ(PopupClickTarget(""), "");
}

TEST(TrayTip, KeepsTheProtectionLineAndFitsTheTip) {
    EXPECT_EQ(TrayTipText("version 42 of 2026-12-01"),
              "Real-time system protection is actived\nDefinitions version 42 of 2026-12-01");
    std::string tip = TrayTipText(std::string(200, 'x'));
    EXPECT_EQ(tip.size(), kTrayTipLimit);
    EXPECT_EQ(tip.rfind(kTrayProtectionHint, 0), 0u);
}

TEST(Branding, ReplacesEveryCaseSensitiveOccurrence) {
    EXPECT_EQ(ApplyBrandName(kStoredMainCaption, kProductName), "Kestrone V2.3");
    EXPECT_EQ(ApplyBrandName(kStoredAutostartCaption, kProductName),
              "Run Kestrone when Windows starts");
    EXPECT_EQ(ApplyBrandName("Pellmark and Pellmark", "K"), "K and K");
    EXPECT_EQ(ApplyBrandName("pellmark PELLMARK", "K"), "pellmark PELLMARK");
    EXPECT_EQ(ApplyBrandName("PellmarkPellmark", "Pellmark2"), "Pellmark2Pellmark2");
    EXPECT_EQ(ApplyBrandName("", "K"), "");
}

TEST(Branding, CaptionAndAboutPageShowTheOneVersion) {
    // The stored texts of the window, from the version header.
    EXPECT_STREQ(kStoredMainCaption, "Pellmark V2.3");
    EXPECT_EQ(AboutBuildLabel(), "Build 0618");
    EXPECT_STREQ(KESTRONE_VERSION_TEXT, "2.3.0.618");
}

TEST(Branding, BrandValuesStayOnTheReservedExampleDomain) {
    for (const char* value : {kBrand.websiteHost, kBrand.websiteAddress, kBrand.supportEmail})
        EXPECT_NE(std::string(value).find("example.com"), std::string::npos) << value;
    EXPECT_EQ(std::string(kBrand.websiteAddress).find("https://"), 0u);
}

}  // namespace
}  // namespace kestrone
