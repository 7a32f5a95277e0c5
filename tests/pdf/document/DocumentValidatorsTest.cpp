// Documents as qpdf and pdfinfo read them: validity, page sizes, Info, outlines, links,
// PDF/A-1.
#include <gtest/gtest.h>

#include "platform/rtl/Clock.h"
#include "platform/rtl/Unicode.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/objects/PdfExceptions.h"
#include "tests/pdf/PdfTestTools.h"
#include "tests/support/TempDirectory.h"

namespace {

using nlohmann::json;

class DocumentFiles : public testing::Test {
 protected:
  // Saves the document into the temporary folder, checks it with qpdf and returns the path.
  std::string Save(TPdfDocument& doc, const std::string& name = "doc.pdf") {
    std::string path = dir_.PathOf(name);
    EXPECT_TRUE(doc.WriteToFile(Utf8ToString(path)));
    ExpectQpdfCheckPasses(path);
    return path;
  }
  std::string PdfInfo(const std::string& path, const std::string& options = "") {
    TCommandResult r = RunCommand("pdfinfo " + options + " " + ShellQuote(path));
    EXPECT_EQ(r.ExitCode, 0) << r.Output;
    return r.Output;
  }
  TTempDirectory dir_{"wendrel-pdf"};
};

// pdfinfo's line for a page size.
std::string SizeLine(int page, int width, int height) {
  char line[80];
  std::snprintf(line, sizeof line, "Page %4d size:  %d x %d pts", page, width, height);
  return line;
}

// The object a reference names, from qpdf's object map.
const json& Obj(const json& objects, const std::string& ref) { return objects.at("obj:" + ref).at("value"); }

TEST_F(DocumentFiles, PageSizesInBothOrientations) {
  struct Paper {
    int index;
    int width, height;
    const char* name;
  } papers[] = {{psA4, 595, 842, "A4"},         {psA5, 419, 595, "A5"},
                {psA3, 842, 1190, "A3"},        {psLetter, 612, 792, "letter"},
                {psLegal, 612, 1008, "legal"}};
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment());
  for (const Paper& p : papers) {
    doc.SelectPaperSize(p.index);
    EXPECT_EQ(doc.PaperIndex(), p.index);
    doc.AddPage();
    doc.SetPageWidth(p.height);
    doc.SetPageHeight(p.width);
    EXPECT_EQ(doc.PaperIndex(), psUserDefined);
    doc.AddPage();
  }
  std::string info = PdfInfo(Save(doc), "-f 1 -l 10");
  EXPECT_NE(info.find("Pages:           10"), std::string::npos) << info;
  int page = 1;
  for (const Paper& p : papers) {
    std::string portrait = SizeLine(page++, p.width, p.height);
    std::string landscape = SizeLine(page++, p.height, p.width);
    EXPECT_NE(info.find(portrait), std::string::npos) << portrait << "\n" << info;
    EXPECT_NE(info.find(landscape), std::string::npos) << landscape << "\n" << info;
  }
}

TEST_F(DocumentFiles, PaperChangeAffectsOnlyLaterPages) {
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment());
  doc.AddPage();
  doc.AddPage();
  doc.SelectPaperSize(psA5);
  doc.AddPage();
  doc.SelectPaperSize(psUserDefined);  // keeps A5
  doc.SelectPaperSize(-1);             // outside the table: the same
  doc.AddPage();
  std::string info = PdfInfo(Save(doc), "-f 1 -l 4");
  EXPECT_NE(info.find(SizeLine(1, 595, 842)), std::string::npos) << info;
  EXPECT_NE(info.find(SizeLine(2, 595, 842)), std::string::npos) << info;
  EXPECT_NE(info.find(SizeLine(3, 419, 595)), std::string::npos) << info;
  EXPECT_NE(info.find(SizeLine(4, 419, 595)), std::string::npos) << info;
}

