#include "number_text.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <system_error>
#include <utility>

#include "errors.hpp"
#include "shift_jis.hpp"

namespace rozuduzod {
namespace {

// Walks a number text from its first byte to its end; a zero byte ends the text.
class TextCursor {
  public:
    explicit TextCursor(std::string_view text) : rest_(text.substr(0, text.find('\0'))) {}

    bool AtEnd() const { return rest_.empty(); }

    // Takes `byte` when it comes next.
    bool Take(char byte) {
        if (rest_.empty() || rest_.front() != byte) {
            return false;
        }
        rest_.remove_prefix(1);
        return true;
    }

    // Takes the blanks (0x20 only) that come next.
    void SkipBlanks() {
        while (Take(' ')) {
        }
    }

    // Takes "+" or "-" when it comes next; true for "-".
    bool TakeNegativeSign() {
        if (Take('-')) {
            return true;
        }
        Take('+');
        return false;
    }

    // Takes the run of bytes that `belongs` accepts, possibly none.
    template <typename Predicate>
    std::string_view TakeWhile(Predicate belongs) {
        size_t length = 0;
        while (length < rest_.size() && belongs(rest_[length])) {
            ++length;
        }
        std::string_view taken = rest_.substr(0, length);
        rest_.remove_prefix(length);
        return taken;
    }

    std::string_view TakeDigits() {
        return TakeWhile([](char byte) { return byte >= '0' && byte <= '9'; });
    }

