#pragma once
// The one crossing between the program's Shift-JIS texts (code page 932) and Unicode.

#include <optional>
#include <string>
#include <string_view>

namespace rozuduzod {

// True for a byte that begins a double-byte character in code page 932.
constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// UTF-8 of Shift-JIS bytes; never fails: each byte that is not valid Shift-JIS becomes U+FFFD.
std::string ShiftJisToUtf8(std::string_view shift_jis);

// Shift-JIS of UTF-8 text, or nothing when a character has no Shift-JIS form (or the UTF-8 is
// malformed).
std::optional<std::string> Utf8ToShiftJis(std::string_view utf8);

// Shift-JIS of one of the program's own texts, which are written in UTF-8 in the source and all
// have a Shift-JIS form.
std::string Sjis(std::string_view utf8);

}  // namespace rozuduzod
