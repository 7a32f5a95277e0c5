#include "platform/net/HttpClient.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <exception>

#include "platform/net/BodyDecoding.h"
#include "platform/net/CurlSafetyOptions.h"
#include "platform/net/HttpSettings.h"
#include "platform/net/SecretMasking.h"
#include "platform/net/UrlEncoding.h"
#include "platform/rtl/Unicode.h"

namespace {

constexpr long kPollMilliseconds = 50;
constexpr auto kIdleInterval = std::chrono::milliseconds(25);

void EnsureCurlInitialised() {
  static const CURLcode result = curl_global_init(CURL_GLOBAL_DEFAULT);
  if (result != CURLE_OK) {
    throw EIdException(S("Die Netzwerkbibliothek ließ sich nicht starten: ") + S(curl_easy_strerror(result)));
  }
}

struct TEasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
using TEasyHandle = std::unique_ptr<CURL, TEasyDeleter>;

struct THeaderListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using THeaderList = std::unique_ptr<curl_slist, THeaderListDeleter>;

void Append(THeaderList& list, const std::string& line) {
  curl_slist* grown = curl_slist_append(list.get(), line.c_str());
  if (!grown) throw std::bad_alloc();
  static_cast<void>(list.release());
  list.reset(grown);
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

// RFC 9110 token characters.
bool IsTokenChar(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  return std::string_view("!#$%&'*+-.^_`|~").find(static_cast<char>(c)) != std::string_view::npos;
}

// The lower-cased header name of a "Name: value" line, or empty when the line is none.
std::string HeaderNameOf(const std::string& line) {
  const size_t colon = line.find(':');
  if (colon == 0 || colon == std::string::npos) return {};
  if (!std::all_of(line.begin(), line.begin() + colon, [](unsigned char c) { return IsTokenChar(c); })) return {};
  if (line.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) return {};
  return Lower(line.substr(0, colon));
}

// Loopback addresses never go through a proxy, whatever the environment says.
std::string NoProxyList() {
  std::string list;
  for (const char* name : {"no_proxy", "NO_PROXY"}) {
    if (const char* value = std::getenv(name); value && *value) {
      list = value;
      break;
    }
  }
  if (list == "*") return list;
  if (!list.empty()) list += ',';
  return list + "localhost,127.0.0.1,::1";
}

// What libcurl's callbacks of one transfer work with.
struct TTransfer {
  CURL* easy = nullptr;
  const std::function<void(std::string_view)>* sink = nullptr;
  int statusCode = 0;
  std::string reason;
  std::string errorBody;
  std::int64_t bodyLimit = 0;   // bytes of a 2xx body at most; 0: any number
  std::int64_t errorLimit = 0;  // bytes of an error body at most (it is kept in memory); 0: any number
  std::int64_t received = 0;    // bytes of the 2xx body so far
  bool tooLarge = false;        // a limit ended the transfer
  std::exception_ptr failure;   // raised by the sink; rethrown once libcurl has returned
};

size_t OnBody(char* data, size_t size, size_t count, void* user) {
  auto* transfer = static_cast<TTransfer*>(user);
  const size_t n = size * count;
  long code = 0;
  curl_easy_getinfo(transfer->easy, CURLINFO_RESPONSE_CODE, &code);
  if (code < 200 || code > 299) {
    if (transfer->errorLimit > 0 && static_cast<std::int64_t>(transfer->errorBody.size() + n) > transfer->errorLimit) {
      transfer->tooLarge = true;
      return 0;
    }
    transfer->errorBody.append(data, n);
    return n;
  }
  if (transfer->bodyLimit > 0 && transfer->received + static_cast<std::int64_t>(n) > transfer->bodyLimit) {
    transfer->tooLarge = true;
    return 0;
  }
  transfer->received += static_cast<std::int64_t>(n);
  try {
    (*transfer->sink)(std::string_view(data, n));
  } catch (...) {
    // An exception must not cross libcurl's C frames: keep it, end the transfer, rethrow.
    transfer->failure = std::current_exception();
    return 0;
  }
  return n;
}

// Keeps the code and reason phrase of the latest status line ("HTTP/1.1 404 Not Found").
size_t OnHeader(char* data, size_t size, size_t count, void* user) {
  auto* transfer = static_cast<TTransfer*>(user);
  const size_t n = size * count;
  std::string_view line(data, n);
  if (line.substr(0, 5) == "HTTP/") {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    const size_t codeStart = line.find(' ');
    transfer->statusCode = 0;
    transfer->reason.clear();
    transfer->errorBody.clear();
    if (codeStart != std::string_view::npos) {
      const std::string_view rest = line.substr(codeStart + 1);
      const size_t reasonStart = rest.find(' ');
      transfer->statusCode = std::atoi(std::string(rest.substr(0, reasonStart)).c_str());
      if (reasonStart != std::string_view::npos) transfer->reason = rest.substr(reasonStart + 1);
    }
  }
  return n;
}

// The request's header lines: the custom ones first; a built-in one only when no custom
// line names it.
THeaderList HeaderLines(const TIdHTTPRequest& request, bool post) {
  THeaderList headers;
  std::vector<std::string> customNames;
  for (const String& line : request.CustomHeaders) {
    const std::string utf8 = StringToUtf8(line);
    const std::string name = HeaderNameOf(utf8);
    if (name.empty()) continue;
    customNames.push_back(name);
    Append(headers, utf8);
  }
  auto builtIn = [&](const char* name, const String& value) {
    if (value.empty() || std::find(customNames.begin(), customNames.end(), Lower(name)) != customNames.end()) return;
    std::string line = std::string(name) + ": " + StringToUtf8(value);
    if (line.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) return;
    Append(headers, line);
  };
  builtIn("Accept", request.Accept);
  builtIn("Host", request.Host);
  builtIn("User-Agent", request.UserAgent);
  if (post) {
    builtIn("Content-Type", request.ContentType);
    Append(headers, "Expect:");  // no "100-continue" round trip before the body
  }
  return headers;
}

// Drives the transfer of the easy handle to its end, running the idle handler while it
// waits; the result is libcurl's verdict on the transfer.
CURLcode RunTransfer(CURLM* multi, CURL* easy, const String& where) {
  auto lastIdle = std::chrono::steady_clock::now();
  for (;;) {
    int running = 0;
    const CURLMcode step = curl_multi_perform(multi, &running);
    if (step != CURLM_OK) throw EIdSocketError(S("Übertragungsfehler bei ") + where + S(": ") + S(curl_multi_strerror(step)));
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
      if (message->msg == CURLMSG_DONE && message->easy_handle == easy) return message->data.result;
    }
    curl_multi_poll(multi, nullptr, 0, kPollMilliseconds, nullptr);
    const auto now = std::chrono::steady_clock::now();
    if (HttpIdleHandler() && now - lastIdle >= kIdleInterval) {
      lastIdle = now;
      HttpIdleHandler()();
    }
  }
}

// The program's own words for a failed transfer: the kind of failure and where ("Keine
// Verbindung möglich bei GET http://..."), what it means, and then libcurl's code and text
// as the technical detail. osError is the system's error of a failed connect.
[[noreturn]] void RaiseTransferFailure(CURLcode code, long osError, const String& detail, const String& where) {
  const String technical = S(" (libcurl ") + S(std::to_string(static_cast<int>(code))) + S(": ") +
                           (detail.empty() ? S(curl_easy_strerror(code)) : detail) + S(")");
  const auto message = [&](const char* kind, const char* meaning) {
    return S(kind) + S(" bei ") + where + S(": ") + S(meaning) + technical;
  };
  switch (code) {
    case CURLE_OPERATION_TIMEDOUT:
      throw EIdTimeout(message("Zeitüberschreitung", "Der Server hat nicht rechtzeitig geantwortet."));
    case CURLE_COULDNT_RESOLVE_HOST:
      throw EIdSocketError(message("Rechner nicht gefunden",
                                   "Der Name des Rechners ließ sich nicht auflösen. Ist er richtig geschrieben, und "
                                   "besteht eine Netzverbindung?"));
    case CURLE_COULDNT_RESOLVE_PROXY:
      throw EIdSocketError(message("Rechner nicht gefunden", "Der Name des Proxy-Rechners ließ sich nicht auflösen."));
    case CURLE_COULDNT_CONNECT:
      if (osError == ECONNREFUSED)
        throw EIdSocketError(message("Keine Verbindung möglich",
                                     "Der Rechner hat die Verbindung abgewiesen: an dieser Adresse und diesem Port "
                                     "nimmt kein Dienst Verbindungen an."));
      if (osError == ENETUNREACH || osError == EHOSTUNREACH)
        throw EIdSocketError(message("Keine Verbindung möglich",
                                     "Das Netz oder der Rechner ist nicht erreichbar. Besteht eine Netzverbindung?"));
      throw EIdSocketError(message("Keine Verbindung möglich", "Der Rechner ließ sich nicht erreichen."));
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT:
      throw EIdSocketError(message("Ungültige Adresse", "Die Adresse ist keine gültige http- oder https-Adresse."));
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
      throw EIdSocketError(
          message("Verbindung abgebrochen", "Die Verbindung brach ab, bevor die Antwort vollständig war."));
    case CURLE_TOO_MANY_REDIRECTS:
      throw EIdSocketError(message("Zu viele Weiterleitungen", "Der Server leitete öfter weiter als erlaubt."));
    case CURLE_PEER_FAILED_VERIFICATION:
      throw EIdTLSError(message("TLS-Fehler",
                                "Das Zertifikat des Servers ist nicht vertrauenswürdig oder gilt nicht für diesen "
                                "Rechner."));
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_CRL_BADFILE:
    case CURLE_SSL_ENGINE_INITFAILED:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
      throw EIdTLSError(message("TLS-Fehler", "Die gesicherte Verbindung (TLS) kam nicht zustande."));
    default:
      throw EIdSocketError(message("Übertragungsfehler", "Die Übertragung schlug fehl."));
  }
}

// True for an address that starts with "http://" or "https://" (in any case).
bool IsHttpAddress(std::string_view address) {
  const size_t colon = address.find("://");
  if (colon == std::string_view::npos) return false;
  const std::string scheme = Lower(std::string(address.substr(0, colon)));
  return scheme == "http" || scheme == "https";
}

}  // namespace

