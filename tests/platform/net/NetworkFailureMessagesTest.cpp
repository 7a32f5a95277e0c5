// The common network failures in the program's own German words, with libcurl's code and
// text after them as the technical detail: against a name that never resolves, a refused
// and a silent port on 127.0.0.1, and TLS peers on 127.0.0.1.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/net/HttpClient.h"
#include "platform/rtl/Unicode.h"
#include "tests/support/LoopbackSocket.h"
#include "tests/support/TestCertificates.h"
#include "tests/support/TestHttpServer.h"

namespace {

struct TFailureCase {
  const char* name;
  // Sets up the peer and gives the address to ask; the peer lives in the case's holder.
  std::function<std::string(std::shared_ptr<void>& peer)> address;
  std::string meaning;    // the text after "<kind> bei GET <address>: "
  std::string kind;       // the message's start
  std::string technical;  // what the detail starts with
};

void PrintTo(const TFailureCase& c, std::ostream* os) { *os << c.name; }

class NetworkFailureMessages : public ::testing::TestWithParam<TFailureCase> {};

TEST_P(NetworkFailureMessages, SayWhatFailedInGermanThenTheTechnicalDetail) {
  const TFailureCase& c = GetParam();
  std::shared_ptr<void> peer;
  const std::string address = c.address(peer);
  TIdHTTP http;
  http.CAFile = SharedTestCA().CAFile();
  http.ConnectTimeout = 5000;
  http.RequestTimeout = 400;
  try {
    http.Get(Utf8ToString(address));
    FAIL() << "no failure";
  } catch (const EIdSocketError& e) {
    const std::string message = e.what();
    const std::string start = c.kind + " bei GET " + address + ": " + c.meaning + " (" + c.technical;
    EXPECT_EQ(message.substr(0, start.size()), start) << message;
    EXPECT_EQ(message.back(), ')') << message;
    EXPECT_EQ(dynamic_cast<const EIdTimeout*>(&e) != nullptr, c.kind == "Zeitüberschreitung");
    EXPECT_EQ(dynamic_cast<const EIdTLSError*>(&e) != nullptr, c.kind == "TLS-Fehler");
  }
}

std::string Loopback(int port, const char* scheme = "http") {
  return std::string(scheme) + "://127.0.0.1:" + std::to_string(port) + "/signale?url=x";
}

INSTANTIATE_TEST_SUITE_P(
    Failures, NetworkFailureMessages,
    ::testing::Values(
        // ".invalid" never resolves, with or without a network.
        TFailureCase{"HostNotFound", [](std::shared_ptr<void>&) { return std::string("http://rechner.invalid/a"); },
                     "Der Name des Rechners ließ sich nicht auflösen. Ist er richtig geschrieben, und besteht eine "
                     "Netzverbindung?",
                     "Rechner nicht gefunden", "libcurl 6: "},
        TFailureCase{"Refused",
                     [](std::shared_ptr<void>& peer) {
                       auto closed = std::make_shared<TLoopbackSocket>(false);
                       peer = closed;
                       return Loopback(closed->Port());
                     },
                     "Der Rechner hat die Verbindung abgewiesen: an dieser Adresse und diesem Port nimmt kein Dienst "
                     "Verbindungen an.",
                     "Keine Verbindung möglich", "libcurl 7: "},
        TFailureCase{"Timeout",
                     [](std::shared_ptr<void>& peer) {
                       auto silent = std::make_shared<TLoopbackSocket>(true);
                       peer = silent;
                       return Loopback(silent->Port());
                     },
                     "Der Server hat nicht rechtzeitig geantwortet.", "Zeitüberschreitung", "libcurl 28: "},
        TFailureCase{"UntrustedCertificate",
                     [](std::shared_ptr<void>& peer) {
                       static const TTestCertificateAuthority stranger("Unknown CA");
                       auto server = std::make_shared<TTestHttpServer>(stranger.IssueForLoopback());
                       peer = server;
                       return Loopback(server->Port(), "https");
                     },
                     "Das Zertifikat des Servers ist nicht vertrauenswürdig oder gilt nicht für diesen Rechner.",
                     "TLS-Fehler", "libcurl 60: "},
        TFailureCase{"CertificateForAnotherHost",
                     [](std::shared_ptr<void>& peer) {
                       auto server = std::make_shared<TTestHttpServer>(SharedTestCA().Issue({"DNS:elsewhere.test"}));
                       peer = server;
                       return Loopback(server->Port(), "https");
                     },
                     "Das Zertifikat des Servers ist nicht vertrauenswürdig oder gilt nicht für diesen Rechner.",
                     "TLS-Fehler", "libcurl 60: "},
        // A plain HTTP server does not speak TLS: the handshake fails.
        TFailureCase{"NoTlsPeer",
                     [](std::shared_ptr<void>& peer) {
                       auto server = std::make_shared<TTestHttpServer>();
                       peer = server;
                       return Loopback(server->Port(), "https");
                     },
                     "Die gesicherte Verbindung (TLS) kam nicht zustande.", "TLS-Fehler", "libcurl 35: "}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
