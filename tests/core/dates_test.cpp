#include "dates.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "locale_values.hpp"
#include "shift_jis.hpp"

namespace rozuduzod {
namespace {

struct DateWords {
    uint16_t year;
    uint16_t month;
    uint16_t day;
};

TEST(SplitDateTextTest, TakesTheTextApartIntoWords) {
    struct Case {
        std::string text;
        DateWords expected;
    };
    const std::vector<Case> cases = {
        {"1998/05/17", {1998, 5, 17}},
        {"  1998/5/7  ", {1998, 5, 7}},
        {"\t1998/05/17\r\n", {1998, 5, 17}},
        {"19980/05/17", {1998, 5, 17}},
        {"1998/123/456", {1998, 12, 45}},
        {"1998-05-17", {0, 0, 0}},
        {"1998/05", {0, 0, 0}},
        {"", {0, 0, 0}},
        {"1998//17", {1998, 0, 17}},
        {"1998/05/17/23", {1998, 5, 17}},
        {"-1/05/17", {65535, 5, 17}},
        {"-5/-1/7", {65531, 65535, 7}},
        {"ab/cd/ef", {0, 0, 0}},
        // Only the first four bytes, "１９", of the full-width year are read.
        {Sjis("１９９８/05/17"), {19, 5, 17}},
        // A two-byte month or day part holds one full-width digit.
        {Sjis("1998/０５/１７"), {1998, 0, 1}},
        // A part cut inside a double-byte character cannot be read.
        {Sjis("1１９/05/17"), {0, 5, 17}},
    };
    for (const Case& c : cases) {
        DateWords words = {1, 1, 1};
        SplitDateText(c.text, words.year, words.month, words.day);
        EXPECT_EQ(words.year, c.expected.year) << ShiftJisToUtf8(c.text);
        EXPECT_EQ(words.month, c.expected.month) << ShiftJisToUtf8(c.text);
        EXPECT_EQ(words.day, c.expected.day) << ShiftJisToUtf8(c.text);
    }
}

TEST(DayNumberTest, CountsDaysFromTheFirstOfJanuaryOfYearOne) {
    struct Case {
        DateWords date;
        int32_t expected;
    };
    const std::vector<Case> cases = {
        {{1, 1, 1}, 1},          {{1899, 12, 30}, 693594},  {{1900, 3, 1}, 693655},
        {{2000, 2, 29}, 730179}, {{9999, 12, 31}, 3652059},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DayNumber(c.date.year, c.date.month, c.date.day), c.expected)
            << c.date.year << "/" << c.date.month << "/" << c.date.day;
    }
}

class WeekdayTextTest : public ::testing::Test {
  protected:
    static std::string WeekdayOf(DateWords date, const LocaleValues& locale = {}) {
        std::string result = "previous";
        WeekdayText(date.year, date.month, date.day, result, locale);
        return result;
    }
};

TEST_F(WeekdayTextTest, NamesTheWeekdayOfValidDates) {
    struct Case {
        DateWords date;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {{1998, 5, 17}, "Sun"}, {{1996, 2, 29}, "Thu"},  {{2000, 2, 29}, "Tue"},
        {{1, 1, 1}, "Mon"},     {{9999, 12, 31}, "Fri"}, {{1997, 3, 31}, "Mon"},
        {{1997, 4, 1}, "Tue"},  {{1998, 5, 23}, "Sat"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WeekdayOf(c.date), c.expected)
            << c.date.year << "/" << c.date.month << "/" << c.date.day;
        EXPECT_TRUE(IsValidDate(c.date.year, c.date.month, c.date.day));
    }
}

TEST_F(WeekdayTextTest, GivesAQuestionMarkForInvalidDates) {
    const std::vector<DateWords> dates = {
        {0, 0, 0},     {0, 1, 1},     {1998, 0, 17}, {1998, 13, 1},  {1998, 5, 0},  {1997, 4, 31},
        {1997, 2, 29}, {1900, 2, 29}, {10000, 1, 1}, {65535, 5, 17}, {1998, 5, 32}, {1998, 12, 45},
    };
    for (const DateWords& date : dates) {
        EXPECT_EQ(WeekdayOf(date), "\x81\x48") << date.year << "/" << date.month << "/" << date.day;
        EXPECT_FALSE(IsValidDate(date.year, date.month, date.day));
    }
}

TEST_F(WeekdayTextTest, TakesTheNameFromTheLocaleBySundayFirstIndex) {
    LocaleValues locale;
    locale.abbreviated_day_names = {Sjis("日"), Sjis("月"), Sjis("火"), Sjis("水"),
                                    Sjis("木"), Sjis("金"), Sjis("土")};
    EXPECT_EQ(WeekdayOf({1998, 5, 17}, locale), Sjis("日"));
    EXPECT_EQ(WeekdayOf({1998, 5, 18}, locale), Sjis("月"));
    EXPECT_EQ(WeekdayOf({1998, 5, 23}, locale), Sjis("土"));
    EXPECT_EQ(WeekdayOf({1998, 2, 29}, locale), Sjis("？"));
}

TEST(WeekdayIndexTest, RunsFromSundayToSaturday) {
    for (uint16_t day = 17; day <= 23; ++day) {
        EXPECT_EQ(WeekdayIndex(1998, 5, day), day - 16) << day;
    }
}

}  // namespace
}  // namespace rozuduzod
