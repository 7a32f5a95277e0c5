#include "platform/gdi/codecs/JpegCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/bitmaps/ImageLimits.h"
#include "platform/gdi/bitmaps/PixelConversion.h"
#include "platform/rtl/Unicode.h"

namespace {

// libjpeg reports errors through a callback that must not return: it jumps back to the
// function that started the work, which then raises (no C++ exception crosses libjpeg).
struct TJpegError {
  jpeg_error_mgr mgr{};
  jmp_buf jump{};
  char message[JMSG_LENGTH_MAX] = {};
};

void OnError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<TJpegError*>(cinfo->err);
  cinfo->err->format_message(cinfo, err->message);
  longjmp(err->jump, 1);
}

void OnMessage(j_common_ptr cinfo, int level) {
  // A file that ends early only draws a warning from libjpeg (the rest is filled grey);
  // here it is an error like any other broken file.
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) OnError(cinfo);
}

void InstallErrorHandler(TJpegError& err) {
  jpeg_std_error(&err.mgr);
  err.mgr.error_exit = OnError;
  err.mgr.emit_message = OnMessage;
}

[[noreturn]] void Fail(const TJpegError& err) {
  throw EInvalidGraphic(S("JPEG-Bild ist fehlerhaft: ") + Utf8ToString(err.message));
}

TJpegInfo InfoOf(const jpeg_decompress_struct& c) {
  TJpegInfo info;
  info.width = int(c.image_width);
  info.height = int(c.image_height);
  info.components = c.num_components;
  switch (c.jpeg_color_space) {
    case JCS_GRAYSCALE: info.colorSpace = TJpegColorSpace::Gray; break;
    case JCS_CMYK: info.colorSpace = TJpegColorSpace::CMYK; break;
    case JCS_YCCK: info.colorSpace = TJpegColorSpace::YCCK; break;
    default: info.colorSpace = TJpegColorSpace::RGB; break;
  }
  info.adobeInverted = c.saw_Adobe_marker && (c.jpeg_color_space == JCS_CMYK || c.jpeg_color_space == JCS_YCCK);
  info.progressive = c.progressive_mode;
  return info;
}

// State of one decompression, freed on every way out. Kept out of the function with
// setjmp so no local needing destruction lives across the jump.
struct TDecompress {
  jpeg_decompress_struct c{};
  TJpegError err;
  bool created = false;
  std::vector<uint8_t> cmykRow;
  ~TDecompress() {
    if (created) jpeg_destroy_decompress(&c);
  }
};

bool StartDecompress(TDecompress& d, std::string_view file, bool headerOnly, TJpegInfo& info) {
  d.c.err = &d.err.mgr;
  InstallErrorHandler(d.err);
  if (setjmp(d.err.jump)) return false;
  jpeg_create_decompress(&d.c);
  d.created = true;
  jpeg_mem_src(&d.c, reinterpret_cast<const unsigned char*>(file.data()), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&d.c, TRUE);
  info = InfoOf(d.c);
  if (headerOnly) return true;
  switch (d.c.jpeg_color_space) {
    case JCS_GRAYSCALE: d.c.out_color_space = JCS_GRAYSCALE; break;
    case JCS_CMYK:
    case JCS_YCCK: d.c.out_color_space = JCS_CMYK; break;
    default: d.c.out_color_space = JCS_EXT_BGR; break;
  }
  return true;
}

bool ReadPixels(TDecompress& d, const TJpegInfo& info, TDibImage& image) {
  if (setjmp(d.err.jump)) return false;
  jpeg_start_decompress(&d.c);
  bool cmyk = d.c.out_color_space == JCS_CMYK;
  if (cmyk) d.cmykRow.resize(size_t(d.c.output_width) * 4);
  while (d.c.output_scanline < d.c.output_height) {
    uint8_t* row = image.ScanLine(int(d.c.output_scanline));
    JSAMPROW target = cmyk ? d.cmykRow.data() : row;
    jpeg_read_scanlines(&d.c, &target, 1);
    if (!cmyk) continue;
    for (JDIMENSION x = 0; x < d.c.output_width; ++x) {
      const uint8_t* p = d.cmykRow.data() + 4 * size_t(x);
      unsigned c = p[0], m = p[1], y = p[2], k = p[3];
      if (!info.adobeInverted) {
        c = 255 - c;
        m = 255 - m;
        y = 255 - y;
        k = 255 - k;
      }
      row[3 * x + 0] = uint8_t((y * k + 127) / 255);
      row[3 * x + 1] = uint8_t((m * k + 127) / 255);
      row[3 * x + 2] = uint8_t((c * k + 127) / 255);
    }
  }
  jpeg_finish_decompress(&d.c);
  return true;
}

