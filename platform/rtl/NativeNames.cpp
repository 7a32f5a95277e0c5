#include "platform/rtl/NativeNames.h"

#include "platform/rtl/Unicode.h"

namespace {

// The unit that stands for a byte that is not UTF-8 is this plus the byte.
constexpr Char kRawByteBase = 0xDC00;

bool IsRawByte(Char c) { return c >= kRawByteBase + 0x80 && c <= kRawByteBase + 0xFF; }

// The length of the well-formed UTF-8 sequence at bytes[i], or 0 when there is none.
size_t SequenceAt(std::string_view bytes, size_t i) {
  TUtf8Decoder decoder;
  size_t end = i;
  bool ok = decoder.Start(static_cast<unsigned char>(bytes[end++]));
  while (ok && decoder.NeedsMore()) ok = end < bytes.size() && decoder.Add(static_cast<unsigned char>(bytes[end++]));
  return ok ? end - i : 0;
}

}  // namespace

String FileNameFromNative(std::string_view bytes) {
  String out;
  out.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    const size_t length = SequenceAt(bytes, i);
    if (length == 0) {
      out.push_back(static_cast<Char>(kRawByteBase + static_cast<unsigned char>(bytes[i])));
      ++i;
    } else {
      out += Utf8ToString(bytes.substr(i, length));
      i += length;
    }
  }
  return out;
}

std::string NativeFileName(const String& name) {
  std::string out;
  out.reserve(name.size());
  size_t start = 0;  // the part before a raw byte goes through StringToUtf8 as a whole
  for (size_t i = 0; i < name.size(); ++i) {
    if (!IsRawByte(name[i])) continue;
    out += StringToUtf8(name.substr(start, i - start));
    out.push_back(static_cast<char>(name[i] - kRawByteBase));
    start = i + 1;
  }
  out += StringToUtf8(name.substr(start));
  return out;
}

String ReadableFileName(const String& name) {
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  String out;
  out.reserve(name.size());
  for (Char c : name) {
    const bool control = c < 0x20 || c == 0x7F;
    if (!control && !IsRawByte(c)) {
      out.push_back(c);
      continue;
    }
    const unsigned byte = control ? c : c - kRawByteBase;
    out += u"\\x";
    out.push_back(kHex[byte >> 4]);
    out.push_back(kHex[byte & 0xF]);
  }
  return out;
}
