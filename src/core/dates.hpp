#pragma once
// Date texts "YYYY/MM/DD" and their weekday names.

#include <cstdint>
#include <string>

#include "locale_values.hpp"

namespace rozuduzod {

// True for a year 1..9999, a month 1..12 and a day within that month (Gregorian throughout).
bool IsValidDate(uint16_t year, uint16_t month, uint16_t day);

// Day 1 is 1 January of year 1. The date must be valid.
int32_t DayNumber(uint16_t year, uint16_t month, uint16_t day);

// 1 = Sunday ... 7 = Saturday. The date must be valid.
int WeekdayIndex(uint16_t year, uint16_t month, uint16_t day);

// Takes a date text apart into year, month and day words; never fails (unreadable parts give 0).
void SplitDateText(std::string_view text, uint16_t& year, uint16_t& month, uint16_t& day);

// The locale's abbreviated weekday name of the date, or "？" when it is not a valid date.
void WeekdayText(uint16_t year, uint16_t month, uint16_t day, std::string& result,
                 const LocaleValues& locale);

}  // namespace rozuduzod
