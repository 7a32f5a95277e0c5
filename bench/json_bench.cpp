// Parsing a 20 MB JSON document (made by tools/make_json_bench_data.py) with our reader and,
// in the same run, with nlohmann-json and RapidJSON (DOM parse with its default allocator).
// Each iteration parses and frees the whole tree. Our reader gets the document one byte per
// character, as the application's web answers arrive; the others get the UTF-8 bytes.
// Memory is measured in a fresh process of this program (--once=<engine>): peak_MB is its
// peak resident size, tree_MB how far parsing raised it above the loaded input.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <nlohmann/json.hpp>
#include <rapidjson/document.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "bench/PeakMemory.h"
#include "json/QxJSONParser.h"

namespace {

// WENDREL_JSON_BENCH_DATA, or json_bench_data.json in the build folder above bench/.
std::string DataPath() {
  if (const char* path = std::getenv("WENDREL_JSON_BENCH_DATA")) return path;
  char exe[4096] = {};
  const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  std::string dir = n > 0 ? std::string(exe, static_cast<size_t>(n)) : std::string("./bench/json_bench");
  for (int up = 0; up < 2; ++up) dir = dir.substr(0, dir.find_last_of('/'));
  return dir + "/json_bench_data.json";
}

const std::string& Utf8() {
  static const std::string bytes = [] {
    std::ifstream in(DataPath(), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }();
  return bytes;
}

const String& ByteChars() {
  static const String chars = [] {
    String s;
    s.reserve(Utf8().size());
    for (unsigned char c : Utf8()) s += static_cast<Char>(c);
    return s;
  }();
  return chars;
}

// Each parse answers the number of posts in "data", or -1 when the document was refused.
long ParseOurs() {
  auto root = TqxJSON::ParseDocument(ByteChars());
  auto* object = dynamic_cast<TqxJSONobject*>(root.get());
  const TqxJSONbase* data = object ? object->MemberByName(u"data") : nullptr;
  return data ? data->ChildCount() : -1;
}

long ParseNlohmann() {
  const nlohmann::json doc = nlohmann::json::parse(Utf8(), nullptr, false);
  return doc.is_object() && doc.contains("data") ? static_cast<long>(doc["data"].size()) : -1;
}

long ParseRapidJson() {
  rapidjson::Document doc;
  doc.Parse(Utf8().data(), Utf8().size());
  return !doc.HasParseError() && doc.HasMember("data") ? static_cast<long>(doc["data"].Size()) : -1;
}

long (*Parser(const std::string& engine))() {
  if (engine == "ours") return ParseOurs;
  if (engine == "nlohmann") return ParseNlohmann;
  if (engine == "rapidjson") return ParseRapidJson;
  return nullptr;
}

// Loads the input the engine reads, parses once and prints "<peak MB> <tree MB>".
int RunOnce(const std::string& engine) {
  long (*parse)() = Parser(engine);
  if (parse == nullptr) return 2;
  if (engine == "ours") ByteChars();
  else Utf8();
  const double before = OwnPeakResidentMegabytes();
  if (parse() < 0) return 1;
  const double after = OwnPeakResidentMegabytes();
  std::printf("%.1f %.1f\n", after, after - before);
  return 0;
}

void Run(benchmark::State& state, const char* engine) {
  long (*parse)() = Parser(engine);
  if (Utf8().empty()) {
    state.SkipWithError(("no input: run tools/make_json_bench_data.py " + DataPath()).c_str());
    return;
  }
  ByteChars();
  long posts = 0;
  for (auto _ : state) {
    posts = parse();
    benchmark::DoNotOptimize(posts);
  }
  if (posts < 0) {
    state.SkipWithError("the document was refused");
    return;
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Utf8().size()));
  state.counters["posts"] = static_cast<double>(posts);

  double peak = -1, tree = -1;
  if (std::sscanf(RunSelf(std::string("--once=") + engine).c_str(), "%lf %lf", &peak, &tree) != 2) peak = tree = -1;
  state.counters["peak_MB"] = peak;
  state.counters["tree_MB"] = tree;
}

BENCHMARK_CAPTURE(Run, ours, "ours")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Run, nlohmann, "nlohmann")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Run, rapidjson, "rapidjson")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strncmp(argv[1], "--once=", 7) == 0) return RunOnce(argv[1] + 7);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
