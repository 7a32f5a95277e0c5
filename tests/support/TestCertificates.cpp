#include "tests/support/TestCertificates.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <cstdio>
#include <stdexcept>

#include "platform/net/HttpSettings.h"
#include "tests/support/TestCertificateParts.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(std::string("making a test certificate failed: ") + what);
}

TKeyPtr NewKey() {
  TKeyPtr key(EVP_EC_gen("P-256"));
  Check(key != nullptr, "EC key");
  return key;
}

void AddExtension(X509* cert, X509* issuer, int nid, const std::string& value) {
  X509V3_CTX ctx;
  X509V3_set_ctx_nodb(&ctx);
  X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
  X509_EXTENSION* ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value.c_str());
  Check(ext != nullptr, value.c_str());
  const bool added = X509_add_ext(cert, ext, -1) == 1;
  X509_EXTENSION_free(ext);
  Check(added, "extension");
}

TCertPtr NewCertificate(EVP_PKEY* subjectKey, const std::string& commonName, long serial) {
  TCertPtr cert(X509_new());
  Check(cert != nullptr, "X509_new");
  Check(X509_set_version(cert.get(), 2) == 1, "version");
  Check(ASN1_INTEGER_set(X509_get_serialNumber(cert.get()), serial) == 1, "serial");
  Check(X509_gmtime_adj(X509_getm_notBefore(cert.get()), -3600) != nullptr, "not before");
  Check(X509_gmtime_adj(X509_getm_notAfter(cert.get()), 24 * 3600) != nullptr, "not after");
  Check(X509_set_pubkey(cert.get(), subjectKey) == 1, "public key");
  X509_NAME* name = X509_get_subject_name(cert.get());
  Check(X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_UTF8,
                                   reinterpret_cast<const unsigned char*>(commonName.c_str()), -1, -1, 0) == 1,
        "common name");
  return cert;
}

}  // namespace

struct TTestCertificateAuthority::TState {
  TKeyPtr key;
  TCertPtr cert;
  mutable long nextSerial = 2;
};

TTestCertificateAuthority::TTestCertificateAuthority(const std::string& commonName)
    : state_(std::make_unique<TState>()), folder_("wendrel-ca") {
  state_->key = NewKey();
  state_->cert = NewCertificate(state_->key.get(), commonName, 1);
  X509* cert = state_->cert.get();
  Check(X509_set_issuer_name(cert, X509_get_subject_name(cert)) == 1, "issuer");
  AddExtension(cert, cert, NID_basic_constraints, "critical,CA:TRUE");
  AddExtension(cert, cert, NID_key_usage, "critical,keyCertSign,cRLSign");
  AddExtension(cert, cert, NID_subject_key_identifier, "hash");
  Check(X509_sign(cert, state_->key.get(), EVP_sha256()) > 0, "self-signature");

  caFile_ = folder_.PathOf("ca.pem");
  FILE* file = std::fopen(caFile_.c_str(), "wb");
  Check(file != nullptr, "opening the CA file");
  const bool written = PEM_write_X509(file, cert) == 1;
  Check(std::fclose(file) == 0 && written, "writing the CA file");
}

TTestCertificateAuthority::~TTestCertificateAuthority() = default;

TTestServerCertificate TTestCertificateAuthority::Issue(const std::vector<std::string>& subjectAltNames) const {
  auto parts = std::make_shared<TTestServerCertificate::TParts>();
  parts->key = NewKey();
  const std::string commonName = subjectAltNames.empty() ? "server" : subjectAltNames.front().substr(subjectAltNames.front().find(':') + 1);
  parts->cert = NewCertificate(parts->key.get(), commonName, state_->nextSerial++);
  X509* cert = parts->cert.get();
  X509* issuer = state_->cert.get();
  Check(X509_set_issuer_name(cert, X509_get_subject_name(issuer)) == 1, "issuer");
  AddExtension(cert, issuer, NID_basic_constraints, "critical,CA:FALSE");
  AddExtension(cert, issuer, NID_key_usage, "critical,digitalSignature");
  AddExtension(cert, issuer, NID_ext_key_usage, "serverAuth");
  AddExtension(cert, issuer, NID_authority_key_identifier, "keyid:always");
  if (!subjectAltNames.empty()) {
    std::string names;
    for (const std::string& n : subjectAltNames) names += (names.empty() ? "" : ",") + n;
    AddExtension(cert, issuer, NID_subject_alt_name, names);
  }
  Check(X509_sign(cert, state_->key.get(), EVP_sha256()) > 0, "signature");
  return TTestServerCertificate(std::move(parts));
}

const TTestCertificateAuthority& SharedTestCA() {
  static const TTestCertificateAuthority ca;
  return ca;
}

TTrustSharedTestCA::TTrustSharedTestCA() : previous_(HttpDefaults().CAFile) { HttpDefaults().CAFile = SharedTestCA().CAFile(); }

TTrustSharedTestCA::~TTrustSharedTestCA() { HttpDefaults().CAFile = previous_; }
