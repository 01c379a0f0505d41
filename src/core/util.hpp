#pragma once
// Small functions on Shift-JIS texts. Positions and lengths count bytes.

#include <cstdint>
#include <string>
#include <string_view>

namespace rozuduzod {

// The last `count` bytes of `s` (all of it when shorter; empty for a count of 0 or less).
std::string RightText(std::string_view s, int32_t count);

// `number` in decimal, filled on the left with the first byte of `pad_text` (a blank when empty)
// or cut to its last `width` bytes; empty for a width of 0 or less.
std::string PadNumber(int32_t number, int32_t width, std::string_view pad_text);

// The integer `s` holds in half-width or full-width characters, with blanks and control
// characters around it; `default_value` when it holds none.
int32_t TextToIntDef(std::string_view s, int32_t default_value);

// `s` with full-width symbols, digits and letters folded to ASCII and small letters made capitals.
std::string HalfWidthUpper(std::string_view s);

// `s` without its leading and trailing bytes 0x00 to 0x20.
std::string_view TrimText(std::string_view s);

}  // namespace rozuduzod
