#pragma once
// Reading integer and decimal number texts, and writing fixed-point texts, as the fuel logs hold
// them. Numbers are extended values (64-bit significand).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rozuduzod {

// Spaces, then an optional sign and decimal digits (-2147483647..2147483647), or "$" and up to
// 32 bits of hex digits; nothing after the last digit; a zero byte ends the text.
std::optional<int32_t> TryReadIntegerText(std::string_view text);

// As TryReadIntegerText; a refused text raises EConvertError "'text' は整数ではありません".
int32_t ReadIntegerText(std::string_view text);

// Spaces, optional sign, digits with `decimal_separator`, optional exponent, spaces; a zero byte
// ends the text. A refused text raises EConvertError "'text' は浮動小数点数ではありません".
long double ReadDecimalText(std::string_view text, char decimal_separator);

// `value` with `decimals` decimals, right-aligned to `width` bytes and never cut ("%6.1f").
std::string FixedText(long double value, int width, int decimals, char decimal_separator);

}  // namespace rozuduzod
