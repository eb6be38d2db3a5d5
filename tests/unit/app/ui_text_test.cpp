// The windows' texts by language: every English text of the table has a
// sound Chinese twin, the program's own message texts are in the table, the
// lookup keeps padding and passes English and unknown texts through, and the
// language follows the setting, else the system's UI language.
#include "app/ui_text.h"

#include <set>

#include "app/admin_task.h"
#include "app/process_manager.h"
#include "app/scan_command.h"
#include "app/settings_page_values.h"
#include "app/threat_choice.h"
#include "app/usb_unlock.h"
#include "repair/immunity.h"
#include "repair/repair_items.h"
#include "scan/process_kill.h"
#include "sim_fixture.h"

namespace kestrone {
namespace {

bool IsValidUtf8(const std::string& text) {
    for (size_t i = 0; i < text.size();) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        size_t length = lead < 0x80         ? 1
                        : (lead >> 5) == 6  ? 2
                        : (lead >> 4) == 14 ? 3
                        : (lead >> 3) == 30 ? 4
                                            : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2) return false;
        i += length;
    }
    return true;
}

// The letters after '&' (an accelerator; "&&" is a plain ampersand).
std::string Accelerators(const std::string& text) {
    std::string letters;
    for (size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '&') {
            if (text[i + 1] != '&') letters += static_cast<char>(std::toupper(text[i + 1]));
            ++i;
        }
    return letters;
}

TEST(ChineseUiTexts, EveryEnglishTextHasASoundChineseTwin) {
    std::set<std::string> seen;
    for (const UiTextPair& pair : ChineseUiTexts()) {
        std::string english = pair.english, chinese = pair.chinese;
        SCOPED_TRACE(english);
        EXPECT_FALSE(english.empty());
        EXPECT_FALSE(chinese.empty());
        EXPECT_NE(english, chinese);
        EXPECT_TRUE(IsValidUtf8(chinese));
        EXPECT_TRUE(seen.insert(english).second) << "twice in the table";
        // Keys are stored without padding: the lookup keeps a window's own.
        EXPECT_TRUE(english.front() != ' ' && english.back() != ' ' && english.back() != '\n');
        // Same accelerator letters; the brand names the windows rebrand stay.
        EXPECT_EQ(Accelerators(english), Accelerators(chinese));
        for (const char* brand : {"Kestrone", "Pellmark"}) {
            if (english.find(brand) != std::string::npos) {
                EXPECT_NE(chinese.find(brand), std::string::npos) << brand;
            }
        }
    }
}

TEST(ChineseUiTexts, TheProgramsMessagesAndChoicesAreInTheTable) {
    const std::string texts[] = {
        kSelChoiceHeading,       kSelChoiceItems[0],
        kSelChoiceItems[1],      kSelChoiceItems[2],
        kSettingsSavedMessage,   kPoliciesSavedMessage,
        kSetByAdministratorText, kUnlockTipMessage,
        kUnlockDoneMessage,      kCloseExplorerMessage,
        kImmunityDoneMessage,    kImmunityCancelledMessage,
        kRepairDoneMessage,      kRepairNothingTickedMessage,
        kSystemProcessText,      kTrustedProcessText,
        kUnknownProcessText,     kCloseDoneMessage,
        kCloseFailedMessage,     kScanCompletedLine,
        kScanIncompleteLine,     kScanningState,
        kStoppedState,           kElevationDeclinedMessage,
        kElevationFailedMessage,
    };
    for (const std::string& text : texts) {
        EXPECT_TRUE(IsTableEnglishText(text)) << text;
        EXPECT_NE(LocalizedIn(UiLanguage::ChineseSimplified, text), text) << text;
    }
}

TEST(Localized, KeepsPaddingAndPassesEnglishAndUnknownTextsThrough) {
    const auto chinese = UiLanguage::ChineseSimplified;
    EXPECT_EQ(LocalizedIn(chinese, "  General  "), "  常规  ");
    EXPECT_EQ(LocalizedIn(chinese, " Apply"), " 应用");
    EXPECT_EQ(LocalizedIn(chinese, "Scan "), "扫描 ");
    EXPECT_EQ(LocalizedIn(chinese, kSelChoiceHeading), "U 盘中发现威胁，请选择处理方式\r\n");
    EXPECT_EQ(LocalizedIn(chinese, "&Save"), "保存(&S)");
    // Unknown, empty and blank texts, and letter case that differs, stay.
    for (const char* same : {"E:\\worm.exe  cleaned", "", "   ", "\r\n", "general", "Save"})
        EXPECT_EQ(LocalizedIn(chinese, same), same);
    for (const UiTextPair& pair : ChineseUiTexts())
        EXPECT_EQ(LocalizedIn(UiLanguage::English, pair.english), pair.english);
    EXPECT_FALSE(IsTableEnglishText("   "));
    EXPECT_TRUE(IsTableEnglishText(" Immunize "));
}

TEST(Localized, FollowsTheLanguageOfTheRun) {
    SetUiLanguage(UiLanguage::ChineseSimplified);
    EXPECT_EQ(Localized("Stop"), "停止");
    SetUiLanguage(UiLanguage::English);
    EXPECT_EQ(Localized("Stop"), "Stop");
}

TEST(UiLanguageChoice, SettingWinsElseTheSystemsUiLanguage) {
    constexpr uint16_t kPrc = 0x0804, kSingapore = 0x1004, kTaiwan = 0x0404, kHongKong = 0x0C04,
                       kMacau = 0x1404, kHans = 0x0004, kHant = 0x7C04, kZh = 0x7804, kUs = 0x0409,
                       kGerman = 0x0407, kJapanese = 0x0411;
    const auto en = UiLanguage::English, zh = UiLanguage::ChineseSimplified;
    struct Case {
        const char* setting;
        uint16_t system;
        UiLanguage expected;
    } cases[] = {
        {"", kPrc, zh},     {"", kSingapore, zh},  {"", kHans, zh},      {"", kZh, zh},
        {"", kTaiwan, en},  {"", kHongKong, en},   {"", kMacau, en},     {"", kHant, en},
        {"", kUs, en},      {"", kJapanese, en},   {"auto", kPrc, zh},   {"AUTO", kGerman, en},
        {"en", kPrc, en},   {"en-US", kPrc, en},   {" EN ", kPrc, en},   {"zh-CN", kUs, zh},
        {"zh_cn", kUs, zh}, {"zh-Hans", kUs, zh},  {"zh", kGerman, zh},  {"zh-TW", kPrc, zh},
        {"zh-TW", kUs, en}, {"klingon", kPrc, zh}, {"klingon", kUs, en},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseUiLanguage(c.setting, c.system), c.expected)
            << "setting '" << c.setting << "' system " << std::hex << c.system;
}

class LanguageSetting : public test::SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        world().AddDrive('C', platform::kDriveFixed);
        world().AddFolder("C:\\Program Files\\Kestrone");
    }
};

TEST_F(LanguageSetting, AbsentMeansAutomaticAndWritesAreNormalised) {
    EXPECT_EQ(ReadLanguageSetting(), kLanguageAuto);
    WriteLanguageSetting("ZH_cn");
    EXPECT_EQ(ReadLanguageSetting(), kLanguageChinese);
    WriteLanguageSetting("en");
    EXPECT_EQ(ReadLanguageSetting(), kLanguageEnglish);
    world().AddFile("C:\\Program Files\\Kestrone\\UserSettings.ini",
                    "[Settings]\r\nLanguage=nonsense\r\n");
    EXPECT_EQ(ReadLanguageSetting(), kLanguageAuto);
}

}  // namespace
}  // namespace kestrone
