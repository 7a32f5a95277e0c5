// Qt draws with the font the model measures with: a column fitted to its text by the
// model's measure shows the whole text in the Qt view.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QStyle>
#include <QTableView>

#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/MeasureDC.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/forms/Form.h"
#include "platform/ui/grid/StringGrid.h"
#include "platform/ui/qt/QtBackend.h"
#include "platform/ui/qt/QtConvert.h"
#include "platform/ui/qt/QtPeer.h"
#include "tests/platform/ui/qt/GridInk.h"

namespace {

int argc = 1;
char arg0[] = "uiqt_tests";
char* argv[] = {arg0, nullptr};

const String kUrl = u"https://www.example-research-institute.org/publications/2026/annual-report-on-grid-widths.html";

struct TFontCase {
  const char16_t* name;
  int height;
  TFontStyles style;
};

class QtFontWidths : public ::testing::TestWithParam<TFontCase> {
 protected:
  TApplication app;
  void SetUp() override { app.SetBackend(std::make_unique<TQtBackend>(argc, argv)); }
};

// Windows face names that fontconfig maps to other families, a cell height and styles.
INSTANTIATE_TEST_SUITE_P(Faces, QtFontWidths,
                         ::testing::Values(TFontCase{u"Tahoma", -11, 0}, TFontCase{u"MS Sans Serif", -11, 0},
                                           TFontCase{u"Arial", -13, 0}, TFontCase{u"Arial", 16, 0},
                                           TFontCase{u"Times New Roman", -15, fsItalic},
                                           TFontCase{u"Courier New", -13, 0}, TFontCase{u"Tahoma", -11, fsBold}),
                         [](const auto& info) {
                           std::string name;
                           for (char16_t c : String(info.param.name))
                             if (c != u' ') name += static_cast<char>(c);
                           return name + (info.param.height < 0 ? "Em" : "Cell") +
                                  std::to_string(std::abs(info.param.height)) +
                                  (info.param.style & fsBold ? "Bold" : info.param.style & fsItalic ? "Italic" : "");
                         });

TEST_P(QtFontWidths, QtPicksTheModelsFamilyAndMeasuresNoWider) {
  TFont font;
  font.SetName(GetParam().name);
  font.SetHeight(GetParam().height);
  font.SetStyle(GetParam().style);
  QFont qt = ToQtFont(font);
  EXPECT_EQ(QFontInfo(qt).family(), ToQt(font.Handle().Realized().Location().FileFamily));
  EXPECT_EQ(QFontInfo(qt).bold(), (GetParam().style & fsBold) != 0);

  TCanvas canvas(std::make_unique<TMeasureDC>());
  canvas.Font().Assign(font);
  // The model rounds every glyph's advance to whole pixels, Qt adds fractional advances: Qt
  // may come out narrower over a long line, never wider by more than a rounding.
  int model = canvas.TextWidth(kUrl);
  double drawn = QFontMetricsF(qt).horizontalAdvance(ToQt(kUrl));
  EXPECT_LE(drawn, model + 1.0) << "model " << model;
  EXPECT_GE(drawn, model * 0.95) << "model " << model;
}

struct QtGridFitFixture : ::testing::Test {
  TApplication app;
  TForm* form = nullptr;
  TStringGrid* grid = nullptr;

  void SetUp() override {
    app.SetBackend(std::make_unique<TQtBackend>(argc, argv));
    app.CreateForm(form);
    form->SetClientWidth(900);
    form->SetClientHeight(300);
    grid = new TStringGrid(form);
    grid->SetParent(form);
    grid->SetBounds(0, 0, 900, 300);
    grid->SetColCount(3);
    grid->SetRowCount(3);
    form->Show();
    app.ProcessMessages();
  }
};

// A column fitted to its text by the model's rule (the widest text plus the grid line and
// five pixels) shows the whole text with room to spare, in fonts whose glyphs Qt would lay
// out wider than the model's whole-pixel advances (forty W's ran 4 % over).
struct TFitCase {
  const char* name;
  const char16_t* face;
  int height;
  TFontStyles style;
  String text;
};

void PrintTo(const TFitCase& c, std::ostream* os) { *os << c.name; }

class QtGridFit : public QtGridFitFixture, public ::testing::WithParamInterface<TFitCase> {};

TEST_P(QtGridFit, ColumnFittedByTheModelShowsTheWholeText) {
  const TFitCase& c = GetParam();
  grid->Canvas().Font().SetName(c.face);
  grid->Canvas().Font().SetHeight(c.height);
  grid->Canvas().Font().SetStyle(c.style);
  grid->SetCell(0, 0, u"Nr.");
  grid->SetCell(1, 0, c.text);
  grid->SetCell(1, 1, c.text);
  const int measured = grid->Canvas().TextWidth(c.text);
  grid->SetColWidths(1, measured + grid->GridLineWidth() + 5);
  app.ProcessMessages();

  auto* view = qobject_cast<QTableView*>(TQtPeer::Of(grid)->Widget());
  ASSERT_NE(view, nullptr);
  ASSERT_EQ(view->columnWidth(0), grid->ColWidths(1));
  EXPECT_EQ(view->textElideMode(), Qt::ElideNone);

  // The cell and the title: the ink reaches to where the model's width ends (the text is
  // neither cut short nor shortened by an ellipsis) and stops two pixels before the edge.
  QRect cell = view->visualRect(view->model()->index(0, 0));
  QImage cells = view->viewport()->grab().toImage();
  int ink = RightmostInk(cells, cell);
  EXPECT_GE(ink, cell.left() + 2 + measured - 3) << "cell " << cell.left() << ".." << cell.right();
  EXPECT_LE(ink, cell.right() - 2) << "cell " << cell.left() << ".." << cell.right();

  QHeaderView& header = *view->horizontalHeader();
  QRect title(header.sectionViewportPosition(0), 0, header.sectionSize(0) - 1, header.height() - 2);
  int titleInk = RightmostInk(header.viewport()->grab().toImage(), title);
  EXPECT_GE(titleInk, title.left() + 2 + measured - 3);
  EXPECT_LE(titleInk, title.right() - 2);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, QtGridFit,
    ::testing::Values(TFitCase{"CapitalWs", u"Tahoma", -11, 0, u"http://" + String(40, u'W')},
                      TFitCase{"Url", u"Tahoma", -11, 0, kUrl},
                      TFitCase{"Umlauts", u"Tahoma", -11, 0, u"Größenänderung der Spaltenüberschriften – Übersicht"},
                      TFitCase{"BoldCapitals", u"Tahoma", -11, fsBold, u"MWMWMWMWMWMWMWMWMWMWMWMWMWMWMW"},
                      TFitCase{"ItalicSerif", u"Times New Roman", -15, fsItalic, u"Kursive Überschrift mit vielen Wörtern: Wendrel"},
                      TFitCase{"Mono", u"Courier New", -13, 0, kUrl}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
