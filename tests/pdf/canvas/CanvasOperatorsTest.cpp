// The canvas's operators and text state as they appear in the content stream.
#include <gtest/gtest.h>

#include <functional>

#include "pdf/document/PdfDocument.h"
#include "pdf/objects/PdfExceptions.h"
#include "tests/pdf/PdfTestTools.h"

namespace {

std::vector<String> TestFamilies() { return {u"Arial", u"Courier New", u"DejaVu Sans", u"Times New Roman"}; }

class CanvasTest : public testing::Test {
 protected:
  CanvasTest() : doc_(false, 0, false, FixedPdfEnvironment(TestFamilies())) {
    doc_.CompressStreams = false;
    doc_.AddPage();
  }
  std::string Content() { return doc_.Canvas().Contents()->Writer().ContentText(); }
  TPdfCanvas& C() { return doc_.Canvas(); }
  TPdfDocument doc_;
};

TEST_F(CanvasTest, OperatorsWriteTheirExactText) {
  struct Case {
    const char* name;
    std::function<void(TPdfCanvas&)> draw;
    const char* expected;
  } cases[] = {
      {"q", [](TPdfCanvas& c) { c.SaveState(); }, "q\n"},
      {"cm", [](TPdfCanvas& c) { c.ConcatToCTM(1, 0, 0, 1, 10.5, -3, 2); }, "1.00 0.00 0.00 1.00 10.50 -3.00 cm\n"},
      {"dash", [](TPdfCanvas& c) { c.SetDash({4, 1}, 2); }, "[4 1 ] 2 d\n"},
      {"solid dash, empty", [](TPdfCanvas& c) { c.SetDash({}, 0); }, "[] 0 d\n"},
      {"solid dash, first 0", [](TPdfCanvas& c) { c.SetDash({0, 3}, 0); }, "[] 0 d\n"},
      {"w", [](TPdfCanvas& c) { c.SetLineWidth(0.75); }, "0.75 w\n"},
      {"m l c", [](TPdfCanvas& c) { c.MoveTo(1, 2); c.LineTo(3.25, 4); c.CurveTo(1, 2, 3, 4, 5, 6); },
       "1 2 m\n3.25 4 l\n1 2 3 4 5 6 c\n"},
      {"re h n S f B W", [](TPdfCanvas& c) { c.AppendRectangle(0, 0, 10, 20); c.ClosePath(); c.EndPath(); c.Stroke(); c.Fill(); c.FillStroke(); c.ClipToPath(); },
       "0 0 10 20 re\nh\nn\nS\nf\nB\nW\n"},
      {"colours", [](TPdfCanvas& c) { c.SetFillColor(0x0000FF); c.SetStrokeColor(0xFF0000); }, "1 0 0 rg\n0 0 1 RG\n"},
      {"Tm T*", [](TPdfCanvas& c) { c.SetTextMatrix(1, 0, 0, 1, 72, 700); c.MoveToNextLine(); }, "1 0 0 1 72 700 Tm\nT*\n"},
      {"Tw once", [](TPdfCanvas& c) { c.SetWordSpace(2); c.SetWordSpace(2); }, "2 Tw\n"},
      {"Tz 100 on a fresh page, once", [](TPdfCanvas& c) { c.SetHorizontalScaling(100); c.SetHorizontalScaling(100); }, "100 Tz\n"},
      {"Tf op", [](TPdfCanvas& c) { c.SetFontAndSizeOp("F3", 9); }, "/F3 9 Tf\n"},
  };
  for (const Case& k : cases) {
    TPdfDocument doc(false, 0, false, FixedPdfEnvironment());
    doc.AddPage();
    k.draw(doc.Canvas());
    EXPECT_EQ(doc.Canvas().Contents()->Writer().ContentText(), k.expected) << k.name;
  }
}

TEST_F(CanvasTest, WithoutAPageNothingIsWrittenAndGetPageRaises) {
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment(TestFamilies()));
  doc.Canvas().MoveTo(1, 1);
  doc.Canvas().SaveState();
  EXPECT_EQ(doc.Canvas().SelectFont("Arial", 0, 9) != nullptr, true);
  EXPECT_THROW(doc.Canvas().GetPage(), EPdfInvalidOperation);
}

TEST_F(CanvasTest, RefusedValuesRaiseAndWriteNothing) {
  EXPECT_THROW(C().SetWordSpace(-1), EPdfInvalidValue);
  EXPECT_THROW(C().SetHorizontalScaling(5), EPdfInvalidValue);
  EXPECT_THROW(C().SetHorizontalScaling(301), EPdfInvalidValue);
  EXPECT_EQ(Content(), "");
}

TEST_F(CanvasTest, FontIsWrittenOncePerPageAndAgainAfterARestore) {
  C().SelectFont("Arial", 0, 9);
  C().SelectFont("Arial", 0, 9);
  C().SaveState();
  C().SelectFont("Arial", fsBold, 9);
  C().SetWordSpace(1);
  C().RestoreState();
  C().SelectFont("Arial", 0, 9);        // in force again after Q: nothing written
  C().SelectFont("Arial", fsBold, 9);  // undone by Q: written again
  C().SetWordSpace(1);
  EXPECT_EQ(Content(), "/F0 9 Tf\nq\n/F1 9 Tf\n1 Tw\nQ\n/F1 9 Tf\n1 Tw\n");
  doc_.AddPage();
  C().SelectFont("Arial", 0, 9);
  EXPECT_EQ(Content(), "/F0 9 Tf\n");
}