struct TIdHTTP::TConnections {
  // Keeps the connections of this client open between its requests.
  CURLM* multi = nullptr;
  TConnections() {
    EnsureCurlInitialised();
    multi = curl_multi_init();
    if (!multi) throw std::bad_alloc();
  }
  ~TConnections() { curl_multi_cleanup(multi); }
};

TIdHTTP::TIdHTTP()
    : ConnectTimeout(HttpDefaults().ConnectTimeout),
      RequestTimeout(HttpDefaults().RequestTimeout),
      CAFile(HttpDefaults().CAFile),
      MaxAnswerSize(HttpDefaults().MaxAnswerSize),
      connections_(std::make_unique<TConnections>()) {}

TIdHTTP::~TIdHTTP() = default;

String TIdHTTP::Get(const String& url) {
  std::string body;
  Perform("GET", url, std::nullopt, true, [&body](std::string_view piece) { body.append(piece); });
  return DecodeBody(body, StringToUtf8(Response.ContentType));
}

void TIdHTTP::Get(const String& url, TStream& body) {
  Perform("GET", url, std::nullopt, false, [&body](std::string_view piece) {
    body.WriteBuffer(piece.data(), static_cast<std::int64_t>(piece.size()));
  });
}

String TIdHTTP::Post(const String& url, std::string_view body) {
  std::string answer;
  Perform("POST", url, body, true, [&answer](std::string_view piece) { answer.append(piece); });
  return DecodeBody(answer, StringToUtf8(Response.ContentType));
}

