// A document of many small pages: each page added through TPdfDocument::AddPage gets a line
// of drawing, and the whole document is written to memory. Doubling the pages should about
// double the time (the page list takes each new page without looking through the others).
#include <benchmark/benchmark.h>

#include <string>

#include "pdf/document/PdfCanvas.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/objects/PdfStream.h"
#include "platform/rtl/Streams.h"

namespace {

void AddPagesAndWrite(benchmark::State& state) {
  const int pages = static_cast<int>(state.range(0));
  size_t bytes = 0;
  for (auto _ : state) {
    TPdfDocument doc;
    for (int page = 0; page < pages; ++page) {
      doc.AddPage();
      doc.Canvas().Contents()->Writer().Add("0 0 m " + std::to_string(page % 500) + " 100 l S\n");
    }
    TMemoryStream out;
    doc.WriteToStream(out);
    bytes = static_cast<size_t>(out.Size());
  }
  state.counters["file_MB"] = static_cast<double>(bytes) / (1 << 20);
}
BENCHMARK(AddPagesAndWrite)->RangeMultiplier(2)->Range(10000, 80000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
