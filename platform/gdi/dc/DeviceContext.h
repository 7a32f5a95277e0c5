// The device-context interface: every state change and every drawing call of the graphics
// layer goes through it. Backends: the raster device context (pixels through Cairo), the
// measuring device context (metrics only, no output) and the metafile recorder. Most
// backends derive from TDeviceContextBase, which keeps the state, maps coordinates and
// measures text, and implement the drawing calls themselves.
//
// Coordinates are logical units mapped to device pixels by the map mode, the window and
// viewport origins and extents; clip regions are in device pixels as GetClipRgn reports them.
// Text metrics and extents are in logical units of the font's own size and do not depend on
// the mapping, so that layout measured on one device context matches another.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/dc/GdiObjects.h"
#include "platform/gdi/dc/PixelBuffer.h"
#include "platform/gdi/fonts/FontHandle.h"
#include "platform/gdi/fonts/TextMeasure.h"
#include "platform/gdi/geometry/Geometry.h"
#include "platform/gdi/regions/Region.h"

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

class TDeviceContext {
 public:
  virtual ~TDeviceContext() = default;

  // --- state ---
  virtual int SaveDC() = 0;                  // the new save level (1 for the first save)
  virtual bool RestoreDC(int level) = 0;     // a negative level counts back from the current one
  virtual TFontHandle SelectFont(const TFontHandle& font) = 0;  // returns the previous font
  virtual TFontHandle GetCurrentFont() const = 0;
  virtual TLogPen SelectPen(const TLogPen& pen) = 0;
  virtual TLogPen GetCurrentPen() const = 0;
  virtual TLogBrush SelectBrush(const TLogBrush& brush) = 0;
  virtual TLogBrush GetCurrentBrush() const = 0;
  virtual COLORREF SetTextColor(COLORREF color) = 0;
  virtual COLORREF GetTextColor() const = 0;
  virtual COLORREF SetBkColor(COLORREF color) = 0;
  virtual COLORREF GetBkColor() const = 0;
  virtual int SetBkMode(int mode) = 0;
  virtual int GetBkMode() const = 0;
  virtual uint32_t SetTextAlign(uint32_t align) = 0;
  virtual uint32_t GetTextAlign() const = 0;
  virtual int SetTextCharacterExtra(int extra) = 0;
  virtual int GetTextCharacterExtra() const = 0;
  virtual bool SetTextJustification(int breakExtra, int breakCount) = 0;
  virtual int SetROP2(int rop2) = 0;
  virtual int GetROP2() const = 0;
  virtual int SetStretchBltMode(int mode) = 0;
  virtual int GetStretchBltMode() const = 0;
  virtual int SetPolyFillMode(int mode) = 0;
  virtual int GetPolyFillMode() const = 0;

  // --- mapping ---
  virtual int SetMapMode(int mode) = 0;
  virtual int GetMapMode() const = 0;
  virtual TPoint SetWindowOrgEx(int x, int y) = 0;
  virtual TPoint GetWindowOrgEx() const = 0;
  virtual TSize SetWindowExtEx(int cx, int cy) = 0;
  virtual TSize GetWindowExtEx() const = 0;
  virtual TPoint SetViewportOrgEx(int x, int y) = 0;
  virtual TPoint GetViewportOrgEx() const = 0;
  virtual TSize SetViewportExtEx(int cx, int cy) = 0;
  virtual TSize GetViewportExtEx() const = 0;
  virtual TPoint LPtoDP(TPoint p) const = 0;
  virtual TPoint DPtoLP(TPoint p) const = 0;

  // --- clipping (regions in device pixels) ---
  virtual int SelectClipRgn(const TRegion* region) = 0;  // null removes clipping
  virtual int ExtSelectClipRgn(const TRegion* region, int mode) = 0;
  virtual int IntersectClipRect(const TRect& logical) = 0;
  virtual int ExcludeClipRect(const TRect& logical) = 0;
  virtual bool GetClipRgn(TRegion& region) const = 0;  // false when there is no clip region
  virtual int GetClipBox(TRect& logical) const = 0;

