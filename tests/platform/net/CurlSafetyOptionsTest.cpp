#include <gtest/gtest.h>

#include "platform/net/CurlSafetyOptions.h"
#include "platform/net/NetExceptions.h"
#include "platform/rtl/Unicode.h"

namespace {

TEST(CurlSafetyOptions, AnOptionLibcurlRefusesFailsTheRequest) {
  std::unique_ptr<CURL, void (*)(CURL*)> easy(curl_easy_init(), curl_easy_cleanup);
  ASSERT_TRUE(easy);
  EXPECT_NO_THROW(SetSafetyOption(easy.get(), CURLOPT_PROTOCOLS_STR, "http,https", "CURLOPT_PROTOCOLS_STR", u"GET x"));
  EXPECT_NO_THROW(SetSafetyOption(easy.get(), CURLOPT_SSL_VERIFYHOST, 2L, "CURLOPT_SSL_VERIFYHOST", u"GET x"));
  // A protocol this libcurl does not know: libcurl refuses the whole list.
  try {
    SetSafetyOption(easy.get(), CURLOPT_REDIR_PROTOCOLS_STR, "http,https,kein-protokoll", "CURLOPT_REDIR_PROTOCOLS_STR",
                    u"GET http://127.0.0.1/");
    FAIL();
  } catch (const EIdException& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Die Schutzeinstellung CURLOPT_REDIR_PROTOCOLS_STR ließ sich nicht setzen bei "
                                          "GET http://127.0.0.1/: ",
                                          0),
              0u)
        << e.what();
  }
}

}  // namespace

