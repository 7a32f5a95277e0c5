#include "platform/gdi/geometry/Geometry.h"

#include <cstdint>

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  int64_t p = static_cast<int64_t>(a) * b;
  bool negative = (p < 0) != (c < 0);
  uint64_t up = static_cast<uint64_t>(p < 0 ? -p : p);
  uint64_t uc = static_cast<uint64_t>(c < 0 ? -static_cast<int64_t>(c) : c);
  uint64_t q = (up + uc / 2) / uc;
  int64_t r = negative ? -static_cast<int64_t>(q) : static_cast<int64_t>(q);
  if (r > INT32_MAX || r < INT32_MIN) return -1;
  return static_cast<int>(r);
}