  // --- current position and paths ---
  virtual TPoint MoveToEx(int x, int y) = 0;  // returns the previous position
  virtual TPoint GetCurrentPositionEx() const = 0;
  virtual bool BeginPath() = 0;
  virtual bool EndPath() = 0;
  virtual bool CloseFigure() = 0;
  virtual bool AbortPath() = 0;
  virtual bool StrokePath() = 0;
  virtual bool FillPath() = 0;
  virtual bool StrokeAndFillPath() = 0;

  // --- drawing ---
  virtual bool TextOut(int x, int y, std::u16string_view text) = 0;
  // dx: the advance of every character (as many as text has) or null for the font's own.
  // With ETO_GLYPH_INDEX the text holds glyph indices of the font instead of characters.
  virtual bool ExtTextOut(int x, int y, uint32_t options, const TRect* rect, std::u16string_view text,
                          const int* dx) = 0;
  // Returns the height of the text drawn; with DT_CALCRECT changes rect instead of drawing.
  virtual int DrawText(std::u16string_view text, TRect& rect, uint32_t format) = 0;
  virtual bool FillRect(const TRect& rect, const TLogBrush& brush) = 0;
  virtual bool FrameRect(const TRect& rect, const TLogBrush& brush) = 0;
  // Fills a region given in logical units with a brush, through the binary raster operation.
  virtual bool FillRgn(const TRegion& region, const TLogBrush& brush) = 0;
  virtual bool Rectangle(int left, int top, int right, int bottom) = 0;
  virtual bool RoundRect(int left, int top, int right, int bottom, int width, int height) = 0;
  virtual bool Ellipse(int left, int top, int right, int bottom) = 0;
  virtual bool Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) = 0;
  virtual bool Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) = 0;
  virtual bool Polygon(const std::vector<TPoint>& points) = 0;
  virtual bool Polyline(const std::vector<TPoint>& points) = 0;
  virtual bool PolyBezier(const std::vector<TPoint>& points) = 0;  // 1 + 3n points
  virtual bool LineTo(int x, int y) = 0;
  virtual bool DrawFocusRect(const TRect& rect) = 0;
  virtual bool PatBlt(int x, int y, int width, int height, uint32_t rop) = 0;
  virtual bool BitBlt(int x, int y, int width, int height, const TDeviceContext* source, int xSrc, int ySrc,
                      uint32_t rop) = 0;
  virtual bool StretchBlt(int x, int y, int width, int height, const TDeviceContext* source, int xSrc, int ySrc,
                          int widthSrc, int heightSrc, uint32_t rop) = 0;
  // Draws part of a device-independent bitmap given as pixels (the bitmap layer turns a packed
  // DIB into a buffer). A negative source height is not used: the buffer's rows run from the top.
  virtual bool StretchDIBits(int x, int y, int width, int height, int xSrc, int ySrc, int widthSrc, int heightSrc,
                             const TPixelBuffer& bits, uint32_t rop) = 0;
  virtual COLORREF SetPixel(int x, int y, COLORREF color) = 0;
  virtual COLORREF GetPixel(int x, int y) const = 0;

  // --- device ---
  virtual int GetDeviceCaps(int index) const = 0;
  // The pixels the device context draws on, for blits from it; null for devices without pixels.
  virtual const TPixelBuffer* Pixels() const = 0;

  // --- fonts and measurement (logical units) ---
  virtual TSize GetTextExtentPoint32(std::u16string_view text) const = 0;
  virtual TTextFit GetTextExtentExPoint(std::u16string_view text, int maxExtent) const = 0;
  virtual TTextMetric GetTextMetrics() const = 0;
  virtual TOutlineTextMetric GetOutlineTextMetrics() const = 0;
  virtual std::vector<TABC> GetCharABCWidths(unsigned first, unsigned last) const = 0;
  // The same for byte codes of the ANSI code page (1252): code 128 is the euro sign.
  virtual std::vector<TABC> GetCharABCWidthsA(unsigned first, unsigned last) const = 0;
  virtual std::vector<int> GetCharWidth32(unsigned first, unsigned last) const = 0;
  virtual std::vector<uint16_t> GetGlyphIndices(std::u16string_view text, uint32_t flags) const = 0;
  // A table of the selected font (tag 0: the whole font file); empty when it has none.
  virtual std::string GetFontData(uint32_t tag) const = 0;
  virtual String GetTextFace() const = 0;
};
