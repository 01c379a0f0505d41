#include "shift_jis.hpp"

#include <gtest/gtest.h>

namespace rozuduzod {
namespace {

TEST(ShiftJis, RoundTripsJapaneseText) {
    const std::string utf8 = "「ぽてりん」ﾃﾞｰﾀｺﾝﾊﾞｰﾄ  Ver 1.0 ＡＢ１２ レギュラー 軽油 ？";
    auto shift_jis = Utf8ToShiftJis(utf8);
    ASSERT_TRUE(shift_jis.has_value());
    EXPECT_EQ(ShiftJisToUtf8(*shift_jis), utf8);
}

TEST(ShiftJis, EncodesKnownBytes) {
    EXPECT_EQ(Sjis("？"), "\x81\x48");
    EXPECT_EQ(Sjis("０"), "\x82\x4F");
    EXPECT_EQ(Sjis("ｱ"), "\xB1");
    // The backslash and tilde stay ASCII.
    EXPECT_EQ(Sjis("\\~"), "\\~");
}

struct DecodeCase {
    std::string shift_jis;
    std::string utf8;
};

class ShiftJisDecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(ShiftJisDecodeTest, ReplacesEachInvalidByte) {
    EXPECT_EQ(ShiftJisToUtf8(GetParam().shift_jis), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, ShiftJisDecodeTest,
    ::testing::Values(DecodeCase{"", ""}, DecodeCase{"abc", "abc"},
                      DecodeCase{"1\x82", "1\xEF\xBF\xBD"},    // lone lead byte at the end
                      DecodeCase{"\x82 x", "\xEF\xBF\xBD x"},  // lead byte, bad second byte
                      DecodeCase{"\xA0\x82\x50", "\xEF\xBF\xBD\xEF\xBC\x91"},  // 0xA0 then "１"
                      DecodeCase{std::string("a\0b", 3), std::string("a\0b", 3)}));

TEST(ShiftJis, ReportsCharactersWithoutShiftJisForm) {
    EXPECT_FALSE(Utf8ToShiftJis("晴れ\xF0\x9F\x98\x80").has_value());  // an emoji
    EXPECT_FALSE(Utf8ToShiftJis("\xC3").has_value());                  // cut-off UTF-8
    EXPECT_THROW(Sjis("é"), std::logic_error);
}

TEST(ShiftJis, LeadBytesAreThoseOfCodePage932) {
    for (int byte = 0; byte < 256; ++byte) {
        bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        EXPECT_EQ(IsLeadByte(static_cast<unsigned char>(byte)), lead) << byte;
    }
}

}  // namespace
}  // namespace rozuduzod
