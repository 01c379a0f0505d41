#include "number_text.hpp"

#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include "errors.hpp"
#include "shift_jis.hpp"

namespace rozuduzod {
namespace {

using namespace std::string_literals;

// " は整数ではありません" and " は浮動小数点数ではありません" in code page 932.
const std::string kNotIntegerBytes =
    "\x20\x82\xcd\x90\xae\x90\x94\x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1";
const std::string kNotDecimalBytes =
    "\x20\x82\xcd\x95\x82\x93\xae\x8f\xac\x90\x94\x93\x5f\x90\x94\x82\xc5\x82\xcd\x82\xa0\x82\xe8"
    "\x82\xdc\x82\xb9\x82\xf1";

// Integer texts ----------------------------------------------------------------------------------

struct IntegerCase {
    std::string text;
    std::optional<int32_t> value;  // nothing: refused
};

void PrintTo(const IntegerCase& c, std::ostream* out) { *out << '"' << c.text << '"'; }

class IntegerTextTest : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerTextTest, ReadsOrRefuses) {
    EXPECT_EQ(TryReadIntegerText(GetParam().text), GetParam().value);
}

TEST_P(IntegerTextTest, RefusalNamesTheWholeTextInTheMessage) {
    const IntegerCase& c = GetParam();
    if (c.value) {
        EXPECT_EQ(ReadIntegerText(c.text), *c.value);
        return;
    }
    try {
        ReadIntegerText(c.text);
        ADD_FAILURE() << "accepted";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "'" + c.text + "'" + kNotIntegerBytes);
    }
}

INSTANTIATE_TEST_SUITE_P(Decimal, IntegerTextTest,
                         ::testing::Values(IntegerCase{"3", 3}, IntegerCase{" 3", 3},
                                           IntegerCase{"   42", 42}, IntegerCase{"+3", 3},
                                           IntegerCase{"-7", -7}, IntegerCase{"03", 3},
                                           IntegerCase{"000000000000000012", 12},
                                           IntegerCase{"-0", 0},
                                           IntegerCase{"2147483647", 2147483647},
                                           IntegerCase{"-2147483647", -2147483647},
                                           IntegerCase{"2147483648", std::nullopt},
                                           IntegerCase{"-2147483648", std::nullopt},
                                           IntegerCase{"21474836470", std::nullopt},
                                           IntegerCase{"99999999999999999999", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(
    Hexadecimal, IntegerTextTest,
    ::testing::Values(IntegerCase{"$A", 10}, IntegerCase{"$a", 10}, IntegerCase{" $1f", 31},
                      IntegerCase{"$7FFFFFFF", 2147483647}, IntegerCase{"$FFFFFFFF", -1},
                      IntegerCase{"$80000000", std::numeric_limits<int32_t>::min()},
                      IntegerCase{"$000000001", 1}, IntegerCase{"$100000000", std::nullopt},
                      IntegerCase{"$", std::nullopt}, IntegerCase{"-$1", std::nullopt},
                      IntegerCase{"+$1", std::nullopt}, IntegerCase{"$G", std::nullopt},
                      IntegerCase{"$ 1", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(
    Refused, IntegerTextTest,
    ::testing::Values(IntegerCase{"", std::nullopt}, IntegerCase{" ", std::nullopt},
                      IntegerCase{"3 ", std::nullopt}, IntegerCase{"+-5", std::nullopt},
                      IntegerCase{"-+5", std::nullopt}, IntegerCase{"- 7", std::nullopt},
                      IntegerCase{"+", std::nullopt}, IntegerCase{"\t3", std::nullopt},
                      IntegerCase{"3.0", std::nullopt}, IntegerCase{"1,000", std::nullopt},
                      IntegerCase{"\x82\x52", std::nullopt}));  // full-width "３"

INSTANTIATE_TEST_SUITE_P(ZeroByte, IntegerTextTest,
                         ::testing::Values(IntegerCase{"12\0X"s, 12}, IntegerCase{"$A\0 "s, 10},
                                           IntegerCase{"\0"s + "5", std::nullopt},
                                           IntegerCase{" \0"s, std::nullopt}));

TEST(IntegerTextMessageTest, KeepsTheTextsBytesAsGiven) {
    try {
        ReadIntegerText("3 ");
        FAIL() << "accepted";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), Sjis("'3 ' は整数ではありません"));
    }
    try {
        ReadIntegerText("");
        FAIL() << "accepted";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), Sjis("'' は整数ではありません"));
    }
}

// Decimal number texts ---------------------------------------------------------------------------

struct DecimalCase {
    std::string text;
    char separator;
    std::optional<long double> value;  // nothing: refused
};

void PrintTo(const DecimalCase& c, std::ostream* out) {
    *out << '"' << c.text << "\" with '" << c.separator << "'";
}

class DecimalTextTest : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalTextTest, ReadsOrRefuses) {
    const DecimalCase& c = GetParam();
    if (!c.value) {
        try {
            ReadDecimalText(c.text, c.separator);
            ADD_FAILURE() << "accepted";
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.Message(), "'" + c.text + "'" + kNotDecimalBytes);
        }
        return;
    }
    const long double value = ReadDecimalText(c.text, c.separator);
    EXPECT_EQ(value, *c.value);
    EXPECT_EQ(std::signbit(value), std::signbit(*c.value));
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DecimalTextTest,
    ::testing::Values(DecimalCase{"35.2", '.', 35.2L}, DecimalCase{" 35.2 ", '.', 35.2L},
                      DecimalCase{"+35.2", '.', 35.2L}, DecimalCase{"-35.2", '.', -35.2L},
                      DecimalCase{"3000", '.', 3000.0L}, DecimalCase{"8388608.00", '.', 8388608.0L},
                      DecimalCase{"7.", '.', 7.0L}, DecimalCase{".5", '.', 0.5L},
                      DecimalCase{".", '.', 0.0L}, DecimalCase{"-0", '.', -0.0L},
                      DecimalCase{"000.000", '.', 0.0L}, DecimalCase{"1e3", '.', 1000.0L},
                      DecimalCase{"1E+3", '.', 1000.0L}, DecimalCase{"25e-1", '.', 2.5L},
                      DecimalCase{"-1.5e2 ", '.', -150.0L},
                      DecimalCase{"0.000000000000000000000000000001e30", '.', 1.0L},
                      DecimalCase{"35,2", ',', 35.2L}, DecimalCase{"-0,25e1", ',', -2.5L}));

