#include "locale_values.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <optional>
#include <string>
#include <vector>

#include "shift_jis.hpp"

namespace rozuduzod {
namespace {

TEST(DayNameInShiftJisTest, ConvertsFromTheLocaleCharset) {
    struct Case {
        std::string name;
        const char* charset;
        std::optional<std::string> expected;
    };
    std::string long_name;
    for (int i = 0; i < 100; ++i) {
        long_name += "日";
    }
    const std::vector<Case> cases = {
        {"Sun", "ANSI_X3.4-1968", "Sun"},   {"日", "UTF-8", "\x93\xFA"},
        {"\xC6\xFC", "EUC-JP", "\x93\xFA"}, {long_name, "UTF-8", Sjis(long_name)},
        {"", "UTF-8", std::nullopt},        {"한", "UTF-8", std::nullopt},
        {"\xFF", "UTF-8", std::nullopt},    {"Sun", "NO-SUCH-CHARSET", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DayNameInShiftJis(c.name, c.charset), c.expected) << c.charset;
    }
}

// The programs read the user's locale once at start-up; so does this test, and it puts the
// process locale back afterwards.
TEST(LocaleValuesTest, UserLocaleGivesOneByteSeparatorAndSevenNames) {
    const std::string previous_locale = std::setlocale(LC_ALL, nullptr);
    const LocaleValues values = LocaleValues::FromUserLocale();
    std::setlocale(LC_ALL, previous_locale.c_str());

    EXPECT_NE(values.decimal_separator, '\0');
    for (const std::string& name : values.abbreviated_day_names) {
        EXPECT_FALSE(name.empty());
    }
}

}  // namespace
}  // namespace rozuduzod
