#include <gtest/gtest.h>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/TextFiles.h"
#include "platform/rtl/Unicode.h"
#include "tests/platform/rtl/TempFolder.h"
#include "tests/support/Process.h"

namespace {

// Runs iconv on a file of the folder and returns what it writes.
std::string Iconv(const TempFolder& dir, const std::string& from, const std::string& to,
                  const std::string& name) {
  return RunTool("iconv -f " + from + " -t " + to + " " + ShellQuote(dir.Path(name)));
}

std::vector<String> Lines(const TStrings& list) {
  std::vector<String> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
  return out;
}

}  // namespace

TEST(TextFiles, AnsiFileRoundTripsByteForByte) {
  TempFolder dir;
  // Every byte 1252 defines, except CR and LF, in lines of 32 bytes with CR LF.
  std::string bytes;
  for (int b = 1, column = 0; b < 256; ++b) {
    if (b == '\r' || b == '\n' || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) continue;
    bytes += static_cast<char>(b);
    if (++column % 32 == 0) bytes += "\r\n";
  }
  bytes += "\r\n";
  dir.Write("in.txt", bytes);
  TStringList list;
  list.LoadFromFile(dir.Name("in.txt"));
  list.SaveToFile(dir.Name("out.txt"));
  EXPECT_EQ(dir.Read("out.txt"), bytes);
  // iconv reads our lines as 1252 the same way we do.
  EXPECT_EQ(Iconv(dir, "CP1252", "UTF-8", "out.txt"), StringToUtf8(list.Text()));
}

TEST(TextFiles, EuroStaysAnsiCyrillicBecomesUtf8WithMark) {
  TempFolder dir;
  struct Case {
    const char* text;
    std::string expectedBytes;
  };
  const Case cases[] = {
      {"Preis: 5 €\r\nGrüße", "Preis: 5 \x80\r\nGr\xFC\xDF" "e\r\n"},
      {"Жук\r\n€", "\xEF\xBB\xBF\xD0\x96\xD1\x83\xD0\xBA\r\n\xE2\x82\xAC\r\n"},
      {"😀", "\xEF\xBB\xBF\xF0\x9F\x98\x80\r\n"},
  };
  for (const auto& c : cases) {
    TStringList list;
    list.SetText(S(c.text));
    list.SaveToFile(dir.Name("f.txt"));
    EXPECT_EQ(dir.Read("f.txt"), c.expectedBytes) << c.text;
    TStringList back;
    back.LoadFromFile(dir.Name("f.txt"));
    EXPECT_EQ(Lines(back), Lines(list)) << c.text;
  }
}

TEST(TextFiles, MarkedFilesMadeByIconvReadRight) {
  TempFolder dir;
  const std::string text = "Zeile 1: Grüße\r\nЖ и 😀\r\n\r\nEnde";
  dir.Write("utf8.txt", text);
  struct Case {
    const char* encoding;
    std::string mark;
  };
  const Case cases[] = {{"UTF-8", "\xEF\xBB\xBF"}, {"UTF-16LE", "\xFF\xFE"}, {"UTF-16BE", "\xFE\xFF"}};
  for (const auto& c : cases) {
    dir.Write("marked.txt", c.mark + Iconv(dir, "UTF-8", c.encoding, "utf8.txt"));
    TStringList list;
    list.LoadFromFile(dir.Name("marked.txt"));
    EXPECT_EQ(Lines(list), (std::vector<String>{S("Zeile 1: Grüße"), S("Ж и 😀"), u"", u"Ende"}))
        << c.encoding;
  }
}

TEST(TextFiles, DecodeWithoutMarkIsAnsiAndMarkIsDropped) {
  struct Case {
    std::string bytes;
    String text;
  };
  const Case cases[] = {
      {"", u""},
      {"\xEF\xBB\xBF", u""},
      {"\xFF\xFE", u""},
      {"\xC3\xA4", S("Ã¤")},  // UTF-8 without mark is read as 1252
      {"\xEF\xBB\xBF\xC3\xA4", S("ä")},
      {std::string("\xFF\xFE" "a\0", 4), u"a"},
      {std::string("\xFE\xFF\0a", 4), u"a"},
      {"\xFE\xFE", S("þþ")},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeTextFileBytes(c.bytes), c.text);
}

TEST(TextFiles, StreamLoadReadsFromPositionAndSaveAppends) {
  TStringStream stream("skip\r\nline 1\r\nline 2\r\n");
  stream.SetPosition(6);
  TStringList list;
  list.LoadFromStream(stream);
  EXPECT_EQ(Lines(list), (std::vector<String>{u"line 1", u"line 2"}));
  TStringStream out("head:");
  out.Seek(0, soFromEnd);
  list.SaveToStream(out);
  EXPECT_EQ(out.DataString(), "head:line 1\r\nline 2\r\n");
}

TEST(TextFiles, LoadingAMissingFileRaisesOpenError) {
  TempFolder dir;
  TStringList list;
  list.Add(u"kept");
  EXPECT_THROW(list.LoadFromFile(dir.Name("none.txt")), EFOpenError);
  EXPECT_EQ(list.Count(), 1);
}
