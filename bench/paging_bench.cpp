// Cutting a large real document into page metafiles of 718 x 1047 pixels (A4 with margins
// of 1 cm at 96 pixels per inch): all pages kept in one list, and the same pages taken one at
// a time and dropped. The document is Git's user manual (package git-doc) with its body
// repeated to about 1,000 pages, parsed and laid out once. The counters peak_MB are the peak
// resident memory of a fresh process that loads the document and pages it once that way;
// load_MB that of one that only loads and lays it out.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "PeakMemory.h"
#include "html/document/model/Document.h"
#include "html/document/paging/PageRenderer.h"
#include "html/document/parser/HtmlParser.h"
#include "html/foundation/charsets/Buffer.h"
#include "html/foundation/images/ImageCache.h"
#include "platform/gdi/metafile/Metafile.h"
#include "platform/rtl/Streams.h"

namespace {

constexpr int PageWidth = 718, PageHeight = 1047;
constexpr const char* Manual = "/usr/share/doc/git-doc/user-manual.html";
constexpr int Repeats = 6;

// The manual with its body repeated.
std::string RepeatedManual() {
  std::ifstream file(Manual, std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "%s is missing: install git-doc\n", Manual);
    std::exit(1);
  }
  std::stringstream all;
  all << file.rdbuf();
  const std::string html = all.str();
  const size_t open = html.find("<body"), bodyStart = html.find('>', open) + 1, close = html.rfind("</body>");
  std::string out = html.substr(0, bodyStart);
  for (int i = 0; i < Repeats; ++i) out += html.substr(bodyStart, close - bodyStart);
  return out + "</body></html>";
}

struct TManualDocument {
  TStringBitmapList cache;
  ThtDocument document{nullptr, nullptr};

  TManualDocument() {
    document.ImageCache = &cache;
    document.SetDefaults(u"Times New Roman", u"Courier New", 10, 8, 1, 1252, true, false, clWhite, clBlue, clPurple,
                         clBlue, clBlack, 12);
    TStringStream stream(RepeatedManual());
    std::unique_ptr<TBuffer> buffer = TBuffer::CreateFromStream(stream, u"user-manual.html");
    THtmlParser parser(buffer.get());
    parser.ParseHtml(&document);
    int scrollWidth = 0, cursor = 0;
    document.DoLogic(document.MeasureCanvas(), 0, PageWidth, PageHeight, scrollWidth, cursor);
  }
};

size_t Bytes(const TPageMetafileList& pages) {
  size_t bytes = 0;
  for (const auto& page : pages) bytes += page->Data().size();
  return bytes;
}

void AllPagesInOneList(benchmark::State& state) {
  TManualDocument doc;
  size_t pages = 0, bytes = 0;
  for (auto _ : state) {
    TPageMetafileList list = RenderPageMetafiles(doc.document, PageWidth, PageHeight);
    pages = list.size();
    bytes = Bytes(list);
  }
  state.counters["pages"] = static_cast<double>(pages);
  state.counters["metafile_MB"] = static_cast<double>(bytes) / (1 << 20);
  const std::string peak = RunSelf("--all"), load = RunSelf("--load");
  state.counters["peak_MB"] = std::atof(peak.c_str());
  state.counters["load_MB"] = std::atof(load.c_str());
}
BENCHMARK(AllPagesInOneList)->Unit(benchmark::kMillisecond)->Iterations(1);

void PagesOneAtATime(benchmark::State& state) {
  TManualDocument doc;
  size_t pages = 0;
  for (auto _ : state) {
    pages = 0;
    TPageRenderer renderer(doc.document, PageWidth, PageHeight);
    while (std::unique_ptr<TMetafile> page = renderer.NextPage()) ++pages;
  }
  state.counters["pages"] = static_cast<double>(pages);
  const std::string peak = RunSelf("--one");
  state.counters["peak_MB"] = std::atof(peak.c_str());
}
BENCHMARK(PagesOneAtATime)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--load") == 0) {
    TManualDocument doc;
    std::printf("%.1f\n", OwnPeakResidentMegabytes());
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--all") == 0) {
    TManualDocument doc;
    TPageMetafileList list = RenderPageMetafiles(doc.document, PageWidth, PageHeight);
    std::printf("%.1f\n", OwnPeakResidentMegabytes());
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--one") == 0) {
    TManualDocument doc;
    TPageRenderer renderer(doc.document, PageWidth, PageHeight);
    while (renderer.NextPage()) {
    }
    std::printf("%.1f\n", OwnPeakResidentMegabytes());
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
