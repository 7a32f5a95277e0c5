// Loading and laying out a large real document: the chapters of the Debian Reference
// (debian-reference-en, HTML with tables, lists, preformatted text and many links), their
// bodies joined and repeated behind the first chapter's head until the text is 1, 2, 4 or
// 8 MB. Google Benchmark times the parse (bytes to document) and the layout at 800 pixels
// apart and together; the counter peak_MB is the peak resident memory of a fresh process
// that loads and lays out the document of that size once (the program runs itself with
// --once N), base_MB that of one that only builds the text.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/DebianReference.h"
#include "bench/PeakMemory.h"
#include "tests/support/html/HtmlTestDocument.h"

namespace {

constexpr int PageWidth = 800;
using debian_reference::Folder;
using debian_reference::Manual;

void ParseManual(benchmark::State& state) {
  const std::string text = Manual(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    THtmlTestDocument document;
    document.Load(text, std::string(Folder) + "bench.html");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(ParseManual)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);

void LayOutManual(benchmark::State& state) {
  const std::string text = Manual(static_cast<int>(state.range(0)));
  THtmlTestDocument document;
  document.Load(text, std::string(Folder) + "bench.html");
  int height = 0;
  for (auto _ : state) benchmark::DoNotOptimize(height = document.LayOut(PageWidth));
  state.counters["height_px"] = height;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(LayOutManual)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);

void LoadAndLayOutManual(benchmark::State& state) {
  const int megabytes = static_cast<int>(state.range(0));
  const std::string text = Manual(megabytes);
  for (auto _ : state) {
    THtmlTestDocument document;
    document.Load(text, std::string(Folder) + "bench.html");
    benchmark::DoNotOptimize(document.LayOut(PageWidth));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
  state.counters["peak_MB"] = std::atof(RunSelf("--once " + std::to_string(megabytes)).c_str());
  state.counters["base_MB"] = std::atof(RunSelf("--base " + std::to_string(megabytes)).c_str());
}
BENCHMARK(LoadAndLayOutManual)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && (std::strcmp(argv[1], "--once") == 0 || std::strcmp(argv[1], "--base") == 0)) {
    const std::string text = Manual(std::atoi(argv[2]));
    if (std::strcmp(argv[1], "--once") == 0) {
      THtmlTestDocument document;
      document.Load(text, std::string(Folder) + "bench.html");
      document.LayOut(PageWidth);
    }
    std::printf("%.1f\n", OwnPeakResidentMegabytes());
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
