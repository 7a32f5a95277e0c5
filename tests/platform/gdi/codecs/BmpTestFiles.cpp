#include "BmpTestFiles.h"

namespace {
void U16(std::string& s, uint32_t v) {
  s.push_back(char(v & 0xFF));
  s.push_back(char(v >> 8 & 0xFF));
}
void U32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s.push_back(char(v >> (8 * i) & 0xFF));
}
}  // namespace

std::string BuildBmp(const TBmpSpec& spec) {
  std::string h;
  U32(h, spec.headerSize);
  if (spec.headerSize == 12) {
    U16(h, uint32_t(spec.width));
    U16(h, uint32_t(spec.height));
    U16(h, 1);
    U16(h, spec.bitCount);
  } else {
    U32(h, uint32_t(spec.width));
    U32(h, uint32_t(spec.height));
    U16(h, 1);
    U16(h, spec.bitCount);
    U32(h, spec.compression);
    U32(h, uint32_t(spec.bits.size()));
    U32(h, 2835);
    U32(h, 2835);
    U32(h, spec.clrUsed);
    U32(h, 0);
    if (spec.headerSize >= 52)
      for (size_t i = 0; i < 4; ++i) U32(h, i < spec.masks.size() ? spec.masks[i] : 0);
    h.resize(spec.headerSize, '\0');  // colour space fields of V4/V5 stay zero
    if (spec.headerSize == 40)
      for (uint32_t m : spec.masks) U32(h, m);
  }
  for (uint32_t rgb : spec.palette) {
    h.push_back(char(rgb & 0xFF));
    h.push_back(char(rgb >> 8 & 0xFF));
    h.push_back(char(rgb >> 16 & 0xFF));
    if (spec.headerSize != 12) h.push_back(0);
  }
  std::string file = "BM";
  U32(file, uint32_t(14 + h.size() + spec.bits.size()));
  U32(file, 0);
  U32(file, spec.offBitsOverride >= 0 ? uint32_t(spec.offBitsOverride) : uint32_t(14 + h.size()));
  return file + h + spec.bits;
}
