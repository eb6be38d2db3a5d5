#include "app/ui_language.h"

#include <algorithm>
#include <cctype>

#include "core/definitions.h"
#include "core/user_settings.h"

namespace kestrone {

namespace {

constexpr uint16_t kLangChinese = 0x04;
// Sub-languages of Chinese written with simplified characters: the neutral
// "zh-Hans" (0x0004), PRC (0x0804), Singapore (0x1004) and the neutral "zh"
// of newer systems (0x7804).
constexpr uint16_t kSimplifiedSubLanguages[] = {0x00, 0x02, 0x04, 0x1E};

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

UiLanguage LanguageOfSystem(uint16_t systemLanguageId) {
    uint16_t primary = systemLanguageId & 0x3FF;
    uint16_t sub = systemLanguageId >> 10;
    if (primary != kLangChinese) return UiLanguage::English;
    for (uint16_t simplified : kSimplifiedSubLanguages)
        if (sub == simplified) return UiLanguage::ChineseSimplified;
    return UiLanguage::English;
}

std::string NormalisedLanguageSetting(const std::string& setting) {
    std::string word = Lowered(Trimmed(setting));
    std::replace(word.begin(), word.end(), '_', '-');
    if (word == "en" || word.rfind("en-", 0) == 0 || word == "english") return kLanguageEnglish;
    if (word == "zh" || word == "zh-cn" || word == "zh-sg" || word == "zh-hans" || word == "chs" ||
        word == "chinese")
        return kLanguageChinese;
    return kLanguageAuto;
}

UiLanguage ChooseUiLanguage(const std::string& setting, uint16_t systemLanguageId) {
    std::string word = NormalisedLanguageSetting(setting);
    if (word == kLanguageEnglish) return UiLanguage::English;
    if (word == kLanguageChinese) return UiLanguage::ChineseSimplified;
    return LanguageOfSystem(systemLanguageId);
}

std::string ReadLanguageSetting() {
    return NormalisedLanguageSetting(
        ReadDataString(kSettingsSection, kLanguageKey, kLanguageAuto, kUserSettingsFile));
}

void WriteLanguageSetting(const std::string& setting) {
    WriteDataString(kSettingsSection, kLanguageKey, NormalisedLanguageSetting(setting),
                    kUserSettingsFile);
}

}  // namespace kestrone
