// The exact bytes of small documents written with compression off and the environment
// fixed, and the structure of documents as the validators see it.
#include <gtest/gtest.h>

#include "pdf/document/PdfDocument.h"
#include "tests/pdf/PdfTestTools.h"
#include "tests/support/TempDirectory.h"

namespace {

// Byte offsets of "n 0 obj" in the file, to check the xref against.
std::vector<size_t> BodyOffsets(const std::string& pdf, int count) {
  std::vector<size_t> at;
  for (int n = 1; n <= count; ++n) at.push_back(pdf.find("\n" + std::to_string(n) + " 0 obj\n") + 1);
  return at;
}

TEST(DocumentGolden, OnePageUncompressed) {
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment());
  doc.CompressStreams = false;
  doc.AddPage();
  doc.Canvas().Contents()->Writer().Add("0 0 m\n10 10 l\nS\n");
  std::string pdf = WriteToString(doc);

  const std::string bodies =
      "%PDF-1.3\n"
      "1 0 obj\n<<\n/Type /Catalog\n/PageLayout /SinglePage\n/Pages 3 0 R\n>>\nendobj\n"
      "2 0 obj\n<<\n/Producer (Zurirov PDF engine 1.17)\n/CreationDate (D:20261210131415)\n"
      "/ModDate (D:20261210131415)\n>>\nendobj\n"
      "3 0 obj\n<<\n/Type /Pages\n/Kids [4 0 R ]\n/Count 1\n>>\nendobj\n"
      "4 0 obj\n<<\n/MediaBox [0 0 595 842 ]\n/Type /Page\n/Parent 3 0 R\n"
      "/Resources <<\n/Font <<\n>>\n/XObject <<\n>>\n/ProcSet [/PDF /Text /ImageC ]\n>>\n"
      "/Contents 5 0 R\n>>\nendobj\n"
      "5 0 obj\n<<\n/Length 16\n>>\nstream\n0 0 m\n10 10 l\nS\n\nendstream\nendobj\n";
  ASSERT_EQ(pdf.substr(0, bodies.size()), bodies);

  std::vector<size_t> at = BodyOffsets(pdf, 5);
  std::string xref = "xref\n0 6\n0000000000 65535 f \n";
  for (size_t offset : at) {
    char line[21];
    std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
    xref += line;
  }
  const std::string tail = xref + "trailer\n<<\n/Size 6\n/Root 1 0 R\n/Info 2 0 R\n>>\nstartxref\n" +
                           std::to_string(bodies.size()) + "\n%%EOF\n";
  EXPECT_EQ(pdf.substr(bodies.size()), tail);
}

// A page's content is compressed when the next page starts; the file is the one written
// when every page is compressed at the save.
TEST(DocumentGolden, FinishedPagesArePackedWithTheSameBytes) {
  auto draw = [](TPdfDocument& doc, int page) {
    for (int i = 0; i < 50; ++i)
      doc.Canvas().Contents()->Writer().Add(std::to_string(page) + " " + std::to_string(i) + " m 20 30 l S\n");
  };
  TPdfDocument packed(false, 0, false, FixedPdfEnvironment());
  TPdfDocument late(false, 0, false, FixedPdfEnvironment());  // unpacked before its save
  for (int page = 0; page < 3; ++page) {
    packed.AddPage();
    draw(packed, page);
    late.AddPage();
    draw(late, page);
  }
  ASSERT_EQ(packed.Pages().size(), 3u);
  EXPECT_TRUE(packed.Pages()[0]->ValueAs<TPdfStream>("Contents")->Packed());
  EXPECT_TRUE(packed.Pages()[1]->ValueAs<TPdfStream>("Contents")->Packed());
  EXPECT_FALSE(packed.Pages()[2]->ValueAs<TPdfStream>("Contents")->Packed());
  // Drawing again on a finished page reopens its content.
  packed.Pages()[0]->ValueAs<TPdfStream>("Contents")->Writer().Add("Q\n");
  late.Pages()[0]->ValueAs<TPdfStream>("Contents")->Writer().Add("Q\n");
  // Asking for the writer unpacks: this document compresses every page at the save.
  for (TPdfPage* page : late.Pages()) {
    page->ValueAs<TPdfStream>("Contents")->Writer();
    EXPECT_FALSE(page->ValueAs<TPdfStream>("Contents")->Packed());
  }
  EXPECT_EQ(WriteToString(packed), WriteToString(late));
}

// A long document lists every page once, in the order added, and counts them.
TEST(DocumentGolden, ManyPagesAreListedOnceInOrder) {
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment());
  doc.CompressStreams = false;
  constexpr int Pages = 600;
  for (int page = 0; page < Pages; ++page) doc.AddPage();
  const std::string pdf = WriteToString(doc);
  std::string kids = "/Kids [";
  for (TPdfPage* page : doc.Pages()) kids += std::to_string(page->ObjectNumber()) + " 0 R ";
  EXPECT_NE(pdf.find(kids + "]\n/Count " + std::to_string(Pages) + "\n"), std::string::npos);
  TTempDirectory dir("wendrel-pdf-pages");
  dir.WriteFile("doc.pdf", pdf);
  const TCommandResult count = RunCommand("qpdf --show-npages " + ShellQuote(dir.PathOf("doc.pdf")));
  EXPECT_EQ(count.Output, std::to_string(Pages) + "\n");
}

}  // namespace
