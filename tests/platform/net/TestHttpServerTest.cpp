// The local test server is itself a tool of other tests: its routing, log and shutdown
// must be right.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/net/HttpClient.h"
#include "platform/rtl/Unicode.h"
#include "tests/support/TestHttpServer.h"

TEST(TestHttpServer, ExactTargetWinsOverPathAndUnscriptedTargetsGet404) {
  TTestHttpServer server;
  server.Answer("/search", THttpAnswer("any query"));
  server.Answer("/search?q=a", THttpAnswer("exactly a"));
  TIdHTTP http;
  EXPECT_EQ(http.Get(server.Url("/search?q=a")), u"exactly a");
  EXPECT_EQ(http.Get(server.Url("/search?q=b")), u"any query");
  EXPECT_EQ(http.Get(server.Url("/search")), u"any query");
  try {
    http.Get(server.Url("/other?q=a"));
    FAIL();
  } catch (const EIdHTTPProtocolException& e) {
    EXPECT_EQ(e.ErrorCode(), 404);
  }
}

TEST(TestHttpServer, LogsEveryRequestInOrder) {
  TTestHttpServer server;
  server.Answer("/a", [](const TRecordedRequest& r) { return THttpAnswer("echo " + r.Body); });
  TIdHTTP http;
  http.Request.CustomHeaders = {u"Cookie: s=1; t=zwei"};
  http.Get(server.Url("/a?x=%C3%A4&y=1+2"));
  EXPECT_EQ(http.Post(server.Url("/a"), "payload"), u"echo payload");
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].Method, "GET");
  EXPECT_EQ(requests[0].Target, "/a?x=%C3%A4&y=1+2");
  EXPECT_EQ(requests[0].Path, "/a");
  EXPECT_EQ(requests[0].Query, "x=%C3%A4&y=1+2");
  EXPECT_EQ(requests[0].Params, (std::map<std::string, std::string>{{"x", "ä"}, {"y", "1 2"}}));
  EXPECT_EQ(requests[0].Cookies, (std::map<std::string, std::string>{{"s", "1"}, {"t", "zwei"}}));
  EXPECT_EQ(requests[1].Method, "POST");
  EXPECT_EQ(requests[1].Body, "payload");
  EXPECT_EQ(requests[1].Query, "");
}

TEST(TestHttpServer, StopsPromptlyWhileADelayedAnswerWaits) {
  auto server = std::make_unique<TTestHttpServer>();
  server->Answer("/slow", THttpAnswer("never").WithDelay(std::chrono::minutes(5)));
  const String url = server->Url("/slow");
  TIdHTTP http;
  http.RequestTimeout = 200;
  EXPECT_THROW(http.Get(url), EIdTimeout);
  const auto start = std::chrono::steady_clock::now();
  server.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}
