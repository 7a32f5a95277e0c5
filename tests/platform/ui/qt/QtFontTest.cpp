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

TEST_F(QtGridFitFixture, ColumnFittedByTheModelShowsTheWholeUrl) {
  grid->SetCell(0, 0, u"Nr.");
  grid->SetCell(1, 0, u"URL");
  grid->SetCell(1, 1, kUrl);
  // The main window's rule: the widest text plus the grid line and five pixels.
  grid->SetColWidths(1, grid->Canvas().TextWidth(kUrl) + grid->GridLineWidth() + 5);
  app.ProcessMessages();

  auto* view = qobject_cast<QTableView*>(TQtPeer::Of(grid)->Widget());
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->textElideMode(), Qt::ElideNone);
  EXPECT_FALSE(view->wordWrap());
  ASSERT_EQ(view->columnWidth(0), grid->ColWidths(1));

  // The delegate's room for text: the column less the style's margin on either side.
  int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
  int room = view->columnWidth(0) - 2 * margin;
  QFontMetrics metrics(view->font());
  EXPECT_LE(metrics.horizontalAdvance(ToQt(kUrl)), room + 1);
  EXPECT_EQ(metrics.elidedText(ToQt(kUrl), Qt::ElideRight, room + 1), ToQt(kUrl));

  // Drawn: the ink of the URL's cell reaches to where the model's width ends, and the text
  // is not cut short by an ellipsis (whose three dots end well before that).
  QImage image = view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  QRect cell = view->visualRect(view->model()->index(0, 0));
  int rightmostInk = -1;
  for (int y = cell.top() + 1; y < cell.bottom(); ++y)
    for (int x = cell.left(); x < cell.right(); ++x)
      if (qGray(image.pixel(x, y)) < 128) rightmostInk = std::max(rightmostInk, x);
  int modelEnd = cell.left() + margin + grid->Canvas().TextWidth(kUrl);
  EXPECT_GE(rightmostInk, modelEnd - 4) << "cell " << cell.left() << ".." << cell.right();
  EXPECT_LT(rightmostInk, cell.right());
}

}  // namespace
