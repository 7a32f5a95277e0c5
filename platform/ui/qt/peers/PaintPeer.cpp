// A control that draws itself. The widget keeps the control's pixels in a buffer of its size
// between paints, with the part that the control asked to be painted again: a paint event
// has the control paint only that part of what Qt wants shown, and shows the rest from the
// buffer as it is. Uncovering or grabbing the widget thus costs no painting, and a control
// that changes a little paints a little.
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <memory>

#include "platform/gdi/dc/PixelBuffer.h"
#include "platform/gdi/dc/RasterDC.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/controls/CustomControl.h"
#include "platform/ui/qt/peers/Peers.h"

namespace {

class TPaintWidget : public QWidget {
 public:
  // The control sees every move of the mouse over it, also without a button held (links
  // under the pointer, hints).
  explicit TPaintWidget(TCustomControl& control) : control_(control) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // A control that is a tab stop takes the keyboard when it is clicked.
    if (control.TabStop()) setFocusPolicy(Qt::ClickFocus);
  }

  // The part to paint again before it is shown (widget coordinates).
  void Invalidate(const QRect& r) {
    dirty_ += r;
    update(r);
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    int w = width(), h = height();
    if (w <= 0 || h <= 0) return;
    if (!buffer_ || buffer_->Width() != w || buffer_->Height() != h) {
      buffer_ = std::make_unique<TPixelImage>(w, h);
      dirty_ = QRegion(rect());
    }
    QRegion wanted = dirty_ & event->region();
    if (!wanted.isEmpty()) {
      // The control paints the bounding rectangle of what is wanted at once.
      QRect area = wanted.boundingRect();
      dirty_ -= area;
      TRasterDC dc(buffer_->Buffer());
      TCanvas canvas(&dc);
      auto paint = [&] {
        control_.PaintTo(canvas, TRect{area.left(), area.top(), area.right() + 1, area.bottom() + 1});
      };
      if (Application)
        Application->RunHandler(paint);
      else
        paint();
    }
    const TPixelBuffer& b = buffer_->Buffer();
    // 0x00RRGGBB words are Qt's RGB32 layout; the unused top byte is ignored.
    QImage image(reinterpret_cast<const uchar*>(b.Pixels), b.Width, b.Height, b.Stride, QImage::Format_RGB32);
    QPainter painter(this);
    for (const QRect& r : event->region()) painter.drawImage(r.topLeft(), image, r);
  }

 private:
  TCustomControl& control_;
  std::unique_ptr<TPixelImage> buffer_;
  QRegion dirty_;
};

class TPaintPeer : public TQtPeer {
 public:
  TPaintPeer(TCustomControl& c, TPaintWidget* w) : TQtPeer(c, w), custom_(c) {}
  bool ClickOnRelease() const override { return true; }
  void Update(TChange what) override {
    auto* w = static_cast<TPaintWidget*>(Widget());
    switch (what) {
      case TChange::Paint: {
        TRect r = custom_.TakeInvalidArea();
        if (!r.IsEmpty()) w->Invalidate(QRect(r.Left, r.Top, r.Width(), r.Height()));
        break;
      }
      // What the control draws with changed: all of it is painted again.
      case TChange::Color:
      case TChange::Font:
      case TChange::Enabled:
      case TChange::Text: w->Invalidate(w->rect()); break;
      default: break;
    }
  }

 private:
  TCustomControl& custom_;
};

}  // namespace

std::unique_ptr<TQtPeer> MakePaintPeer(TControl& control) {
  if (auto* c = dynamic_cast<TCustomControl*>(&control)) return std::make_unique<TPaintPeer>(*c, new TPaintWidget(*c));
  return nullptr;
}
