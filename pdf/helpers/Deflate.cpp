#include "pdf/helpers/Deflate.h"

#include <zlib.h>

#include <array>
#include <new>
#include <string>

#include "platform/rtl/Unicode.h"
#include "platform/rtl/Streams.h"

namespace {

using CrcTables = std::array<std::array<uint32_t, 256>, 8>;

CrcTables MakeCrcTables() {
  CrcTables t{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[0][i] = c;
  }
  for (int k = 1; k < 8; ++k)
    for (int i = 0; i < 256; ++i) t[k][i] = t[0][t[k - 1][i] & 0xFF] ^ (t[k - 1][i] >> 8);
  return t;
}

const CrcTables kCrcTables = MakeCrcTables();

uint32_t Load32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace

uint32_t Adler32(uint32_t running, const void* buffer, size_t length) {
  if (buffer == nullptr) return 1;
  constexpr uint32_t kBase = 65521;
  constexpr size_t kRun = 5552;  // the longest run whose sums cannot overflow 32 bits
  uint32_t s1 = running & 0xFFFF, s2 = running >> 16;
  auto p = static_cast<const unsigned char*>(buffer);
  while (length > 0) {
    size_t n = length < kRun ? length : kRun;
    length -= n;
    for (; n >= 16; n -= 16, p += 16)
      for (int i = 0; i < 16; ++i) {
        s1 += p[i];
        s2 += s1;
      }
    for (; n > 0; --n) {
      s1 += *p++;
      s2 += s1;
    }
    s1 %= kBase;
    s2 %= kBase;
  }
  return s1 | s2 << 16;
}

uint32_t Crc32(uint32_t running, const void* buffer, size_t length) {
  if (buffer == nullptr) return running;
  const auto& t = kCrcTables;
  uint32_t c = ~running;
  auto p = static_cast<const unsigned char*>(buffer);
  for (; length >= 8; length -= 8, p += 8) {
    uint32_t lo = Load32(p) ^ c, hi = Load32(p + 4);
    c = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
        t[3][hi & 0xFF] ^ t[2][(hi >> 8) & 0xFF] ^ t[1][(hi >> 16) & 0xFF] ^ t[0][hi >> 24];
  }
  for (; length > 0; --length) c = t[0][(c ^ *p++) & 0xFF] ^ (c >> 8);
  return ~c;
}

namespace {

// One deflate state per thread, reset between calls: a fresh state per stream costs a
// quarter megabyte of allocation and its page faults, for every page of a document.
class TDeflater {
 public:
  ~TDeflater() {
    if (ready_) deflateEnd(&z_);
  }
  z_stream& Start(int level, bool zlibFormat) {
    if (ready_ && level == level_ && zlibFormat == zlibFormat_) {
      if (deflateReset(&z_) == Z_OK) return z_;
    }
    if (ready_) deflateEnd(&z_);
    ready_ = false;
    z_ = z_stream{};
    int rc = deflateInit2(&z_, level, Z_DEFLATED, zlibFormat ? 15 : -15, 8, Z_DEFAULT_STRATEGY);
    if (rc == Z_MEM_ERROR) throw std::bad_alloc();
    if (rc != Z_OK) throw EDeflateError(S("deflateInit2: " + std::to_string(rc)));
    ready_ = true;
    level_ = level;
    zlibFormat_ = zlibFormat;
    return z_;
  }

 private:
  z_stream z_{};
  bool ready_ = false;
  int level_ = 0;
  bool zlibFormat_ = false;
};

}  // namespace

size_t CompressBuffer(const void* source, size_t length, TStream& destination, int level, bool zlibFormat) {
  thread_local TDeflater deflater;
  z_stream& z = deflater.Start(level, zlibFormat);

  static constexpr size_t kChunk = 65536;
  std::array<unsigned char, kChunk> out;
  auto input = static_cast<const unsigned char*>(source);
  size_t written = 0;
  int rc;
  // zlib counts input in 32-bit units: feed very large blocks in slices.
  for (;;) {
    if (z.avail_in == 0 && length > 0) {
      size_t slice = length < (1u << 30) ? length : (1u << 30);
      z.next_in = const_cast<unsigned char*>(input);
      z.avail_in = static_cast<uInt>(slice);
      input += slice;
      length -= slice;
    }
    z.next_out = out.data();
    z.avail_out = kChunk;
    rc = deflate(&z, length == 0 ? Z_FINISH : Z_NO_FLUSH);
    if (rc == Z_MEM_ERROR) throw std::bad_alloc();
    if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR)
      throw EDeflateError(S("deflate: " + std::to_string(rc)));
    size_t produced = kChunk - z.avail_out;
    if (produced > 0) destination.WriteBuffer(out.data(), static_cast<std::int64_t>(produced));
    written += produced;
    if (rc == Z_STREAM_END) break;
    // Z_BUF_ERROR with nothing produced and nothing left to give would repeat forever.
    if (rc == Z_BUF_ERROR && produced == 0 && z.avail_in == 0 && length == 0)
      throw EDeflateError(S("deflate: no progress"));
  }
  return written;
}

size_t DecompressBuffer(const void* source, size_t length, TStream& destination) {
  struct TInflater {
    z_stream z{};
    TInflater() {
      if (inflateInit(&z) != Z_OK) throw std::bad_alloc();
    }
    ~TInflater() { inflateEnd(&z); }
  } inflater;
  z_stream& z = inflater.z;
  static constexpr size_t kChunk = 65536;
  std::array<unsigned char, kChunk> out;
  auto input = static_cast<const unsigned char*>(source);
  size_t written = 0;
  for (;;) {
    if (z.avail_in == 0 && length > 0) {
      size_t slice = length < (1u << 30) ? length : (1u << 30);
      z.next_in = const_cast<unsigned char*>(input);
      z.avail_in = static_cast<uInt>(slice);
      input += slice;
      length -= slice;
    }
    z.next_out = out.data();
    z.avail_out = kChunk;
    int rc = inflate(&z, Z_NO_FLUSH);
    if (rc == Z_MEM_ERROR) throw std::bad_alloc();
    if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR)
      throw EDeflateError(S("inflate: " + std::to_string(rc)));
    size_t produced = kChunk - z.avail_out;
    if (produced > 0) destination.WriteBuffer(out.data(), static_cast<std::int64_t>(produced));
    written += produced;
    if (rc == Z_STREAM_END) return written;
    if (produced == 0 && z.avail_in == 0 && length == 0) throw EDeflateError(S("inflate: truncated block"));
  }
}
