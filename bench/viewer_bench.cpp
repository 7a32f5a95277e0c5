// The viewer on a large real document: the Debian Reference repeated to 8 MB of HTML
// (bench/DebianReference.h) shown in a TMarkupViewer of 1024 x 768 pixels.
//   ViewerLoadLayOutAndFirstPaint: LoadDocumentStream (parse, layout for the client width with
//     the scroll-bar decisions) and the first paint of the whole paint panel.
//   ViewerScrollByPages: from the top to the end of the loaded document a page at a time (the
//     vertical bar's LargeChange), each screen painted whole as the panel paints it.
// The peer is Qt's QTextDocument doing the same work on the same HTML: setHtml, layout at
// the same width, drawing the first screen into a QImage, then every screen down to the end
// (QtLoadLayOutAndFirstPaint, QtScrollByPages). s_per_screen is the time of one screen.
// The counters peak_MB are the peak resident memory of a fresh process that does that work
// once (the program runs itself with an argument); base_MB that of one that only builds the
// text.
#include <benchmark/benchmark.h>

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "bench/DebianReference.h"
#include "bench/PeakMemory.h"
#include "html/document/viewer/MarkupViewer.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/PixelBuffer.h"
#include "platform/gdi/dc/RasterDC.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Unicode.h"

namespace {

constexpr int WindowWidth = 1024, WindowHeight = 768;
constexpr int Megabytes = 8;

const std::string& Text() {
  static const std::string text = debian_reference::Manual(Megabytes);
  return text;
}

// A viewer as the export window holds one, with the document loaded.
std::unique_ptr<TMarkupViewer> LoadedViewer() {
  auto viewer = std::make_unique<TMarkupViewer>(nullptr);
  viewer->SetBounds(0, 0, WindowWidth, WindowHeight);
  viewer->SetDefBackground(clWhite);
  TStringStream stream(Text());
  viewer->LoadDocumentStream(Utf8ToString(std::string(debian_reference::Folder) + "bench.html"), &stream, HtmlType);
  return viewer;
}

// The whole paint panel painted as on screen.
void PaintScreen(TMarkupViewer& viewer, TPixelImage& screen) {
  TRasterDC dc(screen.Buffer());
  TCanvas canvas(&dc);
  viewer.PaintPanel().PaintTo(canvas, TRect{0, 0, screen.Width(), screen.Height()});
}

TPixelImage ScreenOf(const TMarkupViewer& viewer) {
  return TPixelImage(viewer.PaintPanel().Width(), viewer.PaintPanel().Height());
}

int ScrollByPages(TMarkupViewer& viewer, TPixelImage& screen) {
  int screens = 0;
  const int step = viewer.VScrollBar().LargeChange(), last = viewer.MaxVertical - viewer.PaintPanel().Height();
  for (int y = 0;; y += step) {
    viewer.ScrollTo(y);
    PaintScreen(viewer, screen);
    ++screens;
    if (y >= last) break;
  }
  return screens;
}

// Qt's rich-text document with the same HTML, width and default font.
struct TQtDocument {
  QTextDocument document;
  int width;

