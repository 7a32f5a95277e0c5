#include "platform/rtl/CodePages.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace {

// The byte glibc's iconv gives for one UTF-16 unit, or -1 when the code page lacks it.
int IconvByte(iconv_t cd, char16_t unit) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char in[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  char out[8];
  char* ip = in;
  char* op = out;
  size_t il = sizeof in, ol = sizeof out;
  if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1) || op - out != 1) return -1;
  return static_cast<unsigned char>(out[0]);
}

struct TEncodeCase {
  int codePage;
  const char* iconvName;
  std::u16string keptUndefined;  // units of bytes iconv leaves undefined that we keep
};

// Every character of the Basic Multilingual Plane outside the surrogates is encoded as
// iconv encodes it, or as '?' with the loss reported where iconv has no byte for it.
TEST(CodePageEncoding, EveryCharacterAsIconvEncodesIt) {
  for (const TEncodeCase& c : {TEncodeCase{1252, "CP1252", u"\u0081\u008D\u008F\u0090\u009D"},
                               TEncodeCase{28591, "ISO-8859-1", u""}, TEncodeCase{20127, "ASCII", u""}}) {
    iconv_t cd = iconv_open(c.iconvName, "UTF-16LE");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1)) << c.iconvName;
    int mismatches = 0;
    for (char32_t u = 0; u <= 0xFFFF && mismatches < 5; ++u) {
      if (u >= 0xD800 && u <= 0xDFFF) continue;
      const auto unit = static_cast<char16_t>(u);
      bool lossless = true;
      const std::string ours = StringToBytes(std::u16string(1, unit), c.codePage, &lossless);
      int expected = IconvByte(cd, unit);
      if (expected < 0 && c.keptUndefined.find(unit) != std::u16string::npos) expected = static_cast<int>(u);
      const bool same = expected < 0 ? ours == "?" && !lossless
                                     : ours == std::string(1, static_cast<char>(expected)) && lossless;
      if (!same) {
        ++mismatches;
        ADD_FAILURE() << c.codePage << ": U+" << std::hex << static_cast<unsigned>(u) << " gives "
                      << static_cast<unsigned>(static_cast<unsigned char>(ours[0])) << ", iconv " << expected;
      }
    }
    iconv_close(cd);
  }
}

}  // namespace
