// Pens and brushes as values: a device context copies the one selected into it.
#pragma once

#include <cstdint>

#include "platform/gdi/Colors.h"
#include "platform/gdi/dc/GdiConstants.h"

struct TLogPen {
  uint32_t Style = PS_SOLID;  // style, end cap, join and type bits (PS_*)
  int Width = 0;              // 0 and 1 draw one pixel wide
  COLORREF Color = 0;

  uint32_t Kind() const { return Style & PS_STYLE_MASK; }
  bool IsNull() const { return Kind() == PS_NULL; }
  bool IsGeometric() const { return (Style & PS_TYPE_MASK) == PS_GEOMETRIC; }
  friend bool operator==(const TLogPen&, const TLogPen&) = default;
};

struct TLogBrush {
  uint32_t Style = BS_SOLID;
  COLORREF Color = 0xFFFFFF;
  int Hatch = 0;  // HS_* for BS_HATCHED

  bool IsNull() const { return Style == BS_NULL; }
  friend bool operator==(const TLogBrush&, const TLogBrush&) = default;
};

inline TLogPen CreatePen(uint32_t style, int width, COLORREF color) { return {style, width, color}; }
inline TLogBrush CreateSolidBrush(COLORREF color) { return {BS_SOLID, color, 0}; }
inline TLogBrush CreateHatchBrush(int hatch, COLORREF color) { return {BS_HATCHED, color, hatch}; }
inline TLogBrush NullBrush() { return {BS_NULL, 0, 0}; }
inline TLogPen NullPen() { return {PS_NULL, 0, 0}; }
