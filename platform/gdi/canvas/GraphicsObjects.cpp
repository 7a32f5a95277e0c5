#include "platform/gdi/canvas/GraphicsObjects.h"

TLogFont TFont::LogFont() const {
  TLogFont f;
  f.lfHeight = height_;
  f.lfEscapement = f.lfOrientation = orientation_;
  f.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
  f.lfItalic = (style_ & fsItalic) ? 1 : 0;
  f.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
  f.lfStrikeOut = (style_ & fsStrikeOut) ? 1 : 0;
  f.lfCharSet = charset_;
  f.lfPitchAndFamily = pitch_ == fpFixed ? FIXED_PITCH : pitch_ == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
  f.lfFaceName = name_;
  return f;
}

TFontHandle TFont::Handle() const {
  if (handle_.IsNull()) handle_ = TFontHandle::Create(LogFont());
  return handle_;
}

void TFont::Assign(const TFont& source) {
  SetName(source.name_);
  SetHeight(source.height_);
  SetStyle(source.style_);
  SetCharset(source.charset_);
  SetPitch(source.pitch_);
  SetOrientation(source.orientation_);
  color_ = source.color_;
}

TLogPen TPen::LogPen() const {
  static constexpr uint32_t kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
  uint32_t style = kStyles[style_];
  // Wide pens draw solid; only the one-pixel pen has dashes and dots.
  if (width_ > 1 && style != PS_NULL && style != PS_INSIDEFRAME) style = PS_SOLID;
  return {style, width_, ColorToRGB(color_)};
}

int TPen::Rop2() const {
  static constexpr int kRop2[] = {R2_BLACK,       R2_WHITE,       R2_NOP,         R2_NOT,      R2_COPYPEN,
                                  R2_NOTCOPYPEN,  R2_MERGEPENNOT, R2_MASKPENNOT,  R2_MERGENOTPEN,
                                  R2_MASKNOTPEN,  R2_MERGEPEN,    R2_NOTMERGEPEN, R2_MASKPEN,  R2_NOTMASKPEN,
                                  R2_XORPEN,      R2_NOTXORPEN};
  return kRop2[mode_];
}

TLogBrush TBrush::LogBrush() const {
  switch (style_) {
    case bsSolid: return CreateSolidBrush(ColorToRGB(color_));
    case bsClear: return NullBrush();
    default: return CreateHatchBrush(static_cast<int>(style_) - bsHorizontal, ColorToRGB(color_));
  }
}
