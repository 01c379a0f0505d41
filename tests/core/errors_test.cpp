#include "errors.hpp"

#include <gtest/gtest.h>

#include "shift_jis.hpp"

namespace rozuduzod {
namespace {

struct DisplayCase {
    std::string message;
    std::string shown;
};

class DisplayTextTest : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayTextTest, AppendsFullStopUnlessMessageEndsInLowSingleByte) {
    EXPECT_EQ(DisplayText(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, DisplayTextTest,
    ::testing::Values(DisplayCase{"", ""}, DisplayCase{"I/O (32)", "I/O (32)"},
                      DisplayCase{"ends in a stop.", "ends in a stop."},
                      DisplayCase{"ends in a dash -", "ends in a dash -"},
                      DisplayCase{"trailing blank ", "trailing blank "},
                      DisplayCase{"slash/", "slash/."}, DisplayCase{"digit 7", "digit 7."},
                      DisplayCase{"letter", "letter."},
                      // A double-byte character whose second byte is low still gets the stop.
                      DisplayCase{"\x82\x20", "\x82\x20."},
                      DisplayCase{Sjis("ﾌｧｲﾙが見つかりません"), Sjis("ﾌｧｲﾙが見つかりません.")},
                      // Half-width katakana are single bytes above 0x2E.
                      DisplayCase{Sjis("ｴﾗｰ"), Sjis("ｴﾗｰ.")},
                      DisplayCase{"lone lead \x82", "lone lead \x82."}));

struct InOutCase {
    int code;
    const char* message;
};

class InOutMessageTest : public ::testing::TestWithParam<InOutCase> {};

TEST_P(InOutMessageTest, EachCodeHasItsMessage) {
    EInOutError error(GetParam().code);
    EXPECT_EQ(error.Code(), GetParam().code);
    EXPECT_EQ(error.Message(), Sjis(GetParam().message));
}

INSTANTIATE_TEST_SUITE_P(Codes, InOutMessageTest,
                         ::testing::Values(InOutCase{2, "ﾌｧｲﾙが見つかりません"},
                                           InOutCase{3, "不正なﾌｧｲﾙ名です"},
                                           InOutCase{4, "ｵｰﾌﾟﾝしたﾌｧｲﾙが多すぎます"},
                                           InOutCase{5, "ﾌｧｲﾙへのｱｸｾｽが拒否されました"},
                                           InOutCase{32, "I/O ｴﾗｰ (32)"},
                                           InOutCase{100, "ﾌｧｲﾙの末尾以降を読み込みました"},
                                           InOutCase{101, "ﾃﾞｨｽｸがいっぱいです"},
                                           InOutCase{106, "入力値が数値ではありません"},
                                           InOutCase{1005, "I/O ｴﾗｰ (1005)"}));

TEST(ArithmeticErrors, CarryTheirMessages) {
    EXPECT_EQ(EZeroDivide().Message(), Sjis("0 による浮動小数点数除算"));
    EXPECT_EQ(EInvalidOp().Message(), Sjis("不正な浮動小数点数演算命令"));
    EXPECT_EQ(EOverflow().Message(), Sjis("浮動小数点数のｵｰﾊﾞｰﾌﾛｰ"));
}

TEST(FormatMessage, PutsArgumentBytesInPlaceOfFirstPlaceholder) {
    EXPECT_EQ(FormatMessage("'%s' x %s", "a%sb"), "'a%sb' x %s");
    EXPECT_EQ(FormatMessage("no placeholder", "a"), "no placeholder");
    EXPECT_EQ(FormatMessage("'%s'", std::string_view("\0\x82", 2)), std::string("'\0\x82'", 4));
}

}  // namespace
}  // namespace rozuduzod
