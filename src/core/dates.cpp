#include "dates.hpp"

#include <array>
#include <cstddef>
#include <string_view>

#include "errors.hpp"
#include "shift_jis.hpp"
#include "util.hpp"

namespace rozuduzod {
namespace {

constexpr std::array<int, 12> kMonthLengths = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int MonthLength(int year, int month) {
    return (month == 2 && IsLeapYear(year)) ? 29 : kMonthLengths[month - 1];
}

int WeekdayIndexOfDay(int32_t day_number) { return day_number % 7 + 1; }

// The day number of the date; a date that does not exist cannot be converted.
int32_t EncodeDate(uint16_t year, uint16_t month, uint16_t day) {
    if (!IsValidDate(year, month, day)) {
        throw EConvertError(Sjis("日付に変換できない値が渡されました"));
    }
    return DayNumber(year, month, day);
}

// A date word keeps the low 16 bits of the integer it receives, so -1 becomes 65535.
uint16_t DateWord(std::string_view part, std::size_t max_bytes) {
    return static_cast<uint16_t>(TextToIntDef(part.substr(0, max_bytes), 0));
}

}  // namespace

bool IsValidDate(uint16_t year, uint16_t month, uint16_t day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= MonthLength(year, month);
}

int32_t DayNumber(uint16_t year, uint16_t month, uint16_t day) {
    const int32_t years_before = year - 1;
    int32_t days = 365 * years_before + years_before / 4 - years_before / 100 + years_before / 400;
    for (int earlier_month = 1; earlier_month < month; ++earlier_month) {
        days += MonthLength(year, earlier_month);
    }
    return days + day;
}

int WeekdayIndex(uint16_t year, uint16_t month, uint16_t day) {
    return WeekdayIndexOfDay(DayNumber(year, month, day));
}

void SplitDateText(std::string_view text, uint16_t& year, uint16_t& month, uint16_t& day) {
    year = 0;
    month = 0;
    day = 0;
    const std::string_view trimmed = TrimText(text);
    const std::size_t first_slash = trimmed.find('/');
    if (first_slash == std::string_view::npos) {
        return;
    }
    const std::string_view rest = trimmed.substr(first_slash + 1);
    const std::size_t second_slash = rest.find('/');
    if (second_slash == std::string_view::npos) {
        return;
    }
    year = DateWord(trimmed.substr(0, first_slash), 4);
    month = DateWord(rest.substr(0, second_slash), 2);
    day = DateWord(rest.substr(second_slash + 1), 2);
}

void WeekdayText(uint16_t year, uint16_t month, uint16_t day, std::string& result,
                 const LocaleValues& locale) {
    try {
        const int index = WeekdayIndexOfDay(EncodeDate(year, month, day));
        result = locale.abbreviated_day_names[static_cast<std::size_t>(index - 1)];
    } catch (const EConvertError&) {
        result = Sjis("？");
    }
}

}  // namespace rozuduzod
