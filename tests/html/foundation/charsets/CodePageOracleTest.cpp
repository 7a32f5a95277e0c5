// Every code page of the registry that glibc's iconv also knows: all single bytes, and for
// the double-byte code pages all lead/trail pairs, decoded by our converter and by iconv.
// Where they disagree, the difference must be one of the reviewed, accepted differences in
// AcceptedDifferences.txt (and every accepted difference must still occur). Run with
// WENDREL_WRITE_CHARSET_DIFFERENCES=<file> to write the differences found for review.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/html/foundation/charsets/ConverterTestTools.h"
#include "tests/html/foundation/charsets/IconvOracle.h"

namespace {

enum Kind { kSingle, kSinglesOfDoubleByte, kDoubleByte, kEucJp, kGb18030, kUtf8 };

struct OracleCase {
  int codePage;
  const char* iconvName;
  Kind kind;
};

const OracleCase kCases[] = {
    {0, "CP1252", kSingle}, {1, "CP850", kSingle}, {2, "MACINTOSH", kSingle}, {37, "IBM037", kSingle},
    {437, "CP437", kSingle}, {500, "IBM500", kSingle}, {708, "ASMO-708", kSingle}, {737, "CP737", kSingle},
    {775, "CP775", kSingle}, {850, "CP850", kSingle}, {852, "CP852", kSingle}, {855, "CP855", kSingle},
    {857, "CP857", kSingle}, {858, "CP858", kSingle}, {860, "CP860", kSingle}, {861, "CP861", kSingle},
    {862, "CP862", kSingle}, {863, "CP863", kSingle}, {864, "CP864", kSingle}, {865, "CP865", kSingle},
    {866, "CP866", kSingle}, {869, "CP869", kSingle}, {870, "IBM870", kSingle}, {874, "CP874", kSingle},
    {875, "IBM875", kSingle}, {922, "IBM922", kSingle}, {932, "CP932", kDoubleByte}, {936, "CP936", kDoubleByte},
    {943, "IBM943", kDoubleByte}, {949, "CP949", kDoubleByte}, {950, "CP950", kDoubleByte},
    {1026, "IBM1026", kSingle}, {1047, "IBM1047", kSingle}, {1140, "IBM1140", kSingle}, {1141, "IBM1141", kSingle},
    {1142, "IBM1142", kSingle}, {1143, "IBM1143", kSingle}, {1144, "IBM1144", kSingle}, {1145, "IBM1145", kSingle},
    {1146, "IBM1146", kSingle}, {1147, "IBM1147", kSingle}, {1148, "IBM1148", kSingle}, {1149, "IBM1149", kSingle},
    {1250, "CP1250", kSingle}, {1251, "CP1251", kSingle}, {1252, "CP1252", kSingle}, {1253, "CP1253", kSingle},
    {1254, "CP1254", kSingle}, {1255, "CP1255", kSingle}, {1256, "CP1256", kSingle}, {1257, "CP1257", kSingle},
    {1258, "CP1258", kSingle}, {1361, "JOHAB", kSinglesOfDoubleByte}, {10000, "MACINTOSH", kSingle},
    {10007, "MAC-CYRILLIC", kSingle}, {10017, "MAC-UK", kSingle}, {10029, "MAC-CENTRALEUROPE", kSingle},
    {10079, "MAC-IS", kSingle}, {20106, "DIN_66003", kSingle}, {20107, "SEN_850200_B", kSingle},
    {20108, "NS_4551-1", kSingle}, {20127, "ASCII", kSingle}, {20261, "T.61-8BIT", kSingle},
    {20269, "ISO6937", kSingle}, {20273, "IBM273", kSingle}, {20277, "IBM277", kSingle}, {20278, "IBM278", kSingle},
    {20280, "IBM280", kSingle}, {20284, "IBM284", kSingle}, {20285, "IBM285", kSingle}, {20290, "IBM290", kSingle},
    {20297, "IBM297", kSingle}, {20420, "IBM420", kSingle}, {20423, "IBM423", kSingle}, {20424, "IBM424", kSingle},
    {20866, "KOI8-R", kSingle}, {20871, "IBM871", kSingle}, {20880, "IBM880", kSingle}, {20905, "IBM905", kSingle},
    {20932, "EUC-JP", kSinglesOfDoubleByte}, {20936, "EUC-CN", kSinglesOfDoubleByte},
    {20949, "EUC-KR", kSinglesOfDoubleByte}, {21025, "IBM1025", kSingle}, {21866, "KOI8-U", kSingle},
    {28591, "ISO-8859-1", kSingle}, {28592, "ISO-8859-2", kSingle}, {28593, "ISO-8859-3", kSingle},
    {28594, "ISO-8859-4", kSingle}, {28595, "ISO-8859-5", kSingle}, {28596, "ISO-8859-6", kSingle},
    {28597, "ISO-8859-7", kSingle}, {28598, "ISO-8859-8", kSingle}, {28599, "ISO-8859-9", kSingle},
    {28600, "ISO-8859-10", kSingle}, {28601, "ISO-8859-11", kSingle}, {28603, "ISO-8859-13", kSingle},
    {28604, "ISO-8859-14", kSingle}, {28605, "ISO-8859-15", kSingle}, {28606, "ISO-8859-16", kSingle},
    {38598, "ISO-8859-8", kSingle}, {50930, "IBM930", kSinglesOfDoubleByte}, {50931, "IBM930", kSinglesOfDoubleByte},
    {50933, "IBM933", kSinglesOfDoubleByte}, {50935, "IBM935", kSinglesOfDoubleByte},
    {50937, "IBM937", kSinglesOfDoubleByte}, {50939, "IBM939", kSinglesOfDoubleByte}, {51932, "EUC-JP-MS", kEucJp},
    {51936, "EUC-CN", kDoubleByte}, {51949, "EUC-KR", kDoubleByte}, {51950, "CP950", kDoubleByte},
    {54936, "GB18030", kGb18030}, {65001, "UTF-8", kUtf8},
};

std::string Hex(std::string_view bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char b : bytes) {
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

// All inputs of a case.
std::vector<std::string> InputsOf(Kind kind) {
  std::vector<std::string> inputs;
  for (int b = 1; b < 256; ++b) inputs.emplace_back(1, static_cast<char>(b));
  if (kind == kSingle || kind == kSinglesOfDoubleByte) return inputs;
  if (kind == kUtf8) {
    for (int a = 0xC0; a < 0x100; ++a)
      for (int b = 1; b < 0x100; ++b) inputs.push_back({static_cast<char>(a), static_cast<char>(b)});
    for (int a = 0xE0; a < 0xF0; ++a)
      for (int b = 0x70; b < 0xD0; ++b)
        for (int c = 0x70; c < 0xD0; c += 7) inputs.push_back({static_cast<char>(a), static_cast<char>(b), static_cast<char>(c)});
    for (int a = 0xF0; a < 0xF8; ++a)
      for (int b = 0x70; b < 0xD0; ++b) inputs.push_back({static_cast<char>(a), static_cast<char>(b), '\x80', '\xBF'});
    return inputs;
  }
  for (int lead = 0x80; lead < 0x100; ++lead)
    for (int trail = 1; trail < 0x100; ++trail) inputs.push_back({static_cast<char>(lead), static_cast<char>(trail)});
  if (kind == kEucJp)
    for (int a = 0xA1; a < 0xFF; ++a)
      for (int b = 0xA1; b < 0xFF; ++b) inputs.push_back({'\x8F', static_cast<char>(a), static_cast<char>(b)});
  if (kind == kGb18030) {
    // Every four-byte code of the BMP, and the first codes of the supplementary planes.
    for (int i = 0; i < 39420; ++i)
      inputs.push_back({static_cast<char>(0x81 + i / 12600), static_cast<char>(0x30 + i / 1260 % 10),
                        static_cast<char>(0x81 + i / 10 % 126), static_cast<char>(0x30 + i % 10)});
    for (int i = 0; i < 2000; i += 7)
      inputs.push_back({static_cast<char>(0x90 + i / 12600), static_cast<char>(0x30 + i / 1260 % 10),
                        static_cast<char>(0x81 + i / 10 % 126), static_cast<char>(0x30 + i % 10)});
  }
  return inputs;
}

struct Difference {
  std::string input;
  std::u32string ours;
  std::optional<std::u32string> theirs;
};

// One side of a difference as a single code point, or -1 for a refusal, -2 for several.
long Single(const std::u32string& text) { return text.size() == 1 ? static_cast<long>(text[0]) : -2; }
long Single(const std::optional<std::u32string>& text) { return text ? Single(*text) : -1; }

// Runs of differences whose inputs count up in their last byte, while each side stays the
// same or counts up with them, become one line: "<first>-<last byte> <ours>[+] <iconv>[+]".
std::vector<std::string> Lines(int codePage, const std::vector<Difference>& diffs) {
  std::vector<std::string> lines;
  auto describe = [](long v, const std::string& full) { return v == -1 ? std::string("refused") : full; };
  for (size_t i = 0; i < diffs.size();) {
    const Difference& d = diffs[i];
    long t0 = Single(d.theirs);
    size_t j = i + 1;
    long oStep = -1, tStep = -1;
    for (; j < diffs.size(); ++j) {
      const Difference& a = diffs[j - 1];
      const Difference& b = diffs[j];
      if (a.input.size() != b.input.size() || a.input.compare(0, a.input.size() - 1, b.input, 0, b.input.size() - 1) != 0 ||
          static_cast<unsigned char>(b.input.back()) != static_cast<unsigned char>(a.input.back()) + 1)
        break;
      long oa = Single(a.ours), ob = Single(b.ours), ta = Single(a.theirs), tb = Single(b.theirs);
      if (oa == -2 || ob == -2 || ta == -2 || tb == -2 || (ta == -1) != (tb == -1)) break;
      long os = ob - oa, ts = ta == -1 ? 0 : tb - ta;
      if ((os != 0 && os != 1) || (ts != 0 && ts != 1)) break;
      if (oStep >= 0 && (os != oStep || ts != tStep)) break;
      oStep = os;
      tStep = ts;
    }
    std::string line = std::to_string(codePage) + " " + Hex(d.input);
    std::string ours = DescribeCodePoints(d.ours);
    std::string theirs = describe(t0, d.theirs ? DescribeCodePoints(*d.theirs) : "");
    if (j - i > 1) {
      line += "-" + Hex(diffs[j - 1].input.substr(diffs[j - 1].input.size() - 1));
      if (oStep == 1) ours += "+";
      if (tStep == 1) theirs += "+";
    }
    lines.push_back(line + " " + ours + " " + theirs);
    i = j;
  }
  return lines;
}

// The differences between our converter and iconv for one case.
std::vector<std::string> DifferencesOf(const OracleCase& c) {
  std::vector<Difference> diffs;
  TIconvDecoder iconv(c.iconvName);
  EXPECT_TRUE(iconv.Valid()) << c.iconvName;
  for (const std::string& input : InputsOf(c.kind)) {
    std::u32string ours = DecodeToCodePoints(c.codePage, input);
    std::optional<std::u32string> theirs = iconv.Decode(input);
    // Agreement: the same characters, or iconv refusing what we mark with U+FFFD.
    if (theirs ? *theirs == ours : ours.find(U'\xFFFD') != std::u32string::npos) continue;
    // A lead byte alone is incomplete for iconv; U+FFFD here is our answer too.
    if (!theirs && c.kind != kSingle && input.size() == 1 && ours == U"\xFFFD") continue;
    // Both read the first byte as a character of its own: the difference is that of the
    // single byte, listed already.
    if (input.size() > 1) {
      std::string first = input.substr(0, 1), rest = input.substr(1);
      std::optional<std::u32string> theirFirst = iconv.Decode(first), theirRest = iconv.Decode(rest);
      std::u32string ourFirst = DecodeToCodePoints(c.codePage, first);
      bool oursSplit = ours == ourFirst + DecodeToCodePoints(c.codePage, rest);
      bool theirsSplit = theirs ? theirFirst && theirRest && *theirs == *theirFirst + *theirRest : !theirFirst;
      if (oursSplit && theirsSplit) continue;
    }
    diffs.push_back({input, ours, theirs});
  }
  return Lines(c.codePage, diffs);
}

std::set<std::string> AcceptedDifferences() {
  std::set<std::string> accepted;
  std::ifstream in(WENDREL_SOURCE_DIR "/tests/html/foundation/charsets/AcceptedDifferences.txt");
  std::string line;
  while (std::getline(in, line))
    if (!line.empty() && line[0] != '#') accepted.insert(line);
  return accepted;
}

TEST(CodePageOracle, EveryCodePageAgreesWithIconvOrDiffersAsAccepted) {
  std::set<std::string> accepted = AcceptedDifferences();
  std::vector<std::string> found;
  for (const OracleCase& c : kCases) {
    std::vector<std::string> diffs = DifferencesOf(c);
    found.insert(found.end(), diffs.begin(), diffs.end());
  }
  if (const char* path = std::getenv("WENDREL_WRITE_CHARSET_DIFFERENCES")) {
    std::ofstream out(path);
    for (const std::string& line : found) out << line << "\n";
  }
  std::set<std::string> foundSet(found.begin(), found.end());
  int unexpected = 0;
  for (const std::string& line : found)
    if (!accepted.count(line) && ++unexpected <= 50) ADD_FAILURE() << "new difference: " << line;
  EXPECT_EQ(unexpected, 0);
  for (const std::string& line : accepted)
    EXPECT_TRUE(foundSet.count(line)) << "accepted difference no longer occurs: " << line;
}

}  // namespace
