#include "platform/rtl/TextFiles.h"

#include "platform/rtl/CodePages.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

}  // namespace

String DecodeTextFileBytes(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) return BytesToString(bytes.substr(kUtf8Mark.size()), CP_UTF8);
  if (bytes.starts_with(kUtf16LeMark))
    return BytesToString(bytes.substr(kUtf16LeMark.size()), CP_UTF16LE);
  if (bytes.starts_with(kUtf16BeMark))
    return BytesToString(bytes.substr(kUtf16BeMark.size()), CP_UTF16BE);
  return AnsiToString(bytes);
}

std::string EncodeTextFileBytes(const String& text) {
  bool lossless = true;
  std::string ansi = StringToAnsi(text, &lossless);
  if (lossless) return ansi;
  return std::string(kUtf8Mark) + StringToBytes(text, CP_UTF8);
}
