// Little-endian reads from a byte string with every read checked against its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/rtl/Unicode.h"

inline void RequireBytes(std::string_view data, size_t offset, size_t count) {
  if (offset > data.size() || count > data.size() - offset)
    throw EInvalidGraphic(S("Bilddaten sind unvollständig"));
}

inline uint16_t ReadU16(std::string_view data, size_t offset) {
  RequireBytes(data, offset, 2);
  auto p = reinterpret_cast<const uint8_t*>(data.data()) + offset;
  return uint16_t(p[0] | p[1] << 8);
}

inline uint32_t ReadU32(std::string_view data, size_t offset) {
  RequireBytes(data, offset, 4);
  auto p = reinterpret_cast<const uint8_t*>(data.data()) + offset;
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline int32_t ReadI32(std::string_view data, size_t offset) { return int32_t(ReadU32(data, offset)); }

inline void AppendU16(std::string& out, uint16_t v) {
  out.push_back(char(v & 0xFF));
  out.push_back(char(v >> 8));
}

inline void AppendU32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(char(v >> (8 * i) & 0xFF));
}
