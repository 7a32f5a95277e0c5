// Builds small BMP files field by field, for the cases no tool writes (V4/V5 headers,
// colour masks, rows from the top, run-length data) and for malformed variants.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TBmpSpec {
  uint32_t headerSize = 40;
  int32_t width = 1;
  int32_t height = 1;  // negative: rows from the top
  uint16_t bitCount = 24;
  uint32_t compression = 0;
  uint32_t clrUsed = 0;
  std::vector<uint32_t> masks;    // in the header (52+) or after a 40-byte header
  std::vector<uint32_t> palette;  // 0x00RRGGBB, written as RGBQUADs (RGBTRIPLEs for 12)
  std::string bits;
  int64_t offBitsOverride = -1;   // -1: right after the table
};

std::string BuildBmp(const TBmpSpec& spec);
