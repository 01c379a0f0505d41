#pragma once
// Checked arithmetic in the extended type the conversions are defined in.

#include <cfloat>
#include <cstdint>

static_assert(LDBL_MANT_DIG == 64,
              "long double must be the x87 extended type (64-bit significand): the unit prices and "
              "fuel economies are defined in it");

namespace rozuduzod {

// a / b rounded to nearest, ties to even. Raises EZeroDivide for a non-zero value divided by
// zero, EInvalidOp for an invalid operation (0 / 0), EOverflow beyond the extended range.
long double DivideExtended(long double a, long double b);

// `value` rounded to the nearest integer, ties to even; EInvalidOp outside the 32-bit range.
int32_t RoundToInt32(long double value);

}  // namespace rozuduzod
