#include "platform/rtl/Rounding.h"

#include <cmath>

#include "platform/rtl/Unicode.h"

namespace {

int64_t ToInt64(double integral) {
  // Every double in [-2^63, 2^63) converts exactly; anything else (NaN too) has no int64.
  if (!(integral >= -9223372036854775808.0 && integral < 9223372036854775808.0))
    throw EInvalidOp(S("Ungültige Gleitkommaoperation"));
  return static_cast<int64_t>(integral);
}

}  // namespace

int64_t Round(double value) {
  // Independent of the floating-point rounding mode; value - floor(value) is exact.
  double nearest = std::floor(value);
  const double rest = value - nearest;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(nearest, 2.0) != 0.0)) nearest += 1.0;
  return ToInt64(nearest);
}

int64_t Trunc(double value) { return ToInt64(std::trunc(value)); }

double Frac(double value) {
  double integral;
  return std::modf(value, &integral);
}
