// Certificates made at run time for HTTPS tests: a certificate authority of its own and
// server certificates that it signs. Nothing is read from or written to the system's store.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tests/support/TempDirectory.h"

// A server's certificate and private key (EC P-256), shared by copies.
class TTestServerCertificate {
 public:
  struct TParts;
  explicit TTestServerCertificate(std::shared_ptr<const TParts> parts) : parts_(std::move(parts)) {}
  const TParts& Parts() const { return *parts_; }

 private:
  std::shared_ptr<const TParts> parts_;
};

class TTestCertificateAuthority {
 public:
  explicit TTestCertificateAuthority(const std::string& commonName = "Wendrel Test CA");
  ~TTestCertificateAuthority();
  TTestCertificateAuthority(const TTestCertificateAuthority&) = delete;
  TTestCertificateAuthority& operator=(const TTestCertificateAuthority&) = delete;

  // A PEM file holding the authority's certificate, for a client's CA file.
  const std::string& CAFile() const { return caFile_; }

  // A certificate for the given subject alternative names, e.g. {"IP:127.0.0.1",
  // "DNS:localhost"}, valid from an hour ago for a day.
  TTestServerCertificate Issue(const std::vector<std::string>& subjectAltNames) const;
  // The usual one: 127.0.0.1 and localhost.
  TTestServerCertificate IssueForLoopback() const { return Issue({"IP:127.0.0.1", "DNS:localhost"}); }

 private:
  struct TState;
  std::unique_ptr<TState> state_;
  TTempDirectory folder_;
  std::string caFile_;
};

// One authority for the whole test program (making keys is the slow part).
const TTestCertificateAuthority& SharedTestCA();

// While it lives, clients created from then on trust SharedTestCA() (through
// HttpDefaults().CAFile), so that the application's own clients reach an HTTPS test
// server; afterwards the previous setting is back.
class TTrustSharedTestCA {
 public:
  TTrustSharedTestCA();
  ~TTrustSharedTestCA();
  TTrustSharedTestCA(const TTrustSharedTestCA&) = delete;
  TTrustSharedTestCA& operator=(const TTrustSharedTestCA&) = delete;

 private:
  std::string previous_;
};
