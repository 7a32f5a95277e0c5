// The state half of a device context: font, pen, brush, colours, modes, mapping, clip region,
// current position, saved states and the path under construction, and text measurement with
// the selected font. Backends derive from it and implement the drawing calls.
#pragma once

#include <optional>
#include <vector>

#include "platform/gdi/dc/DeviceContext.h"

struct TPointF {
  double X = 0;
  double Y = 0;
};

// A path figure in device coordinates; curves are already flattened into lines.
struct TPathFigure {
  std::vector<TPointF> Points;
  bool Closed = false;
};

struct TDCState {
  TFontHandle Font;
  TLogPen Pen{PS_SOLID, 0, 0};
  TLogBrush Brush{BS_SOLID, 0xFFFFFF, 0};
  COLORREF TextColor = 0;
  COLORREF BkColor = 0xFFFFFF;
  int BkMode = OPAQUE;
  uint32_t TextAlign = TA_LEFT | TA_TOP;
  TTextSpacing Spacing;
  int Rop2 = R2_COPYPEN;
  int StretchMode = BLACKONWHITE;
  int PolyFillMode = ALTERNATE;
  int MapMode = MM_TEXT;
  TPoint WindowOrg;
  TSize WindowExt{1, 1};
  TPoint ViewportOrg;
  TSize ViewportExt{1, 1};
  std::optional<TRegion> Clip;
  TPoint Position;
};

class TDeviceContextBase : public TDeviceContext {
 public:
  TDeviceContextBase() = default;

  int SaveDC() override;
  bool RestoreDC(int level) override;
  TFontHandle SelectFont(const TFontHandle& font) override;
  TFontHandle GetCurrentFont() const override { return state_.Font; }
  TLogPen SelectPen(const TLogPen& pen) override;
  TLogPen GetCurrentPen() const override { return state_.Pen; }
  TLogBrush SelectBrush(const TLogBrush& brush) override;
  TLogBrush GetCurrentBrush() const override { return state_.Brush; }
  COLORREF SetTextColor(COLORREF color) override;
  COLORREF GetTextColor() const override { return state_.TextColor; }
  COLORREF SetBkColor(COLORREF color) override;
  COLORREF GetBkColor() const override { return state_.BkColor; }
  int SetBkMode(int mode) override;
  int GetBkMode() const override { return state_.BkMode; }
  uint32_t SetTextAlign(uint32_t align) override;
  uint32_t GetTextAlign() const override { return state_.TextAlign; }
  int SetTextCharacterExtra(int extra) override;
  int GetTextCharacterExtra() const override { return state_.Spacing.CharExtra; }
  bool SetTextJustification(int breakExtra, int breakCount) override;
  int SetROP2(int rop2) override;
  int GetROP2() const override { return state_.Rop2; }
  int SetStretchBltMode(int mode) override;
  int GetStretchBltMode() const override { return state_.StretchMode; }
  int SetPolyFillMode(int mode) override;
  int GetPolyFillMode() const override { return state_.PolyFillMode; }

  int SetMapMode(int mode) override;
  int GetMapMode() const override { return state_.MapMode; }
  TPoint SetWindowOrgEx(int x, int y) override;
  TPoint GetWindowOrgEx() const override { return state_.WindowOrg; }
  TSize SetWindowExtEx(int cx, int cy) override;
  TSize GetWindowExtEx() const override { return state_.WindowExt; }
  TPoint SetViewportOrgEx(int x, int y) override;
  TPoint GetViewportOrgEx() const override { return state_.ViewportOrg; }
  TSize SetViewportExtEx(int cx, int cy) override;
  TSize GetViewportExtEx() const override { return state_.ViewportExt; }
  TPoint LPtoDP(TPoint p) const override;
  TPoint DPtoLP(TPoint p) const override;

  int SelectClipRgn(const TRegion* region) override;
  int ExtSelectClipRgn(const TRegion* region, int mode) override;
  int IntersectClipRect(const TRect& logical) override;
  int ExcludeClipRect(const TRect& logical) override;
  bool GetClipRgn(TRegion& region) const override;
  int GetClipBox(TRect& logical) const override;

  TPoint MoveToEx(int x, int y) override;
  TPoint GetCurrentPositionEx() const override { return state_.Position; }
  bool BeginPath() override;
  bool EndPath() override;
  bool CloseFigure() override;
  bool AbortPath() override;

  int GetDeviceCaps(int index) const override;

  TSize GetTextExtentPoint32(std::u16string_view text) const override;
  TTextFit GetTextExtentExPoint(std::u16string_view text, int maxExtent) const override;
  TTextMetric GetTextMetrics() const override;
  TOutlineTextMetric GetOutlineTextMetrics() const override;
  std::vector<TABC> GetCharABCWidths(unsigned first, unsigned last) const override;
  std::vector<TABC> GetCharABCWidthsA(unsigned first, unsigned last) const override;
  std::vector<int> GetCharWidth32(unsigned first, unsigned last) const override;
  std::vector<uint16_t> GetGlyphIndices(std::u16string_view text, uint32_t flags) const override;
  std::string GetFontData(uint32_t tag) const override;
  String GetTextFace() const override;

  // Lays the text out with LayoutDrawText and draws each line with ExtTextOut, the prefixed
  // character underlined with FillRect, so every backend that draws through those calls gets
  // the same lines (a backend that records the calls records one text record a line).
  int DrawText(std::u16string_view text, TRect& rect, uint32_t format) override;

  const TDCState& State() const { return state_; }

 protected:
  // Size of the device in pixels and its colour depth, for GetDeviceCaps.
  virtual TSize DeviceSize() const = 0;
  virtual int BitsPerPixel() const = 0;

  // Logical to device coordinates without rounding, and the scale of one logical unit.
  TPointF ToDevice(double x, double y) const;
  double ScaleX() const;
  double ScaleY() const;
  // A logical rectangle in device pixels, normalised.
  TRect ToDeviceRect(const TRect& logical) const;

  // Path construction: true while a path bracket is open (drawing calls add to the path).
  bool PathOpen() const { return pathOpen_; }
  void PathMoveTo(TPointF p);
  void PathLineTo(TPointF p);
  void PathAddFigure(std::vector<TPointF> points, bool closed);
  // The finished path (EndPath called); cleared by TakePath.
  bool HasFinishedPath() const { return pathDone_; }
  std::vector<TPathFigure> TakePath();

  // Flattened outlines of shapes in device coordinates.
  std::vector<TPointF> EllipsePoints(const TRect& logical) const;
  std::vector<TPointF> ArcPoints(const TRect& logical, TPoint start, TPoint end) const;
  std::vector<TPointF> BezierPoints(const std::vector<TPoint>& points) const;
  std::vector<TPointF> RoundRectPoints(const TRect& logical, int width, int height) const;

  // Where ExtTextOut puts a text: the advance of each character (the given ones, or the
  // font's with character extra and justification; glyph advances for ETO_GLYPH_INDEX), the
  // left end of the text and its baseline after the text alignment, in logical units. With
  // TA_UPDATECP the current position is the reference point and moves past the text.
  struct TTextPlacement {
    std::vector<int> Advances;
    int Width = 0;
    int Left = 0;
    int Baseline = 0;
  };
  TTextPlacement PlaceText(int x, int y, uint32_t options, std::u16string_view text, const int* dx);

  TDCState state_;

 private:
  std::vector<TDCState> saved_;
  bool pathOpen_ = false;
  bool pathDone_ = false;
  std::vector<TPathFigure> path_;
};
