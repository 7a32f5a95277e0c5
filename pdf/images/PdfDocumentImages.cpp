// The image XObjects of TPdfDocument: finding an identical bitmap's image by its
// fingerprint, and making new ones.
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/bitmaps/PixelConversion.h"
#include "pdf/document/BitmapFingerprint.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/images/PdfImage.h"
#include "pdf/images/VevPicture.h"

namespace {

int FingerprintBitsOf(TPixelFormat format) { return format == pf15bit ? 15 : BitsPerPixelOf(format); }

// Bits per pixel, the palette entries (4 bytes each) of an indexed image and every scan
// line with its padding, top to bottom; the screen's own format counts as 24 bits.
std::array<uint32_t, 4> FingerprintOf(const TDibImage& image) {
  if (image.Format() == pfDevice) return FingerprintOf(ConvertPixelFormat(image, pf24bit));
  TBitmapFingerprint fingerprint(FingerprintBitsOf(image.Format()));
  if (IsIndexedFormat(image.Format()))
    fingerprint.Add(image.Palette().data(), image.Palette().size() * sizeof(TRGBQuad));
  for (int y = 0; y < image.Height(); ++y) fingerprint.Add(image.ScanLine(y), image.Stride());
  return fingerprint.Words();
}

}  // namespace

std::string TPdfDocument::GetXObjectImageName(const std::array<uint32_t, 4>& hash, int32_t width,
                                              int32_t height) const {
  if (hash == std::array<uint32_t, 4>{}) return {};
  for (int i = 0; i < xobjectList_->ItemCount(); ++i) {
    TPdfObject* item = xobjectList_->Item(i);
    if (item->ObjectType() == otVirtualObject) item = xref_->GetObject(item->ObjectNumber());
    auto* image = dynamic_cast<TPdfImage*>(item);
    if (image == nullptr || image->PixelWidth != width || image->PixelHeight != height || image->Hash != hash) continue;
    if (auto* name = dynamic_cast<TPdfName*>(image->Attributes().ValueByName("Name"))) return name->Value;
  }
  return {};
}

std::string TPdfDocument::CreateOrGetImage(const TBitmap& bitmap, const TPdfRect* placement) {
  if (bitmap.Empty()) return {};
  std::array<uint32_t, 4> hash{};
  std::string name;
  if (!NoBitmapReuse) {
    hash = FingerprintOf(bitmap.Image());
    name = GetXObjectImageName(hash, bitmap.Width(), bitmap.Height());
  }
  if (name.empty()) {
    name = "VevImg" + std::to_string(xobjectList_->ItemCount());
    // The registry owns the image from its first moment, whatever the registration says.
    TPdfImage* image = nullptr;
    if (BitmapsAsJpeg != 0) {
      TJpegImage jpeg;
      jpeg.Assign(bitmap);
      image = xref_->Add<TPdfImage>(*this, static_cast<TGraphic&>(jpeg));
      image->Hash = hash;
      RegisterXObject(image, name);
    } else {
      image = xref_->Add<TPdfImage>(*this, bitmap);
      image->Hash = hash;
      AddXObject(name, image);
    }
  }
  if (placement != nullptr)
    canvas_->DrawXObject(placement->Left, placement->Bottom, placement->Right - placement->Left,
                         placement->Top - placement->Bottom, name);
  return name;
}
