#include "tests/html/foundation/charsets/IconvOracle.h"

#include <iconv.h>

#include <cstring>
#include <vector>

TIconvDecoder::TIconvDecoder(const char* encoding) : handle_(iconv_open("UTF-32LE", encoding)) {}

TIconvDecoder::~TIconvDecoder() {
  if (Valid()) iconv_close(static_cast<iconv_t>(handle_));
}

bool TIconvDecoder::Valid() const { return handle_ != reinterpret_cast<void*>(-1); }

std::optional<std::u32string> TIconvDecoder::Decode(std::string_view bytes) {
  if (!Valid()) return std::nullopt;
  iconv_t cd = static_cast<iconv_t>(handle_);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::vector<char> in(bytes.begin(), bytes.end());
  std::vector<char> out(bytes.size() * 4 + 64);
  char* ip = in.data();
  size_t il = in.size();
  char* op = out.data();
  size_t ol = out.size();
  if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1) || il != 0) return std::nullopt;
  if (iconv(cd, nullptr, nullptr, &op, &ol) == static_cast<size_t>(-1)) return std::nullopt;
  size_t n = (out.size() - ol) / 4;
  std::u32string result(n, 0);
  std::memcpy(result.data(), out.data(), n * 4);
  return result;
}

std::optional<std::u32string> IconvDecode(const char* encoding, std::string_view bytes) {
  TIconvDecoder decoder(encoding);
  return decoder.Decode(bytes);
}

std::optional<std::string> IconvEncode(const char* encoding, std::string_view utf8) {
  iconv_t cd = iconv_open(encoding, "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::vector<char> in(utf8.begin(), utf8.end());
  std::vector<char> out(utf8.size() * 8 + 64);
  char* ip = in.data();
  size_t il = in.size();
  char* op = out.data();
  size_t ol = out.size();
  bool ok = iconv(cd, &ip, &il, &op, &ol) != static_cast<size_t>(-1) && il == 0 &&
            iconv(cd, nullptr, nullptr, &op, &ol) != static_cast<size_t>(-1);
  iconv_close(cd);
  if (!ok) return std::nullopt;
  return std::string(out.data(), out.size() - ol);
}
