// A control that draws itself: Qt's paint events paint the control on a raster canvas of
// its size, whose pixels the widget then shows.
#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include "platform/gdi/dc/PixelBuffer.h"
#include "platform/gdi/dc/RasterDC.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/controls/CustomControl.h"
#include "platform/ui/qt/peers/Peers.h"

namespace {

class TPaintWidget : public QWidget {
 public:
  explicit TPaintWidget(TCustomControl& control) : control_(control) { setAttribute(Qt::WA_OpaquePaintEvent); }

 protected:
  void paintEvent(QPaintEvent*) override {
    int w = width(), h = height();
    if (w <= 0 || h <= 0) return;
    TPixelImage pixels(w, h);
    TRasterDC dc(pixels.Buffer());
    TCanvas canvas(&dc);
    auto paint = [&] { control_.PaintTo(canvas); };
    if (Application)
      Application->RunHandler(paint);
    else
      paint();
    const TPixelBuffer& b = pixels.Buffer();
    // 0x00RRGGBB words are Qt's RGB32 layout; the unused top byte is ignored.
    QImage image(reinterpret_cast<const uchar*>(b.Pixels), b.Width, b.Height, b.Stride, QImage::Format_RGB32);
    QPainter(this).drawImage(0, 0, image);
  }

 private:
  TCustomControl& control_;
};

class TPaintPeer : public TQtPeer {
 public:
  TPaintPeer(TCustomControl& c, TPaintWidget* w) : TQtPeer(c, w) {}
  bool ClickOnRelease() const override { return true; }
  void Update(TChange what) override {
    if (what == TChange::Paint || what == TChange::Color) Widget()->update();
  }
};

}  // namespace

std::unique_ptr<TQtPeer> MakePaintPeer(TControl& control) {
  if (auto* c = dynamic_cast<TCustomControl*>(&control)) return std::make_unique<TPaintPeer>(*c, new TPaintWidget(*c));
  return nullptr;
}
