#include "extended.hpp"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "errors.hpp"
#include "shift_jis.hpp"

namespace rozuduzod {
namespace {

constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();
constexpr long double kInfinity = std::numeric_limits<long double>::infinity();

// The class and message a failed operation must raise.
enum class Fault { kZeroDivide, kInvalidOp, kOverflow };

std::string MessageOf(Fault fault) {
    switch (fault) {
        case Fault::kZeroDivide:
            return Sjis("0 による浮動小数点数除算");
        case Fault::kInvalidOp:
            return Sjis("不正な浮動小数点数演算命令");
        case Fault::kOverflow:
            return Sjis("浮動小数点数のｵｰﾊﾞｰﾌﾛｰ");
    }
    return {};
}

bool IsOfClass(const Exception& error, Fault fault) {
    switch (fault) {
        case Fault::kZeroDivide:
            return dynamic_cast<const EZeroDivide*>(&error) != nullptr;
        case Fault::kInvalidOp:
            return dynamic_cast<const EInvalidOp*>(&error) != nullptr;
        case Fault::kOverflow:
            return dynamic_cast<const EOverflow*>(&error) != nullptr;
    }
    return false;
}

template <typename Operation>
void ExpectFault(Operation operation, Fault fault) {
    try {
        operation();
        ADD_FAILURE() << "no error raised";
    } catch (const Exception& error) {
        EXPECT_TRUE(IsOfClass(error, fault));
        EXPECT_EQ(error.Message(), MessageOf(fault));
    }
}

// Division ---------------------------------------------------------------------------------------

struct FaultyDivision {
    long double a;
    long double b;
    Fault fault;
};

void PrintTo(const FaultyDivision& c, std::ostream* out) {
    *out << static_cast<double>(c.a) << " / " << static_cast<double>(c.b);
}

class DivisionFaultTest : public ::testing::TestWithParam<FaultyDivision> {};

TEST_P(DivisionFaultTest, RaisesTheFaultsErrorAndMessage) {
    const FaultyDivision& c = GetParam();
    ExpectFault([&] { DivideExtended(c.a, c.b); }, c.fault);
}

INSTANTIATE_TEST_SUITE_P(Faults, DivisionFaultTest,
                         ::testing::Values(FaultyDivision{3000, 0, Fault::kZeroDivide},
                                           FaultyDivision{-3000, 0, Fault::kZeroDivide},
                                           FaultyDivision{1, -0.0L, Fault::kZeroDivide},
                                           FaultyDivision{LDBL_TRUE_MIN, 0, Fault::kZeroDivide},
                                           FaultyDivision{0, 0, Fault::kInvalidOp},
                                           FaultyDivision{-0.0L, 0, Fault::kInvalidOp},
                                           FaultyDivision{kNaN, 1, Fault::kInvalidOp},
                                           FaultyDivision{1, kNaN, Fault::kInvalidOp},
                                           FaultyDivision{kInfinity, kInfinity, Fault::kInvalidOp},
                                           FaultyDivision{LDBL_MAX, 0.5L, Fault::kOverflow},
                                           FaultyDivision{-LDBL_MAX, 0.5L, Fault::kOverflow},
                                           FaultyDivision{1e4000L, 1e-4000L, Fault::kOverflow}));

TEST(DivisionTest, KeepsTheExtendedSignificand) {
    const long double third = DivideExtended(1, 3);
    EXPECT_NE(third, static_cast<long double>(1.0 / 3.0));
    EXPECT_EQ(third, 0.333333333333333333333333333L);
}

TEST(DivisionTest, UnderflowPassesSilently) {
    EXPECT_EQ(DivideExtended(LDBL_MIN, 4), LDBL_MIN / 4);
    EXPECT_GT(DivideExtended(LDBL_MIN, 4), 0);
    EXPECT_EQ(DivideExtended(LDBL_TRUE_MIN, 4), 0);
    EXPECT_EQ(DivideExtended(0, 5), 0);
    EXPECT_EQ(DivideExtended(LDBL_MAX, 1), LDBL_MAX);
}

// Rounding to an integer -------------------------------------------------------------------------

struct RoundingCase {
    long double value;
    int32_t rounded;
};

void PrintTo(const RoundingCase& c, std::ostream* out) { *out << static_cast<double>(c.value); }

class RoundToInt32Test : public ::testing::TestWithParam<RoundingCase> {};

TEST_P(RoundToInt32Test, RoundsToNearestTiesToEven) {
    EXPECT_EQ(RoundToInt32(GetParam().value), GetParam().rounded);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RoundToInt32Test,
    ::testing::Values(RoundingCase{2.5L, 2}, RoundingCase{3.5L, 4}, RoundingCase{-2.5L, -2},
                      RoundingCase{-3.5L, -4}, RoundingCase{0.5L, 0}, RoundingCase{1.5L, 2},
                      RoundingCase{-0.5L, 0}, RoundingCase{-0.0L, 0},
                      RoundingCase{std::nextafter(2.5L, 0.0L), 2},
                      RoundingCase{std::nextafter(2.5L, 3.0L), 3},
                      RoundingCase{std::nextafter(0.5L, 0.0L), 0},
                      RoundingCase{std::nextafter(-3.5L, 0.0L), -3}, RoundingCase{95.238L, 95},
                      RoundingCase{2147483647.4L, 2147483647},
                      RoundingCase{-2147483648.5L, std::numeric_limits<int32_t>::min()},
                      RoundingCase{-2147483647.5L, std::numeric_limits<int32_t>::min()}));

class RoundToInt32FaultTest : public ::testing::TestWithParam<long double> {};

TEST_P(RoundToInt32FaultTest, RefusesOutsideTheIntegerRange) {
    ExpectFault([&] { RoundToInt32(GetParam()); }, Fault::kInvalidOp);
}

INSTANTIATE_TEST_SUITE_P(Faults, RoundToInt32FaultTest,
                         ::testing::Values(2147483647.5L, 2147483648.0L, -2147483648.6L,
                                           -2147483649.0L, 1e30L, LDBL_MAX, kInfinity, -kInfinity,
                                           kNaN));

// Unit price: amount / fuel volume / tax factor, rounded -----------------------------------------

struct UnitPriceCase {
    long double amount;
    long double fuel_volume;
    float tax_factor;
    long double quotient;  // NaN: not checked
    int32_t unit_price;
};

void PrintTo(const UnitPriceCase& c, std::ostream* out) {
    *out << static_cast<double>(c.amount) << " / " << static_cast<double>(c.fuel_volume) << " / "
         << c.tax_factor;
}

class UnitPriceTest : public ::testing::TestWithParam<UnitPriceCase> {};

TEST_P(UnitPriceTest, DividesTwiceAndRoundsTiesToEven) {
    const UnitPriceCase& c = GetParam();
    const long double quotient = DivideExtended(DivideExtended(c.amount, c.fuel_volume),
                                                static_cast<long double>(c.tax_factor));
    if (!std::isnan(c.quotient)) {
        EXPECT_EQ(quotient, c.quotient);
    }
    EXPECT_EQ(RoundToInt32(quotient), c.unit_price);
}

// The first three quotients land exactly on halves only in extended precision with the
// single-precision tax factors.
INSTANTIATE_TEST_SUITE_P(Fixtures, UnitPriceTest,
                         ::testing::Values(UnitPriceCase{22020095, 8388608, 1.05f, 2.5L, 2},
                                           UnitPriceCase{30828133, 8388608, 1.05f, 3.5L, 4},
                                           UnitPriceCase{21600665, 8388608, 1.03f, 2.5L, 2},
                                           UnitPriceCase{3000, 30, 1.05f, kNaN, 95},
                                           UnitPriceCase{-3000, 30, 1.05f, kNaN, -95},
                                           UnitPriceCase{2575, 25, 1.03f, kNaN, 100}));

}  // namespace
}  // namespace rozuduzod
