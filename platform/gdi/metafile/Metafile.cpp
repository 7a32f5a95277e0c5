#include "platform/gdi/metafile/Metafile.h"

#include <cmath>

#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/metafile/EmfPlayer.h"
#include "platform/gdi/metafile/EmfReader.h"
#include "platform/gdi/metafile/EmfRecordWriter.h"
#include "platform/rtl/Unicode.h"

void TMetafile::Clear() {
  data_.clear();
  width_ = height_ = 0;
}

void TMetafile::SetData(std::string data) {
  TEmfReader reader(data);
  TRect frame = reader.Header().FramePixels();
  data_ = std::move(data);
  width_ = frame.Width();
  height_ = frame.Height();
}

void TMetafile::LoadFromStream(TStream& stream) { SetData(ReadRestOfStream(stream)); }

void TMetafile::SaveToStream(TStream& stream) {
  if (data_.empty()) throw EInvalidGraphicOperation(S("Die Metadatei ist leer"));
  std::string out = data_;
  // The frame in hundredths of a millimetre of the reference device, from the size now set.
  TEmfReader reader(out);
  const TEmfHeader& h = reader.Header();
  TRect frame = h.Frame;
  if (h.FramePixels().Width() != width_ || h.FramePixels().Height() != height_) {
    const bool micro = h.Micrometers.cx > 0 && h.Micrometers.cy > 0;
    double umX = micro ? h.Micrometers.cx : h.Millimeters.cx * 1000.0;
    double umY = micro ? h.Micrometers.cy : h.Millimeters.cy * 1000.0;
    double perPixelX = h.Device.cx > 0 ? umX / h.Device.cx / 10 : 2540.0 / 96;
    double perPixelY = h.Device.cy > 0 ? umY / h.Device.cy / 10 : 2540.0 / 96;
    frame.Right = frame.Left + static_cast<int>(std::lround(width_ * perPixelX));
    frame.Bottom = frame.Top + static_cast<int>(std::lround(height_ * perPixelY));
    std::string bytes = TEmfRecordWriter(0).Rect(frame).Finish().substr(8);
    out.replace(24, 16, bytes);
  }
  stream.WriteBuffer(out.data(), static_cast<std::int64_t>(out.size()));
}

void TMetafile::AssignTo(TBitmap& target) const {
  target.SetSize(width_, height_);
  if (width_ <= 0 || height_ <= 0) return;
  TCanvas& canvas = target.Canvas();
  canvas.Brush().SetColor(clWhite);
  canvas.FillRect(Rect(0, 0, width_, height_));
  if (!data_.empty()) PlayEnhMetafile(target.Canvas().Handle(), data_, Rect(0, 0, width_, height_));
}

void TMetafile::Draw(TCanvas& canvas, const TRect& rect) {
  if (data_.empty()) return;
  PlayEnhMetafile(canvas.Handle(), data_, rect);
}
