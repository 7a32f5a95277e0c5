#include "pdf/helpers/Deflate.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

#include "platform/rtl/Streams.h"
#include "tests/pdf/PdfTestTools.h"

namespace {

TEST(Checksums, StandardCheckValues) {
  const char* digits = "123456789";
  EXPECT_EQ(Crc32(0, digits, 9), 0xCBF43926u);
  EXPECT_EQ(Crc32(0, digits, 0), 0u);
  EXPECT_EQ(Crc32(1234, nullptr, 5), 1234u);
  EXPECT_EQ(Adler32(1, digits, 9), 0x091E01DEu);
  EXPECT_EQ(Adler32(77, nullptr, 5), 1u);
}

TEST(Checksums, MatchZlibOnRandomBuffers) {
  std::mt19937 rng(42);
  std::vector<unsigned char> data(200000);
  for (auto& b : data) b = static_cast<unsigned char>(rng());
  // Lengths around the 8-byte steps and the 5552-byte Adler runs, at odd offsets, and
  // continued from a running value.
  const size_t lengths[] = {1, 3, 7, 8, 9, 15, 16, 17, 5551, 5552, 5553, 11104, 65537, 199990};
  for (size_t len : lengths)
    for (size_t offset : {0, 1, 3, 5}) {
      const unsigned char* p = data.data() + offset;
      EXPECT_EQ(Crc32(0, p, len), crc32(0, p, static_cast<uInt>(len))) << len << "@" << offset;
      EXPECT_EQ(Adler32(1, p, len), adler32(1, p, static_cast<uInt>(len))) << len << "@" << offset;
      uint32_t crc = Crc32(0, p, len / 2);
      EXPECT_EQ(Crc32(crc, p + len / 2, len - len / 2), crc32(0, p, static_cast<uInt>(len)));
      uint32_t ad = Adler32(1, p, len / 3);
      EXPECT_EQ(Adler32(ad, p + len / 3, len - len / 3), adler32(1, p, static_cast<uInt>(len)));
    }
  // All bytes 0xFF: the largest sums Adler-32 must reduce in time.
  std::vector<unsigned char> ones(100000, 0xFF);
  EXPECT_EQ(Adler32(1, ones.data(), ones.size()), adler32(1, ones.data(), static_cast<uInt>(ones.size())));
}

TEST(CompressBuffer, ZlibFormatAtLevel7) {
  std::string a(100, 'a');
  TStringStream out;
  size_t n = CompressBuffer(a.data(), a.size(), out, 7, true);
  ASSERT_EQ(n, out.DataString().size());
  ASSERT_GE(n, 2u);
  EXPECT_EQ(static_cast<unsigned char>(out.DataString()[0]), 0x78);
  EXPECT_EQ(static_cast<unsigned char>(out.DataString()[1]), 0xDA);
  EXPECT_EQ(Inflate(out.DataString()), a);
}

TEST(CompressBuffer, LargeInputFlushesSeveralChunks) {
  // Random bytes hardly compress: the output passes the 64 KB buffer several times.
  std::mt19937 rng(7);
  std::string data(300000, '\0');
  for (auto& c : data) c = static_cast<char>(rng());
  TStringStream out;
  size_t n = CompressBuffer(data.data(), data.size(), out, 7, true);
  EXPECT_GT(n, 65536u * 4);
  EXPECT_EQ(n, out.DataString().size());
  EXPECT_EQ(Inflate(out.DataString()), data);
}

TEST(CompressBuffer, RawDeflateHasNoHeader) {
  std::string text(1000, 'x');
  TStringStream out;
  CompressBuffer(text.data(), text.size(), out, 7, false);
  std::string inflated(text.size(), '\0');
  z_stream z{};
  ASSERT_EQ(inflateInit2(&z, -15), Z_OK);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(out.DataString().data()));
  z.avail_in = static_cast<uInt>(out.DataString().size());
  z.next_out = reinterpret_cast<Bytef*>(inflated.data());
  z.avail_out = static_cast<uInt>(inflated.size());
  EXPECT_EQ(inflate(&z, Z_FINISH), Z_STREAM_END);
  inflateEnd(&z);
  EXPECT_EQ(inflated, text);
}

TEST(CompressBuffer, BadLevelRaises) {
  std::string text = "abc";
  TStringStream out;
  EXPECT_THROW(CompressBuffer(text.data(), text.size(), out, 42, true), EDeflateError);
}

}  // namespace
