// The OpenSSL objects behind TTestServerCertificate; only the support library's sources
// include this.
#pragma once

#include <openssl/evp.h>
#include <openssl/x509.h>

#include <memory>

#include "tests/support/TestCertificates.h"

struct TKeyDeleter {
  void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct TCertDeleter {
  void operator()(X509* cert) const { X509_free(cert); }
};
using TKeyPtr = std::unique_ptr<EVP_PKEY, TKeyDeleter>;
using TCertPtr = std::unique_ptr<X509, TCertDeleter>;

struct TTestServerCertificate::TParts {
  TKeyPtr key;
  TCertPtr cert;
};
