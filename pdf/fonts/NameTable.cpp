#include "pdf/fonts/NameTable.h"

#include <cstdint>

#include "platform/rtl/Types.h"
#include "pdf/helpers/AnsiConvert.h"

namespace {

uint16_t Word(std::string_view t, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(t[at]) << 8 | static_cast<unsigned char>(t[at + 1]));
}

}  // namespace

std::string PostScriptNameFromNameTable(std::string_view table) {
  if (table.size() < 6) return {};
  size_t count = Word(table, 2), storage = Word(table, 4);
  std::string_view macName;
  for (size_t i = 0; i < count; ++i) {
    size_t rec = 6 + i * 12;
    if (rec + 12 > table.size()) break;
    uint16_t platform = Word(table, rec), nameId = Word(table, rec + 6);
    size_t length = Word(table, rec + 8), offset = Word(table, rec + 10);
    if (nameId != 6 || storage + offset + length > table.size()) continue;
    std::string_view bytes = table.substr(storage + offset, length);
    if (platform == 0 || platform == 3) {
      String text;
      for (size_t k = 0; k + 1 < bytes.size(); k += 2) text += static_cast<Char>(Word(bytes, k));
      return WinAnsiConverter().WideToAnsiText(text);
    }
    if (platform == 1 && macName.empty()) macName = bytes;
  }
  return std::string(macName);
}
