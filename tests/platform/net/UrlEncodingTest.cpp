#include <gtest/gtest.h>

#include "platform/net/HttpClient.h"
#include "platform/net/UrlEncoding.h"
#include "platform/rtl/Unicode.h"
#include "tests/support/TestHttpServer.h"

TEST(UrlEncoding, QueryAndFormValues) {
  struct Case {
    String value;
    String query;
    String form;
  };
  const Case cases[] = {
      {u"abc-._~XYZ09", u"abc-._~XYZ09", u"abc-._~XYZ09"},
      {u"c++ lernen", u"c%2B%2B%20lernen", u"c%2B%2B+lernen"},
      {u"a&b=c?d#e/f%g", u"a%26b%3Dc%3Fd%23e%2Ff%25g", u"a%26b%3Dc%3Fd%23e%2Ff%25g"},
      {u"Grüße €", u"Gr%C3%BC%C3%9Fe%20%E2%82%AC", u"Gr%C3%BC%C3%9Fe+%E2%82%AC"},
      {u"\U0001F600", u"%F0%9F%98%80", u"%F0%9F%98%80"},
      {u"", u"", u""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UrlEncodeQueryValue(c.value), c.query) << StringToUtf8(c.value);
    EXPECT_EQ(UrlEncodeFormValue(c.value), c.form) << StringToUtf8(c.value);
  }
}

TEST(UrlEncoding, RequestUrlEscapesOnlyWhatCannotStandInAUrl) {
  struct Case {
    String url;
    std::string wire;
  };
  const Case cases[] = {
      // already encoded addresses pass unchanged
      {u"http://h/fql?q=SELECT%20a%20FROM%20b%20WHERE%20url%20=%20%22x%22",
       "http://h/fql?q=SELECT%20a%20FROM%20b%20WHERE%20url%20=%20%22x%22"},
      {u"http://h/?url=http://example.com/a?b=1&c=2", "http://h/?url=http://example.com/a?b=1&c=2"},
      // blanks, quotes, non-ASCII and other unsafe characters are escaped
      {u"http://h/complete/search?q=a b\"<>", "http://h/complete/search?q=a%20b%22%3C%3E"},
      {u"http://h/p\u00e4th?q=\u20ac|{}", "http://h/p%C3%A4th?q=%E2%82%AC%7C%7B%7D"},
      {u"http://h/a\tb\r\nc", "http://h/a%09b%0D%0Ac"},
      // a "%" that starts no escape is escaped itself
      {u"http://h/?q=100%&r=%2&s=%zz&t=%41", "http://h/?q=100%25&r=%252&s=%25zz&t=%41"},
      // the host part stays as it is
      {u"http://b\u00fccher.example:8080/x y", "http://b\xC3\xBC" "cher.example:8080/x%20y"},
      {u"http://h", "http://h"},
  };
  for (const auto& c : cases) EXPECT_EQ(EncodeRequestUrl(c.url), c.wire) << StringToUtf8(c.url);
}

// The server's own query parser is the judge: what the helpers encode must decode to the
// value that was meant.
TEST(UrlEncoding, ServerDecodesEncodedValuesToTheOriginal) {
  TTestHttpServer server;
  server.Answer("/complete/search", THttpAnswer());
  TIdHTTP http;
  const String values[] = {u"c++ lernen", u"a&b=c", u"#hashtag", u"Grüße € 100%", u"x+y z"};
  for (const String& v : values) {
    http.Get(server.Url("/complete/search?output=toolbar&q=") + UrlEncodeFormValue(v) + u"&hl=DE");
    EXPECT_EQ(server.LastRequest().Params.at("q"), StringToUtf8(v));
    EXPECT_EQ(server.LastRequest().Params.at("hl"), "DE");
    http.Get(server.Url("/complete/search?q=") + UrlEncodeQueryValue(v));
    EXPECT_EQ(server.LastRequest().Params.at("q"), StringToUtf8(v));
  }
}
