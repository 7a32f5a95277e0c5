// Replaying an enhanced metafile onto a PDF page: TPdfEnum plays the part of the device
// context. It keeps the pen, brush, font, colours, alignment, current position and the saved
// states of the metafile, its mapping and clip region (in a measuring device context, which
// knows GDI's map modes and clip arithmetic), and turns each record it understands into
// operators of the canvas's content stream.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/gdi/dc/GdiConstants.h"
#include "platform/gdi/fonts/LogFont.h"
#include "platform/gdi/metafile/EmfPlayback.h"
#include "platform/gdi/metafile/EmfReader.h"
#include "platform/gdi/metafile/EmfRecordViews.h"
#include "platform/gdi/regions/Region.h"

class TPdfCanvas;

// What a saved level holds besides the mapping and the clip region.
struct TPdfEnumState {
  // The current position in logical units, and whether a MoveToEx is waiting to start the
  // next line (a flag: a move to (0, 0) is a move like any other).
  TPoint Position;
  bool MovePending = false;
  bool PenNull = false;
  COLORREF PenColor = 0;
  uint32_t PenStyle = PS_SOLID;
  float PenWidth = 0;  // logical units; 0 draws the thinnest line the device can
  std::vector<uint32_t> PenStyleEntries;  // dashes and gaps of a user-styled pen, logical units
  bool BrushNull = false;
  COLORREF BrushColor = 0xFFFFFF;
  COLORREF TextColor = 0;
  uint32_t TextAlign = TA_LEFT | TA_TOP;
  int BkMode = OPAQUE;
  COLORREF BkColor = 0xFFFFFF;
  int PolyFillMode = ALTERNATE;  // how a filled path bracket treats its overlaps
  int FontRotation = 0;  // whole degrees, counter-clockwise
  int FontAscent = 0, FontDescent = 0, FontEmHeight = 0;  // logical units
  TLogFont LogFont;
  TXForm World;  // page units per logical unit
};

// An entry of the metafile's object table.
struct TPdfEnumObject {
  enum TKind : uint32_t { Empty = 0, Pen = 1, Brush = 2, Font = 6 } Kind = Empty;
  COLORREF Color = 0;
  uint32_t PenStyle = PS_SOLID;
  float PenWidth = 0;
  std::vector<uint32_t> PenStyleEntries;
  bool BrushNull = false;
  int FontRotation = 0, FontAscent = 0, FontDescent = 0, FontEmHeight = 0;
  TLogFont LogFont;
};

class TPdfEnum {
 public:
  // One device pixel of the metafile is scaleX (scaleY) pixels of the screen, each
  // DeviceScale points; device: the size of the metafile's reference device in pixels;
  // handles: the size of its object table (the header's handle count); frame: the part of
  // the device the metafile draws on (device pixels). Clip regions are cut from the page and
  // the frame: what lies outside the page is clipped there, not by the metafile's clip.
  TPdfEnum(TPdfCanvas& canvas, double scaleX, double scaleY, TSize device, uint16_t handles, const TRect& frame = {});
  ~TPdfEnum();
  TPdfEnum(const TPdfEnum&) = delete;
  TPdfEnum& operator=(const TPdfEnum&) = delete;

  // Handles one record; unknown records are skipped.
  void Play(const TEmfRecord& record);
  // Strokes an open polyline, drops a path that was never painted and leaves the clip of the
  // metafile (call once at the end).
  void Finish();

  void UpdateMapping();
  void ApplyPen();
  void ApplyBrushAndPen();
  void PaintPath();
  void FillRectWithBrush(const TRect& deviceRect, COLORREF color);
  void SetFillColorIfChanged(COLORREF color);
  void SetStrokeColorIfChanged(COLORREF color);
  void PushState();
  void PopState(int level);
  void CreateFontEntry(const TEmfRecord& r);
  void DrawDeviceBitmap(const TRect& source, const TRect& dest, std::string_view info, std::string_view bits);
  void HandleComment(uint8_t kind, std::string_view data);
  void DrawTextRecord(const TEmfRecord& r);

 private:
  struct TTextPlacement;
  // One step of a path bracket, in points: a move, line, curve, closing, ellipse (x, y, width,
  // height) or rounded rectangle (corners and the corner ellipse, as TPdfCanvas::RoundRect).
  struct TPathStep {
    enum TKind { Move, Line, Curve, Close, Ellipse, RoundRect } Kind;
    double V[6];
  };
  struct TLineStyle {
    int Cap = 0, Join = 0;  // PDF line cap and join
    friend bool operator==(const TLineStyle&, const TLineStyle&) = default;
  };

  TPdfEnumState& Cur() { return states_.back(); }
  TPdfEnumObject* Entry(uint32_t handle);
  // A font entry with the metrics of the logical font realised on the screen.
  static TPdfEnumObject FontEntry(TLogFont logFont);
  void SelectFontEntry(const TPdfEnumObject& font);
  // The colour of a stock brush; none for the null brush and other stock objects.
  static std::optional<COLORREF> StockBrushColor(uint32_t index);
  void StrokeOpenPolyline();
  // Forgets the colours, dash and width written, after a "Q" undid them.
  void ForgetGraphicsState();
  // The pen's dash array in points (empty: solid) for a pen width in points.
  std::vector<double> PenDash(float width) const;
  void SetDashIfChanged(const std::vector<double>& dash);

