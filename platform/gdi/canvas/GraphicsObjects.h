// The font, pen and brush objects of a canvas: plain descriptions that the canvas selects
// into its device context before it draws.
#pragma once

#include <cstdint>

#include "platform/gdi/Colors.h"
#include "platform/gdi/dc/GdiObjects.h"
#include "platform/gdi/fonts/FontHandle.h"
#include "platform/gdi/fonts/FontStyle.h"

enum TFontPitch { fpDefault, fpVariable, fpFixed };

class TFont {
 public:
  const String& Name() const { return name_; }
  void SetName(const String& name) { Change(name_, name); }
  // Negative: em height in pixels; positive: cell height.
  int Height() const { return height_; }
  void SetHeight(int height) { Change(height_, height); }
  // Points at 96 pixels per inch: Height = -Size * 96 / 72, rounded.
  int Size() const { return -MulDiv(height_, 72, 96); }
  void SetSize(int points) { SetHeight(-MulDiv(points, 96, 72)); }
  TColor Color() const { return color_; }
  void SetColor(TColor color) { color_ = color; }
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style) { Change(style_, style); }
  uint8_t Charset() const { return charset_; }
  void SetCharset(uint8_t charset) { Change(charset_, charset); }
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch pitch) { Change(pitch_, pitch); }
  int Orientation() const { return orientation_; }  // tenths of a degree
  void SetOrientation(int orientation) { Change(orientation_, orientation); }

  TLogFont LogFont() const;
  // The handle of the described font, made once per change.
  TFontHandle Handle() const;
  void Assign(const TFont& source);

 private:
  template <typename T>
  void Change(T& field, const T& value) {
    if (field == value) return;
    field = value;
    handle_ = {};
  }
  String name_ = u"Tahoma";
  int height_ = -11;
  TColor color_ = clWindowText;
  TFontStyles style_ = 0;
  uint8_t charset_ = DEFAULT_CHARSET;
  TFontPitch pitch_ = fpDefault;
  int orientation_ = 0;
  mutable TFontHandle handle_;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, pmMergeNotPen, pmMaskNotPen,
  pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

class TPen {
 public:
  TColor Color() const { return color_; }
  void SetColor(TColor color) { color_ = color; }
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style) { style_ = style; }
  int Width() const { return width_; }
  void SetWidth(int width) { width_ = width; }
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode mode) { mode_ = mode; }

  TLogPen LogPen() const;
  int Rop2() const;  // the binary raster operation of the mode
  void Assign(const TPen& source) { *this = source; }

 private:
  TColor color_ = clBlack;
  TPenStyle style_ = psSolid;
  int width_ = 1;
  TPenMode mode_ = pmCopy;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush {
 public:
  TColor Color() const { return color_; }
  void SetColor(TColor color) { color_ = color; }
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style) { style_ = style; }

  TLogBrush LogBrush() const;
  void Assign(const TBrush& source) { *this = source; }

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
};
