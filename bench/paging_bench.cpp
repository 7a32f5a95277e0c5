// Cutting a large document into page metafiles of 718 x 1047 pixels (A4 with margins of
// 1 cm at 96 pixels per inch): all pages kept in one list, and the same pages taken one at a
// time and dropped. The counters peak_MB are the peak resident memory of a fresh process that
// loads the document and pages it once that way; load_MB that of one that only loads it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "PeakMemory.h"
#include "html/document/blocks/Block.h"
#include "html/document/inline/Section.h"
#include "html/document/model/Document.h"
#include "html/document/paging/PageRenderer.h"
#include "html/foundation/css/StyleList.h"
#include "html/foundation/fonts/FontSizes.h"
#include "html/foundation/shared/TextTokens.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/MeasureDC.h"
#include "platform/gdi/metafile/Metafile.h"
#include "platform/rtl/Unicode.h"

namespace {

constexpr int PageWidth = 718, PageHeight = 1047;
constexpr int ParagraphCount = 16000;

struct BenchStyleList : TStyleList {
  void NoteHoverRule(bool) override {}
};

struct TProseDocument {
  BenchStyleList styles;
  TPropStack stack;
  ThtDocument document{nullptr, nullptr};

  TProseDocument() {
    styles.BuildDefaultSheet(u"Times New Roman", u"Courier New", 12, 0, 0xff0000, 0x800080, 0xff, false, 1252, 0, 8,
                             10);
    SetFontSizeTables(12);
    auto base = std::make_unique<TProperties>(&stack, false);
    base->CopyAll(*styles.DefaultProperties);
    stack.Add(std::move(base));
    document.PropStack = &stack;
    document.StyleList = &styles;
    document.TooManyLinks = true;
    std::ifstream file("/usr/share/common-licenses/GPL-3");
    std::stringstream all;
    all << file.rdbuf();
    std::string text = all.str();
    std::vector<String> paragraphs;
    for (size_t at = 0; at < text.size();) {
      size_t end = text.find("\n\n", at);
      if (end == std::string::npos) end = text.size();
      std::string p = text.substr(at, end - at);
      for (char& c : p)
        if (c == '\n') c = ' ';
      if (!p.empty()) paragraphs.push_back(Utf8ToString(p));
      at = end + 2;
    }
    for (int i = 0; i < ParagraphCount; ++i) {
      const String& p = paragraphs[static_cast<size_t>(i) % paragraphs.size()];
      auto props = std::make_unique<TProperties>(&stack, false);
      props->TakeParentValues(u"p", *stack.TopProps());
      TProperties* pp = stack.Add(std::move(props));
      pp->ApplyStyleRules(styles, u"p", stack.Count() - 1, nullptr, u"", u"", u"", u"");
      auto block = std::make_unique<TBlock>(&document, nullptr, &document, *pp);
      auto section = std::make_unique<TSection>(&document, true, nullptr, *pp, nullptr);
      TokenObj token;
      for (size_t k = 0; k < p.size(); ++k) token.AppendChar(p[k], static_cast<int>(k));
      section->AddTokenObj(token);
      block->ContentCell->AddSection(std::move(section), static_cast<int>(p.size()));
      document.AddSection(std::move(block), 0);
      stack.Delete(stack.Count() - 1);
    }
    TCanvas canvas(std::make_unique<TMeasureDC>());
    int cursor = 0, maxWidth = 0;
    document.Layout(canvas, 0, cursor, maxWidth, PageHeight, 0, PageWidth);
  }
};

size_t Bytes(const TPageMetafileList& pages) {
  size_t bytes = 0;
  for (const auto& page : pages) bytes += page->Data().size();
  return bytes;
}

void AllPagesInOneList(benchmark::State& state) {
  TProseDocument doc;
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
  TProseDocument doc;
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
    TProseDocument doc;
    std::printf("%.1f\n", OwnPeakResidentMegabytes());
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--all") == 0) {
    TProseDocument doc;
    TPageMetafileList list = RenderPageMetafiles(doc.document, PageWidth, PageHeight);
    std::printf("%.1f\n", OwnPeakResidentMegabytes());
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--one") == 0) {
    TProseDocument doc;
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
