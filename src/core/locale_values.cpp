#include "locale_values.hpp"

#include <iconv.h>
#include <langinfo.h>

#include <cerrno>
#include <clocale>
#include <cstdint>
#include <cstring>
#include <memory>

namespace rozuduzod {
namespace {

constexpr const char* kShiftJisCharset = "CP932";

// glibc numbers the abbreviated day names from Sunday, as the weekday index does.
constexpr std::array<nl_item, 7> kAbbreviatedDayItems = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4,
                                                         ABDAY_5, ABDAY_6, ABDAY_7};

struct IconvCloser {
    void operator()(void* descriptor) const { iconv_close(static_cast<iconv_t>(descriptor)); }
};
using IconvHandle = std::unique_ptr<void, IconvCloser>;

IconvHandle OpenConversionToShiftJis(const char* charset) {
    const iconv_t descriptor = iconv_open(kShiftJisCharset, charset);
    if (descriptor == reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1))) {
        return nullptr;
    }
    return IconvHandle(descriptor);
}

// The text in Shift-JIS, or nothing when the charset is unknown or a character has no Shift-JIS
// form (or is malformed).
std::optional<std::string> ConvertToShiftJis(std::string_view text, const char* charset) {
    const IconvHandle handle = OpenConversionToShiftJis(charset);
    if (!handle) {
        return std::nullopt;
    }
    std::string input(text);
    char* in = input.data();
    std::size_t in_left = input.size();
    std::string output;
    while (in_left > 0) {
        char buffer[64];
        char* out = buffer;
        std::size_t out_left = sizeof buffer;
        const std::size_t converted =
            iconv(static_cast<iconv_t>(handle.get()), &in, &in_left, &out, &out_left);
        output.append(buffer, static_cast<std::size_t>(out - buffer));
        if (converted == static_cast<std::size_t>(-1) && errno != E2BIG) {
            return std::nullopt;
        }
    }
    return output;
}

char DecimalSeparatorOf(const char* radix) { return std::strlen(radix) == 1 ? radix[0] : '.'; }

}  // namespace

std::optional<std::string> DayNameInShiftJis(std::string_view name, const char* charset) {
    if (name.empty()) {
        return std::nullopt;
    }
    return ConvertToShiftJis(name, charset);
}

LocaleValues LocaleValues::FromUserLocale() {
    std::setlocale(LC_ALL, "");
    LocaleValues values;
    const std::string charset = nl_langinfo(CODESET);
    for (std::size_t i = 0; i < kAbbreviatedDayItems.size(); ++i) {
        if (std::optional<std::string> name =
                DayNameInShiftJis(nl_langinfo(kAbbreviatedDayItems[i]), charset.c_str())) {
            values.abbreviated_day_names[i] = std::move(*name);
        }
    }
    values.decimal_separator = DecimalSeparatorOf(nl_langinfo(RADIXCHAR));
    return values;
}

}  // namespace rozuduzod
