// Laying out and painting a table of 8 columns and 2,500, 5,000 or 10,000 rows: a header row
// and body rows whose cells hold a few words of text, BORDER=1, spacing 2 and padding 3,
// every other row with a background colour. Google Benchmark times the layout at 800 pixels
// (column widths from every cell, row heights, the placement of every cell) and the paint
// of the whole table screen by screen (800 x 600) onto the raster device; the time per row
// shows whether both stay linear in the rows. The counter peak_MB is the peak resident
// memory (VmHWM) of a fresh process that builds, lays out and paints the 10,000-row table
// once (the program runs itself with --once), base_MB that of one that only sets up the
// style sheet, fonts and screen bitmap.
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "bench/BenchDocument.h"
#include "bench/PeakMemory.h"
#include "html/document/inline/Section.h"
#include "html/document/model/Document.h"
#include "html/document/tables/HtmlTable.h"
#include "html/document/tables/TableBlock.h"
#include "html/foundation/css/StyleList.h"
#include "html/foundation/css/StyleParser.h"
#include "html/foundation/fonts/FontSizes.h"
#include "html/foundation/shared/Attributes.h"
#include "html/foundation/shared/TextTokens.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/MeasureDC.h"
#include "platform/rtl/IntConvert.h"

namespace {

constexpr int Columns = 8;
constexpr int PageWidth = 800, ScreenHeight = 600;

enum : uint8_t { BorderSy = 8, BgColorSy = 6, CellPaddingSy = 12, CellSpacingSy = 13 };

struct TTableDocument : TBenchDocument {
  void Pop() { stack.Delete(stack.Count() - 1); }

  void AddText(TCellBasic& cell, TProperties& props, const String& text) {
    auto section = std::make_unique<TSection>(&document, true, nullptr, props, nullptr);
    TokenObj token;
    for (size_t k = 0; k < text.size(); ++k) token.AppendChar(text[k], static_cast<int>(k));
    section->AddTokenObj(token);
    cell.AddSection(std::move(section), static_cast<int>(text.size()));
  }

  void Build(int rows) {
    TAttributeList tableAttributes;
    tableAttributes.Add(new TAttribute(BorderSy, 1, u"BORDER", u"1", 1252));
    tableAttributes.Add(new TAttribute(CellSpacingSy, 2, u"CELLSPACING", u"2", 1252));
    tableAttributes.Add(new TAttribute(CellPaddingSy, 3, u"CELLPADDING", u"3", 1252));
    TAttributeList shaded;
    shaded.Add(new TAttribute(BgColorSy, 0, u"BGCOLOR", u"#f0f0ff", 1252));
    TProperties& tableProps = Push(u"table");
    auto table = std::make_unique<THtmlTable>(&document, tableProps, &tableAttributes);
    THtmlTable& t = *table;
    document.AddSection(std::make_unique<TTableBlock>(&document, &tableAttributes, std::move(table), &document,
                                                      tableProps),
                        0);
    for (int r = 0; r <= rows; ++r) {
      auto row = std::make_unique<TCellList>(r % 2 ? &shaded : nullptr, nullptr);
      row->RowKind = r == 0 ? 0 : 1;
      for (int c = 0; c < Columns; ++c) {
        TProperties& props = Push(r == 0 ? u"th" : u"td");
        auto cell = std::make_unique<TCellObj>(&document, props, nullptr, 2);
        const String text = r == 0 ? u"Column " + IntToStr(c + 1)
                                   : u"Row " + IntToStr(r) + u" value " + IntToStr((r * 31 + c * 7) % 1000);
        AddText(*cell->Cell, props, text);
        row->AddCell(cell.release());
        Pop();
      }
      t.Rows.Add(row.release());
    }
    Pop();
  }

  int Layout() {
    int cursor = 0, maxWidth = 0;
    return document.Layout(canvas, 0, cursor, maxWidth, ScreenHeight, 0, PageWidth);
  }

  void PaintAll(TBitmap& screen, int height) {
    for (int top = 0; top < height; top += ScreenHeight) {
      document.YOffset = top;
      screen.Canvas().Brush().SetColor(clWhite);
      screen.Canvas().FillRect(TRect{0, 0, PageWidth, ScreenHeight});
      document.Draw(screen.Canvas(), TRect{0, 0, PageWidth, ScreenHeight}, PageWidth, 0, 0, 0, 0);
    }
    document.YOffset = 0;
  }
};

double PeakMegabytes(const char* mode) { return std::atof(RunSelf(mode).c_str()); }

void LayoutTable(benchmark::State& state) {
  TTableDocument doc;
  doc.Build(static_cast<int>(state.range(0)));
  int height = 0;
  for (auto _ : state) benchmark::DoNotOptimize(height = doc.Layout());
  state.counters["height_px"] = height;
  state.counters["per_row_us"] = benchmark::Counter(static_cast<double>(state.range(0)) * state.iterations(),
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(LayoutTable)->Arg(2500)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond);

void PaintTable(benchmark::State& state) {
  TTableDocument doc;
  doc.Build(static_cast<int>(state.range(0)));
  const int height = doc.Layout();
  TBitmap screen(PageWidth, ScreenHeight, pf24bit);
  for (auto _ : state) doc.PaintAll(screen, height);
  state.counters["screens"] = (height + ScreenHeight - 1) / ScreenHeight;
  state.counters["per_row_us"] = benchmark::Counter(static_cast<double>(state.range(0)) * state.iterations(),
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(PaintTable)->Arg(2500)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BuildLayoutAndPaint10000Rows(benchmark::State& state) {
  for (auto _ : state) {
    TTableDocument doc;
    doc.Build(10000);
    const int height = doc.Layout();
    TBitmap screen(PageWidth, ScreenHeight, pf24bit);
    doc.PaintAll(screen, height);
  }
  state.counters["peak_MB"] = PeakMegabytes("--once");
  state.counters["base_MB"] = PeakMegabytes("--base");
}
BENCHMARK(BuildLayoutAndPaint10000Rows)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--once") == 0) {
    TTableDocument doc;
    doc.Build(10000);
    const int height = doc.Layout();
    TBitmap screen(PageWidth, ScreenHeight, pf24bit);
    doc.PaintAll(screen, height);
    std::printf("%.1f\n", OwnPeakResidentMegabytes());
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--base") == 0) {
    TTableDocument doc;
    TBitmap screen(PageWidth, ScreenHeight, pf24bit);
    std::printf("%.1f\n", OwnPeakResidentMegabytes());
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
