#include "html/foundation/charsets/ConverterRegistry.h"

#include <algorithm>

#include "html/foundation/charsets/Converters.h"
#include "platform/rtl/Unicode.h"

namespace {

struct RowDef {
  int codePage;
  int16_t charset;
  const char* description;
};

// Code page, font charset, published name.
constexpr RowDef kRows[] = {
    {-1, -1, "Unknown"}, {0, 1, "Default ANSI CP"}, {1, 255, "Default OEM CP"}, {2, 77, "Default MAC CP"},
    {37, 0, "IBM EBCDIC US-Canada"}, {437, 0, "OEM United States"}, {500, 0, "IBM EBCDIC International"},
    {708, 178, "Arabic (ASMO 708)"}, {709, 178, "Arabic (ASMO-449+, BCON V4)"},
    {710, 178, "Arabic - Transparent Arabic"}, {720, 178, "Arabic (Transparent ASMO); Arabic (DOS)"},
    {737, 161, "OEM Greek (formerly 437G); Greek (DOS)"}, {775, 186, "OEM Baltic; Baltic (DOS)"},
    {850, 0, "OEM Multilingual Latin 1; Western European (DOS)"}, {852, 238, "OEM Latin 2; Central European (DOS)"},
    {855, 204, "OEM Cyrillic (primarily Russian)"}, {857, 162, "OEM Turkish; Turkish (DOS)"},
    {858, 0, "OEM Multilingual Latin 1 + Euro symbol"}, {860, 0, "OEM Portuguese; Portuguese (DOS)"},
    {861, 0, "OEM Icelandic; Icelandic (DOS)"}, {862, 177, "OEM Hebrew; Hebrew (DOS)"},
    {863, 0, "OEM French Canadian; French Canadian (DOS)"}, {864, 178, "OEM Arabic; Arabic (864)"},
    {865, 0, "OEM Nordic; Nordic (DOS)"}, {866, 204, "OEM Russian; Cyrillic (DOS)"},
    {869, 161, "OEM Modern Greek; Greek, Modern (DOS)"}, {870, 238, "IBM EBCDIC Multilingual/ROECE (Latin 2)"},
    {874, 222, "ANSI/OEM Thai (ISO 8859-11); Thai (Windows)"}, {875, 161, "IBM EBCDIC Greek Modern"},
    {922, 186, "IBM Estonia"}, {932, 128, "ANSI/OEM Japanese; Japanese (Shift-JIS)"},
    {936, 134, "ANSI/OEM Simplified Chinese (PRC, Singapore); Chinese Simplified (GB2312)"}, {943, 128, "IBM Japanese"},
    {949, 129, "ANSI/OEM Korean (Unified Hangul Code)"},
    {950, 136, "ANSI/OEM Traditional Chinese (Taiwan; Hong Kong SAR, PRC); Chinese Traditional (Big5)"},
    {1026, 162, "IBM EBCDIC Turkish (Latin 5)"}, {1047, 0, "IBM EBCDIC Latin 1/Open System"},
    {1140, 0, "IBM EBCDIC US-Canada (037 + Euro symbol)"}, {1141, 0, "IBM EBCDIC Germany (20273 + Euro symbol)"},
    {1142, 0, "IBM EBCDIC Denmark-Norway (20277 + Euro symbol)"},
    {1143, 0, "IBM EBCDIC Finland-Sweden (20278 + Euro symbol)"}, {1144, 0, "IBM EBCDIC Italy (20280 + Euro symbol)"},
    {1145, 0, "IBM EBCDIC Latin America-Spain (20284 + Euro symbol)"},
    {1146, 0, "IBM EBCDIC United Kingdom (20285 + Euro symbol)"},
    {1147, 0, "IBM EBCDIC France (20297 + Euro symbol)"},
    {1148, 0, "IBM EBCDIC International (500 + Euro symbol)"},
    {1149, 0, "IBM EBCDIC Icelandic (20871 + Euro symbol)"},
    {1200, 1, "Unicode UTF-16, little endian byte order (BMP of ISO 10646)"},
    {1201, 1, "Unicode UTF-16, big endian byte order"}, {1250, 238, "ANSI Central European; Central European (Windows)"},
    {1251, 204, "ANSI Cyrillic; Cyrillic (Windows)"}, {1252, 0, "ANSI Latin 1; Western European (Windows)"},
    {1253, 161, "ANSI Greek; Greek (Windows)"}, {1254, 162, "ANSI Turkish; Turkish (Windows)"},
    {1255, 177, "ANSI Hebrew; Hebrew (Windows)"}, {1256, 178, "ANSI Arabic; Arabic (Windows)"},
    {1257, 186, "ANSI Baltic; Baltic (Windows)"}, {1258, 163, "ANSI/OEM Vietnamese; Vietnamese (Windows)"},
    {1361, 130, "Korean (Johab)"}, {10000, 0, "MAC Roman; Western European (Mac)"},
    {10001, 128, "Japanese (Mac)"}, {10002, 136, "MAC Traditional Chinese (Big5); Chinese Traditional (Mac)"},
    {10003, 129, "Korean (Mac)"}, {10004, 178, "Arabic (Mac)"}, {10005, 177, "Hebrew (Mac)"},
    {10006, 161, "Greek (Mac)"}, {10007, 204, "Cyrillic (Mac)"},
    {10008, 134, "MAC Simplified Chinese (GB 2312); Chinese Simplified (Mac)"}, {10010, 238, "Romanian (Mac)"},
    {10017, 204, "Ukrainian (Mac)"}, {10021, 222, "Thai (Mac)"}, {10029, 238, "MAC Latin 2; Central European (Mac)"},
    {10079, 0, "Icelandic (Mac)"}, {10081, 162, "Turkish (Mac)"}, {10082, 238, "Croatian (Mac)"},
    {12000, 1, "Unicode UTF-32, little endian byte order"}, {12001, 1, "Unicode UTF-32, big endian byte order"},
    {20000, 136, "CNS Taiwan; Chinese Traditional (CNS)"}, {20001, 136, "TCA Taiwan"},
    {20002, 136, "Eten Taiwan; Chinese Traditional (Eten)"}, {20003, 136, "IBM5550 Taiwan"},
    {20004, 136, "TeleText Taiwan"}, {20005, 136, "Wang Taiwan"},
    {20105, 0, "IA5 (IRV International Alphabet No. 5, 7-bit); Western European (IA5)"},
    {20106, 0, "IA5 German (7-bit)"}, {20107, 0, "IA5 Swedish (7-bit)"}, {20108, 0, "IA5 Norwegian (7-bit)"},
    {20127, 0, "US-ASCII (7-bit)"}, {20261, 0, "T.61"}, {20269, 0, "ISO 6937 Non-Spacing Accent"},
    {20273, 0, "IBM EBCDIC Germany"}, {20277, 0, "IBM EBCDIC Denmark-Norway"},
    {20278, 0, "IBM EBCDIC Finland-Sweden"}, {20280, 0, "IBM EBCDIC Italy"},
    {20284, 0, "IBM EBCDIC Latin America-Spain"}, {20285, 0, "IBM EBCDIC United Kingdom"},
    {20290, 128, "IBM EBCDIC Japanese Katakana Extended"}, {20297, 0, "IBM EBCDIC France"},
    {20420, 178, "IBM EBCDIC Arabic"}, {20423, 161, "IBM EBCDIC Greek"}, {20424, 177, "IBM EBCDIC Hebrew"},
    {20833, 129, "IBM EBCDIC Korean Extended"}, {20838, 222, "IBM EBCDIC Thai"},
    {20866, 204, "Russian (KOI8-R); Cyrillic (KOI8-R)"}, {20871, 0, "IBM EBCDIC Icelandic"},
    {20880, 204, "IBM EBCDIC Cyrillic Russian"}, {20905, 162, "IBM EBCDIC Turkish"},
    {20924, 0, "IBM EBCDIC Latin 1/Open System (1047 + Euro symbol)"},
    {20932, 128, "Japanese (JIS 0208-1990 and 0212-1990)"},
    {20936, 134, "Simplified Chinese (GB2312); Chinese Simplified (GB2312-80)"},
    {20949, 129, "Korean Wansung"}, {21025, 204, "IBM EBCDIC Cyrillic Serbian-Bulgarian"},
    {21027, -1, "(deprecated)"}, {21866, 204, "Ukrainian (KOI8-U); Cyrillic (KOI8-U)"},
    {28591, 0, "ISO 8859-1 Latin 1; Western European (ISO)"}, {28592, 238, "ISO 8859-2 Central European (ISO)"},
    {28593, 0, "ISO 8859-3 Latin 3"}, {28594, 0, "ISO 8859-4 Baltic"}, {28595, 204, "ISO 8859-5 Cyrillic"},
    {28596, 178, "ISO 8859-6 Arabic"}, {28597, 161, "ISO 8859-7 Greek"},
    {28598, 177, "ISO 8859-8 Hebrew; Hebrew (ISO-Visual)"}, {28599, 162, "ISO 8859-9 Turkish"},
    {28600, 0, "ISO 8859-10 Latin 6"}, {28601, 222, "ISO 8859-11 Latin/Thai"},
    {28603, 186, "ISO 8859-13 Estonian"}, {28604, 0, "ISO 8859-14 Celtic"},
    {28605, 0, "ISO 8859-15 Latin 9"}, {28606, 0, "ISO 8859-16 Latin 10"}, {29001, 0, "Europa 3"},
    {38598, 177, "ISO 8859-8 Hebrew; Hebrew (ISO-Logical)"},
    {50220, 128, "ISO 2022 Japanese with no halfwidth Katakana; Japanese (JIS)"},
    {50221, 128, "ISO 2022 Japanese with halfwidth Katakana; Japanese (JIS-Allow 1 byte Kana)"},
    {50222, 128, "ISO 2022 Japanese JIS X 0201-1989; Japanese (JIS-Allow 1 byte Kana - SO/SI)"},
    {50225, 129, "ISO 2022 Korean"}, {50227, 134, "ISO 2022 Simplified Chinese; Chinese Simplified (ISO 2022)"},
    {50229, 136, "ISO 2022 Traditional Chinese"}, {50930, 128, "EBCDIC Japanese (Katakana) Extended"},
    {50931, 0, "EBCDIC US-Canada and Japanese"}, {50933, 129, "EBCDIC Korean Extended and Korean"},
    {50935, 134, "EBCDIC Simplified Chinese Extended and Simplified Chinese"},
    {50936, 134, "EBCDIC Simplified Chinese"}, {50937, 136, "EBCDIC US-Canada and Traditional Chinese"},
    {50939, 128, "EBCDIC Japanese (Latin) Extended and Japanese"}, {51932, 128, "EUC Japanese"},
    {51936, 134, "EUC Simplified Chinese; Chinese Simplified (EUC)"}, {51949, 129, "EUC Korean"},
    {51950, 136, "EUC Traditional Chinese"}, {52936, 134, "HZ-GB2312 Simplified Chinese; Chinese Simplified (HZ)"},
    {54936, 134, "Windows XP and later: GB18030 Simplified Chinese (4 byte); Chinese Simplified (GB18030)"},
    {57002, -1, "ISCII Devanagari"}, {57003, -1, "ISCII Bengali"}, {57004, -1, "ISCII Tamil"},
    {57005, -1, "ISCII Telugu"}, {57006, -1, "ISCII Assamese"}, {57007, -1, "ISCII Oriya"},
    {57008, -1, "ISCII Kannada"}, {57009, -1, "ISCII Malayalam"}, {57010, -1, "ISCII Gujarati"},
    {57011, -1, "ISCII Punjabi"}, {65000, 1, "Unicode (UTF-7)"}, {65001, 1, "Unicode (UTF-8)"},
};

TBuffConverterClass ClassOf(int codePage) {
  switch (codePage) {
    case 1200: case 1201: case 28591:
      return &TBuffConverter::Create;
    case 437: case 708: case 737: case 775: case 850: case 852: case 855: case 857: case 860: case 861:
    case 862: case 863: case 864: case 865: case 866: case 869: case 874: case 10000: case 10004:
    case 10005: case 10006: case 10007: case 10010: case 10017: case 10021: case 10029: case 10079:
    case 10081: case 10082: case 20866:
      return &TBuffConvHighMap::Create;
    case 28592: case 28593: case 28594: case 28600: case 28603: case 28604: case 28606:
      return &TBuffConvIsoMap::Create;
    case 29001: return &TBuffConvSingleByteMap::Create;
    case 932: case 943: return &TBuffConvShiftJis932::Create;
    case 936: return &TBuffConvIBM936::Create;
    case 949: return &TBuffConvHangeul949::Create;
    case 950: case 51950: return &TBuffConvBig5CP950::Create;
    case 51936: case 51949: return &TBuffConvDoubleByte::Create;
    case 51932: return &TBuffConvEUC_JP::Create;
    case 54936: return &TBuffConvGB18030::Create;
    case 50220: case 50221: case 50222: return &TBuffConvISO2022JP::Create;
    case 50225: return &TBuffConvISO2022KR::Create;
    case 50227: return &TBuffConvISO2022CN::Create;
    case 65000: return &TBuffConvUTF7::Create;
    case 65001: return &TBuffConvUTF8::Create;
    default: return &TBuffConvSingleByte::Create;
  }
}

std::unique_ptr<TBuffConvInfoList> gInfos;
bool gShutDown = false;

}  // namespace