TEST_F(DocumentFiles, InfoAsPdfinfoReadsIt) {
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment());
  doc.AddPage();
  doc.Info().SetTitle(u"Bericht \u00FCber Signale");
  doc.Info().SetAuthor(u"Jürgen");
  doc.Info().SetSubject(u"Preise in \u20AC");
  doc.Info().SetKeywords(u"a, b");
  doc.Info().SetCreator(u"Wendrel");
  std::string path = dir_.PathOf("info.pdf");
  TDateTime mod = FixedNow() + 1.5;  // a day and twelve hours later
  {
    TFileStream file(Utf8ToString(path), fmCreate);
    doc.WriteToStream(file, mod);
  }
  ExpectQpdfCheckPasses(path);
  std::string info = PdfInfo(path, "-isodates");
  EXPECT_NE(info.find("Title:           Bericht über Signale"), std::string::npos) << info;
  EXPECT_NE(info.find("Author:          Jürgen"), std::string::npos) << info;
  EXPECT_NE(info.find("Subject:         Preise in €"), std::string::npos) << info;
  EXPECT_NE(info.find("Keywords:        a, b"), std::string::npos) << info;
  EXPECT_NE(info.find("Creator:         Wendrel"), std::string::npos) << info;
  EXPECT_NE(info.find("Producer:        Zurirov PDF engine 1.17"), std::string::npos) << info;
  EXPECT_NE(info.find("CreationDate:    2026-12-10T13:14:15"), std::string::npos) << info;
  EXPECT_NE(info.find("ModDate:         2026-12-12T01:14:15"), std::string::npos) << info;
  EXPECT_DOUBLE_EQ(doc.Info().ModDate(), mod);
  EXPECT_DOUBLE_EQ(doc.Info().CreationDate(), FixedNow());
}

TEST(DocumentInfo, UnreadableDatesReadAsZero) {
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment());
  doc.Info().Dictionary->AddItem("ModDate", std::make_unique<TPdfText>("D:2026"));
  EXPECT_EQ(doc.Info().ModDate(), 0);
  doc.Info().Dictionary->RemoveItem("CreationDate");
  EXPECT_EQ(doc.Info().CreationDate(), 0);
  EXPECT_EQ(doc.Info().Author(), u"");
}

TEST_F(DocumentFiles, OutlineNestingAndCounts) {
  TPdfDocument doc(true, 0, false, FixedPdfEnvironment());
  doc.AddPage();
  TPdfOutlineEntry* a = doc.CreateOutline(u"Eins", 1, 700);
  TPdfOutlineEntry* b = doc.CreateOutline(u"Zwei", 2, 600.4);
  TPdfOutlineEntry* c = doc.CreateOutline(u"Drei \u20AC", 2, 500.6);
  doc.AddPage();
  TPdfOutlineEntry* d = doc.CreateOutline(u"Vier", 1, 400);
  EXPECT_EQ(b->Parent, a);
  EXPECT_EQ(c->Parent, a);
  EXPECT_EQ(d->Parent, doc.OutlineRoot());

  json objects = QpdfObjects(Save(doc));
  const json& catalog = Obj(objects, "1 0 R");
  const json& root = Obj(objects, catalog.at("/Outlines").get<std::string>());
  EXPECT_EQ(root.at("/Count"), 4);
  const json& first = Obj(objects, root.at("/First").get<std::string>());
  EXPECT_EQ(first.at("/Title"), "u:Eins");
  EXPECT_EQ(first.at("/Count"), -2);  // closed, two children
  EXPECT_EQ(first.at("/Dest")[3], 700);
  const json& kid1 = Obj(objects, first.at("/First").get<std::string>());
  const json& kid2 = Obj(objects, first.at("/Last").get<std::string>());
  EXPECT_EQ(kid1.at("/Title"), "u:Zwei");
  EXPECT_EQ(kid1.at("/Count"), 0);
  EXPECT_EQ(kid1.at("/Dest")[3], 600);
  EXPECT_EQ(kid2.at("/Title"), "u:Drei €");
  EXPECT_EQ(kid2.at("/Dest")[3], 501);
  EXPECT_EQ(kid2.at("/Prev"), first.at("/First"));
  EXPECT_EQ(kid1.at("/Next"), first.at("/Last"));
  const json& last = Obj(objects, root.at("/Last").get<std::string>());
  EXPECT_EQ(last.at("/Title"), "u:Vier");
  EXPECT_EQ(last.at("/Prev"), root.at("/First"));
  EXPECT_EQ(last.at("/Parent"), catalog.at("/Outlines"));
  // The last entry's destination is on the second page.
  const json& pages = Obj(objects, catalog.at("/Pages").get<std::string>());
  EXPECT_EQ(last.at("/Dest")[0], pages.at("/Kids")[1]);
  EXPECT_EQ(first.at("/Dest")[0], pages.at("/Kids")[0]);
}

