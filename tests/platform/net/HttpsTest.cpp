#include <gtest/gtest.h>

#include "platform/net/HttpClient.h"
#include "platform/rtl/Unicode.h"
#include "tests/support/TestCertificates.h"
#include "tests/support/TestHttpServer.h"

namespace {

const TTestCertificateAuthority& TestCA() { return SharedTestCA(); }

}  // namespace

TEST(Https, FetchesFromAServerThatTheConfiguredAuthorityVouchesFor) {
  TTestHttpServer server(TestCA().IssueForLoopback());
  server.Answer("/plus/v1/activities", THttpAnswer("{\"items\": []}", "application/json; charset=UTF-8"));
  TIdHTTP http;
  http.CAFile = TestCA().CAFile();
  EXPECT_EQ(http.Get(server.Url("/plus/v1/activities?orderBy=best")), u"{\"items\": []}");
  EXPECT_EQ(server.LastRequest().Query, "orderBy=best");
  // The name the certificate is for works as well as the address.
  EXPECT_EQ(http.Get(Utf8ToString("https://localhost:" + std::to_string(server.Port()) + "/plus/v1/activities")),
            u"{\"items\": []}");
}

TEST(Https, RefusesCertificatesThatAreNotTrustedOrNotForTheHost) {
  const TTestCertificateAuthority stranger("Unknown CA");
  struct Case {
    const char* what;
    TTestServerCertificate certificate;
    std::string caFile;
  };
  const Case cases[] = {
      {"unknown authority", stranger.IssueForLoopback(), TestCA().CAFile()},
      {"system store only", TestCA().IssueForLoopback(), ""},
      {"other host", TestCA().Issue({"DNS:elsewhere.test"}), TestCA().CAFile()},
  };
  for (const auto& c : cases) {
    TTestHttpServer server(c.certificate);
    server.Answer("/", THttpAnswer("secret"));
    TIdHTTP http;
    http.CAFile = c.caFile;
    try {
      http.Get(server.Url("/"));
      ADD_FAILURE() << c.what << ": no exception";
    } catch (const EIdTLSError& e) {
      EXPECT_EQ(std::string(e.what()).rfind("TLS-Fehler bei GET " + server.BaseUrl() + "/", 0), 0u) << e.what();
    }
    // The handshake failed before any request was made.
    EXPECT_TRUE(server.Requests().empty()) << c.what;
  }
}

TEST(Https, PlainHttpToATlsPortFails) {
  TTestHttpServer server(TestCA().IssueForLoopback());
  TIdHTTP http;
  http.RequestTimeout = 5000;
  EXPECT_THROW(http.Get(Utf8ToString("http://127.0.0.1:" + std::to_string(server.Port()) + "/")), EIdException);
}

TEST(Https, ClientsMadeWhileTheSharedTestCAIsTrustedReachTheServer) {
  TTestHttpServer server(SharedTestCA().IssueForLoopback());
  server.Answer("/", THttpAnswer("sicher"));
  {
    TTrustSharedTestCA trust;
    TIdHTTP http;
    EXPECT_EQ(http.Get(server.Url("/")), u"sicher");
  }
  TIdHTTP later;
  EXPECT_THROW(later.Get(server.Url("/")), EIdTLSError);
}
