// The texts of the program's windows by language. The English text is the
// key: windows hand their English texts to Localized, which gives the text in
// the language of this run (UTF-8), or the English text unchanged when the
// language is English or the text has no entry. Spaces and line breaks around
// a text are kept as they are, so " Apply" and "Apply" share one entry.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "app/ui_language.h"

namespace kestrone {

struct UiTextPair {
    const char* english;
    const char* chinese;  // UTF-8
};

// Every English window text with its Simplified Chinese twin.
std::span<const UiTextPair> ChineseUiTexts();

std::string LocalizedIn(UiLanguage language, std::string_view english);
std::string Localized(std::string_view english);

// Whether a text of a window is one of the English texts of the table
// (padding aside), for checks that nothing was left untranslated.
bool IsTableEnglishText(std::string_view text);

}  // namespace kestrone
