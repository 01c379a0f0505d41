// Date texts and weekday names on arbitrary bytes, checked against the C++ calendar.
//
// Input: the whole input is a date text; its first six bytes are also three date words.
//
// Properties:
// - SplitDateText and WeekdayText never throw (an exception ends the run as a finding).
// - SplitDateText ignores blanks and control characters around the text, and gives three zero
//   words for a text without two "/".
// - A date text written as the writer writes it ("YYYY/MM/DD" with zero fill) splits back into
//   its year, month and day.
// - IsValidDate agrees with std::chrono::year_month_day::ok for the years 1 to 9999 and is false
//   for any other year.
// - WeekdayText gives "？" exactly when IsValidDate is false, and otherwise the locale's name at
//   WeekdayIndex, which is DayNumber mod 7 + 1 and the weekday std::chrono gives; DayNumber counts
//   the days from 1 January of year 1 as day 1.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "dates.hpp"
#include "fuzz_support.hpp"
#include "locale_values.hpp"
#include "shift_jis.hpp"
#include "util.hpp"

namespace {

using rozuduzod::fuzz::Require;

struct DateWords {
    uint16_t year = 0;
    uint16_t month = 0;
    uint16_t day = 0;

    bool operator==(const DateWords&) const = default;
};

DateWords Split(const std::string& text) {
    DateWords words{1, 1, 1};  // SplitDateText must write every word
    rozuduzod::SplitDateText(text, words.year, words.month, words.day);
    return words;
}

// Day 1 of the day numbers, 1 January of year 1, counted from the C++ calendar's epoch.
constexpr int32_t kDayOneFromEpoch =
    std::chrono::sys_days(std::chrono::year(1) / 1 / 1).time_since_epoch().count();

// Names distinct from each other and from "？".
const rozuduzod::LocaleValues& TestLocale() {
    static const rozuduzod::LocaleValues locale = [] {
        rozuduzod::LocaleValues values;
        values.abbreviated_day_names = {rozuduzod::Sjis("日"), rozuduzod::Sjis("月"),
                                        rozuduzod::Sjis("火"), rozuduzod::Sjis("水"),
                                        rozuduzod::Sjis("木"), rozuduzod::Sjis("金"),
                                        rozuduzod::Sjis("土")};
        return values;
    }();
    return locale;
}

void CheckSplitDateText(const std::string& text) {
    const DateWords words = Split(text);
    Require(Split(" \t" + text + "\r\n ") == words, "blanks around a date text do not count");
    if (std::count(text.begin(), text.end(), '/') < 2) {
        Require(words == DateWords{}, "a text without two slashes gives three zero words");
    }
}

void CheckWrittenDateSplitsBack(DateWords words) {
    if (words.year > 9999 || words.month > 99 || words.day > 99) {
        return;
    }
    const std::string text = rozuduzod::PadNumber(words.year, 4, "0") + "/" +
                             rozuduzod::PadNumber(words.month, 2, "0") + "/" +
                             rozuduzod::PadNumber(words.day, 2, "0");
    Require(Split(text) == words, "a written date text splits back into its words");
}

void CheckWeekday(DateWords words) {
    const auto& locale = TestLocale();
    std::string weekday = "unset";
    rozuduzod::WeekdayText(words.year, words.month, words.day, weekday, locale);
    const bool valid = rozuduzod::IsValidDate(words.year, words.month, words.day);
    const std::chrono::year_month_day date{std::chrono::year(words.year),
                                           std::chrono::month(words.month),
                                           std::chrono::day(words.day)};
    // The calendar keeps a month and a day in a byte, so larger words are ruled out first.
    const bool calendar_valid =
        words.year >= 1 && words.year <= 9999 && words.month <= 12 && words.day <= 31 && date.ok();
    Require(valid == calendar_valid, "IsValidDate agrees with the Gregorian calendar");
    if (!valid) {
        Require(weekday == rozuduzod::Sjis("？"), "an invalid date has the weekday text \"？\"");
        return;
    }
    const int32_t day_number = rozuduzod::DayNumber(words.year, words.month, words.day);
    const std::chrono::sys_days days(date);
    Require(day_number == days.time_since_epoch().count() - kDayOneFromEpoch + 1,
            "DayNumber counts from 1 January of year 1");
    const int index = rozuduzod::WeekdayIndex(words.year, words.month, words.day);
    Require(index == day_number % 7 + 1, "the weekday index follows the day number");
    Require(index == static_cast<int>(std::chrono::weekday(days).c_encoding()) + 1,
            "the weekday index is the calendar's weekday, 1 for Sunday");
    Require(weekday == locale.abbreviated_day_names[static_cast<size_t>(index - 1)],
            "a valid date has the locale's name of its weekday");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckSplitDateText(text);
    CheckWeekday(Split(text));

    DateWords words;
    std::memcpy(&words, data, std::min(sizeof words, size));
    CheckWeekday(words);
    CheckWrittenDateSplitsBack(words);
    return 0;
}
