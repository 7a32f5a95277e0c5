#include "tests/html/foundation/charsets/ConverterTestTools.h"

#include <cstdio>

#include "html/foundation/charsets/ConverterRegistry.h"

String DecodeBytes(int codePage, std::string_view bytes) {
  TBuffConvInfoList* infos = ConverterInfos();
  int row = infos->IndexOfCodePage(codePage);
  if (row < 0) row = infos->IndexOfCodePage(-1);
  auto data = reinterpret_cast<const uint8_t*>(bytes.data());
  auto converter = (*infos)[row].ConverterClass(data, data + bytes.size(), codePage, codePage);
  String out;
  while (converter->ReadPtr < converter->EndPtr || converter->HasPending()) {
    Char ch = converter->NextChar();
    if (ch == 0 && converter->ReadPtr >= converter->EndPtr && !converter->HasPending()) break;
    out += ch;
  }
  return out;
}

std::u32string DecodeToCodePoints(int codePage, std::string_view bytes) {
  String units = DecodeBytes(codePage, bytes);
  std::u32string out;
  for (size_t i = 0; i < units.size(); ++i) {
    char32_t c = units[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      ++i;
    }
    out += c;
  }
  return out;
}

std::string HexBytes(std::string_view hex) {
  std::string out;
  int high = -1;
  for (char c : hex) {
    int v = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (v < 0) continue;
    if (high < 0) {
      high = v;
    } else {
      out += static_cast<char>(high * 16 + v);
      high = -1;
    }
  }
  return out;
}

std::string DescribeCodePoints(const std::u32string& text) {
  std::string out;
  char buf[16];
  for (char32_t c : text) {
    std::snprintf(buf, sizeof buf, "%sU+%04X", out.empty() ? "" : ",", static_cast<unsigned>(c));
    out += buf;
  }
  return out.empty() ? "(none)" : out;
}