struct TCompress {
  jpeg_compress_struct c{};
  TJpegError err;
  bool created = false;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  ~TCompress() {
    if (created) jpeg_destroy_compress(&c);
    free(buffer);
  }
};

bool Compress(TCompress& w, const TDibImage& pixels, int quality, bool grayscale) {
  w.c.err = &w.err.mgr;
  InstallErrorHandler(w.err);
  if (setjmp(w.err.jump)) return false;
  jpeg_create_compress(&w.c);
  w.created = true;
  jpeg_mem_dest(&w.c, &w.buffer, &w.size);
  w.c.image_width = JDIMENSION(pixels.Width());
  w.c.image_height = JDIMENSION(pixels.Height());
  w.c.input_components = grayscale ? 1 : 3;
  w.c.in_color_space = grayscale ? JCS_GRAYSCALE : JCS_EXT_BGR;
  jpeg_set_defaults(&w.c);
  jpeg_set_quality(&w.c, quality, TRUE);
  jpeg_start_compress(&w.c, TRUE);
  while (w.c.next_scanline < w.c.image_height) {
    JSAMPROW row = const_cast<uint8_t*>(pixels.ScanLine(int(w.c.next_scanline)));
    jpeg_write_scanlines(&w.c, &row, 1);
  }
  jpeg_finish_compress(&w.c);
  return true;
}

std::vector<TRGBQuad> GreyRamp() {
  std::vector<TRGBQuad> ramp;
  for (int i = 0; i < 256; ++i) ramp.push_back(TRGBQuad{uint8_t(i), uint8_t(i), uint8_t(i), 0});
  return ramp;
}

TDibImage GreyImage(const TDibImage& source) {
  TDibImage grey(source.Width(), source.Height(), pf8bit);
  grey.SetPalette(GreyRamp());
  for (int y = 0; y < source.Height(); ++y)
    for (int x = 0; x < source.Width(); ++x) {
      uint32_t rgb = source.GetRgb(x, y);
      unsigned r = rgb >> 16 & 0xFF, g = rgb >> 8 & 0xFF, b = rgb & 0xFF;
      grey.SetIndex(x, y, int((r * 299 + g * 587 + b * 114 + 500) / 1000));
    }
  return grey;
}

}  // namespace

TJpegInfo ReadJpegInfo(std::string_view file) {
  TDecompress d;
  TJpegInfo info;
  if (!StartDecompress(d, file, true, info)) Fail(d.err);
  return info;
}

TDibImage DecodeJpeg(std::string_view file, TJpegInfo* infoOut) {
  TDecompress d;
  TJpegInfo info;
  if (!StartDecompress(d, file, false, info)) Fail(d.err);
  CheckImageSize(info.width, info.height);
  TDibImage image(info.width, info.height, info.colorSpace == TJpegColorSpace::Gray ? pf8bit : pf24bit);
  if (info.colorSpace == TJpegColorSpace::Gray) image.SetPalette(GreyRamp());
  if (!ReadPixels(d, info, image)) Fail(d.err);
  if (infoOut) *infoOut = info;
  return image;
}

std::string EncodeJpeg(const TDibImage& source, int quality, bool grayscale) {
  if (source.Empty()) throw EInvalidGraphicOperation(S("Leeres Bild kann nicht gespeichert werden"));
  quality = quality < 1 ? 1 : quality > 100 ? 100 : quality;
  TDibImage pixels = grayscale ? GreyImage(source) : ConvertPixelFormat(source, pf24bit);
  TCompress w;
  if (!Compress(w, pixels, quality, grayscale))
    throw EInvalidGraphicOperation(S("JPEG-Kodierung fehlgeschlagen: ") + Utf8ToString(w.err.message));
  return std::string(reinterpret_cast<const char*>(w.buffer), w.size);
}
