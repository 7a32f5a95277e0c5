#include <gtest/gtest.h>

#include "platform/rtl/Streams.h"
#include "pdf/objects/PdfExceptions.h"
#include "pdf/objects/PdfStream.h"
#include "pdf/objects/PdfXref.h"
#include "tests/pdf/PdfTestTools.h"

namespace {

std::string Direct(const TPdfObject& o) {
  TStringStream out;
  TPdfWrite w(out, 1252);
  o.WriteDirectTo(w);
  return w.ContentText();
}

std::string Ref(const TPdfObject& o) {
  TStringStream out;
  TPdfWrite w(out, 1252);
  o.WriteTo(w);
  return w.ContentText();
}

TEST(PdfObjects, ScalarsAndTexts) {
  EXPECT_EQ(Direct(TPdfNull()), "null");
  EXPECT_EQ(Direct(TPdfNumber(-12)), "-12");
  EXPECT_EQ(Direct(TPdfReal(0.126)), "0.13");
  EXPECT_EQ(Direct(TPdfText("a(b)")), "(a\\(b\\))");
  EXPECT_EQ(Direct(TPdfRawText("<</Marked true>>")), "<</Marked true>>");
  EXPECT_EQ(Direct(TPdfName("Type")), "/Type");
  EXPECT_EQ(Direct(TPdfTextUTF8(std::string("M\xC3\xBCller"))), "(M\xFCller)");
  EXPECT_EQ(Direct(TPdfTextUTF8(u"5 \u20AC")), "<FEFF0035002020AC>");
  EXPECT_EQ(Direct(TPdfTextString(u"\U0001F600")), "<FEFFD83DDE00>");
  EXPECT_EQ(TPdfTextUTF8(u"Stra\u00DFe").ValueAsString(), u"Stra\u00DFe");
}

TEST(PdfObjects, ArraysAndDictionaries) {
  TPdfXref xref;
  TPdfArray empty;
  EXPECT_EQ(Direct(empty), "[]");
  auto numbers = TPdfArray::FromIntegers(nullptr, {1, 2});
  EXPECT_EQ(Direct(*numbers), "[1 2 ]");

  // The very object twice: listed once. An indirect object: a reference.
  TPdfArray a(&xref);
  auto* name = new TPdfName("N");
  EXPECT_EQ(a.AddItem(name), 0);
  EXPECT_EQ(a.AddItem(name), 0);
  auto* shared = xref.Add<TPdfDictionary>(&xref);
  a.AddItem(shared);
  EXPECT_EQ(Direct(a), "[/N 1 0 R ]");
  // The reference the array made is an item of its own: added again, its index. The
  // indirect object itself is never an item, so each add is another reference to it, and
  // an object handed over with its ownership is appended.
  EXPECT_EQ(a.AddItem(a.Item(1)), 1);
  EXPECT_EQ(a.AddItem(shared), 2);
  EXPECT_EQ(a.AddItem(std::make_unique<TPdfName>("M")), 3);
  EXPECT_EQ(Direct(a), "[/N 1 0 R 1 0 R /M ]");
  EXPECT_EQ(a.FindName("N"), name);
  EXPECT_TRUE(a.RemoveName("N"));
  EXPECT_FALSE(a.RemoveName("N"));
  EXPECT_EQ(a.AddItem(a.Item(2)), 2);  // indexes follow the removal
  EXPECT_EQ(a.ItemCount(), 3);

  TPdfDictionary d(&xref);
  EXPECT_EQ(Direct(d), "<<\n>>");
  d.AddItem("A", std::make_unique<TPdfNumber>(1));
  d.AddItem("B", std::make_unique<TPdfNumber>(2));
  d.AddItem("A", std::make_unique<TPdfNumber>(3));  // replaces, and moves to the end
  d.AddItem("Hidden", std::make_unique<TPdfNumber>(9), true);
  d.AddItem("Ref", shared);
  EXPECT_EQ(Direct(d), "<<\n/B 2\n/A 3\n/Ref 1 0 R\n>>");
  EXPECT_EQ(d.ValueAs<TPdfNumber>("Hidden")->Value, 9);
  EXPECT_EQ(d.ValueByName("Ref"), shared);  // references resolve through the registry
  EXPECT_EQ(d.ValueByName("missing"), nullptr);
  EXPECT_THROW(d.AddItem("X", static_cast<TPdfObject*>(nullptr)), EPdfInvalidValue);
  d.RemoveItem("B");
  d.RemoveItem("absent");
  EXPECT_EQ(Direct(d), "<<\n/A 3\n/Ref 1 0 R\n>>");

  TPdfDictionary withoutRegistry;
  withoutRegistry.AddItem("Ref", shared);
  EXPECT_EQ(withoutRegistry.ValueByName("Ref"), nullptr);

  shared->AddItem("Type", std::make_unique<TPdfName>("Pages"));
  EXPECT_EQ(shared->TypeOf(), "Pages");
  EXPECT_EQ(d.TypeOf(), "");
}

TEST(PdfObjects, RegistryNumbersAndBodies) {
  TPdfXref xref;
  EXPECT_EQ(xref.GetObject(0), nullptr);
  EXPECT_EQ(xref.GetObject(1), nullptr);
  EXPECT_EQ(xref.GetObject(-1), nullptr);
  auto* n = xref.Add<TPdfNumber>(5);
  EXPECT_EQ(n->ObjectNumber(), 1);
  EXPECT_EQ(xref.GetObject(1), n);
  EXPECT_EQ(Ref(*n), "1 0 R");
  TStringStream out;
  TPdfWrite w(out, 1252);
  n->WriteValueTo(w);
  EXPECT_EQ(w.ContentText(), "1 0 obj\n5\nendobj\n");

  EXPECT_THROW(xref.AddObject(nullptr), EPdfInvalidOperation);
  EXPECT_THROW(xref.AddObject(n), EPdfInvalidOperation);
  TPdfNumber direct(1);
  EXPECT_THROW(direct.WriteValueTo(w), EPdfInvalidOperation);
  TPdfVirtualObject ref(7);
  EXPECT_EQ(Ref(ref), "7 0 R");
  EXPECT_THROW(ref.WriteValueTo(w), EPdfInvalidOperation);

  // Each entry line is 20 bytes; entry 0 is the free head of the list.
  xref.Entry(1).ByteOffset = 9;
  TStringStream xout;
  TPdfWrite xw(xout, 1252);
  xref.WriteTo(xw);
  EXPECT_EQ(xw.ContentText(), "xref\n0 2\n0000000000 65535 f \n0000000009 00000 n \n");
}

struct StreamCase {
  size_t length;
  bool compress;
  bool compressed;
};

class PdfStreamThreshold : public testing::TestWithParam<StreamCase> {};

TEST_P(PdfStreamThreshold, CompressesFrom100Bytes) {
  const StreamCase c = GetParam();
  TPdfXref xref;
  auto* s = xref.Add<TPdfStream>(&xref, c.compress, 1252);
  std::string content(c.length, 'q');
  s->Writer().Add(content);
  TStringStream out;
  TPdfWrite w(out, 1252);
  s->WriteDirectTo(w);
  std::string text = w.ContentText();
  size_t at = text.find("\nstream\n");
  ASSERT_NE(at, std::string::npos);
  std::string dict = text.substr(0, at);
  std::string data = text.substr(at + 8, text.size() - at - 8 - 10);
  EXPECT_EQ(text.substr(text.size() - 10), "\nendstream");
  if (c.compressed) {
    EXPECT_EQ(dict, "<<\n/Length " + std::to_string(data.size()) + "\n/Filter [/FlateDecode ]\n>>");
    EXPECT_EQ(Inflate(data), content);
  } else {
    EXPECT_EQ(dict, "<<\n/Length " + std::to_string(c.length) + "\n>>");
    EXPECT_EQ(data, content);
    EXPECT_EQ(s->Filter(), nullptr);  // the empty filter is gone for good
  }
}

INSTANTIATE_TEST_SUITE_P(Lengths, PdfStreamThreshold,
                         testing::Values(StreamCase{0, true, false}, StreamCase{99, true, false},
                                         StreamCase{100, true, true}, StreamCase{5000, true, true},
                                         StreamCase{5000, false, false}),
                         [](const auto& info) {
                           return "length" + std::to_string(info.param.length) +
                                  (info.param.compress ? "_compressing" : "_uncompressed");
                         });

TEST(PdfObjects, StreamContentCanBeReplaced) {
  TPdfStream s(nullptr, false, 1252);
  s.Writer().Add("old");
  s.ClearContent();
  s.Writer().Add("new");
  EXPECT_EQ(s.Writer().ContentText(), "new");
}

std::string StreamBytes(const TPdfStream& s) {
  TStringStream out;
  TPdfWrite w(out, 1252);
  s.WriteDirectTo(w);
  return w.ContentText();
}

// Packing compresses ahead of the save; the bytes written are those of an unpacked
// stream, also when content is added after packing or the filter is dropped.
TEST(PdfObjects, PackedStreamWritesTheSameBytes) {
  std::string content;
  for (int i = 0; i < 400; ++i) content += std::to_string(i) + " 0 m " + std::to_string(i * 3) + " 7 l S\n";
  TPdfStream plain(nullptr, true, 1252), packed(nullptr, true, 1252);
  plain.Writer().Add(content);
  packed.Writer().Add(content);
  packed.Pack();
  EXPECT_TRUE(packed.Packed());
  EXPECT_EQ(StreamBytes(packed), StreamBytes(plain));

  plain.Writer().Add("more\n");
  packed.Writer().Add("more\n");  // the plain content comes back first
  EXPECT_FALSE(packed.Packed());
  EXPECT_EQ(packed.Writer().ContentText(), content + "more\n");
  packed.Pack();
  EXPECT_EQ(StreamBytes(packed), StreamBytes(plain));

  TPdfStream unfiltered(nullptr, true, 1252);
  unfiltered.Writer().Add(content);
  unfiltered.Pack();
  unfiltered.Filter()->RemoveName("FlateDecode");
  std::string text = StreamBytes(unfiltered);
  EXPECT_NE(text.find("\nstream\n" + content + "\nendstream"), std::string::npos);

  // Short content and uncompressed streams stay as they are.
  TPdfStream shortOne(nullptr, true, 1252), uncompressed(nullptr, false, 1252);
  shortOne.Writer().Add("0 0 m\n");
  uncompressed.Writer().Add(content);
  shortOne.Pack();
  uncompressed.Pack();
  EXPECT_FALSE(shortOne.Packed());
  EXPECT_FALSE(uncompressed.Packed());
}

TEST(PdfObjects, TrailerLayout) {
  TPdfXref xref;
  TPdfTrailer t(&xref);
  t.XrefAddress = 1234;
  TStringStream out;
  TPdfWrite w(out, 1252);
  t.WriteTo(w);
  EXPECT_EQ(w.ContentText(), "trailer\n<<\n/Size 0\n>>\nstartxref\n1234\n%%EOF\n");
}

}  // namespace
