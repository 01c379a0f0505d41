#include "util.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "shift_jis.hpp"

namespace rozuduzod {
namespace {

TEST(RightTextTest, KeepsTheLastBytesOrNothing) {
    struct Case {
        std::string text;
        int32_t count;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"", 3, ""},
        {"12345", 2, "45"},
        {"12", 5, "12"},
        {"123", 3, "123"},
        {"123", 0, ""},
        {"123", -1, ""},
        {"123", std::numeric_limits<int32_t>::max(), "123"},
        // The cut counts bytes and may split a double-byte character.
        {"\x82\x50\x82\x51", 3, "\x50\x82\x51"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RightText(c.text, c.count), c.expected) << c.text << " " << c.count;
    }
}

TEST(PadNumberTest, FillsOnTheLeftOrCutsFromTheLeft) {
    struct Case {
        int32_t number;
        int32_t width;
        std::string pad_text;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {7, 3, "0", "007"},
        {1997, 4, "0", "1997"},
        {12345, 4, "0", "2345"},
        {0, 2, "0", "00"},
        {5, 0, "0", ""},
        {5, -2, "0", ""},
        {5, 3, "", "  5"},
        {5, 3, "xy", "xx5"},
        {-5, 4, "0", "00-5"},
        {-5, 1, "0", "5"},
        {std::numeric_limits<int32_t>::min(), 11, "0", "-2147483648"},
        {std::numeric_limits<int32_t>::min(), 12, "0", "0-2147483648"},
        // Only the lead byte of a double-byte pad text is used.
        {5, 3, Sjis("０"),
         "\x82\x82"
         "5"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PadNumber(c.number, c.width, c.pad_text), c.expected)
            << c.number << " width " << c.width;
    }
}

TEST(HalfWidthUpperTest, FoldsEveryFullWidthCharacterOfTheTable) {
    const std::string full_width = Sjis(
        "　，．：；？！＾／～｜‘’′“”″（）［］｛｝＋－＝〓＜＞￥＄％＃＆＊＠"
        "０１２３４５６７８９"
        "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ"
        "ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ");
    const std::string half_width =
        " ,.:;?!^/~|'''\"\"\"()[]{}+-==<>\\$%#&*@"
        "0123456789"
        "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
        "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    EXPECT_EQ(HalfWidthUpper(full_width), half_width);
}

TEST(HalfWidthUpperTest, FoldsNoOtherDoubleByteCode) {
    int folded_codes = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string code = {static_cast<char>(lead), static_cast<char>(trail)};
            if (IsLeadByte(static_cast<unsigned char>(lead)) && HalfWidthUpper(code) != code) {
                ++folded_codes;
            }
        }
    }
    EXPECT_EQ(folded_codes, 98);
}

TEST(HalfWidthUpperTest, MapsSingleBytesAndLeavesOtherCharacters) {
    struct Case {
        std::string text;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"", ""},
        {"abcXYZ", "ABCXYZ"},
        {Sjis("ａｂｃ１２３"), "ABC123"},
        {Sjis("１９９７／０４／０１"), "1997/04/01"},
        {Sjis("（＋）"), "(+)"},
        {Sjis("＜＞"), "<>"},
        {Sjis("〓"), "="},
        {Sjis("￥"), "\x5C"},
        {Sjis("ｱ"), "\xB1"},
        {Sjis("ア日＿＼ー、。・｀‐￠￡"), Sjis("ア日＿＼ー、。・｀‐￠￡")},
        // The second byte of a pair is never a character of its own.
        {"\x82\x61", "B"},
        {"\x83\x61", "\x83\x61"},
        // A lead byte without a partner stays as it is.
        {"a\x82", "A\x82"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HalfWidthUpper(c.text), c.expected) << ShiftJisToUtf8(c.text);
    }
}

TEST(TrimTextTest, RemovesControlBytesAndBlanksOnly) {
    EXPECT_EQ(TrimText(std::string("\0\t 12 \r\n", 8)), "12");
    EXPECT_EQ(TrimText(" \x7F "), "\x7F");
    EXPECT_EQ(TrimText("   "), "");
    EXPECT_EQ(TrimText(Sjis("　1　")), Sjis("　1　"));
}

struct IntCase {
    std::string text;
    int32_t expected;
};

void ExpectIntegers(const std::vector<IntCase>& cases, int32_t default_value) {
    for (const IntCase& c : cases) {
        EXPECT_EQ(TextToIntDef(c.text, default_value), c.expected) << ShiftJisToUtf8(c.text);
    }
}

TEST(TextToIntDefTest, ReadsHalfAndFullWidthDecimals) {
    ExpectIntegers(
        {
            {"", 0},
            {"   ", 0},
            {" 12 ", 12},
            {"\t12\r\n", 12},
            {Sjis("１２"), 12},
            {Sjis("－１２"), -12},
            {Sjis("＋１２"), 12},
            {Sjis("　１２"), 12},
            {Sjis("１２　"), 0},
            {"12a", 0},
            {"1.5", 0},
            {"1,000", 0},
            {Sjis("１，０００"), 0},
            {"- 7", 0},
            {"+-5", 0},
            {Sjis("ー１"), 0},
            {"0012", 12},
            {"-0", 0},
        },
        0);
}

TEST(TextToIntDefTest, ReadsHexadecimals) {
    ExpectIntegers(
        {
            {"$1F", 31},
            {Sjis("＄１ｆ"), 31},
            {"$", 0},
            {"-$1", 0},
            {"$FFFFFFFF", -1},
            {"$80000000", std::numeric_limits<int32_t>::min()},
            {"$000000001", 1},
            {"$100000000", 0},
        },
        0);
}

TEST(TextToIntDefTest, KeepsToTheIntegerLimits) {
    ExpectIntegers(
        {
            {"2147483647", 2147483647},
            {"2147483648", 0},
            {"-2147483647", -2147483647},
            {"-2147483648", 0},
        },
        0);
}

TEST(TextToIntDefTest, GivesTheDefaultForWhatItCannotRead) {
    ExpectIntegers(
        {
            {"x", 99},
            {std::string("12\0X", 4), 12},
            {"1\x82", 99},
            {"7", 7},
        },
        99);
}

}  // namespace
}  // namespace rozuduzod
