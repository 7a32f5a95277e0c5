// Building one metafile record: type and size first, then the fields little-endian; Finish
// pads the record to a multiple of 4 bytes and stores its size.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/gdi/geometry/Geometry.h"

class TEmfRecordWriter {
 public:
  explicit TEmfRecordWriter(uint32_t type) {
    U32(type);
    U32(0);
  }

  TEmfRecordWriter& U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(char(v >> (8 * i) & 0xFF));
    return *this;
  }
  TEmfRecordWriter& I32(int32_t v) { return U32(static_cast<uint32_t>(v)); }
  TEmfRecordWriter& U16(uint16_t v) {
    bytes_.push_back(char(v & 0xFF));
    bytes_.push_back(char(v >> 8));
    return *this;
  }
  TEmfRecordWriter& I16(int16_t v) { return U16(static_cast<uint16_t>(v)); }
  TEmfRecordWriter& U8(uint8_t v) {
    bytes_.push_back(char(v));
    return *this;
  }
  TEmfRecordWriter& F32(float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    return U32(bits);
  }
  TEmfRecordWriter& Point(TPoint p) { return I32(p.X).I32(p.Y); }
  TEmfRecordWriter& Size(TSize s) { return I32(s.cx).I32(s.cy); }
  TEmfRecordWriter& Rect(const TRect& r) { return I32(r.Left).I32(r.Top).I32(r.Right).I32(r.Bottom); }
  TEmfRecordWriter& Bytes(std::string_view b) {
    bytes_.append(b);
    return *this;
  }
  // Zero bytes up to the next multiple of 4.
  TEmfRecordWriter& Pad() {
    while (bytes_.size() % 4) bytes_.push_back('\0');
    return *this;
  }

  std::string Finish() {
    Pad();
    uint32_t size = static_cast<uint32_t>(bytes_.size());
    for (int i = 0; i < 4; ++i) bytes_[4 + i] = char(size >> (8 * i) & 0xFF);
    return std::move(bytes_);
  }

 private:
  std::string bytes_;
};
