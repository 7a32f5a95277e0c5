// Replaying page metafiles into one PDF: 1,000 pages of mixed text (three fonts, justified
// lines) and drawing (rectangles, borders as polygons, lines, an ellipse, a clipped cell and
// a bitmap), each recorded once per page as the HTML export hands them over, rendered with
// RenderEmfToCanvas and written. Reports the time of the whole run and the peak memory.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <string>
#include <vector>

#include "pdf/document/PdfCanvas.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/emf/PdfEnum.h"
#include "platform/gdi/dc/GdiConstants.h"
#include "platform/gdi/fonts/FontHandle.h"
#include "platform/gdi/metafile/Metafile.h"
#include "platform/gdi/metafile/MetafileRecorder.h"
#include "platform/rtl/Streams.h"

namespace {

constexpr int kPageWidth = 760, kPageHeight = 1040;

TFontHandle Font(const char16_t* face, int height, int weight = FW_NORMAL) {
  TLogFont lf;
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfFaceName = face;
  return TFontHandle::Create(lf);
}

std::string PageMetafile(int page) {
  TMetafileRecorder r;
  TFontHandle body = Font(u"Arial", -13), head = Font(u"Times New Roman", -20, FW_BOLD), code = Font(u"Courier New", -12);
  TPixelImage logo(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) logo.Set(x, y, ((x / 8 + y / 8) & 1) ? 0x3060C0 : 0xFFFFFF);
  r.SetBkMode(TRANSPARENT);
  r.SelectFont(head);
  r.TextOut(20, 20, u"Section " + std::u16string(1, static_cast<char16_t>(u'A' + page % 26)));
  r.StretchDIBits(680, 16, 48, 48, 0, 0, 32, 32, logo.Buffer(), SRCCOPY);
  r.SelectFont(body);
  std::u16string words = u"The quick brown fox jumps over the lazy dog and keeps on running far away";
  for (int line = 0; line < 40; ++line) {
    int y = 80 + line * 18;
    std::vector<int> dx;
    for (Char c : words) dx.push_back(r.GetTextExtentPoint32(std::u16string(1, c)).cx + (c == u' ' ? 2 : 0));
    r.ExtTextOut(20, y, 0, nullptr, words, dx.data());
  }
  r.SelectFont(code);
  r.TextOut(20, 820, u"int main() { return 0; }");
  // A table of cells with borders and backgrounds, one clipped.
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col) {
      TRect cell{20 + col * 180, 860 + row * 40, 190 + col * 180, 895 + row * 40};
      r.FillRect(cell, CreateSolidBrush(row % 2 ? 0xF0F0F0 : 0xE0F0FF));
      r.SelectPen(NullPen());
      r.SelectBrush(CreateSolidBrush(0x404040));
      r.Polygon({{cell.Left, cell.Top}, {cell.Right, cell.Top}, {cell.Right, cell.Top + 1}, {cell.Left, cell.Top + 1}});
      int level = r.SaveDC();
      r.IntersectClipRect(cell);
      r.SelectFont(body);
      r.TextOut(cell.Left + 4, cell.Top + 8, u"cell text that is longer than its cell");
      r.RestoreDC(level);
    }
  r.SelectPen(CreatePen(PS_SOLID, 2, 0x0000C0));
  r.SelectBrush(NullBrush());
  r.Ellipse(600, 800, 740, 850);
  r.MoveToEx(20, 1030);
  r.LineTo(740, 1030);
  return r.Finish(kPageWidth, kPageHeight);
}

double PeakMegabytes() {
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_RenderThousandPageMetafiles(benchmark::State& state) {
  std::vector<TMetafile> pages(1000);
  for (size_t i = 0; i < pages.size(); ++i) pages[i].SetData(PageMetafile(static_cast<int>(i)));
  size_t bytes = 0;
  for (auto _ : state) {
    TPdfDocument doc;
    doc.EmbedTrueTypeFonts = true;
    for (const TMetafile& page : pages) {
      doc.AddPage();
      RenderEmfToCanvas(doc.Canvas(), page, 0.75, 36, -36);
    }
    TMemoryStream out;
    doc.WriteToStream(out);
    bytes = static_cast<size_t>(out.Size());
  }
  state.counters["pdf_MB"] = static_cast<double>(bytes) / 1e6;
  state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_RenderThousandPageMetafiles)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
