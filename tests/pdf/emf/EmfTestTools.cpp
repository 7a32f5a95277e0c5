#include "tests/pdf/emf/EmfTestTools.h"

#include <gtest/gtest.h>

#include <cstring>

#include "pdf/document/PdfCanvas.h"
#include "pdf/emf/PdfEnum.h"
#include "pdf/objects/PdfStream.h"
#include "pdf/objects/PdfWrite.h"
#include "platform/gdi/metafile/Metafile.h"
#include "platform/gdi/metafile/MetafileRecorder.h"
#include "tests/pdf/PdfTestTools.h"

namespace {

void Put32(std::string& b, size_t at, uint32_t v) { std::memcpy(b.data() + at, &v, 4); }
uint32_t Get32(const std::string& b, size_t at) {
  uint32_t v;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}

}  // namespace

std::string WithRecords(std::string emf, const std::vector<std::string>& records, uint16_t handles) {
  size_t eof = emf.size() - 20;
  std::string all;
  for (const std::string& rec : records) all += rec;
  emf.insert(eof, all);
  Put32(emf, 48, static_cast<uint32_t>(emf.size()));
  Put32(emf, 52, Get32(emf, 52) + static_cast<uint32_t>(records.size()));
  uint16_t present;
  std::memcpy(&present, emf.data() + 56, 2);
  if (present < handles) std::memcpy(emf.data() + 56, &handles, 2);
  return emf;
}

std::string Records(const std::vector<std::string>& records) {
  TMetafileRecorder recorder;
  return WithRecords(recorder.Finish(100, 100), records);
}

std::unique_ptr<TPdfDocument> NewTestDocument(bool outlines) {
  auto doc = std::make_unique<TPdfDocument>(outlines, 0, false,
                                            FixedPdfEnvironment({u"Arial", u"Courier New", u"Times New Roman"}));
  doc->CompressStreams = false;
  doc->AddPage();
  return doc;
}

std::string RenderedContent(TPdfDocument& doc, const std::string& emf, double scale, float x, float y) {
  TMetafile metafile;
  metafile.SetData(emf);
  RenderEmfToCanvas(doc.Canvas(), metafile, scale, x, y);
  return doc.Canvas().Contents()->Writer().ContentText();
}

std::string RenderedContent(const std::string& emf, double scale) {
  auto doc = NewTestDocument();
  return RenderedContent(*doc, emf, scale);
}

int Occurrences(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}
