#include <gtest/gtest.h>
#include <iconv.h>

#include <chrono>

#include "platform/net/HttpClient.h"
#include "platform/net/HttpSettings.h"
#include "platform/rtl/Unicode.h"
#include "platform/rtl/Streams.h"
#include "tests/support/LoopbackSocket.h"
#include "tests/support/TempDirectory.h"
#include "tests/support/TestHttpServer.h"

namespace {

// The system's iconv, so the 1252 bytes below are not our own idea of 1252.
std::string Iconv(const std::string& utf8, const char* to) {
  iconv_t cd = iconv_open(to, "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open");
  std::string in = utf8;
  std::string out(in.size() * 4, '\0');
  char* inPtr = in.data();
  char* outPtr = out.data();
  size_t inLeft = in.size();
  size_t outLeft = out.size();
  const size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (result == static_cast<size_t>(-1)) throw std::runtime_error("iconv");
  out.resize(out.size() - outLeft);
  return out;
}

// A memory stream that counts its writes and, when asked to, takes no more bytes after
// the first write (so that WriteBuffer raises).
class TCountingStream : public TMemoryStream {
 public:
  explicit TCountingStream(bool fullAfterFirstWrite = false) : full_(fullAfterFirstWrite) {}
  std::int64_t Write(const void* buffer, std::int64_t count) override {
    if (full_ && writes_ > 0) return 0;
    ++writes_;
    return TMemoryStream::Write(buffer, count);
  }
  int Writes() const { return writes_; }
  std::string Bytes() const { return std::string(Memory(), Memory() + const_cast<TCountingStream*>(this)->Size()); }

 private:
  bool full_;
  int writes_ = 0;
};

std::string AllBytes(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
  return bytes;
}

}  // namespace

TEST(HttpClient, BodyAsTextByCharsetOrUtf8OrCodePage1252) {
  const std::string text = "Grüße aus Köln – 5 € „Zitat“";
  struct Case {
    std::string body;
    std::string contentType;
  };
  const Case cases[] = {
      {text, "text/html; charset=utf-8"},
      {text, "text/html"},
      {Iconv(text, "WINDOWS-1252"), "text/html; charset=windows-1252"},
      {Iconv(text, "WINDOWS-1252"), "text/html"},
      {Iconv(text, "WINDOWS-1252"), "text/html; charset=unbekannt"},
      {Iconv(text, "UTF-16BE"), "text/html; charset=UTF-16BE"},
  };
  TTestHttpServer server;
  TIdHTTP http;
  for (const auto& c : cases) {
    server.Answer("/text", THttpAnswer(c.body, c.contentType));
    EXPECT_EQ(http.Get(server.Url("/text")), Utf8ToString(text)) << c.contentType;
    EXPECT_EQ(http.Response.ResponseCode, 200);
    EXPECT_EQ(http.Response.ContentType, Utf8ToString(c.contentType));
  }
}

TEST(HttpClient, BodyToStreamByteForByte) {
  TTestHttpServer server;
  const std::string bytes = AllBytes(300 * 1024 + 17);
  server.Answer("/sitemap.xml", THttpAnswer(bytes, "application/octet-stream"));
  TIdHTTP http;
  TCountingStream stream;
  http.Get(server.Url("/sitemap.xml"), stream);
  EXPECT_EQ(stream.Bytes(), bytes);
  EXPECT_GT(stream.Writes(), 1);  // written as it arrives, not collected first

  // Into a file, at the stream's position.
  TTempDirectory folder;
  const String fileName = Utf8ToString(folder.PathOf("tmp.xml"));
  {
    TFileStream file(fileName, fmCreate);
    file.WriteBuffer("head:", 5);
    http.Get(server.Url("/sitemap.xml"), file);
  }
  EXPECT_EQ(folder.ReadFile("tmp.xml"), "head:" + bytes);
}

