#include "util.hpp"

#include <array>
#include <cstddef>
#include <optional>

#include "number_text.hpp"
#include "shift_jis.hpp"

namespace rozuduzod {
namespace {

// A run of consecutive double-byte codes that fold to consecutive ASCII bytes.
struct FoldRow {
    uint16_t first_code;
    uint16_t last_code;
    char first_byte;
};

// The full-width symbols, digits and letters that read as their ASCII counterparts. Small
// full-width letters fold to capitals, as the ASCII small letters do.
constexpr std::array<FoldRow, 39> kFoldTable = {{
    {0x8140, 0x8140, ' '},  {0x8143, 0x8143, ','},  {0x8144, 0x8144, '.'}, {0x8146, 0x8146, ':'},
    {0x8147, 0x8147, ';'},  {0x8148, 0x8148, '?'},  {0x8149, 0x8149, '!'}, {0x814F, 0x814F, '^'},
    {0x815E, 0x815E, '/'},  {0x8160, 0x8160, '~'},  {0x8162, 0x8162, '|'}, {0x8165, 0x8165, '\''},
    {0x8166, 0x8166, '\''}, {0x818C, 0x818C, '\''}, {0x8167, 0x8167, '"'}, {0x8168, 0x8168, '"'},
    {0x818D, 0x818D, '"'},  {0x8169, 0x8169, '('},  {0x816A, 0x816A, ')'}, {0x816D, 0x816D, '['},
    {0x816E, 0x816E, ']'},  {0x816F, 0x816F, '{'},  {0x8170, 0x8170, '}'}, {0x817B, 0x817B, '+'},
    {0x817C, 0x817C, '-'},  {0x8181, 0x8181, '='},  {0x81AC, 0x81AC, '='}, {0x8183, 0x8183, '<'},
    {0x8184, 0x8184, '>'},  {0x818F, 0x818F, '\\'}, {0x8190, 0x8190, '$'}, {0x8193, 0x8193, '%'},
    {0x8194, 0x8194, '#'},  {0x8195, 0x8195, '&'},  {0x8196, 0x8196, '*'}, {0x8197, 0x8197, '@'},
    {0x824F, 0x8258, '0'},  {0x8260, 0x8279, 'A'},  {0x8281, 0x829A, 'A'},
}};

constexpr int CountFoldedCodes() {
    int count = 0;
    for (const FoldRow& row : kFoldTable) {
        count += row.last_code - row.first_code + 1;
    }
    return count;
}
static_assert(CountFoldedCodes() == 98, "the fold table maps exactly 98 double-byte codes");

std::optional<char> FoldedByte(uint16_t code) {
    for (const FoldRow& row : kFoldTable) {
        if (code >= row.first_code && code <= row.last_code) {
            return static_cast<char>(row.first_byte + (code - row.first_code));
        }
    }
    return std::nullopt;
}

char UpperAsciiByte(char byte) {
    return (byte >= 'a' && byte <= 'z') ? static_cast<char>(byte - 0x20) : byte;
}

bool IsTrimmedByte(char byte) { return static_cast<unsigned char>(byte) <= 0x20; }

}  // namespace

std::string RightText(std::string_view s, int32_t count) {
    if (count <= 0) {
        return {};
    }
    const auto kept = static_cast<std::size_t>(count);
    return std::string(kept >= s.size() ? s : s.substr(s.size() - kept));
}

std::string PadNumber(int32_t number, int32_t width, std::string_view pad_text) {
    const std::string digits = std::to_string(number);
    if (width <= static_cast<int32_t>(digits.size())) {
        return RightText(digits, width);
    }
    const char pad = pad_text.empty() ? ' ' : pad_text.front();
    return std::string(static_cast<std::size_t>(width) - digits.size(), pad) + digits;
}

int32_t TextToIntDef(std::string_view s, int32_t default_value) {
    return TryReadIntegerText(HalfWidthUpper(TrimText(s))).value_or(default_value);
}

std::string HalfWidthUpper(std::string_view s) {
    std::string result;
    result.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const auto byte = static_cast<unsigned char>(s[i]);
        // A lead byte as the last byte has no partner; it is kept as it is.
        if (IsLeadByte(byte) && i + 1 < s.size()) {
            const auto code =
                static_cast<uint16_t>(byte << 8 | static_cast<unsigned char>(s[i + 1]));
            if (const std::optional<char> folded = FoldedByte(code)) {
                result += *folded;
            } else {
                result.append(s.substr(i, 2));
            }
            i += 2;
        } else {
            result += UpperAsciiByte(s[i]);
            ++i;
        }
    }
    return result;
}

std::string_view TrimText(std::string_view s) {
    while (!s.empty() && IsTrimmedByte(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsTrimmedByte(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

}  // namespace rozuduzod
