#include "tests/pdf/PdfTestTools.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <fstream>
#include <memory>

#include "pdf/document/PdfDocument.h"
#include "pdf/helpers/DateParts.h"
#include "platform/rtl/Streams.h"
#include "tests/support/TempDirectory.h"

TDateTime FixedNow() {
  TDateTime value = 0;
  TryEncodeDateParts({2026, 12, 10, 13, 14, 15}, value);
  return value;
}

TPdfEnvironment FixedPdfEnvironment(std::vector<String> families) {
  TPdfEnvironment env;
  env.Now = FixedNow;
  auto next = std::make_shared<uint32_t>(0);
  env.Random31 = [next] { return ++*next * 0x11111111u; };
  env.PixelsPerInch = 96;
  env.AnsiCodePage = 1252;
  env.TrueTypeFamilies = [families] { return families; };
  return env;
}

std::string Inflate(const std::string& zlibData) {
  z_stream z{};
  EXPECT_EQ(inflateInit(&z), Z_OK);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zlibData.data()));
  z.avail_in = static_cast<uInt>(zlibData.size());
  std::string out;
  char buf[16384];
  int rc;
  do {
    z.next_out = reinterpret_cast<Bytef*>(buf);
    z.avail_out = sizeof buf;
    rc = inflate(&z, Z_NO_FLUSH);
    out.append(buf, sizeof buf - z.avail_out);
  } while (rc == Z_OK);
  EXPECT_EQ(rc, Z_STREAM_END) << "not a complete zlib stream";
  EXPECT_EQ(z.avail_in, 0u) << "bytes after the zlib stream";
  inflateEnd(&z);
  return out;
}

std::string WriteToString(TPdfDocument& doc, TDateTime modDate) {
  TStringStream stream;
  doc.WriteToStream(stream, modDate);
  TTempDirectory dir("wendrel-pdf-check");
  dir.WriteFile("doc.pdf", stream.DataString());
  ExpectQpdfCheckPasses(dir.PathOf("doc.pdf"));
  return stream.DataString();
}

nlohmann::json QpdfObjects(const std::string& pdfPath) {
  TCommandResult r = RunCommand("qpdf --json --json-key=qpdf " + ShellQuote(pdfPath));
  EXPECT_EQ(r.ExitCode, 0) << r.Output;
  nlohmann::json j = nlohmann::json::parse(r.Output, nullptr, false);
  if (j.is_discarded() || !j.contains("qpdf")) {
    ADD_FAILURE() << "qpdf --json: " << r.Output.substr(0, 500);
    return nlohmann::json::object();
  }
  return j["qpdf"][1];
}

void ExpectQpdfCheckPasses(const std::string& pdfPath) {
  TCommandResult r = RunCommand("qpdf --check " + ShellQuote(pdfPath));
  EXPECT_EQ(r.ExitCode, 0) << r.Output;
  EXPECT_NE(r.Output.find("No syntax or stream encoding errors found"), std::string::npos) << r.Output;
}
