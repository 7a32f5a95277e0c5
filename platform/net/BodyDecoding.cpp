#include "platform/net/BodyDecoding.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "platform/rtl/CodePages.h"
#include "platform/rtl/Unicode.h"

namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
  return out;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// The number after prefix when name is prefix followed by digits only, else -1.
int NumberAfter(std::string_view name, std::string_view prefix) {
  if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix) return -1;
  int n = 0;
  const char* first = name.data() + prefix.size();
  const char* last = name.data() + name.size();
  const auto [end, ec] = std::from_chars(first, last, n);
  return ec == std::errc() && end == last ? n : -1;
}

int CodePageOfName(const std::string& name) {
  if (name == "utf-8" || name == "utf8") return CP_UTF8;
  if (name == "us-ascii" || name == "ascii") return 20127;
  if (name == "utf-16le" || name == "utf-16") return CP_UTF16LE;  // plain utf-16: the mark decides
  if (name == "utf-16be") return CP_UTF16BE;
  if (name == "latin1" || name == "iso_8859-1" || name == "l1") return 28591;
  if (int n = NumberAfter(name, "windows-"); n >= 1250 && n <= 1258) return n;
  if (int n = NumberAfter(name, "cp"); n >= 1250 && n <= 1258) return n;
  if (int n = NumberAfter(name, "iso-8859-"); n >= 1 && n <= 16) return 28590 + n;
  return 0;
}

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

}  // namespace

std::string CharsetOfContentType(std::string_view contentType) {
  size_t pos = contentType.find(';');
  while (pos != std::string_view::npos) {
    std::string_view rest = contentType.substr(pos + 1);
    const size_t next = rest.find(';');
    std::string_view param = Trim(rest.substr(0, next));
    pos = next == std::string_view::npos ? next : pos + 1 + next;
    const size_t eq = param.find('=');
    if (eq == std::string_view::npos || Lower(Trim(param.substr(0, eq))) != "charset") continue;
    std::string_view value = Trim(param.substr(eq + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    return Lower(Trim(value));
  }
  return {};
}

int CodePageOfCharset(std::string_view charset) {
  const int codePage = CodePageOfName(Lower(Trim(charset)));
  return codePage != 0 && FindCodePage(codePage) ? codePage : 0;
}

String DecodeBody(std::string_view body, std::string_view contentType) {
  int codePage = CodePageOfCharset(CharsetOfContentType(contentType));
  if (codePage == 0) codePage = IsValidUtf8(body) ? CP_UTF8 : CP_ANSI;
  if (codePage == CP_UTF8 && StartsWith(body, "\xEF\xBB\xBF")) body.remove_prefix(3);
  if (codePage == CP_UTF16LE && StartsWith(body, "\xFE\xFF")) codePage = CP_UTF16BE;
  if (codePage == CP_UTF16LE && StartsWith(body, "\xFF\xFE")) body.remove_prefix(2);
  if (codePage == CP_UTF16BE && StartsWith(body, "\xFE\xFF")) body.remove_prefix(2);
  return BytesToString(body, codePage);
}
