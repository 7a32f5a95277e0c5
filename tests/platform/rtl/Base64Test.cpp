#include <gtest/gtest.h>

#include <random>

#include "platform/rtl/Base64.h"
#include "tests/support/Process.h"

namespace {

// What coreutils' base64 makes of a file, with its lines ended by CR LF as the stream
// encoder ends them, and without a break after the last line.
std::string CoreutilsBase64(const std::string& bytes) {
  std::string out = RunTool("base64 -w 76", bytes);
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
  std::mt19937 random(42);
  // Lengths around the padding cases and around one and two full lines (57 bytes = 76 chars).
  for (size_t length : {0, 1, 2, 3, 4, 5, 56, 57, 58, 113, 114, 115, 1000}) {
    std::string bytes(length, '\0');
    for (char& b : bytes) b = static_cast<char>(random());
    const std::string encoded = EncodeBase64(bytes);
    EXPECT_EQ(encoded, CoreutilsBase64(bytes)) << length;
    EXPECT_EQ(DecodeBase64(encoded), bytes) << length;
  }
}

TEST(Base64, DecodeSkipsCharactersOutsideTheAlphabetLikeCoreutils) {
  const std::string texts[] = {
      "SGFsbG8=",         "SGFs\r\nbG8=", " S G F s b G 8 ", "SGFsbG8",  // padding may be missing
      "SGFs%0AbG8=",      // "%0A" is no line break here: 0 and A count
      "SGFsbG8=SGFsbG8=", "QQ=x", "S", "", "!!!",
  };
  for (const auto& text : texts) {
    // coreutils reports a missing padding as an error, after its output
    std::string expected = RunCommand("base64 -d -i", text, TErrorOutput::Separate).Output;
    EXPECT_EQ(DecodeBase64(text), expected) << text;
  }
  EXPECT_EQ(DecodeBase64("SGFs\r\nbG8="), "Hallo");
}
