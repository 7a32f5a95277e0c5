// Loads, sorts and de-duplicates a file of 1,000,000 lines through TStringList.
//
// The file is made on first use from German-like words with many duplicates (fixed seed,
// so every run sees the same bytes) at $WENDREL_BENCH_LINES or
// /tmp/wendrel-bench-1m-lines.txt; bench/README.md compares with sort(1) on that file.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/rtl/Paths.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Unicode.h"

namespace {

constexpr int kLines = 1000000;

std::string LinesFile() {
  const char* name = std::getenv("WENDREL_BENCH_LINES");
  return name != nullptr && *name != '\0' ? name : "/tmp/wendrel-bench-1m-lines.txt";
}

// Words from German syllables, in code page 1252 (umlauts and ß as single bytes), with
// random capitals; lines of one to three words drawn unevenly, so that common lines repeat.
void MakeLinesFile(const std::string& path) {
  const char* syllables[] = {"an",  "ber", "da",  "e",   "fr\xFC", "ge",  "hau", "in",  "ja",
                             "k\xF6", "la",  "mei", "ne",  "o",   "pf",  "qu",  "ra",  "sch",
                             "st\xE4", "te",  "\xFC" "b", "ver", "wa",  "zu",  "\xDF" "e", "ch",
                             "ei",  "au",  "ung", "heit", "lich", "keit"};
  std::mt19937 random(20261210);
  std::vector<std::string> words;
  for (int i = 0; i < 60000; ++i) {
    std::string word;
    const int parts = 1 + static_cast<int>(random() % 4);
    for (int p = 0; p < parts; ++p) word += syllables[random() % std::size(syllables)];
    if (random() % 3 == 0) word[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
    words.push_back(word);
  }
  std::ofstream out(path, std::ios::binary);
  for (int i = 0; i < kLines; ++i) {
    const int count = 1 + static_cast<int>(random() % 3);
    std::string line;
    for (int w = 0; w < count; ++w) {
      // Squaring a uniform draw favours the first words: many repeated lines.
      const double u = static_cast<double>(random()) / random.max();
      if (w > 0) line += ' ';
      line += words[static_cast<size_t>(u * u * u * static_cast<double>(words.size() - 1))];
    }
    out << line << "\r\n";
  }
}

const String& LinesFileName() {
  static const String name = [] {
    const std::string path = LinesFile();
    if (!FileExists(Utf8ToString(path))) MakeLinesFile(path);
    return Utf8ToString(path);
  }();
  return name;
}

void BM_LoadFromFile(benchmark::State& state) {
  for (auto _ : state) {
    TStringList list;
    list.LoadFromFile(LinesFileName());
    benchmark::DoNotOptimize(list.Count());
  }
}
// A load takes about a tenth of a second: with one iteration per repetition its page
// faults decided the figure, so each repetition runs for at least two seconds.
BENCHMARK(BM_LoadFromFile)->MinTime(2.0)->Unit(benchmark::kMillisecond);

void BM_Sort(benchmark::State& state) {
  TStringList loaded;
  loaded.LoadFromFile(LinesFileName());
  for (auto _ : state) {
    state.PauseTiming();
    TStringList list;
    list.Assign(loaded);
    state.ResumeTiming();
    list.Sort();
    benchmark::DoNotOptimize(list.Count());
  }
}
BENCHMARK(BM_Sort)->Unit(benchmark::kMillisecond);

// The usual de-duplication: a sorted list that ignores duplicates takes all lines.
void BM_SortedUnique(benchmark::State& state) {
  TStringList loaded;
  loaded.LoadFromFile(LinesFileName());
  for (auto _ : state) {
    TStringList unique;
    unique.SetSorted(true);
    unique.Duplicates = dupIgnore;
    unique.AddStrings(loaded);
    state.counters["unique"] = unique.Count();
  }
}
BENCHMARK(BM_SortedUnique)->Unit(benchmark::kMillisecond);

// The whole round: load, sort, de-duplicate, save.
void BM_LoadSortUniqueSave(benchmark::State& state) {
  const String out = Utf8ToString(LinesFile() + ".unique");
  for (auto _ : state) {
    TStringList lines;
    lines.LoadFromFile(LinesFileName());
    TStringList unique;
    unique.SetSorted(true);
    unique.AddStrings(lines);
    unique.SaveToFile(out);
  }
  DeleteFile(out);
}
BENCHMARK(BM_LoadSortUniqueSave)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