TEST(DocumentOutlines, DisabledGivesNoEntries) {
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment());
  doc.AddPage();
  EXPECT_EQ(doc.CreateOutline(u"x", 1, 0), nullptr);
  EXPECT_EQ(doc.OutlineRoot(), nullptr);
}

TEST(DocumentOutlines, NeedACurrentPageForADestination) {
  TPdfDocument doc(true, 0, false, FixedPdfEnvironment());
  int objects = doc.Xref().ItemCount();
  try {
    doc.CreateOutline(u"x", 1, 10);
    FAIL() << "no error";
  } catch (const EPdfInvalidOperation& e) {
    EXPECT_EQ(e.Message(), u"TPdfDocument.Document is null");
  }
  EXPECT_EQ(doc.Xref().ItemCount(), objects);
  EXPECT_EQ(doc.OutlineRoot()->Count, 0);
  // A negative top needs no destination, and no page.
  TPdfOutlineEntry* e = doc.CreateOutline(u"ohne Ziel", 1, -1);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Destination, nullptr);
}

TEST_F(DocumentFiles, LinksFindTheirBookmarks) {
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment());
  doc.AddPage();
  TPdfDictionary& early = doc.CreateLink({10, 700, 100, 690}, "ziel");
  TPdfDictionary& never = doc.CreateLink({10, 600, 100, 590}, "fehlt");
  doc.AddPage();
  doc.CreateBookmark("ziel", 321.6);
  TPdfDictionary& late = doc.CreateLink({10, 500, 100, 490}, "ziel");

  json objects = QpdfObjects(Save(doc));
  auto ref = [](const TPdfObject& o) { return std::to_string(o.ObjectNumber()) + " 0 R"; };
  const json& e = Obj(objects, ref(early));
  const json& l = Obj(objects, ref(late));
  const json& n = Obj(objects, ref(never));
  EXPECT_EQ(e.at("/Subtype"), "/Link");
  EXPECT_EQ(e.at("/Type"), "/Annot");
  EXPECT_EQ(e.at("/F"), 4);
  EXPECT_EQ(e.at("/Rect"), json({10, 690, 100, 700}));
  json dest = json::array({ref(*doc.Pages()[1]), "/XYZ", 0, 322, 0});
  EXPECT_EQ(e.at("/Dest"), dest);
  EXPECT_EQ(l.at("/Dest"), dest);
  EXPECT_FALSE(n.contains("/Dest"));
  EXPECT_EQ(Obj(objects, ref(*doc.Pages()[0])).at("/Annots").size(), 2u);
  EXPECT_EQ(Obj(objects, ref(*doc.Pages()[1])).at("/Annots").size(), 1u);
}

TEST(DocumentBookmarks, Errors) {
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment());
  try {
    doc.CreateBookmark("a", 0);
    FAIL();
  } catch (const EPdfInvalidOperation& e) {
    EXPECT_EQ(e.Message(), u"TPdfDocument.Document is null");
  }
  EXPECT_THROW(doc.CreateAnnotation(asSquare, {}), EPdfInvalidOperation);
  doc.AddPage();
  doc.CreateBookmark("a", 0);
  for (const char* name : {"a", ""}) {
    try {
      doc.CreateBookmark(name, 0);
      FAIL() << name;
    } catch (const EPdfInvalidValue& e) {
      EXPECT_EQ(e.Message(), u"Duplicated or void bookmark name \"" + Utf8ToString(name) + u"\"");
    }
  }
}

