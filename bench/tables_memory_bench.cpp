// Memory per table cell: a report table of N rows x 3 cells, as the program's own grid
// reports write it (one TD per cell with ALIGN and VALIGN, a URL, a count and a word), is
// parsed and paged the way the command-line conversion does it: the document is parsed
// without a screen layout, the page renderer gets a printing copy that frees the parsed
// document's table rows as it copies them, lays it out for A4 pages (718 x 1047 pixels)
// and draws every page into a metafile that is dropped at once.
// The counters come from fresh processes (the program runs itself with --once=N): peak_MB
// is the peak resident memory of one that parses and pages N rows, base_MB that of one that
// pages a table of one row; bytes_per_cell is (peak - base) / cells, and
// growth_bytes_per_cell the growth from N / 2 rows to N rows divided by the cells added,
// which leaves out what every run has whatever its size.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "bench/PeakMemory.h"
#include "html/document/model/Document.h"
#include "html/document/paging/PageRenderer.h"
#include "html/document/parser/HtmlParser.h"
#include "html/foundation/charsets/Buffer.h"
#include "html/foundation/images/ImageCache.h"
#include "platform/gdi/metafile/Metafile.h"
#include "platform/rtl/Streams.h"

namespace {

constexpr int PageWidth = 718, PageHeight = 1047;
constexpr int Columns = 3;

// The table of the grid report (app/GridReports.cpp) with rows of a URL, a count and a word.
std::string ReportTable(int rows) {
  std::string html = "<html><head><title>Report</title></head><body>\n  <table>\n";
  char line[160];
  for (int r = 0; r < rows; ++r) {
    html += "  <tr>\n";
    std::snprintf(line, sizeof line, "    <td align=\"left\" valign=\"top\">https://www.example.org/page/%d</td>\n", r);
    html += line;
    std::snprintf(line, sizeof line, "    <td align=\"left\" valign=\"top\">%d</td>\n", (r * 37) % 1000);
    html += line;
    std::snprintf(line, sizeof line, "    <td align=\"left\" valign=\"top\">Word %d</td>\n", r % 97);
    html += line;
    html += "  </tr>\n";
  }
  return html + "  </table>\n</body></html>\n";
}

struct TReportDocument {
  TStringBitmapList cache;
  ThtDocument document{nullptr, nullptr};

  explicit TReportDocument(int rows) {
    document.ImageCache = &cache;
    document.SetDefaults(u"Times New Roman", u"Courier New", 10, 8, 1, 1252, true, false, clWhite, clBlue, clPurple,
                         clBlue, clBlack, 12);
    TStringStream stream(ReportTable(rows));
    std::unique_ptr<TBuffer> buffer = TBuffer::CreateFromStream(stream, u"report.html");
    THtmlParser parser(buffer.get());
    parser.ParseHtml(&document);
  }
};

// Parses and pages the table; answers the pages.
int ParseAndPage(int rows) {
  TReportDocument doc(rows);
  // As the command line does with a document loaded only to be paged: the printing copy
  // frees the source's rows as it copies them.
  TPageRenderer renderer(ThtDocument::TakeOver(std::move(doc.document)), PageWidth, PageHeight);
  int pages = 0;
  while (std::unique_ptr<TMetafile> page = renderer.NextPage()) ++pages;
  return pages;
}

double PeakOf(int rows) { return std::atof(RunSelf("--once=" + std::to_string(rows)).c_str()); }

void ParseAndPageReportTable(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  int pages = 0;
  for (auto _ : state) pages = ParseAndPage(rows);
  const double cells = static_cast<double>(rows) * Columns;
  const double peak = PeakOf(rows), half = PeakOf(rows / 2), base = PeakOf(1);
  state.counters["pages"] = pages;
  state.counters["peak_MB"] = peak;
  state.counters["base_MB"] = base;
  state.counters["bytes_per_cell"] = (peak - base) * 1048576.0 / cells;
  state.counters["growth_MB"] = peak - half;
  state.counters["growth_bytes_per_cell"] = (peak - half) * 1048576.0 / (cells - (rows / 2) * Columns);
}
BENCHMARK(ParseAndPageReportTable)->Arg(10000)->Arg(20000)->Arg(40000)->Arg(80000)->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strncmp(argv[1], "--once=", 7) == 0) {
    ParseAndPage(std::atoi(argv[1] + 7));
    std::printf("%.1f\n", OwnPeakResidentMegabytes());
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
