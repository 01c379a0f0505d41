// The text utilities on arbitrary bytes.
//
// Input: the text itself; its first bytes also give a number, a width and a count for PadNumber
// and RightText.
//
// Properties:
// - HalfWidthUpper never makes a text longer, is idempotent, and leaves no ASCII small letter
//   outside a double-byte character.
// - TextToIntDef returns its default exactly when the trimmed, folded text is no integer text:
//   two different defaults give the same value or each their own default, and the value is what
//   TryReadIntegerText reads from TrimText then HalfWidthUpper.
// - TextToIntDef reads a number written in full-width characters as the same number written in
//   ASCII, and ignores blanks and control characters added around the text.
// - RightText(s, n) is the last min(max(n, 0), |s|) bytes of s; PadNumber(n, w, pad) is exactly
//   max(w, 0) bytes and, when w leaves room, the decimal text of n preceded by the pad byte.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_support.hpp"
#include "number_text.hpp"
#include "shift_jis.hpp"
#include "util.hpp"

namespace {

using rozuduzod::fuzz::Require;

bool IsLead(char byte) { return rozuduzod::IsLeadByte(static_cast<unsigned char>(byte)); }

// The full-width Shift-JIS form of an ASCII byte the fold table maps back to it, or nothing.
std::optional<std::string> FullWidthForm(char byte) {
    auto code = [](int value) {
        return std::string{static_cast<char>(value >> 8), static_cast<char>(value & 0xFF)};
    };
    if (byte >= '0' && byte <= '9') {
        return code(0x824F + (byte - '0'));
    }
    if (byte >= 'A' && byte <= 'Z') {
        return code(0x8260 + (byte - 'A'));
    }
    if (byte >= 'a' && byte <= 'z') {
        return code(0x8281 + (byte - 'a'));
    }
    switch (byte) {
        case ' ':
            return code(0x8140);
        case '+':
            return code(0x817B);
        case '-':
            return code(0x817C);
        case '$':
            return code(0x8190);
        case '.':
            return code(0x8144);
        case ',':
            return code(0x8143);
        default:
            return std::nullopt;
    }
}

// `text` with every single-byte character that has a full-width form written in that form.
std::string Widened(std::string_view text) {
    std::string wide;
    for (size_t at = 0; at < text.size(); ++at) {
        if (IsLead(text[at]) && at + 1 < text.size()) {
            wide.append(text.substr(at, 2));
            ++at;
        } else if (const std::optional<std::string> form = FullWidthForm(text[at])) {
            wide += *form;
        } else {
            wide += text[at];
        }
    }
    return wide;
}

bool HasSingleByteSmallLetter(std::string_view text) {
    for (size_t at = 0; at < text.size(); ++at) {
        if (IsLead(text[at])) {
            ++at;
        } else if (text[at] >= 'a' && text[at] <= 'z') {
            return true;
        }
    }
    return false;
}

void CheckHalfWidthUpper(std::string_view text) {
    const std::string folded = rozuduzod::HalfWidthUpper(text);
    Require(folded.size() <= text.size(), "HalfWidthUpper never makes a text longer");
    Require(rozuduzod::HalfWidthUpper(folded) == folded, "HalfWidthUpper is idempotent");
    Require(!HasSingleByteSmallLetter(folded), "HalfWidthUpper leaves no small ASCII letter");
}

void CheckTextToIntDef(std::string_view text) {
    constexpr int32_t kOneDefault = -12345;
    constexpr int32_t kOtherDefault = 67890;
    const int32_t one = rozuduzod::TextToIntDef(text, kOneDefault);
    const int32_t other = rozuduzod::TextToIntDef(text, kOtherDefault);
    const std::optional<int32_t> read =
        rozuduzod::TryReadIntegerText(rozuduzod::HalfWidthUpper(rozuduzod::TrimText(text)));
    Require(one == read.value_or(kOneDefault) && other == read.value_or(kOtherDefault),
            "TextToIntDef reads the trimmed, folded text or gives its default");

    const std::string trimmed(rozuduzod::TrimText(text));
    Require(rozuduzod::TextToIntDef(Widened(trimmed), kOneDefault) == one,
            "a full-width number reads as its ASCII form");
    Require(rozuduzod::TextToIntDef(" \t" + std::string(text) + "\r\n", kOneDefault) == one,
            "blanks and control characters around the text are ignored");
}

template <typename T>
T Take(std::string_view bytes) {
    T value{};
    std::memcpy(&value, bytes.data(), std::min(sizeof value, bytes.size()));
    return value;
}

void CheckRightTextAndPadNumber(std::string_view text) {
    const auto count =
        static_cast<int32_t>(Take<int8_t>(text.substr(std::min<size_t>(4, text.size()))));
    const std::string right = rozuduzod::RightText(text, count);
    const size_t expected_length = std::min(static_cast<size_t>(std::max(count, 0)), text.size());
    Require(right == text.substr(text.size() - expected_length), "RightText keeps the last bytes");

    const auto number = Take<int32_t>(text);
    const std::string pad = text.size() > 5 ? std::string(text.substr(5)) : std::string();
    const int32_t width = count % 16;
    const std::string padded = rozuduzod::PadNumber(number, width, pad);
    Require(padded.size() == static_cast<size_t>(std::max(width, 0)), "PadNumber fills the width");
    const std::string digits = std::to_string(number);
    if (static_cast<size_t>(std::max(width, 0)) > digits.size()) {
        const char pad_byte = pad.empty() ? ' ' : pad.front();
        Require(
            padded == std::string(static_cast<size_t>(width) - digits.size(), pad_byte) + digits,
            "PadNumber puts the pad byte before the number");
    } else {
        Require(padded == rozuduzod::RightText(digits, width), "PadNumber cuts to the last digits");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckHalfWidthUpper(text);
    CheckTextToIntDef(text);
    CheckRightTextAndPadNumber(text);
    return 0;
}
