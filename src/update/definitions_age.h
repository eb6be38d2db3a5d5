// How old the definitions at work are, and when the user is told so. A
// balloon from the tray says it at most once a day while the definitions are
// older than `StaleAfterDays` in [Update] of UserSettings.ini (0: never).
#pragma once

#include <string>

#include "update/definitions_in_use.h"

namespace kestrone::update {

inline constexpr char kStaleAfterDaysKey[] = "StaleAfterDays";
inline constexpr int kDefaultStaleAfterDays = 30;

// Whole days from one YYYY-MM-DD day to a later one; negative when `to` is
// earlier; 0 when either is no calendar day.
int DaysBetween(const std::string& from, const std::string& to);

// The day the definitions were made: the manifest's date, and for the set
// shipped beside the program (which carries none) the day it was built.
std::string DefinitionsDay(const DefinitionsInUse& definitions);

struct StaleWarning {
    bool due = false;
    int ageDays = 0;
    std::string title;
    std::string text;
};

// `lastWarnedDay` is the day of the previous warning ("" when none): the
// warning comes once a day, and never for a clock set before the definitions.
StaleWarning CheckDefinitionsAge(const std::string& definitionsDay, const std::string& today,
                                 int staleAfterDays, const std::string& lastWarnedDay);

// The setting, as this user and the machine's defaults give it.
int StaleAfterDaysSetting();

}  // namespace kestrone::update
