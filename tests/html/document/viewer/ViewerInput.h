// A viewer on a form of a headless application that runs on a manual clock, with the
// points of texts of the shown document, for tests of the mouse, the keys and the links.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "html/document/model/Document.h"
#include "html/document/viewer/MarkupViewer.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/PixelBuffer.h"
#include "platform/gdi/dc/RasterDC.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/forms/Form.h"
#include "tests/html/document/viewer/TextPoints.h"
#include "tests/support/TempDirectory.h"

struct ViewerInput : ::testing::Test {
  TManualClock clock;
  ScopedClock useClock{clock};
  TApplication app;
  TTempDirectory folder{"wendrel-viewer-input"};
  TForm* form = nullptr;
  TMarkupViewer* viewer = nullptr;

  void SetUp() override {
    app.CreateForm(form);
    form->SetBounds(0, 0, 400, 300);
    viewer = new TMarkupViewer(form);
    viewer->SetParent(form);
    viewer->SetBounds(0, 0, 400, 300);
    form->Show();
  }

  String Write(const std::string& name, const std::string& html) const {
    folder.WriteFile(name, html);
    return Utf8ToString(folder.PathOf(name));
  }
  void Show(const std::string& html) {
    viewer->LoadDocumentFile(Write("shown.html", html));
    PaintNow();
  }
  // Paints the panel as the window system would after an invalidation: the document's hit
  // tests answer for what was drawn last.
  void PaintNow() {
    TPixelImage image(Panel().Width(), Panel().Height());
    TRasterDC dc(image.Buffer());
    TCanvas canvas(&dc);
    Panel().PaintTo(canvas, TRect{0, 0, image.Width(), image.Height()});
  }

  TPaintPanel& Panel() const { return viewer->PaintPanel(); }
  ThtDocument& Document() const { return viewer->Document(); }

  TPoint PointOf(const std::u16string& text, int offset = 0) const { return PanelPointOf(*viewer, text, offset); }
  // The panel point just right of the last character of text (on the character, right half).
  TPoint EndOf(const std::u16string& text) const {
    TPoint p = PointOf(text, static_cast<int>(text.size()));
    p.X -= 3;
    return p;
  }

  void Press(TPoint p, TMouseButton button = TMouseButton::mbLeft, TShiftState shift = 0) {
    Panel().MouseDown(button, shift, p.X, p.Y);
  }
  void Release(TPoint p, TMouseButton button = TMouseButton::mbLeft, TShiftState shift = 0) {
    Panel().MouseUp(button, shift, p.X, p.Y);
  }
  void Move(TPoint p, TShiftState shift = 0) { Panel().MouseMove(shift, p.X, p.Y); }
  void Click(TPoint p) {
    Move(p);
    Press(p);
    Release(p);
  }
  // Lets ms pass and runs what is due then (posted messages, timers).
  void Pass(int ms) {
    clock.Advance(static_cast<uint64_t>(ms));
    app.ProcessMessages();
  }
};

// A page of numbered paragraphs, long enough to scroll.
inline std::string LongPage(int paragraphs = 60) {
  std::string html = "<html><body>";
  for (int i = 0; i < paragraphs; ++i)
    html += "<p>Paragraph " + std::to_string(i) + " of the long page, with some words.</p>";
  return html + "</body></html>";
}