INSTANTIATE_TEST_SUITE_P(
    Refused, DecimalTextTest,
    ::testing::Values(
        DecimalCase{"", '.', std::nullopt}, DecimalCase{"   ", '.', std::nullopt},
        DecimalCase{"+", '.', std::nullopt}, DecimalCase{"-", '.', std::nullopt},
        DecimalCase{"1e", '.', std::nullopt}, DecimalCase{"1e+", '.', std::nullopt},
        DecimalCase{"e5", '.', std::nullopt}, DecimalCase{"1 2", '.', std::nullopt},
        DecimalCase{"1..2", '.', std::nullopt}, DecimalCase{"+-1", '.', std::nullopt},
        DecimalCase{"35,2", '.', std::nullopt}, DecimalCase{"3,000", '.', std::nullopt},
        DecimalCase{"35.2", ',', std::nullopt}, DecimalCase{"\t35.2", '.', std::nullopt},
        DecimalCase{"35.2\t", '.', std::nullopt},
        DecimalCase{"\x82\x52\x82\x54", '.', std::nullopt},  // full-width "３５"
        DecimalCase{"inf", '.', std::nullopt}, DecimalCase{"nan", '.', std::nullopt},
        DecimalCase{"0x10", '.', std::nullopt}, DecimalCase{"$10", '.', std::nullopt}));

INSTANTIATE_TEST_SUITE_P(ZeroByte, DecimalTextTest,
                         ::testing::Values(DecimalCase{"12.5\0abc"s, '.', 12.5L},
                                           DecimalCase{"1e2\0"s, '.', 100.0L},
                                           DecimalCase{"\0"s + "1", '.', std::nullopt}));

// The extended range reaches about 1.19e4932 and, with denormals, down to about 3.6e-4951.
INSTANTIATE_TEST_SUITE_P(
    Range, DecimalTextTest,
    ::testing::Values(DecimalCase{"1.18973149535723176502e4932", '.', LDBL_MAX},
                      DecimalCase{"-1.18973149535723176502e4932", '.', -LDBL_MAX},
                      DecimalCase{"1.2e4932", '.', std::nullopt},
                      DecimalCase{"1e5000", '.', std::nullopt},
                      DecimalCase{"-1e5000", '.', std::nullopt},
                      DecimalCase{"1e99999999999999999999", '.', std::nullopt},
                      DecimalCase{"3.36210314311209350626e-4932", '.', LDBL_MIN},
                      DecimalCase{"1e-4960", '.', 0.0L}, DecimalCase{"-1e-5000", '.', -0.0L},
                      DecimalCase{"1e-99999999999999999999", '.', 0.0L},
                      DecimalCase{"0e99999", '.', 0.0L}));

// 2^64 + 1 and 2^64 + 3 lie halfway between neighbours 2 apart: ties go to the even
// significand, and any digit after the tie decides it upwards.
INSTANTIATE_TEST_SUITE_P(
    Rounding, DecimalTextTest,
    ::testing::Values(DecimalCase{"18446744073709551617", '.', 18446744073709551616.0L},
                      DecimalCase{"18446744073709551619", '.', 18446744073709551620.0L},
                      DecimalCase{"18446744073709551617.000000000000000000000000001", '.',
                                  18446744073709551618.0L},
                      DecimalCase{"0.1000000000000000000000000000000000000001", '.', 0.1L}));

// Fixed-point texts ------------------------------------------------------------------------------

struct FixedCase {
    long double value;
    int width;
    int decimals;
    std::string text;
};

