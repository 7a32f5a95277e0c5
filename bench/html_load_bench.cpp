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
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "bench/PeakMemory.h"
#include "tests/support/html/HtmlTestDocument.h"

namespace {

constexpr int PageWidth = 800;
const char* const Folder = "/usr/share/debian-reference/";

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(path + " is missing: install the Debian package debian-reference-en");
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The part between the BODY tag's ">" and "</body>".
std::string BodyOf(const std::string& html) {
  const size_t tag = html.find("<body");
  const size_t start = html.find('>', tag) + 1;
  return html.substr(start, html.rfind("</body>") - start);
}

// The first chapter's head, then the bodies of all chapters over and over until the text
// has `megabytes` MB, then the end tags.
std::string Manual(int megabytes) {
  std::string chapters;
  for (int i = 1; i <= 12; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "ch%02d.en.html", i);
    chapters += BodyOf(ReadFile(std::string(Folder) + name));
  }
  const std::string first = ReadFile(std::string(Folder) + "ch01.en.html");
  std::string text = first.substr(0, first.find('>', first.find("<body")) + 1);
  const size_t size = static_cast<size_t>(megabytes) << 20;
  while (text.size() < size) text += chapters.substr(0, size - text.size());
  return text + "</body></html>";
}

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
