// Runs of ASCII bytes, the common case of every code page that keeps bytes 01..7F as
// themselves: copied into a converter's block eight bytes at a time.
#pragma once

#include <cstdint>
#include <cstring>

#include "platform/rtl/Types.h"

// Whether every byte of a 64-bit word lies in 01..7F. Every byte outside is caught (a byte
// from 80 on has its top bit, a zero byte always wraps when 1 is taken from it); a byte 01
// just above a zero byte is caught too, which only sends the word to the byte-wise loop.
inline bool IsAsciiWord(uint64_t word) {
  return ((word | (word - 0x0101010101010101u)) & 0x8080808080808080u) == 0;
}

// Copies the bytes 01..7F from p on as UTF-16 units, at most `room` of them and none at or
// after `end`; ends[i] is `offset` plus the bytes consumed through unit i. Whole words go at
// a time while they hold only such bytes, the rest one by one. Returns the units copied.
inline int CopyAsciiRun(const uint8_t* __restrict p, const uint8_t* end, int room, Char* __restrict chars,
                        int32_t* __restrict ends, int32_t offset) {
  const int limit = end - p < room ? static_cast<int>(end - p) : room;
  int k = 0;
  for (; k + 8 <= limit; k += 8) {
    uint64_t word;
    std::memcpy(&word, p + k, 8);
    if (!IsAsciiWord(word)) break;
    for (int i = 0; i < 8; ++i) {
      chars[k + i] = p[k + i];
      ends[k + i] = offset + k + i + 1;
    }
  }
  while (k < limit && static_cast<uint8_t>(p[k] - 1) < 0x7F) {
    chars[k] = p[k];
    ends[k] = offset + k + 1;
    ++k;
  }
  return k;
}
