// Laying out and painting a document of 5,000 blocks: each a DIV with margin, a 1-pixel
// border, padding and a background colour around a sentence of text, every tenth one
// floated left and every fiftieth positioned relatively. Google Benchmark times the layout
// at 800 pixels and the paint of the whole document screen by screen (800 x 600) onto the
// raster device; the counter peak_MB is the peak resident memory of a fresh process that
// builds, lays out and paints the document once (the program runs itself with --once),
// base_MB that of one that only sets up the style sheet and fonts.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "bench/BenchDocument.h"
#include "html/document/blocks/Block.h"
#include "html/document/inline/Section.h"
#include "html/document/model/Document.h"
#include "html/foundation/css/StyleList.h"
#include "html/foundation/css/StyleParser.h"
#include "html/foundation/fonts/FontSizes.h"
#include "html/foundation/shared/TextTokens.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/MeasureDC.h"

namespace {

constexpr int BlockCount = 5000;
constexpr int PageWidth = 800, ScreenHeight = 600;

struct TBlocksDocument : TBenchDocument {
  void Build() {
    const String text = u"Block boxes with margins, borders, padding and a background around this text.";
    for (int i = 0; i < BlockCount; ++i) {
      String style = u"margin: 4px; border: 1px solid navy; padding: 3px; background-color: ";
      style += i % 2 ? u"#f0f0ff" : u"#fff0f0";
      if (i % 10 == 9) style += u"; float: left; width: 200px";
      if (i % 50 == 49) style += u"; position: relative; left: 5px; top: 2px";
      TProperties& props = Push(u"div", style);
      auto block = std::make_unique<TBlock>(&document, nullptr, &document, props);
      auto section = std::make_unique<TSection>(&document, true, nullptr, props, nullptr);
      TokenObj token;
      for (size_t k = 0; k < text.size(); ++k) token.AppendChar(text[k], static_cast<int>(k));
      section->AddTokenObj(token);
      block->ContentCell->AddSection(std::move(section), static_cast<int>(text.size()));
      document.AddSection(std::move(block), 0);
      stack.Delete(stack.Count() - 1);
    }
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

double PeakMegabytes(const char* mode) {
  pid_t child = fork();
  if (child == 0) {
    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) _exit(3);
    execl(self, self, mode, static_cast<char*>(nullptr));
    _exit(3);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  return usage.ru_maxrss / 1024.0;
}

void Layout5000Blocks(benchmark::State& state) {
  TBlocksDocument doc;
  doc.Build();
  int height = 0;
  for (auto _ : state) benchmark::DoNotOptimize(height = doc.Layout());
  state.counters["height_px"] = height;
}
BENCHMARK(Layout5000Blocks)->Unit(benchmark::kMillisecond);

void Paint5000Blocks(benchmark::State& state) {
  TBlocksDocument doc;
  doc.Build();
  const int height = doc.Layout();
  TBitmap screen(PageWidth, ScreenHeight, pf24bit);
  for (auto _ : state) doc.PaintAll(screen, height);
  state.counters["screens"] = (height + ScreenHeight - 1) / ScreenHeight;
}
BENCHMARK(Paint5000Blocks)->Unit(benchmark::kMillisecond);

void BuildLayoutAndPaint5000Blocks(benchmark::State& state) {
  for (auto _ : state) {
    TBlocksDocument doc;
    doc.Build();
    const int height = doc.Layout();
    TBitmap screen(PageWidth, ScreenHeight, pf24bit);
    doc.PaintAll(screen, height);
  }
  state.counters["peak_MB"] = PeakMegabytes("--once");
  state.counters["base_MB"] = PeakMegabytes("--base");
}
BENCHMARK(BuildLayoutAndPaint5000Blocks)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--once") == 0) {
    TBlocksDocument doc;
    doc.Build();
    const int height = doc.Layout();
    TBitmap screen(PageWidth, ScreenHeight, pf24bit);
    doc.PaintAll(screen, height);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--base") == 0) {
    TBlocksDocument doc;
    TBitmap screen(PageWidth, ScreenHeight, pf24bit);
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