  explicit TQtDocument(int textWidth) : width(textWidth) {
    document.setDefaultFont(QFont(QStringLiteral("Liberation Serif"), 12));
    document.setHtml(QString::fromUtf8(Text().data(), static_cast<qsizetype>(Text().size())));
    document.setTextWidth(width);
  }
  int Height() { return static_cast<int>(document.documentLayout()->documentSize().height()); }
  void Paint(QImage& screen, int y) {
    screen.fill(Qt::white);
    QPainter painter(&screen);
    painter.translate(0, -y);
    document.drawContents(&painter, QRectF(0, y, screen.width(), screen.height()));
  }
  int ScrollByPages(QImage& screen, int step) {
    int screens = 0;
    const int last = Height() - screen.height();
    for (int y = 0;; y += step) {
      Paint(screen, std::max(0, std::min(y, last)));
      ++screens;
      if (y >= last) break;
    }
    return screens;
  }
};

void SetPeaks(benchmark::State& state, const char* work) {
  state.counters["peak_MB"] = std::atof(RunSelf(work).c_str());
  state.counters["base_MB"] = std::atof(RunSelf("--base").c_str());
}

void ViewerLoadLayOutAndFirstPaint(benchmark::State& state) {
  Text();
  int height = 0;
  for (auto _ : state) {
    std::unique_ptr<TMarkupViewer> viewer = LoadedViewer();
    TPixelImage screen = ScreenOf(*viewer);
    PaintScreen(*viewer, screen);
    height = viewer->MaxVertical;
  }
  state.counters["height_px"] = height;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Text().size()));
  SetPeaks(state, "--viewer-load");
}
BENCHMARK(ViewerLoadLayOutAndFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(2);

void ViewerScrollByPages(benchmark::State& state) {
  std::unique_ptr<TMarkupViewer> viewer = LoadedViewer();
  TPixelImage screen = ScreenOf(*viewer);
  int screens = 0;
  for (auto _ : state) screens = ScrollByPages(*viewer, screen);
  state.counters["screens"] = screens;
  state.counters["s_per_screen"] = benchmark::Counter(screens, benchmark::Counter::kIsIterationInvariantRate |
                                                                   benchmark::Counter::kInvert);
  SetPeaks(state, "--viewer-scroll");
}
BENCHMARK(ViewerScrollByPages)->Unit(benchmark::kMillisecond)->Iterations(1);

// The viewer's screen: its paint panel (the window less the vertical bar) and its page step.
struct TScreenSize {
  int Width, Height, Step;
};
const TScreenSize& ViewerScreen() {
  static const TScreenSize size = [] {
    std::unique_ptr<TMarkupViewer> viewer = LoadedViewer();
    return TScreenSize{viewer->PaintPanel().Width(), viewer->PaintPanel().Height(), viewer->VScrollBar().LargeChange()};
  }();
  return size;
}
// The screen size as arguments of a child process that measures the peer's memory.
std::string ScreenArguments() {
  const TScreenSize& size = ViewerScreen();
  std::string arguments;
  for (int value : {size.Width, size.Height, size.Step}) {
    arguments += ' ';
    arguments += std::to_string(value);
  }
  return arguments;
}

void QtLoadLayOutAndFirstPaint(benchmark::State& state) {
  const TScreenSize& size = ViewerScreen();
  int height = 0;
  for (auto _ : state) {
    TQtDocument qt(size.Width);
    height = qt.Height();
    QImage screen(size.Width, size.Height, QImage::Format_RGB32);
    qt.Paint(screen, 0);
  }
  state.counters["height_px"] = height;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Text().size()));
  SetPeaks(state, ("--qt-load" + ScreenArguments()).c_str());
}
BENCHMARK(QtLoadLayOutAndFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(2);

void QtScrollByPages(benchmark::State& state) {
  const TScreenSize& size = ViewerScreen();
  TQtDocument qt(size.Width);
  qt.Height();
  QImage screen(size.Width, size.Height, QImage::Format_RGB32);
  int screens = 0;
  for (auto _ : state) screens = qt.ScrollByPages(screen, size.Step);
  state.counters["screens"] = screens;
  state.counters["s_per_screen"] = benchmark::Counter(screens, benchmark::Counter::kIsIterationInvariantRate |
                                                                   benchmark::Counter::kInvert);
  SetPeaks(state, ("--qt-scroll" + ScreenArguments()).c_str());
}
BENCHMARK(QtScrollByPages)->Unit(benchmark::kMillisecond)->Iterations(1);

// The work of one benchmark done once in this process, for its peak memory.
// The peer's children get the viewer's screen size (width, height, page step) as arguments.
bool RunOnce(const char* work, const TScreenSize& size) {
  if (std::strcmp(work, "--base") == 0) {
    Text();
    return true;
  }
  if (std::strcmp(work, "--viewer-load") == 0 || std::strcmp(work, "--viewer-scroll") == 0) {
    std::unique_ptr<TMarkupViewer> viewer = LoadedViewer();
    TPixelImage screen = ScreenOf(*viewer);
    PaintScreen(*viewer, screen);
    if (std::strcmp(work, "--viewer-scroll") == 0) ScrollByPages(*viewer, screen);
    return true;
  }
  if (std::strcmp(work, "--qt-load") == 0 || std::strcmp(work, "--qt-scroll") == 0) {
    TQtDocument qt(size.Width);
    qt.Height();  // the whole layout, as the viewer's
    QImage screen(size.Width, size.Height, QImage::Format_RGB32);
    qt.Paint(screen, 0);
    if (std::strcmp(work, "--qt-scroll") == 0) qt.ScrollByPages(screen, size.Step);
    return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const TScreenSize size = argc == 5 ? TScreenSize{std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4])}
                                      : TScreenSize{WindowWidth, WindowHeight, WindowHeight - 16};
  if ((argc == 2 || argc == 5) && RunOnce(argv[1], size)) {
    std::printf("%.1f\n", OwnPeakResidentMegabytes());
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
