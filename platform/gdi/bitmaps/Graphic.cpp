#include "platform/gdi/bitmaps/Graphic.h"

#include "platform/gdi/bitmaps/Bitmap.h"

void TGraphic::LoadFromFile(const String& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

void TGraphic::SaveToFile(const String& fileName) {
  TFileStream stream(fileName, fmCreate);
  SaveToStream(stream);
}

std::string ReadRestOfStream(TStream& stream) {
  std::int64_t size = stream.Size() - stream.Position();
  std::string bytes;
  if (size <= 0) return bytes;
  bytes.resize(size_t(size));
  stream.ReadBuffer(bytes.data(), size);
  return bytes;
}

void TGraphic::Draw(TCanvas& canvas, const TRect& rect) {
  TBitmap copy;
  AssignTo(copy);
  copy.SetTransparent(Transparent());
  copy.Draw(canvas, rect);
}
