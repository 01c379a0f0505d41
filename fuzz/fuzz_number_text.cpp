// Integer and decimal number texts and fixed-point texts, checked against readings and writings
// done another way (the C library's strtoull, strtold and printf).
//
// Input: one option byte, then the text. The option byte picks the decimal separator (bit 0:
// "," else "."), the decimals (bits 1-3, 0..4) and the width (bits 4-7) of one more fixed-point
// writing besides the program's own "%6.1f", "%6.2f" and "%5.2f". Bytes 1 to 11, when present,
// are also taken as a sign, a 64-bit significand and an exponent, giving an extended value that
// is written directly.
//
// Properties:
// - TryReadIntegerText accepts exactly the texts "blanks, [+-]digits" with a magnitude up to
//   2147483647 and "blanks, $hexdigits" up to 32 bits (a zero byte ends the text), with the value
//   strtoull gives; ReadIntegerText raises EConvertError naming the text for the others.
// - ReadDecimalText accepts exactly "blanks, [+-], digits [separator digits], [e[+-]digits],
//   blanks" with at least one digit or the separator, and gives the value strtold gives, correctly
//   rounded; a text strtold finds beyond the extended range is refused, one below it reads as
//   zero or the denormal strtold gives.
// - FixedText(x, W, D) is the text made from the 18 significant digits printf gives for |x|,
//   rounded to D decimals by the first dropped digit (half away from zero), "-" only before a
//   non-zero result, right-aligned to W bytes and never cut.
// - A fixed-point text re-reads to the value it shows: FixedText(ReadDecimalText(t), W, D) == t;
//   only where the 18 digits round up beyond the largest extended value is it refused instead.
// - FixedText refuses a value that is not finite with EInvalidOp.

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "errors.hpp"
#include "fuzz_support.hpp"
#include "number_text.hpp"

namespace {

using rozuduzod::fuzz::Require;

bool IsDigit(char byte) { return byte >= '0' && byte <= '9'; }

bool IsHexDigit(char byte) {
    return IsDigit(byte) || (byte >= 'A' && byte <= 'F') || (byte >= 'a' && byte <= 'f');
}

std::string_view UpToZeroByte(std::string_view text) { return text.substr(0, text.find('\0')); }

std::string_view WithoutLeadingBlanks(std::string_view text) {
    return text.substr(std::min(text.find_first_not_of(' '), text.size()));
}

// Integer texts --------------------------------------------------------------------------------

std::optional<int32_t> ExpectedInteger(std::string_view whole_text) {
    std::string_view text = WithoutLeadingBlanks(UpToZeroByte(whole_text));
    const bool hexadecimal = !text.empty() && text.front() == '$';
    bool negative = false;
    if (hexadecimal) {
        text.remove_prefix(1);
    } else if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const bool all_digits = hexadecimal ? std::all_of(text.begin(), text.end(), IsHexDigit)
                                        : std::all_of(text.begin(), text.end(), IsDigit);
    if (text.empty() || !all_digits) {
        return std::nullopt;
    }
    const std::string digits(text);
    errno = 0;
    const unsigned long long magnitude =
        std::strtoull(digits.c_str(), nullptr, hexadecimal ? 16 : 10);
    if (errno == ERANGE) {
        return std::nullopt;
    }
    if (hexadecimal) {
        if (magnitude > 0xFFFFFFFFull) {
            return std::nullopt;
        }
        return static_cast<int32_t>(static_cast<uint32_t>(magnitude));
    }
    if (magnitude > 2147483647ull) {
        return std::nullopt;
    }
    const auto value = static_cast<int32_t>(magnitude);
    return negative ? -value : value;
}

void CheckIntegerText(std::string_view text) {
    const std::optional<int32_t> value = rozuduzod::TryReadIntegerText(text);
    Require(value == ExpectedInteger(text), "an integer text reads as strtoull reads it");
    try {
        Require(rozuduzod::ReadIntegerText(text) == value, "ReadIntegerText agrees with TryRead");
    } catch (const rozuduzod::EConvertError& error) {
        Require(!value, "ReadIntegerText refuses only what TryReadIntegerText refuses");
        const std::string quoted = "'" + std::string(text) + "'";
        Require(error.Message().starts_with(quoted), "the refusal quotes the whole text");
    }
}

// Decimal texts --------------------------------------------------------------------------------

enum class Reading { kRefused, kValue, kTooLarge };

struct ExpectedDecimal {
    Reading reading = Reading::kRefused;
    long double value = 0;
    bool below_normal_range = false;  // strtold reported an underflow
};

// Takes the digits at the front of `text` into `plain`; true when there was at least one.
bool TakeDigits(std::string_view& text, std::string& plain) {
    size_t count = 0;
    while (count < text.size() && IsDigit(text[count])) {
        ++count;
    }
    plain.append(text.substr(0, count));
    text.remove_prefix(count);
    return count > 0;
}

// The text in the C locale's spelling for strtold, or nothing when it breaks the grammar.
std::optional<std::string> PlainDecimalText(std::string_view whole_text, char separator) {
    std::string_view text = WithoutLeadingBlanks(UpToZeroByte(whole_text));
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    std::string plain;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        plain += text.front();
        text.remove_prefix(1);
    }
    plain += '0';  // strtold wants a digit where the text may have only the separator
    const bool integer_digits = TakeDigits(text, plain);
    bool separator_seen = false;
    if (!text.empty() && text.front() == separator) {
        separator_seen = true;
        plain += '.';
        text.remove_prefix(1);
        TakeDigits(text, plain);
    }
    if (!integer_digits && !separator_seen) {
        return std::nullopt;
    }
    if (!text.empty() && (text.front() == 'e' || text.front() == 'E')) {
        plain += 'e';
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
            plain += text.front();
            text.remove_prefix(1);
        }
        if (!TakeDigits(text, plain)) {
            return std::nullopt;
        }
    }
    if (!text.empty()) {
        return std::nullopt;
    }
    return plain;
}

