#include "extended.hpp"

#include <cmath>

#include "errors.hpp"

namespace rozuduzod {
namespace {

// Ties go to the even neighbour, whatever rounding the floating-point environment is set to.
long double NearestTiesToEven(long double value) {
    // Both differences are exact: the integer part never needs more bits than the value.
    if (std::fabs(value - std::trunc(value)) == 0.5L) {
        return 2 * std::round(value / 2);
    }
    return std::round(value);
}

}  // namespace

// The faults are found by testing the operands and the quotient rather than by reading the
// floating-point status flags, so no reordering of the division by the compiler can hide them.
// The quotient itself is the hardware's extended division, rounded to nearest with ties to even.
long double DivideExtended(long double a, long double b) {
    if (std::isnan(a) || std::isnan(b) || (a == 0 && b == 0) || (std::isinf(a) && std::isinf(b))) {
        throw EInvalidOp();
    }
    if (b == 0) {
        throw EZeroDivide();
    }
    const long double quotient = a / b;
    if (std::isinf(quotient)) {
        throw EOverflow();
    }
    return quotient;
}

int32_t RoundToInt32(long double value) {
    const long double rounded = NearestTiesToEven(value);
    // NaN fails both comparisons, so it is refused by their negation.
    if (!(rounded >= -2147483648.0L && rounded <= 2147483647.0L)) {
        throw EInvalidOp();
    }
    return static_cast<int32_t>(rounded);
}

}  // namespace rozuduzod
