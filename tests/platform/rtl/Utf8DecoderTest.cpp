// The one-sequence UTF-8 decoder against the C library's iconv: every lead byte with every
// second byte (and the edge values of the later ones) is accepted exactly when iconv reads
// it as one character, with the same code point.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/rtl/Unicode.h"

namespace {

class TIconvUtf8 {
 public:
  TIconvUtf8() : cd_(iconv_open("UTF-32LE", "UTF-8")) {}
  ~TIconvUtf8() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  bool Ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // The code point when the bytes are exactly one well-formed character.
  std::optional<uint32_t> Decode(const std::string& bytes) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string in = bytes;
    char* inPtr = in.data();
    size_t inLeft = in.size();
    unsigned char out[8] = {};
    char* outPtr = reinterpret_cast<char*>(out);
    size_t outLeft = sizeof out;
    if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0 ||
        sizeof out - outLeft != 4)
      return std::nullopt;
    return uint32_t(out[0]) | uint32_t(out[1]) << 8 | uint32_t(out[2]) << 16 | uint32_t(out[3]) << 24;
  }

 private:
  iconv_t cd_;
};

// The code point when the decoder takes every byte and the sequence ends with the last one.
std::optional<uint32_t> Decode(const std::string& bytes) {
  TUtf8Decoder decoder;
  if (!decoder.Start(static_cast<unsigned char>(bytes[0]))) return std::nullopt;
  size_t i = 1;
  for (; i < bytes.size() && decoder.NeedsMore(); ++i)
    if (!decoder.Add(static_cast<unsigned char>(bytes[i]))) return std::nullopt;
  if (decoder.NeedsMore() || i != bytes.size()) return std::nullopt;
  return decoder.CodePoint();
}

TEST(Utf8Decoder, AgreesWithIconvOnEveryLeadAndSecondByte) {
  TIconvUtf8 iconvUtf8;
  ASSERT_TRUE(iconvUtf8.Ok());
  auto check = [&](const std::string& bytes) {
    std::string hex;
    for (unsigned char b : bytes) hex += " " + std::to_string(b);
    EXPECT_EQ(Decode(bytes), iconvUtf8.Decode(bytes)) << "bytes" << hex;
  };
  for (int lead = 0; lead < 0x100; ++lead) {
    const std::string one(1, static_cast<char>(lead));
    check(one);
    if (lead < 0x80) continue;
    for (int second = 0; second < 0x100; ++second) {
      const std::string two = one + static_cast<char>(second);
      check(two);
      for (int later : {0x7F, 0x80, 0xBF, 0xC0}) {
        check(two + static_cast<char>(later));
        check(two + static_cast<char>(0x80) + static_cast<char>(later));
      }
    }
  }
}

}  // namespace
