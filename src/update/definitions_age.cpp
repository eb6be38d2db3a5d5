#include "update/definitions_age.h"

#include "core/definitions.h"
#include "update/manifest.h"

#ifndef KESTRONE_BUILD_DAY
#define KESTRONE_BUILD_DAY ""
#endif

namespace kestrone::update {

namespace {

// Days since 1970-01-01 of a civil date (proleptic Gregorian calendar).
long DayNumber(int year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    long era = (year >= 0 ? year : year - 399) / 400;
    long yearOfEra = year - era * 400;
    long dayOfYear = (153L * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

long DayNumber(const std::string& text) {
    return DayNumber(std::stoi(text.substr(0, 4)), std::stoi(text.substr(5, 2)),
                     std::stoi(text.substr(8, 2)));
}

}  // namespace

int DaysBetween(const std::string& from, const std::string& to) {
    if (!IsCalendarDate(from) || !IsCalendarDate(to)) return 0;
    return static_cast<int>(DayNumber(to) - DayNumber(from));
}

std::string DefinitionsDay(const DefinitionsInUse& definitions) {
    if (!definitions.date.empty()) return definitions.date;
    return KESTRONE_BUILD_DAY;
}

StaleWarning CheckDefinitionsAge(const std::string& definitionsDay, const std::string& today,
                                 int staleAfterDays, const std::string& lastWarnedDay) {
    StaleWarning warning;
    if (staleAfterDays <= 0 || !IsCalendarDate(definitionsDay) || !IsCalendarDate(today))
        return warning;
    warning.ageDays = DaysBetween(definitionsDay, today);
    if (warning.ageDays <= staleAfterDays || lastWarnedDay == today) return warning;
    warning.due = true;
    warning.title = "Definitions out of date";
    warning.text = "The definitions are " + std::to_string(warning.ageDays) +
                   " days old, so new worms are not recognised. Click here to update them.";
    return warning;
}

int StaleAfterDaysSetting() {
    int32_t days = ReadDataInteger("Update", kStaleAfterDaysKey, kDefaultStaleAfterDays,
                                   kUserSettingsFile);
    return days < 0 ? 0 : days;
}

}  // namespace kestrone::update
