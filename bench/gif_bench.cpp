// Decoding real GIF files found on the machine: the HTML engine's TGif against giflib
// (DGifSlurp, which decodes every image of a file too), both from memory. Files missing on
// a machine are left out; WENDREL_BENCH_GIFS (paths separated by ':') replaces the list.
#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "html/foundation/gif/GifDecoder.h"
#include "platform/rtl/Streams.h"

namespace {

const char* const kDefaultFiles[] = {
    "/root/.pyenv/install_local_python.gif",  // 783 frames
    "/usr/share/qt6/doc/global/template/images/spinner.gif",
    "/usr/share/tcltk/tk8.6/images/tai-ku.gif",
    "/usr/share/tcltk/tk8.6/images/pwrdLogo200.gif",
    "/usr/share/tcltk/tk8.6/images/logoLarge.gif",
    "/usr/share/doc/libxslt1-dev/html/processing.gif",
    "/usr/share/doc/libxslt1-dev/html/templates.gif",
    "/usr/share/doc/libxslt1-dev/html/Libxslt-Logo-180x168.gif",
    "/usr/share/doc/cmake-data/CMakeLogo.gif",
};

struct TFile {
  std::string name;
  std::string bytes;
};

std::vector<TFile> LoadFiles() {
  std::vector<std::string> paths;
  if (const char* list = std::getenv("WENDREL_BENCH_GIFS")) {
    std::stringstream s(list);
    for (std::string path; std::getline(s, path, ':');) paths.push_back(path);
  } else {
    paths.assign(std::begin(kDefaultFiles), std::end(kDefaultFiles));
  }
  std::vector<TFile> files;
  for (const std::string& path : paths) {
    std::ifstream in(path, std::ios::binary);
    if (!in) continue;
    std::ostringstream data;
    data << in.rdbuf();
    files.push_back({path.substr(path.rfind('/') + 1), data.str()});
  }
  return files;
}

const std::vector<TFile>& Files() {
  static const std::vector<TFile> files = LoadFiles();
  return files;
}

struct TReader {
  const std::string* bytes;
  size_t pos;
};

int ReadMemory(GifFileType* file, GifByteType* buffer, int length) {
  auto* reader = static_cast<TReader*>(file->UserData);
  size_t n = std::min(static_cast<size_t>(length), reader->bytes->size() - reader->pos);
  std::memcpy(buffer, reader->bytes->data() + reader->pos, n);
  reader->pos += n;
  return static_cast<int>(n);
}

void BM_TGif(benchmark::State& state) {
  const TFile& file = Files()[static_cast<size_t>(state.range(0))];
  state.SetLabel(file.name);
  for (auto _ : state) {
    TStringStream stream(file.bytes);
    TGif gif;
    gif.LoadFromStream(stream);
    benchmark::DoNotOptimize(gif.ImagePixels(0).data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(file.bytes.size()));
}

void BM_Giflib(benchmark::State& state) {
  const TFile& file = Files()[static_cast<size_t>(state.range(0))];
  state.SetLabel(file.name);
  for (auto _ : state) {
    TReader reader{&file.bytes, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, ReadMemory, &error);
    if (!gif || DGifSlurp(gif) == GIF_ERROR) state.SkipWithError("giflib failed");
    benchmark::DoNotOptimize(gif);
    DGifCloseFile(gif, &error);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(file.bytes.size()));
}

void AllFiles(benchmark::internal::Benchmark* b) {
  for (size_t i = 0; i < Files().size(); ++i) b->Arg(static_cast<int64_t>(i));
}

}  // namespace

BENCHMARK(BM_TGif)->Apply(AllFiles);
BENCHMARK(BM_Giflib)->Apply(AllFiles);
BENCHMARK_MAIN();
