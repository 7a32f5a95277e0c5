// Lookups into the byte maps of the single-byte code pages.
#include "platform/rtl/codepages/CodePageTables.h"

namespace {
#include "platform/rtl/codepages/SingleByteMaps.inc"

template <size_t N>
const uint16_t* FindMap(const int (&codePages)[N], const uint16_t* maps, size_t stride, int codePage) {
  for (size_t i = 0; i < N; ++i)
    if (codePages[i] == codePage) return maps + i * stride;
  return nullptr;
}
}  // namespace

const uint16_t* HighMapOf(int codePage) { return FindMap(kHighMapCodePages, &kHighMaps[0][0], 128, codePage); }
const uint16_t* IsoMapOf(int codePage) { return FindMap(kIsoMapCodePages, &kIsoMaps[0][0], 96, codePage); }
const uint16_t* FullMapOf(int codePage) { return FindMap(kFullMapCodePages, &kFullMaps[0][0], 256, codePage); }

std::optional<std::array<Char, 256>> RoundTripMapOf(int codePage) {
  const uint16_t* map = FullMapOf(codePage);
  if (!map) return std::nullopt;
  std::array<Char, 256> units;
  for (int b = 0; b < 256; ++b) units[b] = map[b] == 0xFFFD ? Char(b) : Char(map[b]);
  return units;
}
