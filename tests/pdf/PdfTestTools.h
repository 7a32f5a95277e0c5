// Helpers of the PDF tests: a fixed environment for byte-exact files, running the
// validators (qpdf, pdfinfo, iconv; through the test tools' RunCommand), and zlib's inflate
// as the oracle of compressed data.
#pragma once

#include <string>
#include <vector>

#include "pdf/document/PdfEnvironment.h"
#include "tests/support/Process.h"

// 10 Dec 2026 13:14:15, random numbers 0x11111111, 0x22222222, ..., 96 pixels per inch,
// code page 1252 and the given TrueType families.
TPdfEnvironment FixedPdfEnvironment(std::vector<String> families = {});
TDateTime FixedNow();

// The inflated zlib stream; fails the test when it is not one.
std::string Inflate(const std::string& zlibData);

// Every byte the document writes; the file must pass qpdf --check.
class TPdfDocument;
std::string WriteToString(TPdfDocument& doc, TDateTime modDate = 0);

// The file's objects as qpdf reads them ("obj:N 0 R" to {"value": ...} or {"stream": ...}).
#include <nlohmann/json.hpp>
nlohmann::json QpdfObjects(const std::string& pdfPath);
// qpdf --check passes.
void ExpectQpdfCheckPasses(const std::string& pdfPath);
