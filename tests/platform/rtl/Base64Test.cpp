#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "platform/rtl/Base64.h"
#include "tests/platform/rtl/TempFolder.h"

namespace {

// What coreutils' base64 makes of a file, with its lines ended by CR LF as the stream
// encoder ends them, and without a break after the last line.
std::string CoreutilsBase64(const TempFolder& dir, const std::string& bytes) {
  dir.Write("in.bin", bytes);
  FILE* pipe = popen(("base64 -w 76 '" + dir.Path("in.bin") + "'").c_str(), "r");
  std::string out;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  EXPECT_EQ(pclose(pipe), 0);
  std::string crlf;
  for (char c : out) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  while (!crlf.empty() && (crlf.back() == '\n' || crlf.back() == '\r')) crlf.pop_back();
  return crlf;
}

}  // namespace

TEST(Base64, EncodesLikeCoreutilsWithCrLfLines) {
  TempFolder dir;
  std::mt19937 random(42);
  // Lengths around the padding cases and around one and two full lines (57 bytes = 76 chars).
  for (size_t length : {0, 1, 2, 3, 4, 5, 56, 57, 58, 113, 114, 115, 1000}) {
    std::string bytes(length, '\0');
    for (char& b : bytes) b = static_cast<char>(random());
    const std::string encoded = EncodeBase64(bytes);
    EXPECT_EQ(encoded, CoreutilsBase64(dir, bytes)) << length;
    EXPECT_EQ(DecodeBase64(encoded), bytes) << length;
  }
}

TEST(Base64, DecodeSkipsCharactersOutsideTheAlphabetLikeCoreutils) {
  TempFolder dir;
  const std::string texts[] = {
      "SGFsbG8=",         "SGFs\r\nbG8=", " S G F s b G 8 ", "SGFsbG8",  // padding may be missing
      "SGFs%0AbG8=",      // "%0A" is no line break here: 0 and A count
      "SGFsbG8=SGFsbG8=", "QQ=x", "S", "", "!!!",
  };
  for (const auto& text : texts) {
    dir.Write("in.txt", text);
    FILE* pipe = popen(("base64 -d -i '" + dir.Path("in.txt") + "' 2>/dev/null").c_str(), "r");
    std::string expected;
    char buffer[256];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) expected.append(buffer, n);
    pclose(pipe);  // coreutils reports a missing padding as an error, after its output
    EXPECT_EQ(DecodeBase64(text), expected) << text;
  }
  EXPECT_EQ(DecodeBase64("SGFs\r\nbG8="), "Hallo");
}
