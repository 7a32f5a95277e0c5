// The string grid at 100,000 rows x 14 columns: filling, reading, the row texts the CSV
// writer takes, hiding and showing rows, and putting the grid on screen through the Qt
// backend (a model over the grid's cells). The peer is QStandardItemModel holding the same
// cells (the copy that a plain Qt table would need).
#include <benchmark/benchmark.h>

#include <QStandardItemModel>
#include <string>
#include <vector>

#include "platform/rtl/Unicode.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/forms/Form.h"
#include "platform/ui/grid/StringGrid.h"
#include "platform/ui/qt/QtBackend.h"

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 14;

// Texts as the social-signal grid holds them: a URL, counts and sums.
const std::vector<String>& Texts() {
  static std::vector<String> texts = [] {
    std::vector<String> t;
    for (int r = 0; r < 1000; ++r) {
      t.push_back(u"https://www.example-shop.de/kategorie/produkt-" + Utf8ToString(std::to_string(r)) + u".html");
      t.push_back(Utf8ToString(std::to_string(r * 37 % 10007)));
    }
    return t;
  }();
  return texts;
}

const String& TextFor(int col, int row) { return Texts()[(row % 1000) * 2 + (col == 1 ? 0 : 1)]; }

void Fill(TStringGrid& grid) {
  grid.SetColCount(kCols);
  grid.SetRowCount(kRows + 1);
  for (int r = 1; r <= kRows; ++r)
    for (int c = 0; c < kCols; ++c) grid.SetCell(c, r, TextFor(c, r));
}

void BM_GridFill(benchmark::State& state) {
  for (auto _ : state) {
    TStringGrid grid(nullptr);
    Fill(grid);
    benchmark::DoNotOptimize(grid.CellRef(13, kRows));
  }
  state.SetItemsProcessed(state.iterations() * kRows * kCols);
}
BENCHMARK(BM_GridFill)->Unit(benchmark::kMillisecond);

void BM_PeerQStandardItemModelFill(benchmark::State& state) {
  for (auto _ : state) {
    QStandardItemModel model(kRows + 1, kCols);
    for (int r = 1; r <= kRows; ++r)
      for (int c = 0; c < kCols; ++c) {
        const String& s = TextFor(c, r);
        model.setItem(r, c, new QStandardItem(QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()))));
      }
    benchmark::DoNotOptimize(model.item(kRows, 13));
  }
  state.SetItemsProcessed(state.iterations() * kRows * kCols);
}
BENCHMARK(BM_PeerQStandardItemModelFill)->Unit(benchmark::kMillisecond);

void BM_GridReadAll(benchmark::State& state) {
  TStringGrid grid(nullptr);
  Fill(grid);
  for (auto _ : state) {
    size_t total = 0;
    for (int r = 0; r <= kRows; ++r)
      for (int c = 0; c < kCols; ++c) total += grid.CellRef(c, r).size();
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations() * (kRows + 1) * kCols);
}
BENCHMARK(BM_GridReadAll)->Unit(benchmark::kMillisecond);

void BM_GridRowCommaText(benchmark::State& state) {
  TStringGrid grid(nullptr);
  Fill(grid);
  for (auto _ : state) {
    size_t total = 0;
    for (int r = 0; r <= kRows; ++r) total += grid.Rows(r).CommaText().size();
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations() * (kRows + 1));
}
BENCHMARK(BM_GridRowCommaText)->Unit(benchmark::kMillisecond);

void BM_GridHideAndShowLastRow(benchmark::State& state) {
  TStringGrid grid(nullptr);
  Fill(grid);
  for (auto _ : state) {
    grid.SetRowCount(grid.RowCount() - 1);
    grid.SetRowCount(grid.RowCount() + 1);
  }
}
BENCHMARK(BM_GridHideAndShowLastRow);

// Showing the filled grid in a window (the window and its view are made each time) and
// changing a cell: the view reads from the grid.
void BM_QtGridShowAndUpdate(benchmark::State& state) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char arg0[] = "ui_grid_bench";
  static char* argv[] = {arg0, nullptr};
  TApplication app;
  app.SetBackend(std::make_unique<TQtBackend>(argc, argv));
  TForm* form = nullptr;
  app.CreateForm(form);
  auto* grid = new TStringGrid(form);
  grid->SetParent(form);
  Fill(*grid);
  for (auto _ : state) {
    form->Show();
    grid->SetCell(1, kRows, u"changed");
    app.ProcessMessages();
    form->Hide();
    form->DestroyPeer();
  }
}
BENCHMARK(BM_QtGridShowAndUpdate)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
