// Collecting real prose into one text section and breaking it into lines 700 pixels wide:
// 0.25, 0.5 and 1 MB of the GNU GPL version 3 as Debian ships it
// (/usr/share/common-licenses/GPL-3, or the file in WENDREL_BENCH_PROSE), repeated. The
// line ends become spaces, as the parser hands them over, in tokens of 200 characters.
// Google Benchmark times the collection (with white-space folding) and the layout on their
// own and together; the counter peak_MB is the peak resident memory of a fresh process that
// collects and lays out the text once (the program runs itself with --once=<KiB>), base_MB
// that of one that only sets up the document.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bench/BenchDocument.h"
#include "html/document/inline/Section.h"
#include "html/foundation/layout/IndentManager.h"
#include "html/foundation/shared/TextTokens.h"

namespace {

constexpr int LineWidth = 700;


// The prose, kilobytes long (ASCII: one character a byte).
const String& Prose(size_t kilobytes) {
  static String whole;
  static String cut;
  if (whole.empty()) {
    const char* path = std::getenv("WENDREL_BENCH_PROSE");
    std::ifstream in(path ? path : "/usr/share/common-licenses/GPL-3", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    for (char c : text.str()) whole += c == '\n' || c == '\r' ? u' ' : static_cast<Char>(static_cast<unsigned char>(c));
    if (whole.empty()) {
      std::fprintf(stderr, "no prose to read\n");
      std::exit(2);
    }
  }
  const size_t length = kilobytes * 1024;
  if (cut.size() != length) {
    cut.clear();
    while (cut.size() < length) cut += whole;
    cut.resize(length);
  }
  return cut;
}

// A document with the default style sheet and a paragraph's properties on its stack.
struct TParagraphDocument : TBenchDocument {
  TIndentManager indents;
  int owner = 0;

  TParagraphDocument() {
    Push(u"body");
    Push(u"p");
  }

  std::unique_ptr<TSection> Collect(const String& text) {
    auto section = std::make_unique<TSection>(&document, true, nullptr, *stack.TopProps(), nullptr);
    TokenObj token;
    for (size_t i = 0; i < text.size(); ++i) {
      token.AppendChar(text[i], static_cast<int>(i));
      if (token.Count == 200) {
        section->AddTokenObj(token);
        token.Reset();
      }
    }
    section->AddTokenObj(token);
    section->FinishText(static_cast<int>(text.size()));
    return section;
  }

  int Layout(TSection& section) {
    indents.BeginLayout(0, LineWidth);
    indents.CurrentOwner = &owner;
    indents.PushLeftBlock(0, 0);
    indents.PushRightBlock(LineWidth, 0);
    int cursor = 0, maxWidth = 0;
    return section.Layout(canvas, 0, cursor, maxWidth, indents, 0, 0, LineWidth, 0, 0, 0);
  }
};

// Peak resident memory in MB of a fresh process of this program that does the work once.
double PeakMegabytes(size_t kilobytes) {
  pid_t child = fork();
  if (child == 0) {
    const std::string arg = "--once=" + std::to_string(kilobytes);
    execl("/proc/self/exe", "inline_text_bench", arg.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  struct rusage usage {};
  if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return -1;
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void Counters(benchmark::State& state, size_t kilobytes, size_t lines) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kilobytes) * 1024);
  state.counters["lines"] = static_cast<double>(lines);
  state.counters["peak_MB"] = PeakMegabytes(kilobytes);
  state.counters["base_MB"] = PeakMegabytes(0);
}

void CollectAndBreak(benchmark::State& state) {
  const size_t kilobytes = static_cast<size_t>(state.range(0));
  const String& text = Prose(kilobytes);
  TParagraphDocument d;
  size_t lines = 0;
  for (auto _ : state) {
    auto section = d.Collect(text);
    benchmark::DoNotOptimize(d.Layout(*section));
    lines = section->Lines.size();
  }
  Counters(state, kilobytes, lines);
}

void CollectOnly(benchmark::State& state) {
  const size_t kilobytes = static_cast<size_t>(state.range(0));
  const String& text = Prose(kilobytes);
  TParagraphDocument d;
  for (auto _ : state) benchmark::DoNotOptimize(d.Collect(text)->Text.size());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kilobytes) * 1024);
}

void BreakOnly(benchmark::State& state) {
  const size_t kilobytes = static_cast<size_t>(state.range(0));
  TParagraphDocument d;
  auto section = d.Collect(Prose(kilobytes));
  for (auto _ : state) benchmark::DoNotOptimize(d.Layout(*section));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kilobytes) * 1024);
  state.counters["lines"] = static_cast<double>(section->Lines.size());
}

// The machine is shared: the fastest of the repetitions shows the work best.
double Fastest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

BENCHMARK(CollectAndBreak)->Arg(256)->Arg(512)->Arg(1024)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);
BENCHMARK(CollectOnly)->Arg(256)->Arg(512)->Arg(1024)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);
BENCHMARK(BreakOnly)->Arg(256)->Arg(512)->Arg(1024)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strncmp(argv[1], "--once=", 7) == 0) {
    const size_t kilobytes = std::strtoul(argv[1] + 7, nullptr, 10);
    TParagraphDocument d;
    if (kilobytes > 0) {
      auto section = d.Collect(Prose(kilobytes));
      d.Layout(*section);
    }
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