TEST_F(DocumentFiles, PdfA1) {
  TPdfDocument doc(false, 0, true, FixedPdfEnvironment());
  doc.AddPage();
  doc.Info().SetTitle(u"A & B <C>");
  doc.Info().SetAuthor(u"Jürgen");
  std::string pdf = WriteToString(doc);
  EXPECT_EQ(pdf.substr(0, 15), "%PDF-1.4\n%\xE4\xE5\xE6\xF0\n");
  // The ID: four numbers, each as its bytes least significant first.
  const std::string id = "<11111111222222223333333344444444>";
  EXPECT_NE(pdf.find("/ID [" + id + " " + id + " ]"), std::string::npos);
  // The XMP packet is stored uncompressed.
  EXPECT_NE(pdf.find("<pdfaid:part>1</pdfaid:part><pdfaid:conformance>B</pdfaid:conformance>"),
            std::string::npos);
  EXPECT_NE(pdf.find("<rdf:li xml:lang=\"x-default\">A &amp; B &lt;C&gt;</rdf:li>"), std::string::npos);
  EXPECT_NE(pdf.find("<dc:creator><rdf:Seq><rdf:li xml:lang=\"x-default\">J\xC3\xBCrgen</rdf:li>"),
            std::string::npos);
  EXPECT_NE(pdf.find("<xmp:CreateDate>2026-12-10T13:14:15</xmp:CreateDate>"), std::string::npos);
  size_t begin = pdf.find("<?xpacket begin"), end = pdf.find("<?xpacket end=\"w\"?>");
  ASSERT_NE(end, std::string::npos);
  TCommandResult xml = RunCommand("xmllint --noout -", pdf.substr(begin, end + 19 - begin));
  EXPECT_EQ(xml.ExitCode, 0) << xml.Output;

  std::string path = Save(doc, "pdfa.pdf");
  std::string info = PdfInfo(path);
  EXPECT_NE(info.find("Metadata Stream: yes"), std::string::npos) << info;
  json objects = QpdfObjects(path);
  const json& catalog = Obj(objects, "1 0 R");
  EXPECT_EQ(catalog.at("/MarkInfo"), json({{"/Marked", true}}));
  const json& intent = catalog.at("/OutputIntents")[0];
  EXPECT_EQ(intent.at("/S"), "/GTS_PDFA1");
  const json& profile = objects.at("obj:" + intent.at("/DestOutputProfile").get<std::string>()).at("stream");
  EXPECT_EQ(profile.at("dict").at("/N"), 3);
  const json& meta = objects.at("obj:" + catalog.at("/Metadata").get<std::string>()).at("stream").at("dict");
  EXPECT_EQ(meta.at("/Subtype"), "/XML");
  EXPECT_FALSE(meta.contains("/Filter"));
  // Saved again: one packet, not two.
  std::string again = WriteToString(doc);
  EXPECT_EQ(again.find("<?xpacket begin"), again.rfind("<?xpacket begin"));
}

TEST_F(DocumentFiles, CompressedContentInflatesBack) {
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment());
  doc.AddPage();
  std::string content;
  for (int i = 0; i < 50; ++i) content += std::to_string(i) + " 0 m " + std::to_string(i) + " 800 l S\n";
  doc.Canvas().Contents()->Writer().Add(content);
  std::string path = Save(doc);
  TCommandResult r = RunCommand("qpdf --show-object=5 --filtered-stream-data " + ShellQuote(path));
  EXPECT_EQ(r.Output, content);
  // Saved twice, the stream is compressed again the same way.
  EXPECT_EQ(WriteToString(doc), WriteToString(doc));
}

TEST_F(DocumentFiles, WithoutPagesNothingIsWritten) {
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment());
  try {
    WriteToString(doc);
    FAIL();
  } catch (const EPdfInvalidOperation& e) {
    EXPECT_EQ(e.Message(), u"GetPage");
  }
  dir_.WriteFile("old.pdf", "old content");
  EXPECT_FALSE(doc.WriteToFile(Utf8ToString(dir_.PathOf("old.pdf"))));
  EXPECT_EQ(dir_.ReadFile("old.pdf"), "old content");
  TCommandResult r = RunCommand("ls -A " + ShellQuote(dir_.Path()));
  EXPECT_EQ(r.Output, "old.pdf\n");  // no temporary file left behind
}