TEST(HttpClient, StatusOutside2xxRaisesWithCodeAndLeavesStreamUntouched) {
  struct Case {
    int status;
    std::vector<std::pair<std::string, std::string>> headers;
  };
  const Case cases[] = {
      {404, {}},
      {500, {}},
      {302, {{"Location", "/elsewhere"}}},
      {301, {{"Location", "/elsewhere"}}},
      {303, {{"Location", "/elsewhere"}}},
  };
  TTestHttpServer server;
  server.Answer("/elsewhere", THttpAnswer("reached"));
  TIdHTTP http;
  for (const auto& c : cases) {
    THttpAnswer answer("error page");
    answer.WithStatus(c.status).Headers = c.headers;
    server.Answer("/status", answer);
    TStringStream stream;
    try {
      http.Get(server.Url("/status"), stream);
      ADD_FAILURE() << "no exception for " << c.status;
    } catch (const EIdHTTPProtocolException& e) {
      EXPECT_EQ(e.ErrorCode(), c.status);
      EXPECT_EQ(http.Response.ResponseCode, c.status);
      const std::string message = e.what();
      EXPECT_NE(message.find(std::to_string(c.status)), std::string::npos) << message;
      EXPECT_NE(message.find("GET " + server.BaseUrl() + "/status"), std::string::npos) << message;
      EXPECT_EQ(e.ErrorBody(), "error page");
    }
    EXPECT_EQ(stream.DataString(), "");
  }
  // The redirect target was never asked for.
  for (const auto& r : server.Requests()) EXPECT_EQ(r.Path, "/status");
}

TEST(HttpClient, ReasonPhraseOfTheStatusLine) {
  TTestHttpServer server;
  server.Answer("/missing", THttpAnswer().WithStatus(404));
  TIdHTTP http;
  try {
    http.Get(server.Url("/missing"));
    FAIL();
  } catch (const EIdHTTPProtocolException& e) {
    EXPECT_EQ(e.ReasonPhrase(), u"Not Found");
    EXPECT_STREQ(e.what(), ("HTTP-Fehler 404 Not Found bei GET " + server.BaseUrl() + "/missing").c_str());
  }
}

TEST(HttpClient, FollowsRedirectsOnlyWhenAsked) {
  TTestHttpServer server;
  server.Answer("/old", THttpAnswer().WithStatus(302).WithHeader("Location", "/new"));
  server.Answer("/new", THttpAnswer("neu"));
  server.Answer("/loop", THttpAnswer().WithStatus(302).WithHeader("Location", "/loop"));
  TIdHTTP http;
  EXPECT_THROW(http.Get(server.Url("/old")), EIdHTTPProtocolException);
  http.HandleRedirects = true;
  EXPECT_EQ(http.Get(server.Url("/old")), u"neu");
  EXPECT_EQ(http.Response.ResponseCode, 200);
  http.RedirectMaximum = 3;
  EXPECT_THROW(http.Get(server.Url("/loop")), EIdSocketError);
}

TEST(HttpClient, RedirectsDoNotLeaveHttp) {
  TTestHttpServer server;
  server.Answer("/to-file", THttpAnswer().WithStatus(302).WithHeader("Location", "file:///etc/passwd"));
  TIdHTTP http;
  http.HandleRedirects = true;
  EXPECT_THROW(http.Get(server.Url("/to-file")), EIdException);
}

TEST(HttpClient, OnlyHttpAndHttpsAddressesAreFetched) {
  // Every refused address points at a listening socket: a connection tried would wait there.
  TLoopbackSocket listening(true);
  const std::string host = "127.0.0.1:" + std::to_string(listening.Port());
  TIdHTTP http;
  http.RequestTimeout = 2000;
  for (const std::string& url : {std::string("nonsense"), host + "/x", "//" + host + "/x", "ftp://" + host + "/x",
                                 "gopher://" + host + "/", "httpx://" + host + "/", "http:/" + host + "/",
                                 " http://" + host + "/", std::string("file:///etc/hostname")}) {
    try {
      http.Get(Utf8ToString(url));
      ADD_FAILURE() << url;
    } catch (const EIdSocketError& e) {
      // Refused before libcurl saw the address: it resolves no name and connects nowhere.
      EXPECT_EQ(std::string(e.what()), "Ungültige Adresse bei GET " + url + ": nur http- und https-Adressen werden abgerufen");
    }
  }
  EXPECT_FALSE(listening.HasPendingConnection());
  // The scheme's case does not matter.
  TTestHttpServer server;
  server.Answer("/ok", THttpAnswer("da"));
  EXPECT_EQ(http.Get(Utf8ToString("HTTP://127.0.0.1:" + std::to_string(server.Port()) + "/ok")), u"da");
}

