// The keyword analysis of the text tab on 1 MB of German text, made at start from German
// texts on this machine (the German manual pages, the vim tutor, gnupg's help). Beside it,
// as the peer, the same splitting and counting on a UTF-8 string with std::unordered_map,
// without controls, files or number texts: the floor of what the analysis can cost.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unordered_map>

#include "app/MainForm.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/app/Application.h"

namespace {

constexpr size_t kTextBytes = 1 << 20;

std::string ReadGzip(const std::filesystem::path& file) {
  std::string text;
  gzFile in = gzopen(file.c_str(), "rb");
  if (!in) return text;
  char buffer[65536];
  int n;
  while ((n = gzread(in, buffer, sizeof buffer)) > 0) text.append(buffer, n);
  gzclose(in);
  return text;
}

// The prose of a manual page: its lines without the formatter's requests, and the font
// escapes dropped.
std::string ManualProse(const std::string& page) {
  std::istringstream lines(page);
  std::string prose, line;
  while (std::getline(lines, line)) {
    if (line.empty() || line[0] == '.' || line[0] == '\'') continue;
    for (size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '\\' && i + 2 < line.size() && line[i + 1] == 'f') {
        i += 2;
        continue;
      }
      prose += line[i];
    }
    prose += "\r\n";
  }
  return prose;
}

std::string GermanText() {
  std::string sources;
  for (const char* file : {"/usr/share/vim/vim90/tutor/tutor.de.utf-8", "/usr/share/gnupg/help.de.txt"}) {
    std::ifstream in(file, std::ios::binary);
    sources.append(std::istreambuf_iterator<char>(in), {});
  }
  std::error_code ec;
  for (const auto& entry : std::filesystem::recursive_directory_iterator("/usr/share/man/de", ec))
    if (entry.is_regular_file() && entry.path().extension() == ".gz") sources += ManualProse(ReadGzip(entry.path()));
  if (sources.empty()) {
    fprintf(stderr, "no German texts found\n");
    std::exit(1);
  }
  std::string text;
  while (text.size() < kTextBytes) text += sources.substr(0, kTextBytes - text.size());
  // Do not cut a UTF-8 sequence.
  while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) text.pop_back();
  if (!text.empty() && static_cast<unsigned char>(text.back()) >= 0xC0) text.pop_back();
  return text;
}

const std::string& Text() {
  static const std::string text = GermanText();
  return text;
}

struct TBenchHome {
  std::filesystem::path path = std::filesystem::temp_directory_path() / "wendrel-bench-text";
  TBenchHome() {
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    setenv("WENDREL_HOME", path.c_str(), 1);
  }
  ~TBenchHome() { std::filesystem::remove_all(path); }
};

void BM_KeywordAnalysis(benchmark::State& state) {
  TBenchHome home;
  TManualClock clock;
  ScopedClock useClock(clock);
  TApplication app;
  TForm1* form = nullptr;
  app.CreateForm(form);
  const String text = Utf8ToString(Text());
  for (auto _ : state) {
    state.PauseTiming();
    form->text_ori->SetText(text);
    state.ResumeTiming();
    form->Button19Click(form);
  }
  state.counters["word_lines"] = form->Memo4->Lines().Count();
  state.counters["keywords"] = form->StringGrid5->RowCount() - 1;
  state.SetBytesProcessed(static_cast<int64_t>(Text().size()) * state.iterations());
}
BENCHMARK(BM_KeywordAnalysis)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

// Splits at blanks, full stops, exclamation and question marks and line breaks, drops
// commas, and counts the words.
void BM_PeerSplitAndCount(benchmark::State& state) {
  const std::string& text = Text();
  size_t distinct = 0;
  for (auto _ : state) {
    std::unordered_map<std::string, int> counts;
    std::string word;
    for (char ch : text) {
      if (ch == ' ' || ch == '.' || ch == '!' || ch == '?' || ch == '\n') {
        ++counts[word];
        word.clear();
      } else if (ch != ',' && ch != '\r') {
        word += ch;
      }
    }
    ++counts[word];
    distinct = counts.size();
    benchmark::DoNotOptimize(counts);
  }
  state.counters["keywords"] = static_cast<double>(distinct);
  state.SetBytesProcessed(static_cast<int64_t>(text.size()) * state.iterations());
}
BENCHMARK(BM_PeerSplitAndCount)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

}  // namespace

BENCHMARK_MAIN();
