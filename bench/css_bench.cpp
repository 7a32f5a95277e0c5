// Parsing a 5 MB style sheet into a style list. The sheet is made at run time by
// concatenating the .css files found below /usr/share and /usr/lib (documentation, themes,
// toolkits) until 5 MB are reached; nothing of it is committed.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "html/foundation/charsets/Buffer.h"
#include "html/foundation/css/StyleList.h"
#include "html/foundation/css/StyleParser.h"
#include "platform/rtl/Streams.h"

namespace {
namespace fs = std::filesystem;
constexpr size_t kSize = 5u << 20;

struct BenchStyleList : TStyleList {
  void NoteHoverRule(bool) override {}
};

const std::string& Sheet() {
  static const std::string sheet = [] {
    std::string all;
    for (const char* root : {"/usr/share", "/usr/lib"}) {
      std::error_code ec;
      fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, ec), end;
      for (; !ec && it != end; it.increment(ec)) {
        if (it->path().extension() != ".css" || !it->is_regular_file(ec)) continue;
        std::ifstream in(it->path(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        all += text.str();
        all += "\n";
      }
    }
    if (all.empty()) return all;
    std::string sheet;
    while (sheet.size() < kSize) sheet += all;  // the machine's sheets, repeated to 5 MB
    sheet.resize(kSize);
    return sheet;
  }();
  return sheet;
}

void BM_ParseStyleSheet(benchmark::State& state) {
  const std::string& sheet = Sheet();
  if (sheet.empty()) {
    state.SkipWithError("no .css files below /usr");
    return;
  }
  size_t rules = 0;
  for (auto _ : state) {
    BenchStyleList styles;
    styles.BuildDefaultSheet(u"Arial", u"Courier New", 12, 0, 0xff0000, 0x800080, 0xff, true, 1252, 0, 8, 10);
    TStringStream stream(sheet);
    auto buffer = TBuffer::CreateFromStream(stream, u"bench.css");
    Char ch = 0;
    ParseStyleSheet(styles, ch, *buffer, false, true, u"http://example.test/css/");
    rules = static_cast<size_t>(styles.Count());
    benchmark::DoNotOptimize(rules);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * sheet.size()));
  state.counters["rules"] = static_cast<double>(rules);
}
BENCHMARK(BM_ParseStyleSheet)->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
