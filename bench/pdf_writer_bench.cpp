// 1,000 pages of vector drawing (lines, filled rectangles, curves, colours and line
// widths; no text) written to a file by our PDF engine, by libharu and by Cairo's PDF
// surface, all with deflate-compressed content. Time per document from Google
// Benchmark; the peak resident memory of writing one document in a fresh process is
// reported as the counter peak_MB (the program runs itself with --once=<engine>:<pages>).
#include <benchmark/benchmark.h>
#include <cairo-pdf.h>
#include <cairo.h>
#include <hpdf.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "platform/rtl/Unicode.h"
#include "bench/PeakMemory.h"
#include "pdf/document/PdfDocument.h"

namespace {

// One drawing operation of a page, in points with the origin at the lower left.
struct TShape {
  enum Kind { Line, Rect, Curve } kind;
  double x[6];
  double r, g, b, width;
};

// The same shapes for every engine: 60 lines, 30 filled rectangles and 20 curves a page,
// made page by page from the page's own seed, so no engine's memory figure includes them.
std::vector<TShape> PageShapes(int pageIndex) {
  std::mt19937 rng(2026 + static_cast<unsigned>(pageIndex));
  std::uniform_real_distribution<double> x(20, 575), y(20, 822), c(0, 1), w(0.25, 3);
  std::vector<TShape> page;
  page.reserve(110);
  for (int i = 0; i < 110; ++i) {
    TShape s{};
    s.kind = i < 60 ? TShape::Line : i < 90 ? TShape::Rect : TShape::Curve;
    for (int k = 0; k < 6; k += 2) {
      s.x[k] = x(rng);
      s.x[k + 1] = y(rng);
    }
    if (s.kind == TShape::Rect) {
      s.x[2] = 5 + c(rng) * 100;
      s.x[3] = 5 + c(rng) * 100;
    }
    s.r = c(rng);
    s.g = c(rng);
    s.b = c(rng);
    s.width = w(rng);
    page.push_back(s);
  }
  return page;
}

std::string OutPath(const char* engine) { return "/tmp/wendrel-bench-" + std::string(engine) + ".pdf"; }

void WriteOurs(int pages) {
  TPdfDocument doc;
  for (int index = 0; index < pages; ++index) {
    const std::vector<TShape> page = PageShapes(index);
    doc.AddPage();
    TPdfWrite& w = doc.Canvas().Contents()->Writer();
    for (const TShape& s : page) {
      switch (s.kind) {
        case TShape::Line:
          w.AddRealWithSpace(s.width).Add("w\n");
          w.AddRealWithSpace(s.r).AddRealWithSpace(s.g).AddRealWithSpace(s.b).Add("RG\n");
          w.AddRealWithSpace(s.x[0]).AddRealWithSpace(s.x[1]).Add("m\n");
          w.AddRealWithSpace(s.x[2]).AddRealWithSpace(s.x[3]).Add("l\nS\n");
          break;
        case TShape::Rect:
          w.AddRealWithSpace(s.r).AddRealWithSpace(s.g).AddRealWithSpace(s.b).Add("rg\n");
          w.AddRealWithSpace(s.x[0]).AddRealWithSpace(s.x[1]).AddRealWithSpace(s.x[2]).AddRealWithSpace(s.x[3]);
          w.Add("re\nf\n");
          break;
        case TShape::Curve:
          w.AddRealWithSpace(s.width).Add("w\n");
          w.AddRealWithSpace(s.r).AddRealWithSpace(s.g).AddRealWithSpace(s.b).Add("RG\n");
          w.AddRealWithSpace(s.x[0]).AddRealWithSpace(s.x[1]).Add("m\n");
          for (int k = 0; k < 6; ++k) w.AddRealWithSpace(s.x[(k + 2) % 6]);
          w.Add("c\nS\n");
          break;
      }
    }
  }
  if (!doc.WriteToFile(Utf8ToString(OutPath("ours")))) std::abort();
}

void WriteHaru(int pages) {
  HPDF_Doc pdf = HPDF_New(nullptr, nullptr);
  HPDF_SetCompressionMode(pdf, HPDF_COMP_ALL);
  for (int index = 0; index < pages; ++index) {
    const std::vector<TShape> page = PageShapes(index);
    HPDF_Page p = HPDF_AddPage(pdf);
    HPDF_Page_SetSize(p, HPDF_PAGE_SIZE_A4, HPDF_PAGE_PORTRAIT);
    for (const TShape& s : page) {
      switch (s.kind) {
        case TShape::Line:
          HPDF_Page_SetLineWidth(p, static_cast<HPDF_REAL>(s.width));
          HPDF_Page_SetRGBStroke(p, static_cast<HPDF_REAL>(s.r), static_cast<HPDF_REAL>(s.g), static_cast<HPDF_REAL>(s.b));
          HPDF_Page_MoveTo(p, static_cast<HPDF_REAL>(s.x[0]), static_cast<HPDF_REAL>(s.x[1]));
          HPDF_Page_LineTo(p, static_cast<HPDF_REAL>(s.x[2]), static_cast<HPDF_REAL>(s.x[3]));
          HPDF_Page_Stroke(p);
          break;
        case TShape::Rect:
          HPDF_Page_SetRGBFill(p, static_cast<HPDF_REAL>(s.r), static_cast<HPDF_REAL>(s.g), static_cast<HPDF_REAL>(s.b));
          HPDF_Page_Rectangle(p, static_cast<HPDF_REAL>(s.x[0]), static_cast<HPDF_REAL>(s.x[1]),
                              static_cast<HPDF_REAL>(s.x[2]), static_cast<HPDF_REAL>(s.x[3]));
          HPDF_Page_Fill(p);
          break;
        case TShape::Curve:
          HPDF_Page_SetLineWidth(p, static_cast<HPDF_REAL>(s.width));
          HPDF_Page_SetRGBStroke(p, static_cast<HPDF_REAL>(s.r), static_cast<HPDF_REAL>(s.g), static_cast<HPDF_REAL>(s.b));
          HPDF_Page_MoveTo(p, static_cast<HPDF_REAL>(s.x[0]), static_cast<HPDF_REAL>(s.x[1]));
          HPDF_Page_CurveTo(p, static_cast<HPDF_REAL>(s.x[2]), static_cast<HPDF_REAL>(s.x[3]),
                            static_cast<HPDF_REAL>(s.x[4]), static_cast<HPDF_REAL>(s.x[5]),
                            static_cast<HPDF_REAL>(s.x[0]), static_cast<HPDF_REAL>(s.x[1]));
          HPDF_Page_Stroke(p);
          break;
      }
    }
  }
  if (HPDF_SaveToFile(pdf, OutPath("haru").c_str()) != HPDF_OK) std::abort();
  HPDF_Free(pdf);
}

void WriteCairo(int pages) {
  cairo_surface_t* surface = cairo_pdf_surface_create(OutPath("cairo").c_str(), 595, 842);
  cairo_t* cr = cairo_create(surface);
  for (int index = 0; index < pages; ++index) {
    const std::vector<TShape> page = PageShapes(index);
    // Cairo's y runs downwards: flip to the PDF's upward y.
    cairo_save(cr);
    cairo_translate(cr, 0, 842);
    cairo_scale(cr, 1, -1);
    for (const TShape& s : page) {
      cairo_set_source_rgb(cr, s.r, s.g, s.b);
      switch (s.kind) {
        case TShape::Line:
          cairo_set_line_width(cr, s.width);
          cairo_move_to(cr, s.x[0], s.x[1]);
          cairo_line_to(cr, s.x[2], s.x[3]);
          cairo_stroke(cr);
          break;
        case TShape::Rect:
          cairo_rectangle(cr, s.x[0], s.x[1], s.x[2], s.x[3]);
          cairo_fill(cr);
          break;
        case TShape::Curve:
          cairo_set_line_width(cr, s.width);
          cairo_move_to(cr, s.x[0], s.x[1]);
          cairo_curve_to(cr, s.x[2], s.x[3], s.x[4], s.x[5], s.x[0], s.x[1]);
          cairo_stroke(cr);
          break;
      }
    }
    cairo_restore(cr);
    cairo_show_page(cr);
  }
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) std::abort();
  cairo_surface_destroy(surface);
}