TEST(HttpClient, MessagesMaskSecretsOfTheAddressThatGoesOutUnchanged) {
  TTestHttpServer server;  // nothing scripted: 404
  const std::string host = "127.0.0.1:" + std::to_string(server.Port());
  TIdHTTP http;
  try {
    http.Get(Utf8ToString("http://ich:geheim@" + host + "/feed?access_token=T0KEN&limit=5&KEY=s3cret#oben"));
    FAIL();
  } catch (const EIdHTTPProtocolException& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find(" bei GET http://***@" + host + "/feed?access_token=***&limit=5&KEY=***#oben"),
              std::string::npos) << message;
  }
  const TRecordedRequest request = server.LastRequest();
  EXPECT_EQ(request.Query, "access_token=T0KEN&limit=5&KEY=s3cret");
  EXPECT_EQ(request.Header("Authorization"), "Basic aWNoOmdlaGVpbQ==");  // ich:geheim

  // Failures without an answer and refused addresses alike.
  TLoopbackSocket closed(false);
  const std::string refused = "http://127.0.0.1:" + std::to_string(closed.Port()) + "/x?key=";
  const std::pair<std::string, std::string> cases[] = {
      {refused + "abc", "Keine Verbindung möglich bei GET " + refused + "***: "},
      {"ftp://a:b@" + host + "/?access_token=xyz", "Ungültige Adresse bei GET ftp://***@" + host + "/?access_token=***:"},
  };
  for (const auto& [url, start] : cases) {
    try {
      http.Get(Utf8ToString(url));
      ADD_FAILURE() << url;
    } catch (const EIdSocketError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(start, 0), 0u) << e.what();
    }
  }
}

TEST(HttpClient, AnswersReadIntoMemoryAreLimitedButStreamDownloadsAreNot) {
  TTestHttpServer server;
  server.Answer("/limit", THttpAnswer(std::string(4096, 'a')));
  server.Answer("/declared", THttpAnswer(AllBytes(5000)));
  server.Answer("/chunked", THttpAnswer(AllBytes(5000)).InChunks());
  server.Answer("/error", THttpAnswer(AllBytes(5000)).WithStatus(500));
  TIdHTTP http;
  http.MaxAnswerSize = 4096;
  EXPECT_EQ(http.Get(server.Url("/limit")), String(4096, u'a'));
  const auto tooLarge = [&](const std::string& path, bool post) {
    try {
      if (post)
        http.Post(server.Url(path), "x");
      else
        http.Get(server.Url(path));
      ADD_FAILURE() << path;
    } catch (const EIdAnswerTooLarge& e) {
      EXPECT_EQ(std::string(e.what()), std::string("Antwort zu groß bei ") + (post ? "POST " : "GET ") +
                                           server.BaseUrl() + path + ": mehr als 4096 Bytes");
    }
  };
  tooLarge("/declared", false);  // refused on its Content-Length
  tooLarge("/chunked", false);   // refused while it arrives
  tooLarge("/chunked", true);
  tooLarge("/error", false);     // an error answer's body is kept in memory too
  for (const char* path : {"/declared", "/chunked"}) {
    TCountingStream stream;
    http.Get(server.Url(path), stream);
    EXPECT_EQ(stream.Bytes(), AllBytes(5000)) << path;
  }
  EXPECT_EQ(TIdHTTP().MaxAnswerSize, std::int64_t{256} * 1024 * 1024);
}

