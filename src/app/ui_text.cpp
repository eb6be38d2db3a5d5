#include "app/ui_text.h"

#include <unordered_map>

namespace kestrone {

namespace {

UiLanguage g_language = UiLanguage::English;

constexpr std::string_view kPadding = " \t\r\n";

struct Padded {
    std::string_view before, core, after;
};

Padded SplitPadding(std::string_view text) {
    size_t first = text.find_first_not_of(kPadding);
    if (first == std::string_view::npos) return {text, {}, {}};
    size_t last = text.find_last_not_of(kPadding);
    return {text.substr(0, first), text.substr(first, last - first + 1), text.substr(last + 1)};
}

const std::unordered_map<std::string_view, std::string_view>& ChineseByEnglish() {
    static const auto* table = [] {
        auto* map = new std::unordered_map<std::string_view, std::string_view>;
        for (const UiTextPair& pair : ChineseUiTexts())
            map->emplace(SplitPadding(pair.english).core, pair.chinese);
        return map;
    }();
    return *table;
}

}  // namespace

UiLanguage CurrentUiLanguage() {
    return g_language;
}
void SetUiLanguage(UiLanguage language) {
    g_language = language;
}

std::string LocalizedIn(UiLanguage language, std::string_view english) {
    if (language == UiLanguage::English) return std::string(english);
    Padded parts = SplitPadding(english);
    auto found = ChineseByEnglish().find(parts.core);
    if (found == ChineseByEnglish().end() || parts.core.empty()) return std::string(english);
    std::string text(parts.before);
    text += found->second;
    text += parts.after;
    return text;
}

std::string Localized(std::string_view english) {
    return LocalizedIn(CurrentUiLanguage(), english);
}

bool IsTableEnglishText(std::string_view text) {
    std::string_view core = SplitPadding(text).core;
    return !core.empty() && ChineseByEnglish().count(core) != 0;
}

}  // namespace kestrone