ExpectedDecimal ExpectedDecimalReading(std::string_view text, char separator) {
    const std::optional<std::string> plain = PlainDecimalText(text, separator);
    if (!plain) {
        return {};
    }
    errno = 0;
    const long double value = std::strtold(plain->c_str(), nullptr);
    if (errno == ERANGE && std::isinf(value)) {
        return {Reading::kTooLarge, 0, false};
    }
    return {Reading::kValue, value, errno == ERANGE};
}

// Fixed-point texts ----------------------------------------------------------------------------

// The fixed-point text by the 18-digit rule, built by place value from printf's digits.
std::string ExpectedFixedText(long double value, int width, int decimals, char separator) {
    char scientific[64];
    const long double magnitude = std::signbit(value) ? -value : value;  // -0 too
    std::snprintf(scientific, sizeof scientific, "%.17Le", magnitude);
    // "d.ddddddddddddddddde+x": 18 significant digits and a power of ten.
    const std::string digits = std::string(1, scientific[0]) + std::string(scientific + 2, 17);
    const int power = std::atoi(std::strchr(scientific, 'e') + 1);
    std::string integer_part;
    std::string fraction_part;
    if (power >= 0) {
        const size_t integer_length = static_cast<size_t>(power) + 1;
        integer_part = digits.substr(0, std::min(integer_length, digits.size()));
        integer_part.resize(integer_length, '0');
        fraction_part = integer_length < digits.size() ? digits.substr(integer_length) : "";
    } else {
        integer_part = "0";
        fraction_part = std::string(static_cast<size_t>(-power - 1), '0') + digits;
    }
    const size_t kept_decimals = static_cast<size_t>(decimals);
    fraction_part.resize(std::max(fraction_part.size(), kept_decimals + 1), '0');
    const bool round_up = fraction_part[kept_decimals] >= '5';
    std::string kept = integer_part + fraction_part.substr(0, kept_decimals);
    if (round_up) {
        size_t at = kept.size();
        while (at > 0 && kept[at - 1] == '9') {
            kept[--at] = '0';
        }
        if (at == 0) {
            kept.insert(kept.begin(), '1');
        } else {
            ++kept[at - 1];
        }
    }
    const bool zero = kept.find_first_not_of('0') == std::string::npos;
    std::string integer_digits = kept.substr(0, kept.size() - kept_decimals);
    integer_digits.erase(
        0, std::min(integer_digits.find_first_not_of('0'), integer_digits.size() - 1));
    std::string text = (value < 0 && !zero) ? "-" : "";
    text += integer_digits;
    if (decimals > 0) {
        text += separator;
        text += kept.substr(kept.size() - kept_decimals);
    }
    if (text.size() < static_cast<size_t>(width)) {
        text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
    }
    return text;
}