void PrintTo(const FixedCase& c, std::ostream* out) {
    *out << "%" << c.width << "." << c.decimals << "f of " << static_cast<double>(c.value);
}

class FixedTextTest : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FixedTextTest, Writes) {
    const FixedCase& c = GetParam();
    EXPECT_EQ(FixedText(c.value, c.width, c.decimals, '.'), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    OneDecimal, FixedTextTest,
    ::testing::Values(
        FixedCase{123.45L, 6, 1, " 123.5"}, FixedCase{0.35L, 6, 1, "   0.4"},
        FixedCase{0.25, 6, 1, "   0.3"}, FixedCase{-0.25, 6, 1, "  -0.3"},
        FixedCase{-0.04L, 6, 1, "   0.0"}, FixedCase{0, 6, 1, "   0.0"},
        FixedCase{-0.0L, 6, 1, "   0.0"}, FixedCase{12345.67L, 6, 1, "12345.7"},
        FixedCase{99.96L, 6, 1, " 100.0"}, FixedCase{350.5L, 6, 1, " 350.5"},
        FixedCase{-0.05L, 6, 1, "  -0.1"}, FixedCase{1e-30L, 6, 1, "   0.0"},
        FixedCase{-99999.96L, 6, 1, "-100000.0"},
        // Below 0.05 by several steps of the extended type, yet 18 digits make it 0.05.
        FixedCase{0.04999999999999999998L, 6, 1, "   0.1"}));

INSTANTIATE_TEST_SUITE_P(
    TwoDecimals, FixedTextTest,
    ::testing::Values(FixedCase{30.125, 6, 2, " 30.13"}, FixedCase{10.004L, 6, 2, " 10.00"},
                      FixedCase{0.004L, 6, 2, "  0.00"}, FixedCase{0.005L, 6, 2, "  0.01"},
                      FixedCase{12.5, 5, 2, "12.50"}, FixedCase{9.5, 5, 2, " 9.50"},
                      FixedCase{123.456L, 5, 2, "123.46"}, FixedCase{11.68L, 5, 2, "11.68"},
                      FixedCase{9.995L, 5, 2, "10.00"}, FixedCase{-3.14159L, 5, 2, "-3.14"}));

INSTANTIATE_TEST_SUITE_P(
    Large, FixedTextTest,
    ::testing::Values(FixedCase{1e30L, 6, 1, "1" + std::string(30, '0') + ".0"},
                      FixedCase{-1e20L, 5, 2, "-1" + std::string(20, '0') + ".00"},
                      FixedCase{123456789012345678901.0L, 6, 1, "123456789012345679000.0"},
                      // Exact halves at the 18th significant digit go to the even digit.
                      FixedCase{288230376151711744.5L, 6, 1, "288230376151711744.0"},
                      FixedCase{288230376151711745.5L, 6, 1, "288230376151711746.0"}));

// However a text is read, its value is the extended value nearest to it, as from_chars finds it.
TEST(DecimalTextRoundingTest, GivesTheNearestExtendedValue) {
    for (const char* text :
         {"0.1", "0.35", "99.96", "10.004", "3.3333333333333333333", "12345678901234567.89",
          "9999999999999999999", "99999999999999999999", "18446744073709551617", "1e27", "1e28",
          "1e-27", "1e-28", "123456789e-30", "0.000000000000000000000000001234"}) {
        long double nearest = 0;
        std::from_chars(text, text + std::strlen(text), nearest);
        EXPECT_EQ(ReadDecimalText(text, '.'), nearest) << text;
    }
}

TEST(FixedTextLargeTest, LargestExtendedValueKeepsAllItsDigits) {
    const std::string text = FixedText(LDBL_MAX, 6, 1, '.');
    const std::string digits = "118973149535723177";
    EXPECT_EQ(text, digits + std::string(4933 - digits.size(), '0') + ".0");
    // Its 18 digits round up beyond the largest value, so the text does not read back: the
    // economy of such a distance fails with the reading's message rather than a wrong number.
    EXPECT_THROW(ReadDecimalText(text, '.'), EConvertError);
}

TEST(FixedTextSeparatorTest, WritesTheGivenSeparator) {
    EXPECT_EQ(FixedText(12.5, 5, 2, ','), "12,50");
    EXPECT_EQ(FixedText(-0.25, 6, 1, ','), "  -0,3");
}

TEST(FixedTextSeparatorTest, ReadsBackWhatItWrites) {
    EXPECT_EQ(ReadDecimalText(FixedText(99.96L, 6, 1, ','), ','), 100.0L);
}

TEST(FixedTextNonFiniteTest, RefusesInfinityAndNaN) {
    EXPECT_THROW(FixedText(std::numeric_limits<long double>::infinity(), 6, 1, '.'), EInvalidOp);
    EXPECT_THROW(FixedText(-std::numeric_limits<long double>::infinity(), 6, 1, '.'), EInvalidOp);
    EXPECT_THROW(FixedText(std::numeric_limits<long double>::quiet_NaN(), 6, 1, '.'), EInvalidOp);
}

}  // namespace
}  // namespace rozuduzod
