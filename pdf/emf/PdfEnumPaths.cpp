// TPdfEnum: path brackets. The shapes drawn between BEGINPATH and ENDPATH are kept, in points,
// as steps of one path; STROKEPATH, FILLPATH and STROKEANDFILLPATH write it with the pen,
// brush and fill mode selected at that moment (a path object of PDF may hold no colour or
// dash operator, and a metafile selects its pen after ENDPATH). ABORTPATH drops it.
#include "pdf/document/PdfCanvas.h"
#include "pdf/emf/PdfEnum.h"
#include "pdf/objects/PdfStream.h"
#include "pdf/objects/PdfWrite.h"
#include "platform/gdi/metafile/EmfRecords.h"

void TPdfEnum::PlayPathRecord(const TEmfRecord& r) {
  switch (r.Type()) {
    case EMR_BEGINPATH:
      path_.clear();
      pathOpen_ = true;
      pathDone_ = figureOpen_ = false;
      break;
    case EMR_ENDPATH:
      if (!pathOpen_) return;
      pathOpen_ = false;
      pathDone_ = true;
      break;
    case EMR_ABORTPATH:
      path_.clear();
      pathOpen_ = pathDone_ = false;
      break;
    case EMR_CLOSEFIGURE:
      if (!pathOpen_ || !figureOpen_) return;
      AddStep(TPathStep::Close);
      figureOpen_ = false;
      break;
    case EMR_STROKEPATH: PaintBracket(true, false); break;
    case EMR_FILLPATH: PaintBracket(false, true); break;
    default: PaintBracket(true, true); break;  // EMR_STROKEANDFILLPATH
  }
}

void TPdfEnum::AddStep(TPathStep::TKind kind, std::initializer_list<double> values) {
  TPathStep step{kind, {}};
  size_t i = 0;
  for (double v : values) step.V[i++] = v;
  path_.push_back(step);
}

// A move starts a new figure.
void TPdfEnum::PathMoveTo(TPoint p) {
  AddStep(TPathStep::Move, {canvas_.MapX(p.X), canvas_.MapY(p.Y)});
  figureOpen_ = true;
}

// A line continues the open figure, or starts one at the current position.
void TPdfEnum::PathLineTo(TPoint p) {
  if (!figureOpen_) PathMoveTo(Cur().Position);
  AddStep(TPathStep::Line, {canvas_.MapX(p.X), canvas_.MapY(p.Y)});
}

void TPdfEnum::PathCurveTo(TPoint a, TPoint b, TPoint c) {
  AddStep(TPathStep::Curve, {canvas_.MapX(a.X), canvas_.MapY(a.Y), canvas_.MapX(b.X), canvas_.MapY(b.Y),
                             canvas_.MapX(c.X), canvas_.MapY(c.Y)});
}

void TPdfEnum::PathFigure(const std::vector<TPoint>& points, bool closed) {
  if (points.empty()) return;
  PathMoveTo(points[0]);
  for (size_t i = 1; i < points.size(); ++i) AddStep(TPathStep::Line, {canvas_.MapX(points[i].X), canvas_.MapY(points[i].Y)});
  if (!closed) return;
  AddStep(TPathStep::Close);
  figureOpen_ = false;
}

// Rectangles, ellipses and rounded rectangles are closed figures.
void TPdfEnum::PathBox(const TEmfRecord& r) {
  TRect box = Bounded(EmfRect(r));
  switch (r.Type()) {
    case EMR_RECTANGLE:
      // Clockwise from the top left corner, as the raster keeps it.
      PathFigure({{box.Left, box.Top}, {box.Right, box.Top}, {box.Right, box.Bottom}, {box.Left, box.Bottom}}, true);
      return;
    case EMR_ELLIPSE: {
      double x, y, w, h;
      canvas_.RectToBox(box, x, y, w, h);
      AddStep(TPathStep::Ellipse, {x, y, w, h});
      break;
    }
    default: {  // EMR_ROUNDRECT
      TSize corner = ReadEmfRoundRect(r).Corner;
      AddStep(TPathStep::RoundRect, {canvas_.MapX(box.Left), canvas_.MapY(box.Top), canvas_.MapX(box.Right),
                                     canvas_.MapY(box.Bottom), corner.cx * canvas_.WorldFactorX,
                                     -corner.cy * canvas_.WorldFactorY});
      break;
    }
  }
  AddStep(TPathStep::Close);
  figureOpen_ = false;
}

void TPdfEnum::WritePath(bool closeFigures) {
  bool open = false;  // a figure was started and not closed
  for (const TPathStep& s : path_) {
    const double* v = s.V;
    if (closeFigures && open && (s.Kind == TPathStep::Move || s.Kind == TPathStep::Ellipse ||
                                 s.Kind == TPathStep::RoundRect))
      canvas_.ClosePath();
    switch (s.Kind) {
      case TPathStep::Move: canvas_.MoveTo(v[0], v[1]); break;
      case TPathStep::Line: canvas_.LineTo(v[0], v[1]); break;
      case TPathStep::Curve: canvas_.CurveTo(v[0], v[1], v[2], v[3], v[4], v[5]); break;
      case TPathStep::Close: canvas_.ClosePath(); break;
      case TPathStep::Ellipse: canvas_.Ellipse(v[0], v[1], v[2], v[3]); break;
      case TPathStep::RoundRect: canvas_.RoundRect(v[0], v[1], v[2], v[3], v[4], v[5]); break;
    }
    open = s.Kind != TPathStep::Close && s.Kind != TPathStep::RoundRect;
  }
  if (closeFigures && open) canvas_.ClosePath();
}

// The path is used up by its paint, as GDI's is; without a finished path nothing is drawn.
void TPdfEnum::PaintBracket(bool stroke, bool fill) {
  if (!pathDone_) return;
  pathDone_ = false;
  const TPdfEnumState& s = Cur();
  stroke = stroke && !s.PenNull;
  fill = fill && !s.BrushNull;
  if (!path_.empty() && (stroke || fill)) {
    if (stroke) ApplyPen();
    if (fill) SetFillColorIfChanged(s.BrushColor);
    // Along with a fill, the outline of every figure is closed, as the fill closes them.
    WritePath(stroke && fill);
    const bool evenOdd = s.PolyFillMode != WINDING;
    canvas_.Contents()->Writer().Add(!fill ? "S\n" : !stroke ? (evenOdd ? "f*\n" : "f\n") : (evenOdd ? "B*\n" : "B\n"));
  }
  path_.clear();
}
