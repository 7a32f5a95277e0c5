#include "platform/gdi/codecs/TiffCodec.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/bitmaps/ImageLimits.h"
#include "platform/gdi/bitmaps/PixelConversion.h"
#include "platform/rtl/Unicode.h"

namespace {

// A file in memory that libtiff reads from and writes to.
struct TMemoryFile {
  std::string data;
  toff_t pos = 0;
  std::string lastError;
};

tmsize_t ReadProc(thandle_t h, void* buf, tmsize_t size) {
  auto* f = static_cast<TMemoryFile*>(h);
  if (size <= 0 || f->pos >= f->data.size()) return 0;
  size_t n = std::min<size_t>(size_t(size), f->data.size() - size_t(f->pos));
  std::memcpy(buf, f->data.data() + f->pos, n);
  f->pos += n;
  return tmsize_t(n);
}

tmsize_t WriteProc(thandle_t h, void* buf, tmsize_t size) {
  auto* f = static_cast<TMemoryFile*>(h);
  if (size <= 0) return 0;
  size_t end = size_t(f->pos) + size_t(size);
  if (end > f->data.size()) f->data.resize(end);
  std::memcpy(f->data.data() + f->pos, buf, size_t(size));
  f->pos = end;
  return size;
}

toff_t SeekProc(thandle_t h, toff_t offset, int whence) {
  auto* f = static_cast<TMemoryFile*>(h);
  int64_t base = whence == SEEK_CUR ? int64_t(f->pos) : whence == SEEK_END ? int64_t(f->data.size()) : 0;
  int64_t target = base + int64_t(offset);
  if (target < 0) return toff_t(-1);
  f->pos = toff_t(target);
  return f->pos;
}

int CloseProc(thandle_t) { return 0; }
toff_t SizeProc(thandle_t h) { return static_cast<TMemoryFile*>(h)->data.size(); }
// libtiff reads a file opened for reading through this "mapping" of the bytes in memory. Its
// other read path mistakes the size of uncompressed tiles (libtiff 4.5: "Invalid tile byte
// count") and would copy every strip and tile once more.
int MapProc(thandle_t h, void** base, toff_t* size) {
  auto* f = static_cast<TMemoryFile*>(h);
  *base = f->data.data();
  *size = f->data.size();
  return 1;
}
void UnmapProc(thandle_t, void*, toff_t) {}

int OnError(TIFF*, void* user, const char* module, const char* fmt, va_list ap) {
  char text[512];
  vsnprintf(text, sizeof text, fmt, ap);
  auto* f = static_cast<TMemoryFile*>(user);
  if (f->lastError.empty()) f->lastError = std::string(module ? module : "") + ": " + text;
  return 1;
}

int OnWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

struct TTiffHandle {
  TIFF* tif = nullptr;
  ~TTiffHandle() {
    if (tif) TIFFClose(tif);
  }
};

TIFF* Open(TMemoryFile& file, const char* mode) {
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  TIFFOpenOptionsSetErrorHandlerExtR(options, OnError, &file);
  TIFFOpenOptionsSetWarningHandlerExtR(options, OnWarning, &file);
  // A few corrupt header bytes can make libtiff ask for gigabytes of strip buffer. No
  // buffer of an image within the pixel budget needs more than 16 bytes per pixel (four
  // 32-bit samples), so libtiff may allocate no more at once.
  TIFFOpenOptionsSetMaxSingleMemAlloc(options, tmsize_t(ImagePixelBudget() * 16));
  TIFF* tif = TIFFClientOpenExt("memory", mode, &file, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc, MapProc,
                                UnmapProc, options);
  TIFFOpenOptionsFree(options);
  return tif;
}

[[noreturn]] void Fail(const TMemoryFile& file) {
  throw EInvalidGraphic(S("TIFF-Bild ist fehlerhaft: ") + Utf8ToString(file.lastError));
}

[[noreturn]] void FailEncoding(const TMemoryFile& file) {
  throw EInvalidGraphicOperation(S("TIFF-Kodierung fehlgeschlagen: ") + Utf8ToString(file.lastError));
}

uint16_t CompressionTag(TTiffCompression compression) {
  switch (compression) {
    case TTiffCompression::Lzw: return COMPRESSION_LZW;
    case TTiffCompression::PackBits: return COMPRESSION_PACKBITS;
    case TTiffCompression::None: return COMPRESSION_NONE;
    case TTiffCompression::CcittGroup3: return COMPRESSION_CCITTFAX3;
    case TTiffCompression::CcittGroup4: return COMPRESSION_CCITTFAX4;
    case TTiffCompression::Deflate: break;
  }
  return COMPRESSION_ADOBE_DEFLATE;
}

// One row of a 24-bit image: RGB samples, or in black and white 1 bit per pixel, 0 for black.
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

TDecodedTiff DecodeTiff(std::string_view bytes) {
  TMemoryFile file;
  file.data = std::string(bytes);
  TTiffHandle h;
  h.tif = Open(file, "r");
  if (!h.tif) Fail(file);
  uint32_t width = 0, height = 0;
  TIFFGetField(h.tif, TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(h.tif, TIFFTAG_IMAGELENGTH, &height);
  CheckImageSize(width, height);
  char message[1024] = {};
  TIFFRGBAImage rgba{};
  if (!TIFFRGBAImageOK(h.tif, message) || !TIFFRGBAImageBegin(&rgba, h.tif, 1, message)) {
    file.lastError = message;
    Fail(file);
  }
  rgba.req_orientation = ORIENTATION_TOPLEFT;
  TDecodedTiff result;
  // libtiff takes a fourth sample for alpha even when the file leaves its meaning open.
  result.hasAlpha = rgba.alpha != 0;
  // Samples are divided by alpha only where the file says they are premultiplied.
  uint16_t extraCount = 0;
  uint16_t* extraTypes = nullptr;
  bool associated = TIFFGetField(h.tif, TIFFTAG_EXTRASAMPLES, &extraCount, &extraTypes) == 1 && extraCount > 0 &&
                    extraTypes[0] == EXTRASAMPLE_ASSOCALPHA;
  std::vector<uint32_t> raster(size_t(width) * height);
  bool ok = TIFFRGBAImageGet(&rgba, raster.data(), width, height) != 0;
  TIFFRGBAImageEnd(&rgba);
  if (!ok) Fail(file);
  result.image = TDibImage(int(width), int(height), result.hasAlpha ? pf32bit : pf24bit);
  for (uint32_t y = 0; y < height; ++y) {
    uint8_t* row = result.image.ScanLine(int(y));
    const uint32_t* src = raster.data() + size_t(y) * width;
    for (uint32_t x = 0; x < width; ++x) {
      uint32_t p = src[x];
      unsigned r = TIFFGetR(p), g = TIFFGetG(p), b = TIFFGetB(p), a = TIFFGetA(p);
      if (associated && a != 0 && a != 255) {
        r = std::min(255u, (r * 255 + a / 2) / a);
        g = std::min(255u, (g * 255 + a / 2) / a);
        b = std::min(255u, (b * 255 + a / 2) / a);
      }
      if (result.hasAlpha) {
        uint8_t* q = row + 4 * size_t(x);
        q[0] = uint8_t(b), q[1] = uint8_t(g), q[2] = uint8_t(r), q[3] = uint8_t(a);
      } else {
        uint8_t* q = row + 3 * size_t(x);
        q[0] = uint8_t(b), q[1] = uint8_t(g), q[2] = uint8_t(r);
      }
    }
  }
  return result;
}

std::string EncodeTiff(const TDibImage& source, TTiffCompression compression, int dpi) {
  if (source.Empty()) throw EInvalidGraphicOperation(S("Leeres Bild kann nicht gespeichert werden"));
  TDibImage pixels = ConvertPixelFormat(source, pf24bit);
  const bool bilevel = compression == TTiffCompression::CcittGroup3 || compression == TTiffCompression::CcittGroup4;
  TMemoryFile file;
  bool ok = true;
  {
    TTiffHandle h;
    h.tif = Open(file, "w");
    if (!h.tif) FailEncoding(file);
    uint32_t width = uint32_t(pixels.Width()), height = uint32_t(pixels.Height());
    TIFFSetField(h.tif, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(h.tif, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(h.tif, TIFFTAG_SAMPLESPERPIXEL, bilevel ? 1 : 3);
    TIFFSetField(h.tif, TIFFTAG_BITSPERSAMPLE, bilevel ? 1 : 8);
    TIFFSetField(h.tif, TIFFTAG_PHOTOMETRIC, bilevel ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_RGB);
    TIFFSetField(h.tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(h.tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    TIFFSetField(h.tif, TIFFTAG_COMPRESSION, CompressionTag(compression));
    if (dpi > 0) {
      TIFFSetField(h.tif, TIFFTAG_XRESOLUTION, float(dpi));
      TIFFSetField(h.tif, TIFFTAG_YRESOLUTION, float(dpi));
      TIFFSetField(h.tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    }
    TIFFSetField(h.tif, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(h.tif, 0));
    std::vector<uint8_t> row(bilevel ? (width + 7) / 8 : size_t(width) * 3);
    for (uint32_t y = 0; ok && y < height; ++y) {
      PackRow(pixels, int(y), bilevel, row);
      ok = TIFFWriteScanline(h.tif, row.data(), y, 0) >= 0;
    }
    ok = ok && TIFFFlush(h.tif) != 0;
  }
  if (!ok) FailEncoding(file);
  return file.data;
}