struct FixedFormat {
    int width;
    int decimals;
};

constexpr FixedFormat kProgramFormats[] = {{6, 1}, {6, 2}, {5, 2}};

// True when the 18 significant digits of the value round up beyond the largest extended value,
// 1.18973149535723176502e+4932: its fixed-point text then names a number no reading can hold.
bool RoundsBeyondExtendedRange(long double value) {
    char scientific[64];
    std::snprintf(scientific, sizeof scientific, "%.17Le", std::signbit(value) ? -value : value);
    const std::string_view digits(scientific);
    return digits.ends_with("e+4932") && digits >= "1.18973149535723177e+4932";
}

void CheckFixedText(long double value, FixedFormat format, char separator) {
    const std::string text = rozuduzod::FixedText(value, format.width, format.decimals, separator);
    Require(text == ExpectedFixedText(value, format.width, format.decimals, separator),
            "FixedText follows the 18-digit rule");
    if (RoundsBeyondExtendedRange(value)) {
        try {
            rozuduzod::ReadDecimalText(text, separator);
            Require(false, "a fixed-point text beyond the extended range is refused");
        } catch (const rozuduzod::EConvertError&) {
        }
        return;
    }
    const long double reread = rozuduzod::ReadDecimalText(text, separator);
    Require(rozuduzod::FixedText(reread, format.width, format.decimals, separator) == text,
            "a fixed-point text re-reads to the value it shows");
}

void CheckFixedTexts(long double value, FixedFormat extra_format, char separator) {
    if (!std::isfinite(value)) {
        try {
            rozuduzod::FixedText(value, extra_format.width, extra_format.decimals, separator);
            Require(false, "FixedText refuses a value that is not finite");
        } catch (const rozuduzod::EInvalidOp&) {
        }
        return;
    }
    for (const FixedFormat& format : kProgramFormats) {
        CheckFixedText(value, format, separator);
    }
    CheckFixedText(value, extra_format, separator);
}

void CheckDecimalText(std::string_view text, FixedFormat extra_format, char separator) {
    const ExpectedDecimal expected = ExpectedDecimalReading(text, separator);
    long double value = 0;
    try {
        value = rozuduzod::ReadDecimalText(text, separator);
    } catch (const rozuduzod::EConvertError& error) {
        Require(expected.reading != Reading::kValue, "a decimal text strtold reads is accepted");
        const std::string quoted = "'" + std::string(text) + "'";
        Require(error.Message().starts_with(quoted), "the refusal quotes the whole text");
        return;
    }
    Require(expected.reading == Reading::kValue, "a refused decimal text is not accepted");
    Require(std::isfinite(value), "a decimal text reads as a finite value");
    // strtold keeps the denormals that the reading may take as zero.
    const bool same_value = value == expected.value || (expected.below_normal_range && value == 0);
    Require(same_value, "a decimal text reads as strtold reads it");
    CheckFixedTexts(value, extra_format, separator);
}

// An extended value from 11 bytes: the sign, 64 bits of significand and a power of two that
// reaches from below the denormals to beyond the largest value.
long double ExtendedFromBytes(const uint8_t* bytes) {
    uint64_t significand = 0;
    std::memcpy(&significand, bytes + 1, sizeof significand);
    int16_t power = 0;
    std::memcpy(&power, bytes + 9, sizeof power);
    const long double magnitude = std::ldexp(static_cast<long double>(significand), power / 2);
    return (bytes[0] & 1) != 0 ? -magnitude : magnitude;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const uint8_t options = data[0];
    const char separator = (options & 1) != 0 ? ',' : '.';
    const FixedFormat extra_format{options >> 4, (options >> 1 & 7) % 5};
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    CheckIntegerText(text);
    CheckDecimalText(text, extra_format, separator);
    constexpr size_t kValueBytes = 11;
    if (size > kValueBytes) {
        CheckFixedTexts(ExtendedFromBytes(data + 1), extra_format, separator);
    }
    return 0;
}
