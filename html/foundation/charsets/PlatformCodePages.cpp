#include "html/foundation/charsets/PlatformCodePages.h"

#include <map>
#include <mutex>
#include <string_view>

#include "platform/rtl/codepages/CodePageTables.h"
#include "platform/rtl/CodePages.h"

Char DecodePlatformByte(int codePage, uint8_t byte) {
  if (byte == 0) return 0;
  if (codePage == 0) codePage = CP_ANSI;
  if (codePage == 1) codePage = CP_OEM;
  if (codePage == 2) codePage = CP_MAC;
  if (codePage == CP_ANSI || codePage == 28591 || codePage == 20127) {
    if (const TCodePageConverter* rtl = FindCodePage(codePage)) {
      char c = static_cast<char>(byte);
      String s = rtl->Decode(std::string_view(&c, 1));
      return s.size() == 1 ? s[0] : Char(0xFFFD);
    }
  }
  if (const uint16_t* map = FullMapOf(codePage)) return map[byte];
  if (const uint16_t* map = HighMapOf(codePage)) return byte < 0x80 ? Char(byte) : Char(map[byte - 0x80]);
  if (const uint16_t* map = IsoMapOf(codePage)) return byte < 0xA0 ? Char(byte) : Char(map[byte - 0xA0]);
  return byte < 0x80 ? Char(byte) : Char(0xFFFD);
}

const std::array<Char, 256>& PlatformByteMap(int codePage) {
  static std::mutex mutex;
  static std::map<int, std::array<Char, 256>> maps;
  std::lock_guard<std::mutex> lock(mutex);
  auto [it, added] = maps.try_emplace(codePage);
  if (added)
    for (int b = 0; b < 256; ++b) it->second[b] = DecodePlatformByte(codePage, static_cast<uint8_t>(b));
  return it->second;
}
