#include "platform/gdi/metafile/Metafile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/metafile/EmfPlayer.h"
#include "platform/gdi/metafile/EmfReader.h"
#include "platform/gdi/metafile/EmfRecordWriter.h"
#include "platform/rtl/Unicode.h"

namespace {

// A side of the frame; 0 for a reversed or absurd frame.
int SideOf(int from, int to) {
  int64_t side = int64_t{to} - from;
  return side > 0 && side <= std::numeric_limits<int>::max() ? static_cast<int>(side) : 0;
}

}  // namespace

void TMetafile::Clear() {
  data_.clear();
  width_ = height_ = 0;
}

void TMetafile::SetData(std::string data) {
  TEmfReader reader(data);
  TRect frame = reader.Header().FramePixels();
  data_ = std::move(data);
  width_ = SideOf(frame.Left, frame.Right);
  height_ = SideOf(frame.Top, frame.Bottom);
}

void TMetafile::LoadFromStream(TStream& stream) { SetData(ReadRestOfStream(stream)); }

void TMetafile::SaveToStream(TStream& stream) {
  if (data_.empty()) throw EInvalidGraphicOperation(S("Die Metadatei ist leer"));
  std::string out = data_;
  // The frame in hundredths of a millimetre of the reference device, from the size now set.
  TEmfReader reader(out);
  const TEmfHeader& h = reader.Header();
  TRect frame = h.Frame;
  TRect pixels = h.FramePixels();
  if (SideOf(pixels.Left, pixels.Right) != width_ || SideOf(pixels.Top, pixels.Bottom) != height_) {
    const bool micro = h.Micrometers.cx > 0 && h.Micrometers.cy > 0;
    double umX = micro ? h.Micrometers.cx : h.Millimeters.cx * 1000.0;
    double umY = micro ? h.Micrometers.cy : h.Millimeters.cy * 1000.0;
    double perPixelX = h.Device.cx > 0 ? umX / h.Device.cx / 10 : 2540.0 / 96;
    double perPixelY = h.Device.cy > 0 ? umY / h.Device.cy / 10 : 2540.0 / 96;
    auto end = [](int from, double length) {
      return static_cast<int>(std::clamp<double>(std::round(from + length), std::numeric_limits<int>::min(),
                                                 std::numeric_limits<int>::max()));
    };
    frame.Right = end(frame.Left, width_ * perPixelX);
    frame.Bottom = end(frame.Top, height_ * perPixelY);
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
