#include "html/document/model/TabControl.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/rtl/Format.h"

String TabOrderKey(double tabIndex, int count) {
  const double index = std::isnan(tabIndex) ? 1.0 : std::clamp(std::floor(tabIndex), 1.0, 2147483647.0);
  return Format(u"%.10d%.10d", {static_cast<int>(index), std::max(count, 0)});
}
