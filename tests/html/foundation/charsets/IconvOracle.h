// glibc's iconv as the reference decoder of the converter tests.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The code points of a complete byte sequence, or nullopt when iconv refuses it (or does
// not know the encoding).
std::optional<std::u32string> IconvDecode(const char* encoding, std::string_view bytes);
// UTF-8 text encoded by iconv into an encoding; nullopt on failure.
std::optional<std::string> IconvEncode(const char* encoding, std::string_view utf8);

// A decoder handle kept open for many short decodings.
class TIconvDecoder {
 public:
  explicit TIconvDecoder(const char* encoding);
  ~TIconvDecoder();
  TIconvDecoder(const TIconvDecoder&) = delete;
  TIconvDecoder& operator=(const TIconvDecoder&) = delete;
  bool Valid() const;
  std::optional<std::u32string> Decode(std::string_view bytes);

 private:
  void* handle_;
};