void (*Writer(const std::string& engine))(int) {
  if (engine == "ours") return WriteOurs;
  if (engine == "haru") return WriteHaru;
  if (engine == "cairo") return WriteCairo;
  return nullptr;
}

// Peak resident memory in MB of one document written by a fresh process of this program.
double PeakMegabytes(const char* engine, int pages) {
  const std::string out = RunSelf(std::string("--once=") + engine + ":" + std::to_string(pages));
  return out.empty() ? -1 : std::atof(out.c_str());
}

void Run(benchmark::State& state, const char* engine) {
  const int pages = static_cast<int>(state.range(0));
  void (*write)(int) = Writer(engine);
  for (auto _ : state) write(pages);
  FILE* f = std::fopen(OutPath(engine).c_str(), "rb");
  if (f != nullptr) {
    std::fseek(f, 0, SEEK_END);
    state.counters["file_MB"] = static_cast<double>(std::ftell(f)) / 1e6;
    std::fclose(f);
  }
  state.counters["peak_MB"] = PeakMegabytes(engine, pages);
}

// 1,000 pages timed; 4,000 pages for the memory figure, written once.
BENCHMARK_CAPTURE(Run, ours, "ours")->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Run, libharu, "haru")->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Run, cairo, "cairo")->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Run, ours, "ours")->Arg(4000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Run, libharu, "haru")->Arg(4000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Run, cairo, "cairo")->Arg(4000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strncmp(argv[1], "--once=", 7) == 0) {
    // --once=<engine>:<pages>
    const std::string spec = argv[1] + 7;
    const size_t colon = spec.find(':');
    void (*write)(int) = Writer(spec.substr(0, colon));
    if (write == nullptr || colon == std::string::npos) return 2;
    write(std::atoi(spec.c_str() + colon + 1));
    std::printf("%.1f\n", OwnPeakResidentMegabytes());
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
