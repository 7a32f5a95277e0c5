#include "pdf/images/TiffEncoding.h"

#include <tiffio.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/bitmaps/PixelConversion.h"
#include "platform/rtl/Unicode.h"

namespace {

// The file in memory that libtiff writes (and reads back while it writes).
struct TTiffOutput {
  std::string data;
  size_t pos = 0;
  std::string error;
};

tmsize_t ReadOutput(thandle_t h, void* buf, tmsize_t size) {
  auto* f = static_cast<TTiffOutput*>(h);
  if (size <= 0 || f->pos >= f->data.size()) return 0;
  size_t n = std::min(size_t(size), f->data.size() - f->pos);
  std::memcpy(buf, f->data.data() + f->pos, n);
  f->pos += n;
  return tmsize_t(n);
}

tmsize_t WriteOutput(thandle_t h, void* buf, tmsize_t size) {
  auto* f = static_cast<TTiffOutput*>(h);
  if (size <= 0) return 0;
  if (f->pos + size_t(size) > f->data.size()) f->data.resize(f->pos + size_t(size));
  std::memcpy(f->data.data() + f->pos, buf, size_t(size));
  f->pos += size_t(size);
  return size;
}

toff_t SeekOutput(thandle_t h, toff_t offset, int whence) {
  auto* f = static_cast<TTiffOutput*>(h);
  int64_t base = whence == SEEK_CUR ? int64_t(f->pos) : whence == SEEK_END ? int64_t(f->data.size()) : 0;
  if (base + int64_t(offset) < 0) return toff_t(-1);
  f->pos = size_t(base + int64_t(offset));
  return f->pos;
}

int CloseOutput(thandle_t) { return 0; }
toff_t SizeOfOutput(thandle_t h) { return static_cast<TTiffOutput*>(h)->data.size(); }
int NoMap(thandle_t, void**, toff_t*) { return 0; }
void NoUnmap(thandle_t, void*, toff_t) {}

int KeepError(TIFF*, void* user, const char* module, const char* fmt, va_list ap) {
  char text[512];
  std::vsnprintf(text, sizeof text, fmt, ap);
  auto* f = static_cast<TTiffOutput*>(user);
  if (f->error.empty()) f->error = std::string(module != nullptr ? module : "") + ": " + text;
  return 1;
}

int IgnoreWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

[[noreturn]] void Fail(const TTiffOutput& out) {
  throw EInvalidGraphicOperation(S("TIFF-Kodierung fehlgeschlagen: ") + Utf8ToString(out.error));
}

uint16_t CompressionTag(int compression) {
  switch (compression) {
    case 3: return COMPRESSION_CCITTFAX3;
    case 4: return COMPRESSION_CCITTFAX4;
    case 5: return COMPRESSION_PACKBITS;
    case 6: return COMPRESSION_NONE;
    default: return COMPRESSION_LZW;
  }
}

// One row: RGB samples, or for black and white 1 bit per pixel, 0 for black.
void PackRow(const TDibImage& pixels, int y, bool bilevel, std::vector<uint8_t>& row) {
  const uint8_t* p = pixels.ScanLine(y);
  std::fill(row.begin(), row.end(), 0);
  for (int x = 0; x < pixels.Width(); ++x) {
    uint8_t b = p[3 * x], g = p[3 * x + 1], r = p[3 * x + 2];
    if (bilevel) {
      if (299 * r + 587 * g + 114 * b >= 128 * 1000) row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
    } else {
      row[3 * size_t(x)] = r;
      row[3 * size_t(x) + 1] = g;
      row[3 * size_t(x) + 2] = b;
    }
  }
}

}  // namespace

std::string EncodeTiffCompressed(const TDibImage& image, int compression, int dpi) {
  if (image.Empty()) throw EInvalidGraphicOperation(S("Leeres Bild kann nicht gespeichert werden"));
  TDibImage pixels = ConvertPixelFormat(image, pf24bit);
  uint16_t tag = CompressionTag(compression);
  bool bilevel = tag == COMPRESSION_CCITTFAX3 || tag == COMPRESSION_CCITTFAX4;
  TTiffOutput out;
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  TIFFOpenOptionsSetErrorHandlerExtR(options, KeepError, &out);
  TIFFOpenOptionsSetWarningHandlerExtR(options, IgnoreWarning, &out);
  TIFF* tif = TIFFClientOpenExt("memory", "w", &out, ReadOutput, WriteOutput, SeekOutput, CloseOutput, SizeOfOutput,
                                NoMap, NoUnmap, options);
  TIFFOpenOptionsFree(options);
  if (tif == nullptr) Fail(out);
  uint32_t width = uint32_t(pixels.Width()), height = uint32_t(pixels.Height());
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, bilevel ? 1 : 3);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, bilevel ? 1 : 8);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, bilevel ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_RGB);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, tag);
  if (dpi > 0) {
    TIFFSetField(tif, TIFFTAG_XRESOLUTION, float(dpi));
    TIFFSetField(tif, TIFFTAG_YRESOLUTION, float(dpi));
    TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
  }
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tif, 0));
  std::vector<uint8_t> row(bilevel ? (width + 7) / 8 : size_t(width) * 3);
  bool ok = true;
  for (uint32_t y = 0; ok && y < height; ++y) {
    PackRow(pixels, int(y), bilevel, row);
    ok = TIFFWriteScanline(tif, row.data(), y, 0) >= 0;
  }
  ok = ok && TIFFFlush(tif) != 0;
  TIFFClose(tif);
  if (!ok) Fail(out);
  return out.data;
}
