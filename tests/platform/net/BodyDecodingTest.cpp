#include <gtest/gtest.h>

#include "platform/net/BodyDecoding.h"
#include "platform/rtl/Unicode.h"

TEST(BodyDecoding, CharsetOfContentType) {
  const std::pair<std::string, std::string> cases[] = {
      {"text/html; charset=UTF-8", "utf-8"},
      {"text/html;charset=\"ISO-8859-1\"", "iso-8859-1"},
      {"text/xml; format=flowed; Charset = windows-1252 ", "windows-1252"},
      {"text/html", ""},
      {"", ""},
      {"text/html; charsetx=utf-8", ""},
  };
  for (const auto& [contentType, charset] : cases) EXPECT_EQ(CharsetOfContentType(contentType), charset) << contentType;
}

TEST(BodyDecoding, CodePageOfCharsetKnowsRegisteredPagesOnly) {
  EXPECT_EQ(CodePageOfCharset("UTF-8"), 65001);
  EXPECT_EQ(CodePageOfCharset("utf8"), 65001);
  EXPECT_EQ(CodePageOfCharset("windows-1252"), 1252);
  EXPECT_EQ(CodePageOfCharset("cp1252"), 1252);
  EXPECT_EQ(CodePageOfCharset("ISO-8859-1"), 28591);
  EXPECT_EQ(CodePageOfCharset("us-ascii"), 20127);
  EXPECT_EQ(CodePageOfCharset("utf-16be"), 1201);
  EXPECT_EQ(CodePageOfCharset("x-unknown"), 0);
  EXPECT_EQ(CodePageOfCharset("windows-12520"), 0);
}

TEST(BodyDecoding, ChoosesCharsetThenUtf8ThenCodePage1252) {
  struct Case {
    std::string body;
    std::string contentType;
    String text;
  };
  const Case cases[] = {
      {"Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC", "text/plain; charset=utf-8", u"Grüße €"},
      {"Gr\xFC\xDF" "e \x80", "text/plain; charset=windows-1252", u"Grüße €"},
      {"caf\xE9 \x80", "text/plain; charset=iso-8859-1", u"café \u0080"},
      // no charset: valid UTF-8 is UTF-8, anything else 1252
      {"Gr\xC3\xBC\xC3\x9F" "e", "text/html", u"Grüße"},
      {"Gr\xFC\xDF" "e \x80", "text/html", u"Grüße €"},
      // an unknown charset falls back the same way
      {"Gr\xC3\xBC\xC3\x9F" "e", "text/html; charset=x-klingon", u"Grüße"},
      {"Gr\xFC\xDF" "e", "text/html; charset=x-klingon", u"Grüße"},
      // a charset that does not fit the bytes is still obeyed
      {"Gr\xC3\xBC" "e", "text/html; charset=windows-1252", u"GrÃ¼e"},
      // byte-order marks are not text
      {"\xEF\xBB\xBFok", "text/plain", u"ok"},
      {std::string("\xFE\xFF\0o\0k", 6), "text/plain; charset=utf-16", u"ok"},
      {std::string("\xFF\xFEo\0k\0", 6), "text/plain; charset=utf-16", u"ok"},
      {"", "text/plain", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeBody(c.body, c.contentType), c.text) << c.contentType << " " << c.body;
}
