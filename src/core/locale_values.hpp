#pragma once
// The user's locale values the conversions use, read once at start-up.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace rozuduzod {

struct LocaleValues {
    // One byte; "." when the locale gives none or more than one byte.
    char decimal_separator = '.';
    // Shift-JIS abbreviated weekday names, index 0 = Sunday ... 6 = Saturday.
    std::array<std::string, 7> abbreviated_day_names = {"Sun", "Mon", "Tue", "Wed",
                                                        "Thu", "Fri", "Sat"};

    // Sets the process locale from the environment and reads its values; an entry the locale
    // does not give, or that has no Shift-JIS form, keeps its fallback.
    static LocaleValues FromUserLocale();
};

// The Shift-JIS form of an abbreviated day name written in the locale's `charset` (an iconv
// name), or nothing when the name is empty or has no Shift-JIS form.
std::optional<std::string> DayNameInShiftJis(std::string_view name, const char* charset);

}  // namespace rozuduzod
