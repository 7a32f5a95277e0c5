// HTTP/HTTPS client on libcurl. One blocking request at a time: Get and Post return when
// the answer is complete and raise an exception for every failure (see NetExceptions.h).
// While a request waits, the process-wide idle handler runs (HttpSettings.h).
#pragma once

#include <functional>
#include <memory>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/net/CookieManager.h"
#include "platform/net/NetExceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Types.h"

// What goes out with every request of a client.
struct TIdHTTPRequest {
  String UserAgent = u"Mozilla/5.0 (compatible; Wendrel)";
  String Accept = u"text/html, */*";
  // Content type of a POST body; empty: "application/x-www-form-urlencoded".
  String ContentType;
  // Replaces the Host header (the address's host otherwise).
  String Host;
  // Further header lines "Name: value". A line that is no such header (no colon, a name
  // that is not a header token, a line break in it) is not sent. A line naming a header
  // that the client sets itself (Accept, User-Agent, Authorization, ...) replaces it.
  std::vector<String> CustomHeaders;
  // Sends Username and Password as basic authentication.
  bool BasicAuthentication = false;
  String Username;
  String Password;
};

// What the last request answered.
struct TIdHTTPResponse {
  int ResponseCode = 0;  // 0 when no answer came
  String ResponseText;   // the status line's reason phrase
  String ContentType;    // the Content-Type header, empty when none
};

class TIdHTTP {
 public:
  TIdHTTP();
  ~TIdHTTP();
  TIdHTTP(const TIdHTTP&) = delete;
  TIdHTTP& operator=(const TIdHTTP&) = delete;

  TIdHTTPRequest Request;
  TIdHTTPResponse Response;

  // Follow 3xx answers (up to RedirectMaximum). Off: a 3xx answer raises like any status
  // outside 2xx.
  bool HandleRedirects = false;
  int RedirectMaximum = 15;
  // Not owned; see TIdCookieManager. Null: no cookies.
  TIdCookieManager* CookieManager = nullptr;
  // Milliseconds (above 0); start from HttpDefaults(). ConnectTimeout covers the TLS
  // handshake too, RequestTimeout the whole request.
  int ConnectTimeout;
  int RequestTimeout;
  // Further trusted certificate authorities (see THttpDefaults::CAFile); starts from
  // HttpDefaults().
  std::string CAFile;
  // Bytes at most of an answer read into memory (the text of Get and Post, the body of an
  // error answer); a longer one fails with EIdAnswerTooLarge. 0: no limit. Starts from
  // HttpDefaults(). The body of a download into a stream has no limit.
  std::int64_t MaxAnswerSize;

  // The body as text, decoded by the answer's charset, else as UTF-8 when valid, else in
  // code page 1252. Only http and https addresses are fetched (any other raises
  // EIdSocketError before a connection is tried); the address goes out as EncodeRequestUrl
  // makes it (UrlEncoding.h). Messages show the address with its secrets masked
  // (SecretMasking.h).
  String Get(const String& url);
  // POSTs the bytes of body and returns the answer's body as text like Get.
  String Post(const String& url, std::string_view body);

  // Writes the body's bytes to the stream at its position as they arrive; nothing for an
  // error answer. A transfer that breaks off midway leaves what had arrived. An exception
  // of the stream ends the request and reaches the caller.
  void Get(const String& url, TStream& body);

 private:
  using TBodySink = std::function<void(std::string_view)>;
  // inMemory: the sink keeps the body in memory, so MaxAnswerSize limits it.
  void Perform(const char* method, const String& url, std::optional<std::string_view> postBody, bool inMemory,
               const TBodySink& sink);

  struct TConnections;
  std::unique_ptr<TConnections> connections_;
  bool busy_ = false;
};