TEST_F(DocumentFiles, WriteToFileReplacesOnlyOnSuccess) {
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment());
  doc.AddPage();
  dir_.WriteFile("out.pdf", "old content");
  EXPECT_TRUE(doc.WriteToFile(Utf8ToString(dir_.PathOf("out.pdf"))));
  EXPECT_EQ(dir_.ReadFile("out.pdf"), WriteToString(doc, FixedNow()));
  EXPECT_FALSE(doc.WriteToFile(Utf8ToString(dir_.PathOf("missing/out.pdf"))));
}

TEST(DocumentPages, AddPageAfterTheDocumentWasFreedAndNewDoc) {
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment());
  doc.AddPage();
  doc.NewDoc();
  EXPECT_FALSE(doc.HasCurrentPage());
  EXPECT_TRUE(doc.Pages().empty());
  TPdfPage& page = doc.AddPage();
  EXPECT_EQ(page.ObjectNumber(), 4);  // catalog, Info, page tree, then the page
  EXPECT_EQ(&doc.Canvas().GetPage(), &page);
  EXPECT_FLOAT_EQ(doc.Canvas().DeviceScale(), 0.75f);
  EXPECT_FLOAT_EQ(doc.Canvas().CurrentPageHeight(), 842.0f);
}

TEST(DocumentFonts, RegistrationNamesAndFamilyLookups) {
  TPdfDocument doc(false, 0, false,
                   FixedPdfEnvironment({u"Tahoma", u"arial", u"@MS Mincho", u"Arial Black", u"Liberation Sans",
                                        u"Liberation Sans", u"DejaVu Sans"}));
  EXPECT_EQ(doc.TrueTypeFontNames(),
            (std::vector<std::string>{"arial", "Arial Black", "DejaVu Sans", "Liberation Sans", "Tahoma"}));
  EXPECT_EQ(doc.FindTrueTypeFont("ARIAL"), 0);
  EXPECT_EQ(doc.FindTrueTypeFont("ARIAL"), 0);  // the remembered lookup
  EXPECT_EQ(doc.FindTrueTypeFont("tahoma"), 4);
  EXPECT_EQ(doc.FindTrueTypeFont("Times"), -1);
  EXPECT_EQ(doc.FallbackFontIndex(), -1);

  TPdfDocument withUnicode(false, 0, false, FixedPdfEnvironment({u"Lucida Sans Unicode", u"Code2000 Unicode"}));
  EXPECT_EQ(withUnicode.FallbackFontIndex(), 0);  // the first in sorted order: Code2000 Unicode
  TPdfDocument withArialUnicode(false, 0, false, FixedPdfEnvironment({u"Zed Unicode", u"Arial Unicode MS"}));
  EXPECT_EQ(withArialUnicode.TrueTypeFontNames()[withArialUnicode.FallbackFontIndex()], "Arial Unicode MS");

  auto make = [&doc](const char* name) {
    auto font = std::make_unique<TPdfFont>();
    font->Name = name;
    font->AttachDictionary(doc.Xref().Add<TPdfDictionary>(&doc.Xref()));
    return font;
  };
  EXPECT_EQ(doc.RegisterFont(make("Helvetica")).ResourceName, "F0");
  TPdfFont& second = doc.RegisterFont(make("Courier"));
  EXPECT_EQ(second.ResourceName, "F1");
  EXPECT_EQ(second.Dictionary->ValueAs<TPdfName>("Name")->Value, "F1");
  EXPECT_EQ(doc.FindFontByName("Courier"), &second);
  EXPECT_EQ(doc.FindFontByName("Times"), nullptr);

  const std::pair<uint8_t, const char*> styles[] = {
      {0, "TimesNewRoman"}, {fsBold, "TimesNewRoman,Bold"}, {fsItalic, "TimesNewRoman,Italic"},
      {fsBold | fsItalic, "TimesNewRoman,BoldItalic"}, {fsUnderline, "TimesNewRoman"}};
  for (auto [style, name] : styles) EXPECT_EQ(TPdfDocument::TrueTypeFontName("Times New\x7F Roman\xC3", style), name);
}

