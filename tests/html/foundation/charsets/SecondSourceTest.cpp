// The single-byte code pages that glibc's iconv does not know (or knows in another
// version), compared byte by byte with Python's codecs and Perl's Encode.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "tests/html/foundation/charsets/ConverterTestTools.h"
#include "tests/support/Process.h"

namespace {

// code page -> the 256 code points of the reference (-1: no character).
std::map<int, std::vector<long>> RunReference(const std::string& command) {
  std::map<int, std::vector<long>> result;
  std::istringstream lines(RunTool(command));
  int cp;
  while (lines >> cp) {
    std::vector<long> values(256);
    for (long& v : values) lines >> v;
    result[cp] = values;
  }
  return result;
}

std::map<int, std::vector<long>> PythonReference() {
  return RunReference(
      "python3 -c '\n"
      "pages = {720: \"cp720\", 10000: \"mac_roman\", 10004: \"mac_arabic\", 10006: \"mac_greek\",\n"
      "         10007: \"mac_cyrillic\", 10010: \"mac_romanian\", 10029: \"mac_latin2\", 10079: \"mac_iceland\",\n"
      "         10081: \"mac_turkish\", 10082: \"mac_croatian\", 52936: \"hz\", 28597: \"iso8859_7\",\n"
      "         28605: \"iso8859_15\"}\n"
      "for cp, name in pages.items():\n"
      "    out = []\n"
      "    for b in range(256):\n"
      "        try:\n"
      "            s = bytes([b]).decode(name)\n"
      "            out.append(str(ord(s)) if len(s) == 1 else \"-1\")\n"
      "        except UnicodeDecodeError:\n"
      "            out.append(\"-1\")\n"
      "    print(cp, \" \".join(out))\n"
      "'");
}

std::map<int, std::vector<long>> PerlReference() {
  return RunReference(
      "perl -MEncode -e 'my %p = (10005 => \"MacHebrew\", 10021 => \"MacThai\", 10001 => \"MacJapanese\",\n"
      "  10002 => \"MacChineseTrad\", 10003 => \"MacKorean\", 10008 => \"MacChineseSimp\", 10000 => \"MacRoman\");\n"
      "for my $cp (sort keys %p) { my @o; for my $b (0..255) { my $x = chr($b);\n"
      "  my $s = eval { decode($p{$cp}, $x, Encode::FB_CROAK) };\n"
      "  push @o, defined($s) && length($s) == 1 ? ord($s) : -1; } print \"$cp @o\\n\"; }'");
}

// Differences that are intended: the Mac code pages in their versions before the euro sign
// (source: Python's and Perl's current tables). <source> <code page> <byte> <ours> <theirs>.
const std::set<std::string> kAccepted = {
    "perl 10000 BD 2126 3A9",   "perl 10000 DB A4 20AC",    "python 10000 BD 2126 3A9", "python 10000 DB A4 20AC",
    "python 10006 9C AD 20AC",  "python 10006 AF 387 B7",   "python 10007 A2 A2 490",   "python 10007 B6 2202 491",
    "python 10007 FF A4 20AC",  "python 10079 BD 2126 3A9", "python 10079 DB A4 20AC",  "python 10081 BD 2126 3A9",
};

TEST(SecondSource, SingleBytesAgreeWithPythonAndPerl) {
  std::map<std::string, std::map<int, std::vector<long>>> references = {{"python", PythonReference()},
                                                                         {"perl", PerlReference()}};
  ASSERT_FALSE(references["python"].empty());
  ASSERT_FALSE(references["perl"].empty());
  for (auto& [source, pages] : references)
    for (auto& [cp, values] : pages)
      for (int b = 1; b < 256; ++b) {
        std::u32string ours = DecodeToCodePoints(cp, std::string(1, static_cast<char>(b)));
        long mine = ours.size() == 1 ? static_cast<long>(ours[0]) : -2;
        long theirs = values[static_cast<size_t>(b)];
        if (mine == theirs || (theirs == -1 && mine == 0xFFFD)) continue;
        // Bytes below 80 of the OEM and Mac pages stand for themselves.
        if (b < 0x80 && mine == b && cp != 52936) continue;
        char key[64];
        std::snprintf(key, sizeof key, "%s %d %02X %lX %lX", source.c_str(), cp, b, mine, theirs);
        EXPECT_TRUE(kAccepted.count(key)) << key;
      }
}

}  // namespace
