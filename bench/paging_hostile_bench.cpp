// Small hostile documents whose cost grew faster than their size: tables nested in table
// cells, one paragraph of many links, unclosed <b> and nested <font> elements, and long
// documents of line breaks or plain text cut into pages. Each is made by a generator at
// the size the benchmark names and parsed from memory; the timed work is the parse and the
// layout at 718 pixels (nesting, links, fonts), or the layout and the paging into page
// metafiles of 718 x 1047 pixels (breaks, text). Doubling the size should about double the
// time.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "html/document/model/Document.h"
#include "html/document/paging/PageRenderer.h"
#include "html/document/parser/HtmlParser.h"
#include "html/foundation/charsets/Buffer.h"
#include "html/foundation/images/ImageCache.h"
#include "platform/gdi/metafile/Metafile.h"
#include "platform/rtl/Streams.h"

namespace {

constexpr int PageWidth = 718, PageHeight = 1047;

std::string Repeat(const std::string& piece, int64_t times) {
  std::string out;
  out.reserve(piece.size() * static_cast<size_t>(times));
  for (int64_t i = 0; i < times; ++i) out += piece;
  return out;
}

std::string NestedTables(int64_t depth) {
  return "<html><body>" + Repeat("<table border=1><tr><td>", depth) + "deep" + Repeat("</td></tr></table>", depth) +
         "</body></html>";
}

std::string Links(int64_t count) {
  std::string out = "<html><body><p>";
  for (int64_t i = 0; i < count; ++i) out += "<a href=\"#l" + std::to_string(i) + "\">link</a> ";
  return out + "</p></body></html>";
}

std::string UnclosedBold(int64_t count) { return "<html><body><p>" + Repeat("<b>x ", count) + "</p></body></html>"; }

std::string NestedFonts(int64_t count) {
  return "<html><body><p>" + Repeat("<font size=3>y ", count) + "</p></body></html>";
}

std::string Breaks(int64_t count) { return "<html><body>" + Repeat("<br>", count) + "</body></html>"; }

// Megabytes of plain text: words on lines, no markup.
std::string PlainText(int64_t megabytes) {
  const std::string line = "The quick brown fox jumps over the lazy dog and runs back again.\n";
  return "<html><body>" + Repeat(line, megabytes * (1 << 20) / static_cast<int64_t>(line.size())) + "</body></html>";
}

struct TLoadedDocument {
  TStringBitmapList cache;
  ThtDocument document{nullptr, nullptr};

  explicit TLoadedDocument(const std::string& html) {
    document.ImageCache = &cache;
    document.SetDefaults(u"Times New Roman", u"Courier New", 10, 8, 1, 1252, true, false, clWhite, clBlue, clPurple,
                         clBlue, clBlack, 12);
    TStringStream stream(html);
    std::unique_ptr<TBuffer> buffer = TBuffer::CreateFromStream(stream, u"hostile.html");
    THtmlParser parser(buffer.get());
    parser.ParseHtml(&document);
  }

  int LayOut() {
    int scrollWidth = 0, cursor = 0;
    return document.DoLogic(document.MeasureCanvas(), 0, PageWidth, PageHeight, scrollWidth, cursor);
  }
};

template <std::string (*Make)(int64_t)>
void ParseAndLayOut(benchmark::State& state) {
  const std::string html = Make(state.range(0));
  int height = 0;
  for (auto _ : state) {
    TLoadedDocument doc(html);
    height = doc.LayOut();
  }
  state.counters["height"] = height;
}

template <std::string (*Make)(int64_t)>
void LayOutAndPage(benchmark::State& state) {
  const std::string html = Make(state.range(0));
  int pages = 0;
  for (auto _ : state) {
    state.PauseTiming();
    TLoadedDocument doc(html);
    state.ResumeTiming();
    doc.LayOut();
    pages = 0;
    TPageRenderer renderer(doc.document, PageWidth, PageHeight);
    while (std::unique_ptr<TMetafile> page = renderer.NextPage()) ++pages;
  }
  state.counters["pages"] = pages;
}

BENCHMARK(ParseAndLayOut<NestedTables>)->Name("NestedTables")->DenseRange(12, 20, 2)->Arg(51)->Unit(benchmark::kMillisecond);
BENCHMARK(ParseAndLayOut<Links>)->Name("LinksInOneParagraph")->RangeMultiplier(2)->Range(5000, 40000)->Unit(benchmark::kMillisecond);
BENCHMARK(ParseAndLayOut<UnclosedBold>)->Name("UnclosedBold")->RangeMultiplier(2)->Range(10000, 80000)->Unit(benchmark::kMillisecond);
BENCHMARK(ParseAndLayOut<NestedFonts>)->Name("NestedFonts")->RangeMultiplier(2)->Range(12500, 100000)->Unit(benchmark::kMillisecond);
BENCHMARK(LayOutAndPage<Breaks>)->Name("BreaksPaged")->RangeMultiplier(2)->Range(25000, 200000)->Unit(benchmark::kMillisecond);
BENCHMARK(LayOutAndPage<PlainText>)->Name("PlainTextPaged_MB")->RangeMultiplier(2)->Range(2, 16)->Unit(benchmark::kMillisecond);

// FNV-1a of the bytes, for comparing page records between two builds.
uint64_t Fingerprint(const std::string& bytes) {
  uint64_t hash = 1469598103934665603ull;
  for (char c : bytes) hash = (hash ^ static_cast<uint8_t>(c)) * 1099511628211ull;
  return hash;
}

}  // namespace

// `paging_hostile_bench --records file.html...` prints, for each file, its laid-out height
// and a fingerprint of every page's metafile records: the same lines from two builds mean
// the same pages.
int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "--records") == 0) {
    for (int a = 2; a < argc; ++a) {
      std::ifstream file(argv[a], std::ios::binary);
      std::stringstream all;
      all << file.rdbuf();
      TLoadedDocument doc(all.str());
      std::printf("%s height %d\n", argv[a], doc.LayOut());
      TPageRenderer renderer(doc.document, PageWidth, PageHeight);
      int page = 0;
      while (std::unique_ptr<TMetafile> metafile = renderer.NextPage())
        std::printf("  page %d %016llx\n", ++page, static_cast<unsigned long long>(Fingerprint(metafile->Data())));
    }
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
