// TPdfEnum: the record dispatch, the object table with its stock objects, and the saved states.
#include "pdf/emf/PdfEnum.h"

#include <algorithm>
#include <cmath>

#include "pdf/document/PdfCanvas.h"
#include "pdf/document/PdfPage.h"
#include "platform/gdi/fonts/FontHandle.h"
#include "platform/gdi/metafile/EmfRecords.h"

namespace {

// The surface the clip regions of a metafile drawn with pixelX by pixelY points per pixel at
// the canvas's offsets are cut from, in its device pixels: the current page, and the frame
// the metafile draws in.
TRect ClipSurface(const TPdfCanvas& canvas, double pixelX, double pixelY, const TRect& frame) {
  if (!canvas.HasPage() || !(pixelX > 0) || !(pixelY > 0)) return {};
  auto bound = [](double v) { return static_cast<int>(std::clamp(v, -double{1 << 27}, double{1 << 27})); };
  const double width = canvas.GetPage().PageWidthOf(), height = canvas.CurrentPageHeight();
  const TRect page{bound(std::floor(-canvas.OffsetX / pixelX)), bound(std::floor(canvas.OffsetY / pixelY)),
                   bound(std::ceil((width - canvas.OffsetX) / pixelX)), bound(std::ceil((canvas.OffsetY + height) / pixelY))};
  const TRect f = frame.Normalized();
  if (f.IsEmpty()) return page;
  return {std::min(page.Left, bound(f.Left)), std::min(page.Top, bound(f.Top)), std::max(page.Right, bound(f.Right)),
          std::max(page.Bottom, bound(f.Bottom))};
}

}  // namespace

TPdfEnum::TPdfEnum(TPdfCanvas& canvas, double scaleX, double scaleY, TSize device, uint16_t handles, const TRect& frame)
    : canvas_(canvas),
      pixelX_(scaleX * canvas.DeviceScale()),
      pixelY_(scaleY * canvas.DeviceScale()),
      mapping_(device, ClipSurface(canvas, pixelX_, pixelY_, frame)),
      objects_(handles),
      states_(1) {
  // Text before any font is selected is in the device context's default font.
  SelectFontEntry(FontEntry(DefaultLogFont()));
}

TPdfEnum::~TPdfEnum() = default;

void TPdfEnum::Finish() {
  StrokeOpenPolyline();
  path_.clear();
  pathOpen_ = pathDone_ = false;
  if (clipInForce_) {
    canvas_.RestoreState();
    clipInForce_.reset();
    ForgetGraphicsState();
  }
}

void TPdfEnum::StrokeOpenPolyline() {
  if (!inLineTo_) return;
  inLineTo_ = false;
  canvas_.Stroke();
}

void TPdfEnum::ForgetGraphicsState() {
  lastStrokeColor_ = lastFillColor_ = -1;
  lastDash_.reset();
  lastPenWidth_ = -1;
}