TEST(DocumentXObjects, Registry) {
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment());
  auto image = [&doc] {
    auto* x = new TPdfXObject(&doc.Xref(), false, 1252);
    x->Attributes().AddItem("Type", std::make_unique<TPdfName>("XObject"));
    x->Attributes().AddItem("Subtype", std::make_unique<TPdfName>("Image"));
    return x;
  };
  auto expectError = [](const std::function<void()>& call, const char16_t* message) {
    try {
      call();
      ADD_FAILURE() << "no error";
    } catch (const EPdfInvalidValue& e) {
      EXPECT_EQ(e.Message(), message);
    }
  };
  TPdfXObject* first = image();
  EXPECT_EQ(doc.AddXObject("VevImg0", first), 0);
  EXPECT_GT(first->ObjectNumber(), 0);
  EXPECT_EQ(doc.GetXObject("VevImg0"), first);
  EXPECT_EQ(doc.GetXObject("VevImg1"), nullptr);
  EXPECT_EQ(doc.RegisterXObject(first, "Other"), -1);  // already named

  std::unique_ptr<TPdfXObject> second(image());
  expectError([&] { doc.AddXObject("VevImg0", second.get()); }, u"AddXObject: dup name VevImg0");
  expectError([&] { doc.RegisterXObject(nullptr, "x"); }, u"RegisterXObject: no AObject");
  TPdfXObject plain(&doc.Xref(), false, 1252);
  expectError([&] { doc.RegisterXObject(&plain, "x"); }, u"RegisterXObject: no XObject");
  expectError([&] { doc.AddXObject("x", &plain); }, u"AddXObject: invalid TPdfImage x");
  EXPECT_EQ(doc.RegisterXObject(second.release(), "VevImg1"), 1);
  EXPECT_NE(doc.GetXObject("VevImg1"), nullptr);
}

TEST(DocumentCatalog, PageLayoutPagesAndOpenAction) {
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment());
  doc.AddPage();
  TPdfCatalog& catalog = doc.Catalog();
  catalog.SetPageLayout(plOneColumn);
  catalog.SetPageLayout(plTwoColumnRight);
  TPdfDictionary notPages;
  notPages.AddItem("Type", std::make_unique<TPdfName>("Page"));
  catalog.SetPages(&notPages);
  EXPECT_EQ(catalog.Dictionary->ValueByName("Pages"), &doc.RootPages());

  TPdfDestination& dest = doc.CreateDestination();
  dest.DestinationType = dtFitH;
  dest.SetValue(TPdfDestination::Top, 500);
  catalog.OpenAction = &dest;
  std::string pdf = WriteToString(doc);
  EXPECT_NE(pdf.find("/PageLayout /TwoColumnRight\n"), std::string::npos);
  EXPECT_EQ(pdf.find("/PageLayout /TwoColumnRight\n"), pdf.rfind("/PageLayout"));
  EXPECT_NE(pdf.find("/OpenAction [4 0 R /FitH 500 ]"), std::string::npos);
  catalog.OpenAction = nullptr;
  EXPECT_EQ(WriteToString(doc).find("/OpenAction"), std::string::npos);
}