TEST_F(CanvasTest, SubstitutionChain) {
  struct Case {
    const char* asked;
    bool fixedPitch;
    const char* family;
  } cases[] = {
      {"helveticaNeue", false, "Arial"},          {"Courier Std", false, "Courier New"},
      {"TIMES Roman", false, "Times New Roman"},  {"No Such Family", false, "DejaVu Sans"},
      {"No Such Family", true, "Courier New"},    {"Times New Roman", true, "Times New Roman"},
  };
  for (const Case& k : cases) {
    TPdfDocument doc(false, 0, false, FixedPdfEnvironment(TestFamilies()));
    doc.SetFallbackFontIndex(doc.FindTrueTypeFont("DejaVu Sans"));
    doc.AddPage();
    auto* font = doc.Canvas().SelectFont(k.asked, 0, 10, -1, -1, k.fixedPitch);
    ASSERT_NE(font, nullptr) << k.asked;
    EXPECT_EQ(doc.TrueTypeFontNames()[static_cast<size_t>(font->FontIndex - 1)], k.family) << k.asked;
  }
  // Without a fallback family, "Arial".
  auto* font = C().SelectFont("No Such Family", 0, 10);
  EXPECT_EQ(doc_.TrueTypeFontNames()[static_cast<size_t>(font->FontIndex - 1)], "Arial");
  // With no family installed at all there is no font.
  TPdfDocument bare(false, 0, false, FixedPdfEnvironment({}));
  bare.AddPage();
  EXPECT_EQ(bare.Canvas().SelectFont("Arial", 0, 10), nullptr);
}

TEST_F(CanvasTest, StandardFontsReplaceTheWindowsFamilies) {
  doc_.SubstituteStandardFonts = true;
  struct Case {
    const char* asked;
    uint8_t style;
    const char* baseFont;
  } cases[] = {{"Arial", 0, "Helvetica"},           {"helvetica", fsBold | fsItalic, "Helvetica-BoldOblique"},
               {"Times New Roman", 0, "Times-Roman"}, {"Times", fsItalic, "Times-Italic"},
               {"Times", fsBold | fsItalic, "Times-BoldItalic"}, {"Courier New", fsBold, "Courier-Bold"}};
  for (const Case& k : cases) {
    TPdfFont* font = C().SelectFont(k.asked, k.style, 12);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->Name, k.baseFont);
    EXPECT_EQ(C().SelectFont(k.asked, k.style, 12), font) << "one font per name";
  }
}

TEST_F(CanvasTest, TextWidthWithSpacing) {
  doc_.SubstituteStandardFonts = true;
  C().SelectFont("Courier", 0, 10);
  C().SetWordSpace(2);
  EXPECT_FLOAT_EQ(C().MeasureText("a b"), 18 + 2);
  EXPECT_FLOAT_EQ(C().MeasureText("ab "), 18);
  C().SetHorizontalScaling(50);
  EXPECT_FLOAT_EQ(C().MeasureText("ab"), 6);
}

TEST_F(CanvasTest, EllipseAndRoundRectAreClosedBezierPaths) {
  C().Ellipse(0, 0, 100, 50);
  C().RoundRect(0, 0, 100, 50, 20, 10);
  EXPECT_EQ(Content(),
            "0 25 m\n0 11.19 22.39 0 50 0 c\n77.61 0 100 11.19 100 25 c\n100 38.81 77.61 50 50 50 c\n"
            "22.39 50 0 38.81 0 25 c\n"
            "10 0 m\n90 0 l\n95.52 0 100 2.24 100 5 c\n100 45 l\n100 47.76 95.52 50 90 50 c\n10 50 l\n"
            "4.48 50 0 47.76 0 45 c\n0 5 l\n0 2.24 4.48 0 10 0 c\nh\n");
}

TEST_F(CanvasTest, DeviceRectanglesMapToPoints) {
  C().WorldFactorX = C().WorldFactorY = 0.75f;
  C().WorldOffsetY = 842;
  double l1, b1, r1, t1, l2, b2, r2, t2;
  C().RectToPdfRect({10, 20, 110, 60}, l1, b1, r1, t1);
  C().RectToPdfRect({110, 60, 10, 20}, l2, b2, r2, t2);
  EXPECT_EQ(std::vector<double>({l1, b1, r1, t1}), std::vector<double>({l2, b2, r2, t2}));
  EXPECT_EQ(std::vector<double>({l1, b1, r1, t1}), std::vector<double>({7.5, 797, 82.5, 827}));
  double x, y, w, h;
  C().RectToBox({10, 20, 110, 60}, x, y, w, h);
  EXPECT_EQ(std::vector<double>({x, y, w, h}), std::vector<double>({7.5, 797, 75, 30}));
}

TEST_F(CanvasTest, DrawXObjectNeedsARegisteredObject) {
  EXPECT_THROW(C().DrawXObject(0, 0, 10, 10, "Im1"), EPdfInvalidValue);
}

}  // namespace
