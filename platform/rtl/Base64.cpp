#include "platform/rtl/Base64.h"

#include <array>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr size_t kLineLength = 76;

constexpr std::array<signed char, 256> DecodeTable() {
  std::array<signed char, 256> table{};
  for (auto& v : table) v = -1;
  for (int i = 0; i < 64; ++i) table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<signed char>(i);
  return table;
}

constexpr auto kDecode = DecodeTable();

}  // namespace

std::string EncodeBase64(std::string_view bytes) {
  std::string out;
  const size_t chars = (bytes.size() + 2) / 3 * 4;
  out.reserve(chars + chars / kLineLength * 2);
  size_t column = 0;
  auto put = [&](char c) {
    if (column == kLineLength) {
      out += "\r\n";
      column = 0;
    }
    out += c;
    ++column;
  };
  size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    const unsigned v = static_cast<unsigned char>(bytes[i]) << 16 | static_cast<unsigned char>(bytes[i + 1]) << 8 |
                       static_cast<unsigned char>(bytes[i + 2]);
    put(kAlphabet[v >> 18]);
    put(kAlphabet[(v >> 12) & 63]);
    put(kAlphabet[(v >> 6) & 63]);
    put(kAlphabet[v & 63]);
  }
  const size_t rest = bytes.size() - i;
  if (rest > 0) {
    unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
    if (rest == 2) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    put(kAlphabet[v >> 18]);
    put(kAlphabet[(v >> 12) & 63]);
    put(rest == 2 ? kAlphabet[(v >> 6) & 63] : '=');
    put('=');
  }
  return out;
}

std::string DecodeBase64(std::string_view text) {
  std::string out;
  out.reserve(text.size() / 4 * 3);
  unsigned bits = 0;
  int count = 0;  // bits collected in 'bits'
  for (char c : text) {
    if (c == '=') {
      bits = 0;
      count = 0;
      continue;
    }
    const int v = kDecode[static_cast<unsigned char>(c)];
    if (v < 0) continue;
    bits = (bits << 6) | static_cast<unsigned>(v);
    count += 6;
    if (count >= 8) {
      count -= 8;
      out += static_cast<char>((bits >> count) & 0xFF);
      bits &= (1u << count) - 1;
    }
  }
  return out;
}