void TPdfEnum::Play(const TEmfRecord& r) {
  uint32_t type = r.Type();
  if (inLineTo_ && type != EMR_LINETO) StrokeOpenPolyline();
  switch (type) {
    case EMR_POLYBEZIER: case EMR_POLYGON: case EMR_POLYLINE:
    case EMR_POLYBEZIER16: case EMR_POLYGON16: case EMR_POLYLINE16:
      PlayPoly(r);
      break;
    case EMR_POLYBEZIERTO: case EMR_POLYLINETO: case EMR_POLYBEZIERTO16: case EMR_POLYLINETO16: PlayPolyTo(r); break;
    case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON: case EMR_POLYPOLYLINE16: case EMR_POLYPOLYGON16:
      PlayPolyPoly(r);
      break;
    case EMR_SETMAPMODE: mapping_.SetMapMode(EmfSignedValue(r)); UpdateMapping(); break;
    case EMR_SETWINDOWEXTEX: mapping_.SetWindowExtEx(EmfSize(r).cx, EmfSize(r).cy); UpdateMapping(); break;
    case EMR_SETWINDOWORGEX: mapping_.SetWindowOrgEx(EmfPoint(r).X, EmfPoint(r).Y); UpdateMapping(); break;
    case EMR_SETVIEWPORTEXTEX: mapping_.SetViewportExtEx(EmfSize(r).cx, EmfSize(r).cy); UpdateMapping(); break;
    case EMR_SETVIEWPORTORGEX: mapping_.SetViewportOrgEx(EmfPoint(r).X, EmfPoint(r).Y); UpdateMapping(); break;
    case EMR_SCALEWINDOWEXTEX: case EMR_SCALEVIEWPORTEXTEX: PlayScaleExtent(r); break;
    case EMR_SETBKMODE: Cur().BkMode = EmfSignedValue(r); break;
    case EMR_SETPOLYFILLMODE: Cur().PolyFillMode = EmfSignedValue(r); break;
    case EMR_SETTEXTALIGN: Cur().TextAlign = EmfValue(r); break;
    case EMR_SETTEXTCOLOR: Cur().TextColor = EmfColor(r); break;
    case EMR_SETBKCOLOR: Cur().BkColor = EmfColor(r); break;
    case EMR_MOVETOEX:
      Cur().Position = EmfPoint(r);
      Cur().MovePending = true;
      if (Recording()) PathMoveTo(Cur().Position);
      break;
    case EMR_SAVEDC: PushState(); break;
    case EMR_RESTOREDC: PopState(EmfSignedValue(r)); break;
    case EMR_SETWORLDTRANSFORM: case EMR_MODIFYWORLDTRANSFORM: PlayWorldTransform(r); break;
    case EMR_SELECTOBJECT: SelectObject(EmfValue(r)); break;
    case EMR_CREATEPEN: case EMR_EXTCREATEPEN: CreatePen(ReadEmfPen(r)); break;
    case EMR_CREATEBRUSHINDIRECT: CreateBrush(ReadEmfBrush(r)); break;
    case EMR_DELETEOBJECT: DeleteObject(EmfValue(r)); break;
    case EMR_ELLIPSE: case EMR_RECTANGLE: case EMR_ROUNDRECT: PlayBox(r); break;
    case EMR_ARC: case EMR_PIE: PlayArc(r); break;
    case EMR_SETPIXELV: PlayPixel(r); break;
    case EMR_LINETO: PlayLineTo(EmfPoint(r)); break;
    case EMR_BEGINPATH: case EMR_ENDPATH: case EMR_ABORTPATH: case EMR_CLOSEFIGURE:
    case EMR_STROKEPATH: case EMR_FILLPATH: case EMR_STROKEANDFILLPATH:
      PlayPathRecord(r);
      break;
    case EMR_GDICOMMENT: {
      std::string_view data = ReadEmfComment(r);
      if (data.size() > 1) HandleComment(static_cast<uint8_t>(data[0]), data.substr(1));
      break;
    }
    case EMR_FILLRGN: case EMR_PAINTRGN: case EMR_FRAMERGN: PlayRegion(r); break;
    case EMR_INTERSECTCLIPRECT: case EMR_EXCLUDECLIPRECT: case EMR_EXTSELECTCLIPRGN: case EMR_OFFSETCLIPRGN:
      PlayClip(r);
      break;
    case EMR_BITBLT: case EMR_STRETCHBLT: PlayBlt(r); break;
    case EMR_STRETCHDIBITS: PlayStretchDIBits(r); break;
    case EMR_EXTCREATEFONTINDIRECTW: CreateFontEntry(r); break;
    case EMR_EXTTEXTOUTW: case EMR_EXTTEXTOUTA: DrawTextRecord(r); break;
    default: break;  // the header (read by the reader), and what a page cannot show
  }
}

// --- object table ---

TPdfEnumObject* TPdfEnum::Entry(uint32_t handle) {
  // Handle 0 is the metafile itself; the table is sized by the header's handle count.
  if (handle == 0 || handle >= objects_.size()) return nullptr;
  return &objects_[handle];
}

