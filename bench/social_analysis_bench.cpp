// The all-networks social-signal analysis of 1,000 URLs against a local HTTP server, with
// the waits on a manual clock: the whole analysis (requests, answer parsing, grid, reports,
// sum row), and next to it the same 1,000 requests alone through the same client. The
// difference is the time spent in our code apart from the network.
#include <benchmark/benchmark.h>
// The server answers at once instead of holding the body back for the header's ACK.
#define CPPHTTPLIB_TCP_NODELAY true
#include <httplib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "app/MainForm.h"
#include "platform/net/HttpClient.h"
#include "platform/net/ServiceEndpoints.h"
#include "platform/net/UrlEncoding.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/IntConvert.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/app/Application.h"

namespace {

constexpr int kUrls = 1000;

// An answer of the share-count service's shape: its numbers on the lines the analysis reads.
const char* const kAnswer =
    "{\"StumbleUpon\":null,\"Reddit\":0,\"Facebook\":{\"commentsbox_count\":0,\"click_count\":3,\"total_count\":1587,"
    "\"comment_count\":117,\"like_count\":356,\"share_count\":1114},\"Delicious\":12,\"GooglePlusOne\":254,\"Buzz\":0,"
    "\"Twitter\":1432,\"Diggs\":0,\"Pinterest\":37,\"LinkedIn\":61}";

struct TBenchServer {
  httplib::Server server;
  std::thread thread;
  int port = 0;
  TBenchServer() {
    server.Get("/", [](const httplib::Request&, httplib::Response& res) { res.set_content(kAnswer, "application/json"); });
    port = server.bind_to_any_port("127.0.0.1");
    thread = std::thread([this] { server.listen_after_bind(); });
    while (!server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ~TBenchServer() {
    server.stop();
    thread.join();
  }
};

struct TBenchHome {
  std::filesystem::path path = std::filesystem::temp_directory_path() / "wendrel-bench-social";
  explicit TBenchHome(int port) {
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path / "config");
    std::ofstream(path / "config" / "endpoints.ini")
        << "[" << StringToUtf8(ServiceSection(TWebService::ShareCount)) << "]\r\nBase=http://127.0.0.1:" << port << "\r\n";
    setenv("WENDREL_HOME", path.c_str(), 1);
  }
  ~TBenchHome() { std::filesystem::remove_all(path); }
};

String UrlOf(int i) { return u"http://shop.example/kategorie/artikel-" + IntToStr(i) + u"?farbe=rot&groesse=42"; }

void BM_AllNetworksAnalysis(benchmark::State& state) {
  TBenchServer server;
  TBenchHome home(server.port);
  TManualClock clock;
  ScopedClock useClock(clock);
  TApplication app;
  TForm1* form = nullptr;
  app.CreateForm(form);
  form->projekte->SetText(u"bench");
  form->Alles->SetChecked(true);
  for (auto _ : state) {
    state.PauseTiming();
    TStringGrid& grid = *form->StringGrid1;
    grid.SetRowCount(kUrls + 1);
    grid.SetColCount(2);
    for (int i = 1; i <= kUrls; ++i) {
      grid.SetCell(0, i, IntToStr(i));
      grid.SetCell(1, i, UrlOf(i));
    }
    state.ResumeTiming();
    form->Button2Click(form);
  }
  state.counters["time_per_url"] = benchmark::Counter(
      static_cast<double>(kUrls) * static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::OneK::kIs1000);
}
BENCHMARK(BM_AllNetworksAnalysis)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_RequestsAlone(benchmark::State& state) {
  TBenchServer server;
  TBenchHome home(server.port);
  TIdHTTP http;
  for (auto _ : state) {
    for (int i = 1; i <= kUrls; ++i)
      benchmark::DoNotOptimize(http.Get(ServiceUrl(TWebService::ShareCount, u"/?url=" + UrlEncodeQueryValue(UrlOf(i)))));
  }
  state.counters["time_per_url"] = benchmark::Counter(
      static_cast<double>(kUrls) * static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::OneK::kIs1000);
}
BENCHMARK(BM_RequestsAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
