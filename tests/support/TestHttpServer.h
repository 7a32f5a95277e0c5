// A real HTTP or HTTPS server inside the test process, on 127.0.0.1 and a port the system
// picks. Answers are scripted per request target; every request is logged. The server
// stops when the object goes (or on Stop), also while a delayed answer is still waiting.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/rtl/Types.h"
#include "tests/support/TestCertificates.h"

struct TRecordedRequest {
  std::string Method;
  std::string Target;  // path and query as sent, e.g. "/complete/search?q=a%20b"
  std::string Path;    // the part before "?", as sent
  std::string Query;   // the part after "?", as sent (empty when none)
  std::vector<std::pair<std::string, std::string>> Headers;  // in the order received
  std::map<std::string, std::string> Params;                 // the query's values, decoded
  std::map<std::string, std::string> Cookies;                // from the Cookie header
  std::string Body;

  // The first value of a header (name in any case), empty when absent.
  std::string Header(const std::string& name) const;
  bool HasHeader(const std::string& name) const;
};

// A scripted answer: THttpAnswer("body").WithStatus(404).WithHeader("Set-Cookie", "a=1").
struct THttpAnswer {
  explicit THttpAnswer(std::string body = {}, std::string contentType = "text/plain; charset=utf-8")
      : Body(std::move(body)), ContentType(std::move(contentType)) {}
  THttpAnswer& WithStatus(int status) { Status = status; return *this; }
  THttpAnswer& WithHeader(std::string name, std::string value) {
    Headers.emplace_back(std::move(name), std::move(value));
    return *this;
  }
  // Waits this long before answering.
  THttpAnswer& WithDelay(std::chrono::milliseconds delay) { Delay = delay; return *this; }
  // Sends the headers and half of the body, then closes the connection.
  THttpAnswer& Dropped() { DropConnection = true; return *this; }
  // Sends the body in chunks without a Content-Length header.
  THttpAnswer& InChunks() { Chunked = true; return *this; }

  int Status = 200;
  std::string Body;
  std::string ContentType;
  std::vector<std::pair<std::string, std::string>> Headers;
  std::chrono::milliseconds Delay{0};
  bool DropConnection = false;
  bool Chunked = false;
};

class TTestHttpServer {
 public:
  using TResponder = std::function<THttpAnswer(const TRecordedRequest&)>;

  // Plain HTTP.
  TTestHttpServer();
  // HTTPS with the given certificate.
  explicit TTestHttpServer(const TTestServerCertificate& certificate);
  ~TTestHttpServer();
  TTestHttpServer(const TTestHttpServer&) = delete;
  TTestHttpServer& operator=(const TTestHttpServer&) = delete;

  int Port() const { return port_; }
  // "http://127.0.0.1:<port>" or "https://127.0.0.1:<port>".
  std::string BaseUrl() const;
  // BaseUrl() + pathAndQuery as a String, ready for the client.
  String Url(const std::string& pathAndQuery) const;

  // Scripts the answer for requests (any method) whose target is key: a key with "?"
  // matches that path and query exactly, a key without one matches the path with any
  // query; an exact match wins. Unscripted targets get 404.
  void Answer(const std::string& key, THttpAnswer answer);
  void Answer(const std::string& key, TResponder responder);

  // Every request received so far, in order.
  std::vector<TRecordedRequest> Requests() const;
  // The last request; raises std::runtime_error when none came.
  TRecordedRequest LastRequest() const;

  void Stop();

 private:
  struct TImpl;
  std::unique_ptr<TImpl> impl_;
  int port_ = 0;
  bool tls_ = false;
};
