// Floating-point to integer conversions as the platform performs them.
#pragma once

#include <cstdint>

#include "platform/rtl/Exceptions.h"

// Raised when a value has no integer form (NaN, infinity, out of the 64-bit range):
// "Ungültige Gleitkommaoperation".
WENDREL_DECLARE_EXCEPTION(EInvalidOp, Exception);

// Nearest integer; a tie goes to the even neighbour (Round(2.5) = 2, Round(3.5) = 4).
int64_t Round(double value);
// Integer part, towards zero.
int64_t Trunc(double value);
// Fractional part with the sign of value (Frac(-1.25) = -0.25).
double Frac(double value);
