#include <gtest/gtest.h>

#include "platform/net/SecretMasking.h"
#include "platform/rtl/Unicode.h"

namespace {

TEST(SecretMasking, TokensKeysAndUserInformation) {
  const std::pair<const char*, const char*> cases[] = {
      {"http://h/x?key=abc&q=1", "http://h/x?key=***&q=1"},
      {"http://h/x?q=1&Access_Token=a%20b#f", "http://h/x?q=1&Access_Token=***#f"},
      {"http://h/x?KEY=1&key=2", "http://h/x?KEY=***&key=***"},
      {"http://h/x?apikey=abc&monkey=1&keys=2&token=3", "http://h/x?apikey=abc&monkey=1&keys=2&token=3"},
      {"http://h/x?key=&q", "http://h/x?key=&q"},
      {"http://u:p@h:8080/x", "http://***@h:8080/x"},
      {"https://nur-name@h", "https://***@h"},
      {"http://h/x?mail=a@b&x=http://h", "http://h/x?mail=a@b&x=http://h"},
      {"GET http://u:p@h/?key=1 Fehler bei https://x/?access_token=2:3 key=3",
       "GET http://***@h/?key=*** Fehler bei https://x/?access_token=*** key=3"},
      {"key=abc", "key=abc"},
      {"", ""},
  };
  for (const auto& [text, masked] : cases) EXPECT_EQ(StringToUtf8(MaskSecrets(Utf8ToString(text))), masked) << text;
}

}  // namespace