  // Records.
  void SelectObject(uint32_t handle);
  void CreatePen(const TEmfPen& pen);
  void CreateBrush(const TEmfBrush& brush);
  void DeleteObject(uint32_t handle);
  void PlayPoly(const TEmfRecord& r);
  void PlayPolyTo(const TEmfRecord& r);
  void PlayPolyPoly(const TEmfRecord& r);
  void PlayBox(const TEmfRecord& r);
  void PlayArc(const TEmfRecord& r);
  void PlayPixel(const TEmfRecord& r);
  void PlayLineTo(TPoint p);
  void PlayBlt(const TEmfRecord& r);
  void PlayStretchDIBits(const TEmfRecord& r);
  void PlayRegion(const TEmfRecord& r);
  void PlayClip(const TEmfRecord& r);
  void PlayWorldTransform(const TEmfRecord& r);
  void PlayScaleExtent(const TEmfRecord& r);

  // Path brackets: between BEGINPATH and ENDPATH the shapes are kept as steps of a path, which
  // STROKEPATH, FILLPATH or STROKEANDFILLPATH paints with the pen and brush of that moment.
  void PlayPathRecord(const TEmfRecord& r);
  bool Recording() const { return pathOpen_; }
  void AddStep(TPathStep::TKind kind, std::initializer_list<double> values = {});
  void PathMoveTo(TPoint p);
  void PathLineTo(TPoint p);
  void PathCurveTo(TPoint a, TPoint b, TPoint c);
  void PathFigure(const std::vector<TPoint>& points, bool closed);
  void PathBox(const TEmfRecord& r);
  // A move to the start of an elliptic arc and its curves, in points (see PlayArc).
  std::vector<TPathStep> ArcSteps(const TRect& box, TPoint start, TPoint end) const;
  // Writes the steps; closeFigures closes every figure (for a stroke along with a fill).
  void WritePath(bool closeFigures);
  void PaintBracket(bool stroke, bool fill);

  // Regions: the rectangles of region data mapped to device pixels, and their fill.
  TRegion LogicalRegion(const std::vector<TRect>& rects) const;
  void FillRegion(const TRegion& deviceRegion, COLORREF color);
  // Writes the clip region of the metafile when it differs from the one in force.
  void SyncClip();

  // Text.
  struct TRunFit {
    double CharSpace = 0, WordSpace = 0;  // points
    double Scaling = 100;                 // percent
  };
  // The spacing and scaling that draw the text over the advances (logical units; factorX
  // points each) with the current font.
  TRunFit FitRun(std::u16string_view text, const std::vector<int32_t>& dx, double factorX);
  void DrawTextLine(const TTextPlacement& t, double offset);

  // A rectangle normalized, its coordinates cut to the range a device keeps.
  static TRect Bounded(const TRect& r);
  TRect DeviceRect(const TRect& logical) const;
  // Device pixels of the metafile to points.
  double DevX(double x) const;
  double DevY(double y) const;

  TPdfCanvas& canvas_;
  double pixelX_, pixelY_;  // points per device pixel of the metafile
  TEmfMapping mapping_;
  int32_t lastStrokeColor_ = -1;
  int32_t lastFillColor_ = -1;
  std::optional<std::vector<double>> lastDash_;  // none: not written since the last "Q"
  float lastPenWidth_ = -1;
  // Line cap and join in force, and those in force when the clip's "q" was written (which its
  // "Q" brings back); only geometric pens change them.
  TLineStyle lineStyle_, clipLineStyle_;
  bool inLineTo_ = false;
  bool pathOpen_ = false;         // between BEGINPATH and ENDPATH
  bool pathDone_ = false;         // ended, waiting to be painted
  bool figureOpen_ = false;       // the path's last figure can be continued by a line
  std::vector<TPathStep> path_;
  std::vector<TPdfEnumObject> objects_;
  std::vector<TPdfEnumState> states_;
  // The clip region written to the page (in a "q" of its own), if any.
  std::optional<TRegion> clipInForce_;
};

class TMetafile;

// Draws the metafile on the canvas's current page as vector content: one pixel of the
// metafile is scale pixels of the screen (a metafile made on another reference device is
// first brought to the screen's resolution by the sizes in its header); xOffset and yOffset (points) place its top left
// corner at xOffset and yOffset + the page height. The offsets, the flag and the kerning
// bounds (percent) are stored in the canvas. Everything drawn is
// bracketed by "q" and "Q", also when a broken record raises EInvalidMetafile (what came before
// it stays drawn). A canvas without a page draws nothing.
void RenderEmfToCanvas(TPdfCanvas& canvas, const TMetafile& metafile, double scale, float xOffset, float yOffset,
                       bool useTextJustification = true, float kerningLow = 99, float kerningHigh = 101);
