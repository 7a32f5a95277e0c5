// 1,000 pages of paragraphs in an embedded TrueType font (Liberation Sans, the font "Arial"
// resolves to) written to a file by our PDF engine, by libharu and by Cairo's PDF surface,
// each embedding a subset of the font, all with deflate-compressed content. Time per document from Google Benchmark; the file size is
// reported as the counter file_MB.
#include <benchmark/benchmark.h>
#include <cairo-pdf.h>
#include <cairo.h>
#include <hpdf.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "platform/gdi/fonts/FontResolver.h"
#include "platform/rtl/Unicode.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/helpers/AnsiConvert.h"

namespace {

constexpr int kPages = 1000;
constexpr int kLinesPerPage = 60;
constexpr double kFontSize = 10;

// Lines of German-like words with umlauts and sharp s, at most 95 characters, in code
// page 1252 (every engine can write them in a WinAnsi font); the same for every engine.
const std::vector<std::string>& Lines() {
  static const std::vector<std::string> lines = [] {
    const char* const words[] = {"der", "Bericht", "über", "größere", "Maßnahmen", "für", "Städte", "und",
                                 "Gemeinden", "wurde", "gestern", "veröffentlicht", "Straße", "Prüfung",
                                 "Ergebnis", "schön", "Gebäude", "Öffnung", "zwölf", "Äpfel", "Forschung"};
    std::mt19937 rng(2026);
    std::uniform_int_distribution<size_t> pick(0, std::size(words) - 1);
    std::vector<std::string> all;
    for (int i = 0; i < kPages * kLinesPerPage; ++i) {
      std::string line;
      for (;;) {
        std::string word = words[pick(rng)];
        if (line.size() + word.size() + 1 > 95) break;
        if (!line.empty()) line += ' ';
        line += word;
      }
      all.push_back(WinAnsiConverter().Utf8ToAnsiText(line + "."));
    }
    return all;
  }();
  return lines;
}

std::string OutPath(const char* engine) { return "/tmp/wendrel-bench-text-" + std::string(engine) + ".pdf"; }

std::string FontFile() {
  TLogFont lf;
  lf.lfFaceName = u"Arial";
  return ResolveFont(lf).FilePath;
}

void WriteOurs() {
  TPdfDocument doc;
  doc.EmbedTrueTypeFonts = true;
  size_t line = 0;
  for (int p = 0; p < kPages; ++p) {
    doc.AddPage();
    TPdfCanvas& c = doc.Canvas();
    c.SelectFont("Arial", 0, kFontSize);
    for (int i = 0; i < kLinesPerPage; ++i) c.DrawTextAt(50, 800 - 12.5 * i, Lines()[line++]);
  }
  if (!doc.WriteToFile(Utf8ToString(OutPath("ours")))) std::abort();
}

void WriteHaru() {
  HPDF_Doc pdf = HPDF_New(nullptr, nullptr);
  HPDF_SetCompressionMode(pdf, HPDF_COMP_ALL);
  const char* name = HPDF_LoadTTFontFromFile(pdf, FontFile().c_str(), HPDF_TRUE);
  HPDF_Font font = HPDF_GetFont(pdf, name, "WinAnsiEncoding");
  size_t line = 0;
  for (int p = 0; p < kPages; ++p) {
    HPDF_Page page = HPDF_AddPage(pdf);
    HPDF_Page_SetSize(page, HPDF_PAGE_SIZE_A4, HPDF_PAGE_PORTRAIT);
    HPDF_Page_SetFontAndSize(page, font, kFontSize);
    for (int i = 0; i < kLinesPerPage; ++i) {
      HPDF_Page_BeginText(page);
      HPDF_Page_TextOut(page, 50, static_cast<HPDF_REAL>(800 - 12.5 * i), Lines()[line++].c_str());
      HPDF_Page_EndText(page);
    }
  }
  if (HPDF_SaveToFile(pdf, OutPath("haru").c_str()) != HPDF_OK) std::abort();
  HPDF_Free(pdf);
}

void WriteCairo() {
  static std::vector<std::string> utf8 = [] {
    std::vector<std::string> all;
    for (const std::string& l : Lines()) all.push_back(WinAnsiConverter().AnsiToUtf8Text(l));
    return all;
  }();
  cairo_surface_t* surface = cairo_pdf_surface_create(OutPath("cairo").c_str(), 595, 842);
  cairo_t* cr = cairo_create(surface);
  cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, kFontSize);
  size_t line = 0;
  for (int p = 0; p < kPages; ++p) {
    for (int i = 0; i < kLinesPerPage; ++i) {
      cairo_move_to(cr, 50, 842 - (800 - 12.5 * i));
      cairo_show_text(cr, utf8[line++].c_str());
    }
    cairo_show_page(cr);
  }
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) std::abort();
  cairo_surface_destroy(surface);
}

void Run(benchmark::State& state, void (*write)(), const char* engine) {
  Lines();
  for (auto _ : state) write();
  FILE* f = std::fopen(OutPath(engine).c_str(), "rb");
  if (f != nullptr) {
    std::fseek(f, 0, SEEK_END);
    state.counters["file_MB"] = static_cast<double>(std::ftell(f)) / 1e6;
    std::fclose(f);
  }
}

BENCHMARK_CAPTURE(Run, ours, WriteOurs, "ours")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Run, haru, WriteHaru, "haru")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Run, cairo, WriteCairo, "cairo")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
