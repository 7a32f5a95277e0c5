// Text measurement and drawing of the graphics layer against HarfBuzz and Cairo doing the
// same work: the extent of every word of a German text (what line layout asks for), and
// 24 lines of text drawn on a 600 x 400 picture.
#include <benchmark/benchmark.h>

#include <cairo-ft.h>
#include <cairo.h>
#include <hb-ft.h>
#include <hb.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <sstream>
#include <string>
#include <vector>

#include "platform/gdi/dc/MeasureDC.h"
#include "platform/gdi/dc/RasterDC.h"
#include "platform/rtl/Unicode.h"

namespace {

const char* kFontFile = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";

const std::string& SampleUtf8() {
  static const std::string text = [] {
    const char* words[] = {"Die",     "Größe",  "der",     "Schrift", "wird",      "für",    "jedes",   "Wort",
                           "gemessen", "und",   "Zeilen",  "werden",  "umbrochen", "während", "Änderungen", "über",
                           "Absätze", "hinweg", "gleich",  "bleiben", "müssen",    "Straße", "Maß",     "Fußnote"};
    std::string s;
    for (int i = 0; i < 2000; ++i) {
      if (i) s += ' ';
      s += words[(i * 7 + i / 3) % 24];
    }
    return s;
  }();
  return text;
}

std::vector<String> Words() {
  std::vector<String> words;
  std::istringstream in(SampleUtf8());
  std::string w;
  while (in >> w) words.push_back(Utf8ToString(w));
  return words;
}

TFontHandle Arial16() {
  TLogFont f;
  f.lfFaceName = u"Arial";
  f.lfHeight = -16;
  return TFontHandle::Create(f);
}

void BM_MeasureWords_Wendrel(benchmark::State& state) {
  TMeasureDC dc;
  dc.SelectFont(Arial16());
  std::vector<String> words = Words();
  for (auto _ : state) {
    long total = 0;
    for (const String& w : words) total += dc.GetTextExtentPoint32(w).cx;
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(words.size()));
}
BENCHMARK(BM_MeasureWords_Wendrel);

void BM_MeasureWords_HarfBuzz(benchmark::State& state) {
  FT_Library lib;
  FT_Init_FreeType(&lib);
  FT_Face face;
  FT_New_Face(lib, kFontFile, 0, &face);
  FT_Set_Pixel_Sizes(face, 0, 16);
  hb_font_t* font = hb_ft_font_create_referenced(face);
  hb_ft_font_set_load_flags(font, FT_LOAD_NO_HINTING);
  std::vector<String> words = Words();
  hb_buffer_t* buffer = hb_buffer_create();
  for (auto _ : state) {
    long total = 0;
    for (const String& w : words) {
      hb_buffer_clear_contents(buffer);
      hb_buffer_add_utf16(buffer, reinterpret_cast<const uint16_t*>(w.data()), static_cast<int>(w.size()), 0, -1);
      hb_buffer_guess_segment_properties(buffer);
      hb_shape(font, buffer, nullptr, 0);
      unsigned n = 0;
      hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer, &n);
      for (unsigned i = 0; i < n; ++i) total += (pos[i].x_advance + 32) >> 6;
    }
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(words.size()));
  hb_buffer_destroy(buffer);
  hb_font_destroy(font);
  FT_Done_FreeType(lib);
}
BENCHMARK(BM_MeasureWords_HarfBuzz);

// 24 lines of about 60 bytes, cut between words so that each stays valid UTF-8.
std::vector<std::string> Lines() {
  std::vector<std::string> lines(1);
  std::istringstream in(SampleUtf8());
  std::string w;
  while (lines.size() <= 24 && in >> w) {
    if (lines.back().size() + w.size() > 60) lines.emplace_back();
    if (!lines.back().empty()) lines.back() += ' ';
    lines.back() += w;
  }
  lines.resize(24);
  return lines;
}

void BM_DrawLines_Wendrel(benchmark::State& state) {
  TPixelImage img(600, 400);
  TRasterDC dc(img.Buffer());
  dc.SelectFont(Arial16());
  dc.SetBkMode(TRANSPARENT);
  std::vector<String> lines;
  for (const std::string& l : Lines()) lines.push_back(Utf8ToString(l));
  for (auto _ : state) {
    for (size_t i = 0; i < lines.size(); ++i) dc.TextOut(4, static_cast<int>(i) * 16, lines[i]);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DrawLines_Wendrel);

void BM_DrawLines_Cairo(benchmark::State& state) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 600, 400);
  cairo_t* cr = cairo_create(surface);
  FT_Library lib;
  FT_Init_FreeType(&lib);
  FT_Face face;
  FT_New_Face(lib, kFontFile, 0, &face);
  cairo_font_face_t* font = cairo_ft_font_face_create_for_ft_face(face, 0);
  cairo_set_font_face(cr, font);
  cairo_set_font_size(cr, 16);
  cairo_set_source_rgb(cr, 0, 0, 0);
  std::vector<std::string> lines = Lines();
  for (auto _ : state) {
    for (size_t i = 0; i < lines.size(); ++i) {
      cairo_move_to(cr, 4, static_cast<double>(i) * 16 + 14);
      cairo_show_text(cr, lines[i].c_str());
    }
    cairo_surface_flush(surface);
    benchmark::ClobberMemory();
  }
  if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) state.SkipWithError(cairo_status_to_string(cairo_status(cr)));
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  cairo_font_face_destroy(font);
  FT_Done_Face(face);
  FT_Done_FreeType(lib);
}
BENCHMARK(BM_DrawLines_Cairo);

}  // namespace

BENCHMARK_MAIN();
