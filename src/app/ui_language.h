// The language of the program's windows: English (the texts as they have
// always been) or Simplified Chinese. The user picks it with "Language" in
// UserSettings.ini ("en", "zh-CN", or "auto" / nothing for the language of
// the Windows user interface); it is decided once at start-up.
#pragma once

#include <cstdint>
#include <string>

namespace kestrone {

enum class UiLanguage { English, ChineseSimplified };

inline constexpr char kLanguageKey[] = "Language";
inline constexpr char kLanguageAuto[] = "auto";
inline constexpr char kLanguageEnglish[] = "en";
inline constexpr char kLanguageChinese[] = "zh-CN";

// The language a system UI language id (GetUserDefaultUILanguage) stands
// for: Chinese for Simplified Chinese (PRC, Singapore and the neutral
// Simplified ids), English for everything else, Traditional Chinese included.
UiLanguage LanguageOfSystem(uint16_t systemLanguageId);

// The stored word, normalised: kLanguageEnglish, kLanguageChinese or
// kLanguageAuto (empty and unknown words mean the system's language).
std::string NormalisedLanguageSetting(const std::string& setting);

// The choices of the settings page's language box, in its order.
inline constexpr const char* kLanguageChoices[] = {kLanguageAuto, kLanguageEnglish,
                                                   kLanguageChinese};

// The language of the windows for a stored word and the system's language.
UiLanguage ChooseUiLanguage(const std::string& setting, uint16_t systemLanguageId);

// The stored word (normalised) and its writing; the writing raises the
// settings file's write error when the file refuses.
std::string ReadLanguageSetting();
void WriteLanguageSetting(const std::string& setting);

// The language the windows use in this run.
UiLanguage CurrentUiLanguage();
void SetUiLanguage(UiLanguage language);

}  // namespace kestrone
