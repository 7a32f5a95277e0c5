#include "pdf/helpers/AnsiConvert.h"

#include <map>
#include <mutex>

#include "platform/rtl/CodePages.h"
#include "platform/rtl/Unicode.h"
#include "platform/rtl/codepages/CodePageTables.h"
#include "pdf/helpers/VevException.h"

TVevAnsiConvert::TVevAnsiConvert(int codePage) : codePage_(codePage) {}

String TVevAnsiConvert::AnsiToWideString(std::string_view ansi) const {
  return BytesToString(ansi, codePage_);
}

std::string TVevAnsiConvert::AnsiToUtf8Text(std::string_view ansi) const {
  return StringToUtf8(AnsiToWideString(ansi));
}

std::string TVevAnsiConvert::WideToAnsiText(std::u16string_view wide) const {
  return StringToBytes(String(wide), codePage_);
}

std::string TVevAnsiConvert::Utf8ToAnsiText(std::string_view utf8) const {
  return WideToAnsiText(Utf8ToString(utf8));
}

TVevAnsiFixedWidth::TVevAnsiFixedWidth(int codePage) : TVevAnsiConvert(codePage) {
  if (codePage < 1250 || codePage > 1257)
    throw EVevException(S("TVevAnsiFixedWidth.Create - Invalid code page " + std::to_string(codePage)));
  ansiToWide_ = *RoundTripMapOf(codePage);
  wideToAnsi_ = std::make_unique<std::array<unsigned char, 65536>>();
  wideToAnsi_->fill('?');
  (*wideToAnsi_)[0] = 0;
  for (int b = 1; b < 256; ++b)
    if (ansiToWide_[b] != 0) (*wideToAnsi_)[ansiToWide_[b]] = static_cast<unsigned char>(b);
}

String TVevAnsiFixedWidth::AnsiToWideString(std::string_view ansi) const {
  String out(ansi.size(), u'\0');
  for (size_t i = 0; i < ansi.size(); ++i) out[i] = ansiToWide_[static_cast<unsigned char>(ansi[i])];
  return out;
}

std::string TVevAnsiFixedWidth::AnsiToUtf8Text(std::string_view ansi) const {
  return StringToUtf8(AnsiToWideString(ansi));
}

std::string TVevAnsiFixedWidth::WideToAnsiText(std::u16string_view wide) const {
  std::string out;
  out.reserve(wide.size());
  for (size_t i = 0; i < wide.size(); ++i) {
    Char u = wide[i];
    // A surrogate pair is one character, and one '?' in a single-byte code page.
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF)
      ++i;
    out.push_back(static_cast<char>((*wideToAnsi_)[u]));
  }
  return out;
}

std::string TVevAnsiFixedWidth::Utf8ToAnsiText(std::string_view utf8) const {
  return WideToAnsiText(Utf8ToString(utf8));
}

bool TVevAnsiFixedWidth::IsWinAnsiUtf8(std::string_view utf8) const {
  for (Char u : Utf8ToString(utf8))
    if (u > 255 || ansiToWide_[u] > 255) return false;
  return true;
}

int TVevAnsiFixedWidth::WideCharToAnsiCode(Char unit) const {
  // Through the reverse table for every unit: a Latin-1 character may sit elsewhere in
  // the code page (1257 holds U+00C6 at 0xAF), and "?" itself is no failure.
  unsigned char b = (*wideToAnsi_)[unit];
  return ansiToWide_[b] == unit ? b : -1;
}

TVevAnsiConvert& ConverterForCodePage(int codePage) {
  static std::mutex mutex;
  static std::map<int, std::unique_ptr<TVevAnsiConvert>> cache;
  std::lock_guard lock(mutex);
  auto& slot = cache[codePage];
  if (!slot) {
    if (codePage >= 1250 && codePage <= 1257)
      slot = std::make_unique<TVevAnsiFixedWidth>(codePage);
    else
      slot = std::make_unique<TVevAnsiConvert>(codePage);
  }
  return *slot;
}

TVevAnsiFixedWidth& WinAnsiConverter() {
  return static_cast<TVevAnsiFixedWidth&>(ConverterForCodePage(1252));
}

int CharSetOfCodePage(int codePage) {
  switch (codePage) {
    case 874: return 222;
    case 932: return 128;
    case 936: return 134;
    case 949: return 129;
    case 1250: return 238;
    case 1251: return 204;
    case 1253: return 161;
    case 1254: return 162;
    case 1255: return 177;
    case 1256: return 178;
    case 1257: return 186;
    case 1258: return 163;
    default: return 0;
  }
}