TEST(HttpClient, RefusedConnectionRaisesSocketError) {
  TLoopbackSocket closed(false);
  TIdHTTP http;
  const String url = Utf8ToString("http://127.0.0.1:" + std::to_string(closed.Port()) + "/x");
  try {
    http.Get(url);
    FAIL();
  } catch (const EIdTimeout&) {
    FAIL() << "a refused connection is no time-out";
  } catch (const EIdSocketError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Keine Verbindung möglich bei GET " + StringToUtf8(url), 0), 0u) << e.what();
    EXPECT_EQ(http.Response.ResponseCode, 0);
  }
}

TEST(HttpClient, ShortRequestTimeOutEndsADelayedAnswer) {
  TTestHttpServer server;
  server.Answer("/slow", THttpAnswer("late").WithDelay(std::chrono::seconds(20)));
  TIdHTTP http;
  http.RequestTimeout = 300;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_THROW(http.Get(server.Url("/slow")), EIdTimeout);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST(HttpClient, ConnectTimeOutCoversTheTlsHandshakeAndRequestTimeOutTheAnswer) {
  TLoopbackSocket silent(true);
  const std::string address = "127.0.0.1:" + std::to_string(silent.Port()) + "/";
  struct Case {
    std::string url;
    int connectTimeout;
    int requestTimeout;
  };
  const Case cases[] = {
      {"https://" + address, 300, 60000},  // the handshake never finishes
      {"http://" + address, 60000, 300},   // the request is sent, no answer comes
  };
  for (const auto& c : cases) {
    TIdHTTP http;
    http.ConnectTimeout = c.connectTimeout;
    http.RequestTimeout = c.requestTimeout;
    const auto start = std::chrono::steady_clock::now();
    try {
      http.Get(Utf8ToString(c.url));
      ADD_FAILURE() << c.url;
    } catch (const EIdTimeout& e) {
      EXPECT_EQ(std::string(e.what()).rfind("Zeitüberschreitung bei GET " + c.url, 0), 0u) << e.what();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << c.url;
  }
}

TEST(HttpClient, NewClientsTakeTheDefaults) {
  THttpDefaults saved = HttpDefaults();
  HttpDefaults().ConnectTimeout = 1234;
  HttpDefaults().RequestTimeout = 5678;
  HttpDefaults().CAFile = "/some/ca.pem";
  TIdHTTP http;
  HttpDefaults() = saved;
  EXPECT_EQ(http.ConnectTimeout, 1234);
  EXPECT_EQ(http.RequestTimeout, 5678);
  EXPECT_EQ(http.CAFile, "/some/ca.pem");
  TIdHTTP standard;
  EXPECT_EQ(standard.ConnectTimeout, 15000);
  EXPECT_EQ(standard.RequestTimeout, 60000);
}

TEST(HttpClient, DroppedConnectionRaisesAndKeepsWhatArrived) {
  TTestHttpServer server;
  const std::string bytes = AllBytes(64 * 1024);
  server.Answer("/cut", THttpAnswer(bytes).Dropped());
  TIdHTTP http;
  TStringStream stream;
  try {
    http.Get(server.Url("/cut"), stream);
    FAIL();
  } catch (const EIdSocketError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Verbindung abgebrochen", 0), 0u) << e.what();
  }
  EXPECT_EQ(stream.DataString(), bytes.substr(0, bytes.size() / 2));
  // The client is usable afterwards.
  server.Answer("/ok", THttpAnswer("ok"));
  EXPECT_EQ(http.Get(server.Url("/ok")), u"ok");
}

TEST(HttpClient, StreamFailureEndsTheTransferAndReachesTheCaller) {
  TTestHttpServer server;
  server.Answer("/big", THttpAnswer(AllBytes(1024 * 1024)));
  TIdHTTP http;
  TCountingStream full(true);
  EXPECT_THROW(http.Get(server.Url("/big"), full), EWriteError);
  EXPECT_EQ(full.Writes(), 1);
  EXPECT_LT(full.Size(), 1024 * 1024);
}