std::optional<COLORREF> TPdfEnum::StockBrushColor(uint32_t index) {
  static constexpr uint8_t kGrey[] = {255, 170, 128, 102, 0};
  if (index > BLACK_BRUSH) return std::nullopt;
  return kGrey[index] * 0x010101u;
}

void TPdfEnum::CreatePen(const TEmfPen& pen) {
  TPdfEnumObject* o = Entry(pen.Handle);
  if (o == nullptr) return;
  *o = {};
  o->Kind = TPdfEnumObject::Pen;
  o->PenStyle = pen.Pen.Style;
  o->PenWidth = pen.Pen.Width < 0 ? 0 : static_cast<float>(pen.Pen.Width);
  o->PenStyleEntries = pen.StyleEntries;
  o->Color = pen.Pen.Color;
}

void TPdfEnum::CreateBrush(const TEmfBrush& brush) {
  TPdfEnumObject* o = Entry(brush.Handle);
  if (o == nullptr) return;
  *o = {};
  o->Kind = TPdfEnumObject::Brush;
  o->BrushNull = brush.Brush.Style == BS_NULL;
  o->Color = brush.Brush.Color;
}

void TPdfEnum::DeleteObject(uint32_t handle) {
  if (TPdfEnumObject* o = Entry(handle)) *o = {};
}

void TPdfEnum::SelectObject(uint32_t handle) {
  TPdfEnumState& s = Cur();
  if (handle & ENHMETA_STOCK_OBJECT) {
    uint32_t index = handle & ~ENHMETA_STOCK_OBJECT;
    if (std::optional<COLORREF> color = StockBrushColor(index)) {
      s.BrushNull = false;
      s.BrushColor = *color;
    } else if (index == NULL_BRUSH) {
      s.BrushNull = true;
    } else if (std::optional<TLogPen> pen = EmfStockPen(handle)) {
      s.PenNull = pen->IsNull();
      if (s.PenNull) return;
      s.PenColor = pen->Color;
      s.PenStyle = pen->Style;
      s.PenWidth = static_cast<float>(pen->Width);
      s.PenStyleEntries.clear();
    } else if (IsEmfStockFont(handle)) {
      SelectFontEntry(FontEntry(DefaultLogFont()));
    }
    return;
  }
  const TPdfEnumObject* o = Entry(handle);
  if (o == nullptr) return;
  switch (o->Kind) {
    case TPdfEnumObject::Pen:
      s.PenNull = (o->PenStyle & PS_STYLE_MASK) == PS_NULL;
      s.PenColor = o->Color;
      s.PenStyle = o->PenStyle;
      s.PenWidth = o->PenWidth;
      s.PenStyleEntries = o->PenStyleEntries;
      break;
    case TPdfEnumObject::Brush:
      s.BrushNull = o->BrushNull;
      s.BrushColor = o->Color;
      break;
    case TPdfEnumObject::Font: SelectFontEntry(*o); break;
    case TPdfEnumObject::Empty: break;
  }
}

void TPdfEnum::SelectFontEntry(const TPdfEnumObject& font) {
  TPdfEnumState& s = Cur();
  s.FontRotation = font.FontRotation;
  s.FontAscent = font.FontAscent;
  s.FontDescent = font.FontDescent;
  s.FontEmHeight = font.FontEmHeight;
  s.LogFont = font.LogFont;
}

// --- saved states ---

void TPdfEnum::PushState() {
  mapping_.SaveDC();
  states_.push_back(states_.back());
}

// As RestoreDC: a negative level counts back from the present one, a positive one names the
// level SaveDC returned; a level that was never saved changes nothing.
void TPdfEnum::PopState(int level) {
  int count = static_cast<int>(states_.size()) - 1;
  int target = level < 0 ? count + 1 + level : level;
  if (target < 1 || target > count) return;
  mapping_.RestoreDC(level);
  states_.resize(static_cast<size_t>(target));
  UpdateMapping();
  SyncClip();
}
