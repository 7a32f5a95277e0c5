// The main window's shared routines on lists of the size the workflows meet: removing
// repeated lines from 100,000 lines, and sorting a URL grid of 100,000 rows and 14 columns
// by a number column and by a text column.
#include <benchmark/benchmark.h>

#include <fstream>
#include <random>
#include <string>

#include "app/SharedRoutines.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/grid/StringGrid.h"

namespace {

// n lines of which about a third repeat an earlier one (fixed seed).
std::vector<String> Lines(int n) {
  std::mt19937 random(7);
  std::vector<String> lines;
  lines.reserve(n);
  for (int i = 0; i < n; ++i) {
    if (i > 0 && random() % 3 == 0)
      lines.push_back(lines[random() % i]);
    else
      lines.push_back(Utf8ToString("http://www.shop.example/kategorie-" + std::to_string(random() % 1000) +
                                   "/artikel-" + std::to_string(random())));
  }
  return lines;
}

void BM_RemoveDuplicateLines(benchmark::State& state) {
  const std::vector<String> lines = Lines(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    TStringList list;
    for (const String& line : lines) list.Add(line);
    state.ResumeTiming();
    RemoveDuplicateLines(list);
    benchmark::DoNotOptimize(list.Count());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RemoveDuplicateLines)->Arg(100000)->Unit(benchmark::kMillisecond);

void FillGrid(TStringGrid& grid, int rows) {
  std::mt19937 random(11);
  grid.SetColCount(14);
  grid.SetRowCount(rows + 1);
  for (int r = 1; r <= rows; ++r) {
    grid.SetCell(0, r, Utf8ToString(std::to_string(r)));
    grid.SetCell(1, r, Utf8ToString("http://www.shop.example/artikel-" + std::to_string(random())));
    for (int c = 2; c < 14; ++c) grid.SetCell(c, r, Utf8ToString(std::to_string(random() % 100000)));
  }
}

void BM_SortGridRows(benchmark::State& state) {
  TApplication app;
  TStringGrid grid(nullptr);
  const int rows = static_cast<int>(state.range(0));
  const int column = static_cast<int>(state.range(1));
  for (auto _ : state) {
    state.PauseTiming();
    FillGrid(grid, rows);
    state.ResumeTiming();
    SortGridRowsByColumn(grid, column);
  }
  state.SetItemsProcessed(state.iterations() * rows);
}
// Column 3 holds counts (numeric sort), column 1 URLs (collated text sort).
BENCHMARK(BM_SortGridRows)->Args({100000, 3})->Args({100000, 1})->Unit(benchmark::kMillisecond);

// The same data for the command-line peers: the lines, and the grid as CSV.
void WritePeerFiles() {
  std::ofstream lines("/tmp/wendrel-bench-app-lines.txt", std::ios::binary);
  for (const String& line : Lines(100000)) lines << StringToUtf8(line) << "\n";
  TApplication app;
  TStringGrid grid(nullptr);
  FillGrid(grid, 100000);
  std::ofstream csv("/tmp/wendrel-bench-app-grid.csv", std::ios::binary);
  for (int r = 1; r < grid.RowCount(); ++r) {
    for (int c = 0; c < grid.ColCount(); ++c) csv << (c ? "," : "") << StringToUtf8(grid.Cells(c, r));
    csv << "\n";
  }
}

}  // namespace

int main(int argc, char** argv) {
  WritePeerFiles();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