  private:
    std::string_view rest_;
};

int HexDigitValue(char byte) {
    if (byte >= '0' && byte <= '9') {
        return byte - '0';
    }
    if (byte >= 'A' && byte <= 'F') {
        return byte - 'A' + 10;
    }
    if (byte >= 'a' && byte <= 'f') {
        return byte - 'a' + 10;
    }
    return -1;
}

// Hex digits of a 32-bit pattern, taken as a signed value ("$FFFFFFFF" is -1).
std::optional<int32_t> HexDigitsValue(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    uint32_t value = 0;
    for (char digit : digits) {
        if (value > 0x0FFFFFFFu) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<uint32_t>(HexDigitValue(digit));
    }
    return static_cast<int32_t>(value);
}

// Decimal digits with a sign; the magnitude goes up to 2147483647 for either sign.
std::optional<int32_t> DecimalDigitsValue(std::string_view digits, bool negative) {
    if (digits.empty()) {
        return std::nullopt;
    }
    uint32_t magnitude = 0;
    for (char digit : digits) {
        if (magnitude > 214748364u) {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + static_cast<uint32_t>(digit - '0');
    }
    if (magnitude > 2147483647u) {
        return std::nullopt;
    }
    const auto value = static_cast<int32_t>(magnitude);
    return negative ? -value : value;
}

// A decimal number text taken apart: value = sign, integer.fraction x 10^exponent.
struct DecimalParts {
    bool negative = false;
    std::string_view integer_digits;
    std::string_view fraction_digits;
    int64_t exponent = 0;
};

// Far beyond any power of ten the extended range can reach either way.
constexpr int64_t kExponentLimit = 100000;

// The exponent after "E" or "e": an optional sign and at least one digit.
std::optional<int64_t> TakeExponent(TextCursor& cursor) {
    const bool negative = cursor.TakeNegativeSign();
    const std::string_view digits = cursor.TakeDigits();
    if (digits.empty()) {
        return std::nullopt;
    }
    int64_t exponent = 0;
    for (char digit : digits) {
        exponent = std::min(exponent * 10 + (digit - '0'), kExponentLimit);
    }
    return negative ? -exponent : exponent;
}

std::optional<DecimalParts> SplitDecimalText(std::string_view text, char decimal_separator) {
    TextCursor cursor(text);
    DecimalParts parts;
    cursor.SkipBlanks();
    parts.negative = cursor.TakeNegativeSign();
    parts.integer_digits = cursor.TakeDigits();
    const bool has_separator = cursor.Take(decimal_separator);
    if (has_separator) {
        parts.fraction_digits = cursor.TakeDigits();
    }
    if (parts.integer_digits.empty() && !has_separator) {
        return std::nullopt;
    }
    if (cursor.Take('E') || cursor.Take('e')) {
        const std::optional<int64_t> exponent = TakeExponent(cursor);
        if (!exponent) {
            return std::nullopt;
        }
        parts.exponent = *exponent;
    }
    cursor.SkipBlanks();
    if (!cursor.AtEnd()) {
        return std::nullopt;
    }
    return parts;
}

// 10^0 .. 10^27, each exact in the extended type: 5^27 still fits its 64-bit significand.
constexpr std::array<long double, 28> kExactPowersOfTen = [] {
    std::array<long double, 28> powers{};
    long double power = 1;
    for (long double& entry : powers) {
        entry = power;
        power *= 10;
    }
    return powers;
}();

// Up to 19 digits always fit a 64-bit integer, and so the extended type.
constexpr size_t kExactDigitLimit = 19;

// digits x 10^power when both factors are exact extended values: then the one product or quotient,
// rounded to nearest with ties to even, is the nearest value itself, as from_chars would find it
// at many times the cost. The texts of fuel logs are almost all of this kind.
std::optional<long double> ExactlyScaledValue(std::string_view digits, int64_t power) {
    const auto power_count = static_cast<int64_t>(kExactPowersOfTen.size());
    if (digits.size() > kExactDigitLimit || power <= -power_count || power >= power_count) {
        return std::nullopt;
    }
    uint64_t integer = 0;
    for (char digit : digits) {
        integer = integer * 10 + static_cast<uint64_t>(digit - '0');
    }
    const auto value = static_cast<long double>(integer);
    const long double scale = kExactPowersOfTen[static_cast<size_t>(power < 0 ? -power : power)];
    return power < 0 ? value / scale : value * scale;
}

// The extended value nearest to the parts (ties to even), or nothing beyond the extended range.
// A value too small for the range, even for its denormals, is zero.
std::optional<long double> ExtendedValue(const DecimalParts& parts) {
    const long double zero = parts.negative ? -0.0L : 0.0L;
    const std::string digits =
        std::string(parts.integer_digits) + std::string(parts.fraction_digits);
    const size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        return zero;
    }
    const size_t last = digits.find_last_not_of('0');
    // The value is 0.<significant digits> x 10^scale.
    const int64_t scale = parts.exponent + static_cast<int64_t>(parts.integer_digits.size()) -
                          static_cast<int64_t>(first);
    if (scale > kExponentLimit / 2) {
        return std::nullopt;
    }
    if (scale < -kExponentLimit / 2) {
        return zero;
    }
    const std::string_view significant = std::string_view(digits).substr(first, last - first + 1);
    if (const std::optional<long double> exact =
            ExactlyScaledValue(significant, scale - static_cast<int64_t>(significant.size()))) {
        return parts.negative ? -*exact : *exact;
    }
    // Built in ASCII for std::from_chars, which rounds correctly and ignores the process locale.
    const std::string normalised =
        (parts.negative ? "-0." : "0.") + std::string(significant) + "e" + std::to_string(scale);
    long double value = 0;
    const std::errc error =
        std::from_chars(normalised.data(), normalised.data() + normalised.size(), value).ec;
    if (error == std::errc::result_out_of_range) {
        return scale > 0 ? std::nullopt : std::optional<long double>(zero);
    }
    return value;
}

// The 18 significant decimal digits of a finite magnitude: value = d.ddd... x 10^exponent.
struct SignificantDigits {
    std::string digits;
    int64_t exponent = 0;
};

constexpr int kSignificantDigitCount = 18;

void AddOneToLastDigit(std::string& digits) {
    for (size_t at = digits.size(); at-- > 0;) {
        if (digits[at] != '9') {
            ++digits[at];
            return;
        }
        digits[at] = '0';
    }
    digits.insert(digits.begin(), '1');
}

// Where the magnitude has 4 to 59 integer bits, its exact decimal digits come from integer
// arithmetic on its 64-bit significand (ten times the remaining fraction still fits 64 bits),
// rounded to 18 digits as std::to_chars rounds them: to nearest, ties to even. Most distances,
// volumes and economies fall in that range; std::to_chars takes many times as long.
std::optional<SignificantDigits> EighteenDigitsExactly(long double magnitude) {
    int binary_exponent = 0;
    const long double fraction = std::frexp(magnitude, &binary_exponent);
    if (binary_exponent < 4 || binary_exponent > 59) {
        return std::nullopt;
    }
    const auto significand = static_cast<uint64_t>(std::ldexp(fraction, 64));
    const int fraction_bits = 64 - binary_exponent;
    const uint64_t fraction_mask = (uint64_t{1} << fraction_bits) - 1;
    uint64_t rest = significand & fraction_mask;
    const auto next_digit = [&rest, fraction_bits, fraction_mask] {
        rest *= 10;
        const auto digit = static_cast<char>('0' + (rest >> fraction_bits));
        rest &= fraction_mask;
        return digit;
    };
    SignificantDigits significant;
    significant.digits = std::to_string(significand >> fraction_bits);
    significant.exponent = static_cast<int64_t>(significant.digits.size()) - 1;
    while (significant.digits.size() < kSignificantDigitCount) {
        significant.digits += next_digit();
    }
    const char dropped = next_digit();
    const bool odd = (significant.digits.back() - '0') % 2 == 1;
    if (dropped > '5' || (dropped == '5' && (rest != 0 || odd))) {
        AddOneToLastDigit(significant.digits);
        if (significant.digits.size() > kSignificantDigitCount) {
            significant.digits.pop_back();
            ++significant.exponent;
        }
    }
    return significant;
}

SignificantDigits EighteenDigitsOf(long double magnitude) {
    if (std::optional<SignificantDigits> exact = EighteenDigitsExactly(magnitude)) {
        return std::move(*exact);
    }
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, magnitude,
                                      std::chars_format::scientific, kSignificantDigitCount - 1);
    // The text is "d.ddddddddddddddddde+x" or "...e-x".
    const std::string_view written(text, static_cast<size_t>(result.ptr - text));
    SignificantDigits significant;
    significant.digits = std::string(written.substr(0, 1)) +
                         std::string(written.substr(2, kSignificantDigitCount - 1));
    const size_t exponent_at = written.find('e') + 1;
    const bool negative_exponent = written[exponent_at] == '-';
    int64_t exponent = 0;
    std::from_chars(written.data() + exponent_at + 1, written.data() + written.size(), exponent);
    significant.exponent = negative_exponent ? -exponent : exponent;
    return significant;
}

// The magnitude rounded to `decimals` decimals by the first dropped digit alone, as the digits
// of magnitude x 10^decimals without leading zeros ("" for zero).
std::string RoundedScaledDigits(long double magnitude, int decimals) {
    const SignificantDigits significant = EighteenDigitsOf(magnitude);
    const int64_t kept = significant.exponent + 1 + decimals;
    std::string digits;
    if (kept >= kSignificantDigitCount) {
        digits = significant.digits +
                 std::string(static_cast<size_t>(kept) - kSignificantDigitCount, '0');
    } else if (kept >= 0) {
        digits = significant.digits.substr(0, static_cast<size_t>(kept));
        if (significant.digits[static_cast<size_t>(kept)] >= '5') {
            AddOneToLastDigit(digits);
        }
    }
    const size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? std::string() : digits.substr(first);
}

}  // namespace