void ShutDownCodePageNames();  // CodePageNames.cpp

TBuffConvInfoList::TBuffConvInfoList() {
  for (const RowDef& def : kRows) {
    auto row = std::make_unique<TBuffConvInfo>();
    row->Description = S(def.description);
    row->CodePage = def.codePage;
    row->Charset = def.charset;
    row->ConverterClass = ClassOf(def.codePage);
    Add(std::move(row));
  }
}

void TBuffConvInfoList::Add(std::unique_ptr<TBuffConvInfo> row) {
  rows_.push_back(std::move(row));
  SortedByCodePage = false;
}

int TBuffConvInfoList::IndexOfCodePage(int codePage) {
  if (!SortedByCodePage) {
    std::stable_sort(rows_.begin(), rows_.end(), [](const auto& a, const auto& b) { return a->CodePage < b->CodePage; });
    SortedByCodePage = true;
  }
  auto it = std::lower_bound(rows_.begin(), rows_.end(), codePage,
                             [](const auto& row, int cp) { return row->CodePage < cp; });
  if (it == rows_.end() || (*it)->CodePage != codePage) return -1;
  return static_cast<int>(it - rows_.begin());
}

TBuffConvInfoList* ConverterInfos() {
  if (gShutDown) return nullptr;
  if (!gInfos) gInfos = std::make_unique<TBuffConvInfoList>();
  return gInfos.get();
}

int FontCharsetOfCodePage(int codePage) {
  TBuffConvInfoList* infos = ConverterInfos();
  if (!infos) return 1;
  int i = infos->IndexOfCodePage(codePage);
  if (i < 0 || (*infos)[i].Charset == -1) return 1;
  return (*infos)[i].Charset;
}

void ShutDownCharsetRegistries() {
  gShutDown = true;
  gInfos.reset();
  ShutDownCodePageNames();
}

bool CharsetRegistriesShutDown() { return gShutDown; }