void TIdHTTP::Perform(const char* method, const String& url, std::optional<std::string_view> postBody,
                      bool inMemory, const TBodySink& sink) {
  // Messages name the request without the secrets its address may carry.
  const String where = S(method) + u" " + MaskSecrets(url);
  const std::string address = EncodeRequestUrl(url);
  // Checked here, before libcurl, which would take an address without scheme for a host name.
  if (!IsHttpAddress(address))
    throw EIdSocketError(S("Ungültige Adresse bei ") + where + S(": nur http- und https-Adressen werden abgerufen"));
  if (busy_) throw EIdSocketError(S("Der HTTP-Client wartet noch auf eine andere Antwort") + S(" bei ") + where);
  busy_ = true;
  struct TBusy {
    bool& flag;
    ~TBusy() { flag = false; }
  } busy{busy_};

  Response = TIdHTTPResponse();
  TEasyHandle easy(curl_easy_init());
  if (!easy) throw std::bad_alloc();
  CURL* h = easy.get();
  TTransfer transfer;
  transfer.easy = h;
  transfer.sink = &sink;
  const std::int64_t limit = std::max<std::int64_t>(MaxAnswerSize, 0);
  transfer.bodyLimit = inMemory ? limit : 0;
  transfer.errorLimit = limit;
  char errorText[CURL_ERROR_SIZE] = "";

  SetSafetyOption(h, CURLOPT_PROTOCOLS_STR, "http,https", "CURLOPT_PROTOCOLS_STR", where);
  SetSafetyOption(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https", "CURLOPT_REDIR_PROTOCOLS_STR", where);
  SetSafetyOption(h, CURLOPT_SSL_VERIFYPEER, 1L, "CURLOPT_SSL_VERIFYPEER", where);
  SetSafetyOption(h, CURLOPT_SSL_VERIFYHOST, 2L, "CURLOPT_SSL_VERIFYHOST", where);
  if (!CAFile.empty()) SetSafetyOption(h, CURLOPT_CAINFO, CAFile.c_str(), "CURLOPT_CAINFO", where);
  // A declared length over the limit ends the transfer before the body comes.
  if (inMemory) curl_easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limit));
  curl_easy_setopt(h, CURLOPT_URL, address.c_str());
  curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, HandleRedirects ? 1L : 0L);
  curl_easy_setopt(h, CURLOPT_MAXREDIRS, static_cast<long>(RedirectMaximum));
  curl_easy_setopt(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(ConnectTimeout));
  curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(RequestTimeout));
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errorText);
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, OnBody);
  curl_easy_setopt(h, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, OnHeader);
  curl_easy_setopt(h, CURLOPT_HEADERDATA, &transfer);
  const std::string noProxy = NoProxyList();
  curl_easy_setopt(h, CURLOPT_NOPROXY, noProxy.c_str());

  const THeaderList headers = HeaderLines(Request, postBody.has_value());
  curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());

  const std::string username = StringToUtf8(Request.Username);
  const std::string password = StringToUtf8(Request.Password);
  if (Request.BasicAuthentication) {
    curl_easy_setopt(h, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
    curl_easy_setopt(h, CURLOPT_USERNAME, username.c_str());
    curl_easy_setopt(h, CURLOPT_PASSWORD, password.c_str());
  }
  if (postBody) {
    curl_easy_setopt(h, CURLOPT_POST, 1L);
    curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(postBody->size()));
    // Never a null pointer: libcurl would then read the body from standard input.
    curl_easy_setopt(h, CURLOPT_POSTFIELDS, postBody->empty() ? "" : postBody->data());
  }
  if (CookieManager) {
    curl_easy_setopt(h, CURLOPT_COOKIEFILE, "");  // switches the cookie engine on, reads no file
    for (const std::string& line : CookieManager->lines_) curl_easy_setopt(h, CURLOPT_COOKIELIST, line.c_str());
  }

  CURLM* multi = connections_->multi;
  if (curl_multi_add_handle(multi, h) != CURLM_OK) throw std::bad_alloc();
  struct TAttached {
    CURLM* multi;
    CURL* easy;
    ~TAttached() { curl_multi_remove_handle(multi, easy); }
  } attached{multi, h};

  const CURLcode result = RunTransfer(multi, h, where);

  if (CookieManager) {
    curl_slist* cookies = nullptr;
    if (curl_easy_getinfo(h, CURLINFO_COOKIELIST, &cookies) == CURLE_OK) {
      CookieManager->lines_.clear();
      for (curl_slist* c = cookies; c; c = c->next) CookieManager->lines_.emplace_back(c->data);
      curl_slist_free_all(cookies);
    }
  }
  long code = 0;
  curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &code);
  const char* contentType = nullptr;
  curl_easy_getinfo(h, CURLINFO_CONTENT_TYPE, &contentType);
  Response.ResponseCode = static_cast<int>(code);
  Response.ResponseText = code == transfer.statusCode ? Utf8ToString(transfer.reason) : String();
  Response.ContentType = contentType ? Utf8ToString(contentType) : String();

  if (transfer.failure) std::rethrow_exception(transfer.failure);
  if (transfer.tooLarge || result == CURLE_FILESIZE_EXCEEDED)
    throw EIdAnswerTooLarge(S("Antwort zu groß bei ") + where + S(": mehr als ") + S(std::to_string(MaxAnswerSize)) +
                            S(" Bytes"));
  if (result != CURLE_OK) {
    long osError = 0;
    curl_easy_getinfo(h, CURLINFO_OS_ERRNO, &osError);
    RaiseTransferFailure(result, osError, MaskSecrets(S(errorText)), where);
  }
  if (code < 200 || code > 299) {
    String status = S(std::to_string(code));
    if (!Response.ResponseText.empty()) status += u" " + Response.ResponseText;
    throw EIdHTTPProtocolException(S("HTTP-Fehler ") + status + S(" bei ") + where, static_cast<int>(code),
                                   Response.ResponseText, std::move(transfer.errorBody));
  }
}
