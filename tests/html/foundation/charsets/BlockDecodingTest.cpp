// The buffer decodes blocks of characters straight from the bytes, runs of ASCII a 64-bit
// word at a time. Around the edges of those runs (a run ending at every place in a word, a
// multi-byte character across a word boundary, a bad byte after a run, the end of the
// content, a zero byte, the end of a block) its characters must be iconv's, and its read
// offsets those of the converter read one character a call.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "html/foundation/charsets/AsciiRuns.h"
#include "html/foundation/charsets/Buffer.h"
#include "html/foundation/charsets/ConverterRegistry.h"
#include "html/foundation/charsets/Converters.h"
#include "html/foundation/charsets/PlatformCodePages.h"
#include "platform/rtl/Streams.h"
#include "tests/html/foundation/charsets/IconvOracle.h"
#include "tests/support/CaseNames.h"

namespace {

TEST(AsciiWords, EveryByteOutside01To7FIsCaughtAtEveryPlace) {
  for (const uint8_t bad : {0x00, 0x80, 0xC3, 0xFF}) {
    for (int at = 0; at < 8; ++at) {
      uint64_t word = 0x4141414141414141u;  // "AAAAAAAA"
      word &= ~(uint64_t{0xFF} << (8 * at));
      word |= uint64_t{bad} << (8 * at);
      EXPECT_FALSE(IsAsciiWord(word)) << std::hex << int(bad) << " at " << at;
    }
  }
  EXPECT_TRUE(IsAsciiWord(0x7F01017F20410A0Du));
}

struct TEncoding {
  int CodePage;
  const char* IconvName;
  std::string Wide;     // one character of more than one byte (a non-ASCII byte for single-byte pages)
  std::string Bad;       // bytes that make no character (or none), read before a line feed
  std::u32string BadAs;  // what the converter makes of them
};

void PrintTo(const TEncoding& e, std::ostream* os) { *os << e.IconvName; }

const TEncoding kEncodings[] = {
    {65001, "UTF-8", "\xE3\x81\x82", "\x80\xE3\x81", U"\xFFFD\xFFFD"},
    {65001, "UTF-8", "\xF0\x9F\x98\x80", "\xC3", U"\xFFFD"},
    {1252, "CP1252", "\xE9", "", U""},
    {932, "CP932", "\x82\xA0", "\xFF\x81", U"\xFFFD\xFFFD"},
    {932, "CP932", "\xB1", "\xA0", U"\xFFFD"},  // half-width katakana
    {936, "CP936", "\xC4\xE3", "\xFF", U"\xFFFD"},
    {28592, "ISO-8859-2", "\xB1", "", U""},
    {866, "CP866", "\xA0", "", U""},
    // EBCDIC: the bytes of ASCII text are other characters.
    {37, "IBM037", "\xC1", "", U""},
};

// The shapes of input around an ASCII run ("run", of every length from 0 to 17: two whole
// words and a byte more), and what the characters are checked against besides the offsets.
enum class TExpect { Iconv, RunThenBad, OffsetsOnly };

struct TShape {
  const char* Name;
  std::string (*Make)(const std::string& run, const TEncoding& e);
  TExpect Expect;
};

const TShape kShapes[] = {
    {"run then a wide character", [](const std::string& r, const TEncoding& e) { return r + e.Wide + "tail"; },
     TExpect::Iconv},
    // After the run, a wide character of k bytes lies across the next word boundary for
    // some length of the run.
    {"wide characters across word boundaries",
     [](const std::string& r, const TEncoding& e) { return r + e.Wide + r + e.Wide + e.Wide; }, TExpect::Iconv},
    {"run at the end", [](const std::string& r, const TEncoding& e) { return e.Wide + r; }, TExpect::Iconv},
    {"wide character at the end", [](const std::string& r, const TEncoding& e) { return r + e.Wide; },
     TExpect::Iconv},
    {"bad bytes after a run", [](const std::string& r, const TEncoding& e) { return r + e.Bad + "\nxyz"; },
     TExpect::RunThenBad},
    {"truncated character at the end",
     [](const std::string& r, const TEncoding& e) { return r + e.Wide.substr(0, e.Wide.size() - 1); },
     TExpect::OffsetsOnly},
    {"zero byte in a run", [](const std::string& r, const TEncoding&) { return r + std::string(1, '\0') + r; },
     TExpect::OffsetsOnly},
};

// The bytes of the runs: letters, digits, markup and the control characters of text.
constexpr char kRunBytes[] = "a0Z9<>/ =\t\r\n~";

std::unique_ptr<TBuffer> BufferOf(const std::string& bytes, int codePage) {
  TStringStream stream(bytes);
  std::unique_ptr<TBuffer> buffer = TBuffer::CreateFromStream(stream, u"doc.html");
  buffer->SwitchCodePage(codePage);
  return buffer;
}

std::u32string CodePoints(const String& units) {
  std::u32string out;
  for (size_t i = 0; i < units.size(); ++i) {
    char32_t c = units[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF)
      c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
    out += c;
  }
  return out;
}

// Reads the whole content through the buffer's blocks, a zero character included, and
// checks every unit and offset against the converter read one character a call.
String ReadChecked(const std::string& bytes, int codePage) {
  std::unique_ptr<TBuffer> buffer = BufferOf(bytes, codePage);
  TBuffConvInfoList& infos = *ConverterInfos();
  auto oracle = infos[infos.IndexOfCodePage(codePage)].ConverterClass(buffer->ContentStart, buffer->ContentEnd,
                                                                       codePage, codePage);
  String units;
  for (;;) {
    const Char expected = oracle->NextChar();
    const Char ch = buffer->ReadChar();
    EXPECT_EQ(ch, expected) << "unit " << units.size();
    EXPECT_EQ(buffer->ReadOffset(), oracle->ReadPtr - buffer->Bytes.data()) << "unit " << units.size();
    if (ch != expected || (ch == 0 && oracle->ReadPtr >= oracle->EndPtr && !oracle->HasPending())) break;
    units += ch;
  }
  return units;
}

class AsciiRunEdges : public testing::TestWithParam<TEncoding> {};

TEST_P(AsciiRunEdges, DecodeAsIconvWithTheOffsetsOfOneCharacterACall) {
  const TEncoding& e = GetParam();
  for (const TShape& shape : kShapes) {
    for (int length = 0; length <= 17; ++length) {
      std::string run;
      for (int i = 0; i < length; ++i) run += kRunBytes[i % (sizeof kRunBytes - 1)];
      const std::string bytes = shape.Make(run, e);
      SCOPED_TRACE(std::string(shape.Name) + ", run of " + std::to_string(length));
      const std::u32string units = CodePoints(ReadChecked(bytes, e.CodePage));
      if (shape.Expect == TExpect::Iconv) {
        const std::optional<std::u32string> expected = IconvDecode(e.IconvName, bytes);
        ASSERT_TRUE(expected);
        EXPECT_EQ(units, *expected);
      } else if (shape.Expect == TExpect::RunThenBad) {
        EXPECT_EQ(units, *IconvDecode(e.IconvName, run) + e.BadAs + *IconvDecode(e.IconvName, "\nxyz"));
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Encodings, AsciiRunEdges, testing::ValuesIn(kEncodings), [](const auto& info) {
  return CaseName(info.param.IconvName, info.index);
});

// A run that goes past the end of a block of decoded units (2,048): the block stops inside
// it and the next one goes on, for runs ending on either side of the block's end.
TEST(AsciiRunBlocks, RunAcrossTheEndOfABlock) {
  for (const TEncoding& e : {kEncodings[0], kEncodings[2], kEncodings[3]}) {
    for (int length = 2040; length <= 2056; ++length) {
      SCOPED_TRACE(std::string(e.IconvName) + ", run of " + std::to_string(length));
      const std::string bytes = std::string(length, 'q') + e.Wide + "end";
      EXPECT_EQ(CodePoints(ReadChecked(bytes, e.CodePage)), *IconvDecode(e.IconvName, bytes));
    }
  }
}

// Single-byte blocks end after the first zero byte, the only byte a map may give 0 for.
TEST(SingleByteMaps, OnlyByteZeroGivesZero) {
  TBuffConvInfoList& infos = *ConverterInfos();
  for (int row = 0; row < infos.Count(); ++row) {
    const int codePage = infos[row].CodePage;
    const TBuffConverterClass cls = infos[row].ConverterClass;
    if (cls != &TBuffConvSingleByte::Create && cls != &TBuffConvSingleByteMap::Create) continue;
    const std::array<Char, 256>& map =
        cls == &TBuffConvSingleByteMap::Create ? PlatformByteMap(codePage) : SingleByteMapOf(codePage);
    for (int b = 1; b < 256; ++b) EXPECT_NE(map[b], 0) << "code page " << codePage << ", byte " << b;
  }
}

}  // namespace
