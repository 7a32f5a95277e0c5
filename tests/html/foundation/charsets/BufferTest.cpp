#include "html/foundation/charsets/Buffer.h"

#include <gtest/gtest.h>

#include <random>

#include "html/foundation/charsets/ConverterRegistry.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Unicode.h"
#include "tests/html/foundation/charsets/ConverterTestTools.h"

namespace {

std::unique_ptr<TBuffer> FromBytes(const std::string& bytes) {
  TStringStream stream(bytes);
  return TBuffer::CreateFromStream(stream, u"doc.html");
}

String ReadAll(TBuffer& buffer) {
  String out;
  for (Char c = buffer.ReadChar(); c != 0; c = buffer.ReadChar()) out += c;
  return out;
}

TEST(BufferSniffing, ByteOrderMarksAndIso2022Escapes) {
  struct Case {
    const char* hex;
    int codePage;
    bool fixed;
    int firstOffset;
    String text;
  };
  const Case cases[] = {
      {"", 0, false, 0, u""},
      {"EF BB", 0, false, 0, u"\u00EF\u00BB"},  // two bytes of a mark are no mark
      {"EF BB BF 41 C3 A9", 65001, true, 3, u"A\u00E9"},
      {"FF FE 41 00", 1200, true, 2, u"A"},
      {"FE FF 00 41", 1201, true, 2, u"A"},
      {"FF FE 3D D8 00 DE", 1200, true, 2, u"\U0001F600"},
      {"41 1B 24 42 30 21 1B 28 42 41", 50220, true, 0, u"A\u4E9CA"},
      {"1B 24 42 30 21", 0, false, 0, u"\u001B$B0!"},  // no return to ASCII: no ISO-2022-JP
      // A zero byte before the escapes does not hide them, and an escape that ends with the
      // last byte counts.
      {"00 1B 24 40 1B 28 4A", 50220, true, 0, u""},
      {"1B 24 42 1B 28 42", 50220, true, 0, u""},
      {"80 41", 0, false, 0, u"\u20ACA"},  // the ANSI code page 1252
  };
  for (const Case& c : cases) {
    auto buffer = FromBytes(HexBytes(c.hex));
    EXPECT_EQ(buffer->CodePage(), c.codePage) << c.hex;
    EXPECT_EQ(buffer->IsCodePageFixed(), c.fixed) << c.hex;
    EXPECT_EQ(buffer->ReadOffset(), c.firstOffset) << c.hex;
    EXPECT_EQ(ReadAll(*buffer), c.text) << c.hex;
  }
}

TEST(BufferSniffing, ReadsFromTheStreamPosition) {
  TStringStream stream("skipEF");
  stream.SetPosition(4);
  auto buffer = TBuffer::CreateFromStream(stream, u"x");
  EXPECT_EQ(buffer->ContentSize(), 2);
  EXPECT_EQ(ReadAll(*buffer), u"EF");
}

TEST(BufferSwitching, LaterCharactersDecodeInTheNewCodePage) {
  auto buffer = FromBytes("\xC3\xA9<\xC3\xA9");
  EXPECT_EQ(buffer->ReadChar(), u'\u00C3');
  EXPECT_EQ(buffer->ReadChar(), u'\u00A9');
  buffer->SwitchCodePage(65001);
  EXPECT_EQ(buffer->CodePage(), 65001);
  EXPECT_EQ(buffer->ReadOffset(), 2);
  EXPECT_EQ(buffer->ReadChar(), u'<');
  EXPECT_EQ(buffer->ReadChar(), u'\u00E9');
  EXPECT_EQ(buffer->ReadChar(), 0);
  buffer->SwitchCodePage(65001);  // the same code page: nothing changes
  EXPECT_EQ(buffer->ReadOffset(), 5);
}

TEST(BufferSwitching, FixedCodePagesIgnoreSwitches) {
  auto marked = FromBytes("\xEF\xBB\xBF\xC3\xA9");
  marked->SwitchCodePage(1252);
  EXPECT_EQ(marked->CodePage(), 65001);
  EXPECT_EQ(marked->ReadChar(), u'\u00E9');

  auto text = TBuffer::CreateFromText(u"a\u00E9", u"style");
  text->SwitchCodePage(65001);
  EXPECT_EQ(text->CodePage(), 1200);
  EXPECT_TRUE(text->IsCodePageFixed());
  EXPECT_EQ(ReadAll(*text), u"a\u00E9");
}

TEST(BufferSwitching, UnlistedCodePageUsesTheFallbackUnderItsOwnNumber) {
  auto buffer = FromBytes("\x80");
  buffer->SwitchCodePage(12345);
  EXPECT_EQ(buffer->CodePage(), 12345);
  EXPECT_EQ(buffer->ReadChar(), 0xFFFD);
}

TEST(BufferSwitching, StatefulConverterKeepsItsStateOnlyFromItsOwnClass) {
  // ISO-2022-JP keeps its set when it takes over another ISO-2022-JP converter.
  auto buffer = FromBytes("\x1B$B0!0!");
  buffer->SwitchCodePage(50221);
  EXPECT_EQ(buffer->ReadChar(), u'\u4E9C');
  buffer->SwitchCodePage(50222);
  EXPECT_EQ(buffer->ReadChar(), u'\u4E9C');
}

TEST(BufferPositions, TextBetweenKeepsTheReadPosition) {
  auto buffer = FromBytes("<p>caf\xC3\xA9 \xF0\x9F\x98\x80</p>");
  buffer->SwitchCodePage(65001);
  EXPECT_EQ(buffer->ReadChar(), u'<');
  EXPECT_EQ(buffer->TextBetween(3, 9), u"caf\u00E9 ");
  EXPECT_EQ(buffer->TextBetween(9, 13), u"\U0001F600");
  EXPECT_EQ(buffer->TextBetween(10, 10), u"");
  EXPECT_EQ(buffer->TextBetween(12, 10), u"");
  EXPECT_EQ(buffer->TextBetween(13, 1000), u"</p>");
  EXPECT_EQ(buffer->ReadOffset(), 1);
  EXPECT_EQ(buffer->ReadChar(), u'p');
}

TEST(BufferPositions, SurrogatePairSurvivesALookAheadAndATextBetween) {
  auto buffer = FromBytes("\xF0\x9F\x98\x80x");
  buffer->SwitchCodePage(65001);
  EXPECT_EQ(buffer->LookAhead(), 0xD83D);
  EXPECT_EQ(buffer->ReadChar(), 0xD83D);
  EXPECT_EQ(buffer->LookAhead(), 0xDE00);
  EXPECT_EQ(buffer->TextBetween(0, 5), u"\U0001F600x");
  EXPECT_EQ(buffer->ReadChar(), 0xDE00);
  EXPECT_EQ(buffer->ReadChar(), u'x');
}

TEST(BufferPositions, SeekIsClampedToTheBytes) {
  auto buffer = FromBytes("abc");
  buffer->SeekOffset(-5);
  EXPECT_EQ(buffer->ReadOffset(), 0);
  buffer->SeekOffset(99);
  EXPECT_EQ(buffer->ReadOffset(), 3);
  EXPECT_EQ(buffer->ReadChar(), 0);
  buffer->SeekOffset(1);
  EXPECT_EQ(buffer->LookAhead(), u'b');
  EXPECT_EQ(buffer->ReadOffset(), 1);
}

TEST(BufferCopies, CopyReadsFromItsStartAndKeepsTheCodePage) {
  auto source = FromBytes("\xEF\xBB\xBFhi");
  source->ReadChar();
  auto copy = TBuffer::CreateFromText(u"", u"");
  copy->CopyFrom(*source);
  EXPECT_EQ(copy->SourceName, u"doc.html");
  EXPECT_EQ(copy->ReadOffset(), 3);
  EXPECT_EQ(copy->CodePage(), 65001);
  EXPECT_TRUE(copy->IsCodePageFixed());
  EXPECT_EQ(ReadAll(*copy), u"hi");
  EXPECT_EQ(ReadAll(*source), u"i");

  TMemoryStream stream;
  source->CopyToMemoryStream(&stream);
  EXPECT_EQ(std::string(stream.Memory(), static_cast<size_t>(stream.Size())), "\xEF\xBB\xBFhi");
  source->CopyToMemoryStream(nullptr);
}

// Mixed input for every converter: ASCII runs, high bytes, valid UTF-8 up to four bytes,
// ISO-2022 and UTF-7 shifts, and a zero byte now and then; long enough for many blocks.
std::string MixedBytes(uint32_t seed) {
  std::mt19937 random(seed);
  const char* pieces[] = {"\xF0\x9F\x98\x80", "\xC3\xA9", "\xE3\x81\x82", "\x1B$B0!", "\x1B(B", "\x0E",
                          "\x0F", "+ZeVnLIqe-", "+AKM-", "\x81\x40", "\xA4\xA2", "\x82\xA0"};
  std::string bytes = "a";
  while (bytes.size() < 9000) {
    switch (random() % 4) {
      case 0: bytes.append(random() % 60, static_cast<char>('A' + random() % 26)); break;
      case 1: bytes += pieces[random() % std::size(pieces)]; break;
      case 2: bytes += static_cast<char>(0x80 + random() % 128); break;
      default: bytes += random() % 40 == 0 ? '\0' : ' ';
    }
  }
  return bytes;
}

// The buffer hands out, through its blocks, the units one converter gives call after call,
// with the same read offsets and the same look-ahead, for the class of every code page.
TEST(BufferBlocks, HandOutWhatTheConverterGivesCharacterByCharacter) {
  TBuffConvInfoList& infos = *ConverterInfos();
  const std::string bytes = MixedBytes(7);
  for (int row = 0; row < infos.Count(); ++row) {
    const int codePage = infos[row].CodePage;
    if (codePage < 0) continue;
    auto buffer = FromBytes(bytes);
    buffer->ReplaceConverter(codePage, codePage);
    auto oracle = infos[row].ConverterClass(buffer->ContentStart, buffer->ContentEnd, codePage, codePage);
    int count = 0;
    for (;;) {
      Char expected = oracle->NextChar();
      const int expectedOffset = static_cast<int>(oracle->ReadPtr - buffer->Bytes.data());
      ASSERT_EQ(buffer->LookAhead(), expected) << codePage << " unit " << count;
      ASSERT_EQ(buffer->ReadChar(), expected) << codePage << " unit " << count;
      ASSERT_EQ(buffer->ReadOffset(), expectedOffset) << codePage << " unit " << count;
      ASSERT_EQ(buffer->HasPending(), oracle->HasPending()) << codePage << " unit " << count;
      ++count;
      if (expected == 0 && oracle->ReadPtr >= oracle->EndPtr && !oracle->HasPending()) break;
    }
  }
}

// A code page switch (a META or XML declaration) in the middle of a decoded block: the
// characters after the read position are decoded again in the new code page.
TEST(BufferBlocks, SwitchInTheMiddleOfABlockDecodesTheRestAgain) {
  std::string bytes(3000, 'x');
  bytes += "\xC3\xA9\xF0\x9F\x98\x80.";
  auto buffer = FromBytes(bytes);
  for (int i = 0; i < 2999; ++i) ASSERT_EQ(buffer->ReadChar(), u'x');
  EXPECT_EQ(buffer->LookAhead(), u'x');
  buffer->SwitchCodePage(65001);
  EXPECT_EQ(buffer->ReadOffset(), 2999);
  EXPECT_EQ(ReadAll(*buffer), u"x\u00E9\U0001F600.");

  // Between the halves of a pair, the low half stays to be read in the new code page.
  auto paired = FromBytes(std::string(2047, 'y') + "\xF0\x9F\x98\x80z");
  paired->SwitchCodePage(65001);
  for (int i = 0; i < 2047; ++i) ASSERT_EQ(paired->ReadChar(), u'y');
  EXPECT_EQ(paired->ReadChar(), 0xD83D);
  EXPECT_TRUE(paired->HasPending());
  paired->SwitchCodePage(1252);
  EXPECT_EQ(paired->ReadChar(), 0xDE00);
  EXPECT_EQ(paired->ReadChar(), u'z');
}

TEST(BufferRemainingText, DecodesToTheEndWithoutMoving) {
  auto buffer = FromBytes("ab\xC3\xA9");
  buffer->SwitchCodePage(65001);
  buffer->ReadChar();
  EXPECT_EQ(buffer->Converter()->RemainingText(), u"b\u00E9");
  EXPECT_EQ(buffer->ReadChar(), u'b');
  auto text = TBuffer::CreateFromText(u"xyz", u"");
  EXPECT_EQ(text->Converter()->RemainingText(), u"xyz");
}

}  // namespace
