#include "tests/support/TestHttpServer.h"

#include <httplib.h>
#include <strings.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "platform/rtl/Unicode.h"
#include "tests/support/TestCertificateParts.h"

namespace {

std::map<std::string, std::string> ParseCookies(const std::string& header) {
  std::map<std::string, std::string> cookies;
  size_t pos = 0;
  while (pos < header.size()) {
    size_t end = header.find(';', pos);
    if (end == std::string::npos) end = header.size();
    std::string pair = header.substr(pos, end - pos);
    pair.erase(0, pair.find_first_not_of(' '));
    const size_t eq = pair.find('=');
    if (eq != std::string::npos) cookies[pair.substr(0, eq)] = pair.substr(eq + 1);
    pos = end + 1;
  }
  return cookies;
}

TRecordedRequest Record(const httplib::Request& req) {
  TRecordedRequest r;
  r.Method = req.method;
  r.Target = req.target;
  const size_t q = r.Target.find('?');
  r.Path = r.Target.substr(0, q);
  if (q != std::string::npos) r.Query = r.Target.substr(q + 1);
  for (const auto& [name, value] : req.headers) r.Headers.emplace_back(name, value);
  for (const auto& [name, value] : req.params) r.Params.emplace(name, value);
  r.Cookies = ParseCookies(req.get_header_value("Cookie"));
  r.Body = req.body;
  return r;
}

}  // namespace

std::string TRecordedRequest::Header(const std::string& name) const {
  for (const auto& [n, value] : Headers) {
    if (strcasecmp(n.c_str(), name.c_str()) == 0) return value;
  }
  return {};
}

bool TRecordedRequest::HasHeader(const std::string& name) const {
  return std::any_of(Headers.begin(), Headers.end(),
                     [&](const auto& h) { return strcasecmp(h.first.c_str(), name.c_str()) == 0; });
}

struct TTestHttpServer::TImpl {
  std::unique_ptr<httplib::Server> server;
  std::thread listener;
  mutable std::mutex mutex;
  std::condition_variable wake;  // ends delays when the server stops
  bool stopping = false;
  std::map<std::string, TResponder> routes;
  std::vector<TRecordedRequest> log;

  // Routes every GET and POST to Handle, binds to 127.0.0.1 and starts listening.
  int Start() {
    auto handler = [this](const httplib::Request& req, httplib::Response& res) { Handle(req, res); };
    server->Get(".*", handler).Post(".*", handler);
    // Headers and body go out as separate writes; without this the body waits for the
    // client's delayed acknowledgement on every reused connection.
    server->set_tcp_nodelay(true);
    const int port = server->bind_to_any_port("127.0.0.1");
    if (port <= 0) throw std::runtime_error("the test server cannot bind to 127.0.0.1");
    listener = std::thread([s = server.get()] { s->listen_after_bind(); });
    // Stop() only reaches a server that is running: wait for it to be.
    while (!server->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return port;
  }

  void Handle(const httplib::Request& req, httplib::Response& res) {
    TRecordedRequest request = Record(req);
    TResponder responder;
    {
      std::lock_guard lock(mutex);
      log.push_back(request);
      auto route = routes.find(request.Target);
      if (route == routes.end()) route = routes.find(request.Path);
      if (route != routes.end()) responder = route->second;
    }
    THttpAnswer answer;
    if (responder) {
      answer = responder(request);
    } else {
      answer.Status = 404;
      answer.Body = "no answer scripted for " + request.Target;
    }
    if (answer.Delay.count() > 0) {
      std::unique_lock lock(mutex);
      wake.wait_for(lock, answer.Delay, [this] { return stopping; });
      if (stopping) return;
    }
    res.status = answer.Status;
    for (const auto& [name, value] : answer.Headers) res.headers.emplace(name, value);
    if (answer.DropConnection) {
      // Promise the whole body, deliver half of it, then fail: the server closes the connection.
      const std::string body = answer.Body;
      res.set_content_provider(std::max<size_t>(body.size(), 1), answer.ContentType,
                               [body](size_t offset, size_t, httplib::DataSink& sink) {
                                 if (offset == 0 && body.size() >= 2) sink.write(body.data(), body.size() / 2);
                                 return false;
                               });
    } else if (answer.Chunked) {
      const std::string body = answer.Body;
      res.set_chunked_content_provider(answer.ContentType, [body](size_t offset, httplib::DataSink& sink) {
        if (offset < body.size()) sink.write(body.data() + offset, std::min<size_t>(1024, body.size() - offset));
        if (offset + 1024 >= body.size()) sink.done();
        return true;
      });
    } else {
      res.set_content(answer.Body, answer.ContentType);
    }
  }
};

TTestHttpServer::TTestHttpServer() : impl_(std::make_unique<TImpl>()) {
  impl_->server = std::make_unique<httplib::Server>();
  port_ = impl_->Start();
}

TTestHttpServer::TTestHttpServer(const TTestServerCertificate& certificate)
    : impl_(std::make_unique<TImpl>()), tls_(true) {
  const auto& parts = certificate.Parts();
  impl_->server = std::make_unique<httplib::SSLServer>(parts.cert.get(), parts.key.get());
  if (!impl_->server->is_valid()) throw std::runtime_error("the test server cannot use its certificate");
  port_ = impl_->Start();
}

TTestHttpServer::~TTestHttpServer() { Stop(); }

void TTestHttpServer::Stop() {
  if (!impl_->listener.joinable()) return;
  {
    std::lock_guard lock(impl_->mutex);
    impl_->stopping = true;
  }
  impl_->wake.notify_all();
  impl_->server->stop();
  impl_->listener.join();
}

std::string TTestHttpServer::BaseUrl() const {
  return std::string(tls_ ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_);
}

String TTestHttpServer::Url(const std::string& pathAndQuery) const { return Utf8ToString(BaseUrl() + pathAndQuery); }

void TTestHttpServer::Answer(const std::string& key, THttpAnswer answer) {
  Answer(key, [answer](const TRecordedRequest&) { return answer; });
}

void TTestHttpServer::Answer(const std::string& key, TResponder responder) {
  std::lock_guard lock(impl_->mutex);
  impl_->routes[key] = std::move(responder);
}

std::vector<TRecordedRequest> TTestHttpServer::Requests() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->log;
}

TRecordedRequest TTestHttpServer::LastRequest() const {
  std::lock_guard lock(impl_->mutex);
  if (impl_->log.empty()) throw std::runtime_error("the test server received no request");
  return impl_->log.back();
}