std::optional<int32_t> TryReadIntegerText(std::string_view text) {
    TextCursor cursor(text);
    cursor.SkipBlanks();
    std::optional<int32_t> value;
    if (cursor.Take('$')) {
        value =
            HexDigitsValue(cursor.TakeWhile([](char byte) { return HexDigitValue(byte) >= 0; }));
    } else {
        const bool negative = cursor.TakeNegativeSign();
        value = DecimalDigitsValue(cursor.TakeDigits(), negative);
    }
    return cursor.AtEnd() ? value : std::nullopt;
}

int32_t ReadIntegerText(std::string_view text) {
    const std::optional<int32_t> value = TryReadIntegerText(text);
    if (!value) {
        throw EConvertError(FormatMessage(Sjis("'%s' は整数ではありません"), text));
    }
    return *value;
}

long double ReadDecimalText(std::string_view text, char decimal_separator) {
    const std::optional<DecimalParts> parts = SplitDecimalText(text, decimal_separator);
    const std::optional<long double> value = parts ? ExtendedValue(*parts) : std::nullopt;
    if (!value) {
        throw EConvertError(FormatMessage(Sjis("'%s' は浮動小数点数ではありません"), text));
    }
    return *value;
}

std::string FixedText(long double value, int width, int decimals, char decimal_separator) {
    // Every value the program writes comes from a reader or a checked division, so it is finite;
    // anything else is refused rather than written as a text no reader would take back.
    if (!std::isfinite(value)) {
        throw EInvalidOp();
    }
    const size_t fraction_length = static_cast<size_t>(std::max(decimals, 0));
    std::string digits = RoundedScaledDigits(std::fabs(value), static_cast<int>(fraction_length));
    const bool negative = value < 0 && !digits.empty();
    if (digits.size() <= fraction_length) {
        digits.insert(0, fraction_length + 1 - digits.size(), '0');
    }
    std::string text = negative ? "-" : "";
    text += digits.substr(0, digits.size() - fraction_length);
    if (fraction_length > 0) {
        text += decimal_separator;
        text += digits.substr(digits.size() - fraction_length);
    }
    if (std::cmp_less(text.size(), width)) {
        text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
    }
    return text;
}

}  // namespace rozuduzod