TEST(DocumentDestinations, ArraysByTypeAndZoom) {
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment());
  EXPECT_THROW(doc.CreateDestination(), EPdfInvalidOperation);
  doc.AddPage();
  TPdfDestination& d = doc.CreateDestination();
  auto text = [&d] {
    TStringStream out;
    TPdfWrite w(out, 1252);
    d.AsArray()->WriteDirectTo(w);
    return w.ContentText();
  };
  EXPECT_EQ(text(), "[4 0 R /XYZ 0 0 1 ]");
  d.SetValue(TPdfDestination::Left, -5);  // stored as -1, written as -1 (not null)
  d.SetValue(TPdfDestination::Top, 700);
  d.SetZoom(2.5);
  EXPECT_EQ(text(), "[4 0 R /XYZ -1 700 2.5 ]");
  struct Case {
    TPdfDestinationType type;
    const char* text;
  } cases[] = {{dtFit, "[4 0 R /Fit ]"},        {dtFitB, "[4 0 R /FitB ]"},
               {dtFitH, "[4 0 R /FitH 700 ]"},  {dtFitBH, "[4 0 R /FitBH 700 ]"},
               {dtFitV, "[4 0 R /FitV -1 ]"},   {dtFitBV, "[4 0 R /FitBV -1 ]"},
               {dtFitR, "[4 0 R /FitR -1 0 null 700 ]"}};
  d.SetValue(TPdfDestination::Bottom, 0);
  d.SetValue(TPdfDestination::Right, -3);
  for (const auto& c : cases) {
    d.DestinationType = c.type;
    EXPECT_EQ(text(), c.text);
  }
  d.SetZoom(10);
  EXPECT_FLOAT_EQ(d.Zoom(), 10);
  try {
    d.SetZoom(10.5);
    FAIL();
  } catch (const EPdfInvalidValue& e) {
    EXPECT_EQ(e.Message(), u"Zoom>10");
  }
  try {
    d.SetZoom(-0.5);
    FAIL();
  } catch (const EPdfInvalidValue& e) {
    EXPECT_EQ(e.Message(), u"Zoom<0");
  }
}

}  // namespace

namespace {

TEST(DocumentEnvironment, DefaultsComeFromTheClockAndTheFontLayer) {
  TManualClock clock(FixedNow());
  ScopedClock use(clock);
  TPdfDocument doc;
  EXPECT_DOUBLE_EQ(doc.Info().CreationDate(), FixedNow());
  EXPECT_EQ(doc.ScreenLogPixels(), 96);
  EXPECT_EQ(doc.CodePage(), 1252);
  EXPECT_EQ(doc.CharSet(), 0);
  // The test machine's fonts: fonts-liberation2 and fonts-dejavu-core.
  EXPECT_GE(doc.FindTrueTypeFont("liberation sans"), 0);
  EXPECT_GE(doc.FindTrueTypeFont("DejaVu Sans"), 0);

  TPdfDocument pdfa(false, 1250, true);
  EXPECT_EQ(pdfa.CharSet(), 238);
  pdfa.AddPage();
  auto id = [](const std::string& pdf) { return pdf.substr(pdf.find("/ID [")); };
  EXPECT_NE(id(WriteToString(pdfa)), id(WriteToString(pdfa)));  // a new random ID per save
}

}  // namespace

namespace {

TEST(DocumentLayout, FixedObjectNumbersOfANewDocument) {
  TPdfDocument doc(true, 0, true, FixedPdfEnvironment());
  EXPECT_EQ(doc.Catalog().Dictionary->ObjectNumber(), 1);
  EXPECT_EQ(doc.OutlineRoot()->Dictionary->ObjectNumber(), 2);
  EXPECT_EQ(doc.Info().Dictionary->ObjectNumber(), 3);
  EXPECT_EQ(doc.RootPages().ObjectNumber(), 4);
  auto* intents = doc.Catalog().Dictionary->ValueAs<TPdfArray>("OutputIntents");
  auto* intent = dynamic_cast<TPdfDictionary*>(intents->Item(0));
  EXPECT_EQ(intent->ValueByName("DestOutputProfile")->ObjectNumber(), 5);
  EXPECT_EQ(doc.Metadata()->ObjectNumber(), 6);
  TPdfPage& page = doc.AddPage();
  EXPECT_EQ(page.ObjectNumber(), 7);
  EXPECT_EQ(page.ValueByName("Contents")->ObjectNumber(), 8);
  // The profile: an ICC v2 display profile of 560 bytes, RGB to XYZ.
  std::string icc = dynamic_cast<TPdfStream*>(intent->ValueByName("DestOutputProfile"))->Writer().ContentText();
  ASSERT_EQ(icc.size(), 560u);
  EXPECT_EQ(icc.substr(0, 4), std::string("\0\0\x02\x30", 4));
  EXPECT_EQ(icc.substr(12, 12), "mntrRGB XYZ ");
  EXPECT_EQ(icc.substr(36, 4), "acsp");
}

}  // namespace
