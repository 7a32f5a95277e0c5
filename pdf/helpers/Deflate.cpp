#include "pdf/helpers/Deflate.h"

#include <zlib.h>

#include <array>
#include <new>
#include <string>

#include "platform/rtl/Unicode.h"
#include "platform/rtl/Streams.h"

namespace {

// zlib counts lengths in 32-bit units: longer buffers go through in slices.
template <typename Checksum>
uint32_t InSlices(Checksum checksum, uint32_t running, const void* buffer, size_t length) {
  auto p = static_cast<const Bytef*>(buffer);
  uLong value = running;
  while (length > 0) {
    const uInt slice = length < (1u << 30) ? static_cast<uInt>(length) : (1u << 30);
    value = checksum(value, p, slice);
    p += slice;
    length -= slice;
  }
  return static_cast<uint32_t>(value);
}

}  // namespace

uint32_t Adler32(uint32_t running, const void* buffer, size_t length) {
  if (buffer == nullptr) return 1;
  return InSlices(adler32, running, buffer, length);
}

uint32_t Crc32(uint32_t running, const void* buffer, size_t length) {
  if (buffer == nullptr) return running;
  return InSlices(crc32, running, buffer, length);
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

// zlib counts input in 32-bit units: hands it the next slice of a large block once it has
// taken the previous one.
void FeedSlice(z_stream& z, const unsigned char*& input, size_t& length) {
  if (z.avail_in != 0 || length == 0) return;
  const size_t slice = length < (1u << 30) ? length : (1u << 30);
  z.next_in = const_cast<unsigned char*>(input);
  z.avail_in = static_cast<uInt>(slice);
  input += slice;
  length -= slice;
}

}  // namespace

size_t CompressBuffer(const void* source, size_t length, TStream& destination, int level, bool zlibFormat) {
  thread_local TDeflater deflater;
  z_stream& z = deflater.Start(level, zlibFormat);

  static constexpr size_t kChunk = 65536;
  std::array<unsigned char, kChunk> out;
  auto input = static_cast<const unsigned char*>(source);
  size_t written = 0;
  int rc;
  for (;;) {
    FeedSlice(z, input, length);
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
    FeedSlice(z, input, length);
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
