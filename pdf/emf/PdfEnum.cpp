// TPdfEnum: the record dispatch, the object table with its stock objects, and the saved states.
#include "pdf/emf/PdfEnum.h"

#include "pdf/document/PdfCanvas.h"
#include "platform/gdi/fonts/FontHandle.h"
#include "platform/gdi/metafile/EmfRecords.h"

TPdfEnum::TPdfEnum(TPdfCanvas& canvas, double scaleX, double scaleY, TSize device)
    : canvas_(canvas),
      pixelX_(scaleX * canvas.DeviceScale()),
      pixelY_(scaleY * canvas.DeviceScale()),
      mapping_(device),
      states_(1) {
  // Text before any font is selected is in the device context's default font.
  SelectFontEntry(FontEntry(DefaultLogFont()));
}

TPdfEnum::~TPdfEnum() = default;

void TPdfEnum::Finish() {
  StrokeOpenPolyline();
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
  lastPenStyle_ = -1;
  lastPenWidth_ = -1;
}

void TPdfEnum::Play(const TEmfRecord& r) {
  uint32_t type = r.Type();
  if (inLineTo_ && type != EMR_LINETO) StrokeOpenPolyline();
  switch (type) {
    case EMR_HEADER: objects_.assign(r.U16(56), {}); break;  // nHandles
    case EMR_POLYBEZIER: case EMR_POLYGON: case EMR_POLYLINE: PlayPoly(r, false); break;
    case EMR_POLYBEZIER16: case EMR_POLYGON16: case EMR_POLYLINE16: PlayPoly(r, true); break;
    case EMR_POLYBEZIERTO: case EMR_POLYLINETO: PlayPolyTo(r, false); break;
    case EMR_POLYBEZIERTO16: case EMR_POLYLINETO16: PlayPolyTo(r, true); break;
    case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON: PlayPolyPoly(r, false); break;
    case EMR_POLYPOLYLINE16: case EMR_POLYPOLYGON16: PlayPolyPoly(r, true); break;
    case EMR_SETMAPMODE: mapping_.SetMapMode(r.I32(8)); UpdateMapping(); break;
    case EMR_SETWINDOWEXTEX: mapping_.SetWindowExtEx(r.I32(8), r.I32(12)); UpdateMapping(); break;
    case EMR_SETWINDOWORGEX: mapping_.SetWindowOrgEx(r.I32(8), r.I32(12)); UpdateMapping(); break;
    case EMR_SETVIEWPORTEXTEX: mapping_.SetViewportExtEx(r.I32(8), r.I32(12)); UpdateMapping(); break;
    case EMR_SETVIEWPORTORGEX: mapping_.SetViewportOrgEx(r.I32(8), r.I32(12)); UpdateMapping(); break;
    case EMR_SETBKMODE: Cur().BkMode = r.I32(8); break;
    case EMR_SETTEXTALIGN: Cur().TextAlign = r.U32(8); break;
    case EMR_SETTEXTCOLOR: Cur().TextColor = r.U32(8) & 0xFFFFFF; break;
    case EMR_SETBKCOLOR: Cur().BkColor = r.U32(8) & 0xFFFFFF; break;
    case EMR_MOVETOEX:
      Cur().Position = r.PointL(8);
      Cur().MovePending = true;
      break;
    case EMR_SAVEDC: PushState(); break;
    case EMR_RESTOREDC: PopState(r.I32(8)); break;
    case EMR_SETWORLDTRANSFORM: case EMR_MODIFYWORLDTRANSFORM: PlayWorldTransform(r); break;
    case EMR_SELECTOBJECT: SelectObject(r.U32(8)); break;
    case EMR_CREATEPEN: CreatePen(r.U32(8), r.U32(12), static_cast<float>(r.I32(16)), r.U32(24)); break;
    case EMR_EXTCREATEPEN:
      // An EXTLOGPEN; a pen drawn with a null brush draws nothing.
      CreatePen(r.U32(8), r.U32(36) == BS_NULL ? uint32_t{PS_NULL} : r.U32(28), static_cast<float>(r.U32(32)),
                r.U32(40));
      break;
    case EMR_CREATEBRUSHINDIRECT: CreateBrush(r.U32(8), r.U32(12), r.U32(16)); break;
    case EMR_DELETEOBJECT: DeleteObject(r.U32(8)); break;
    case EMR_ELLIPSE: case EMR_RECTANGLE: case EMR_ROUNDRECT: PlayBox(r); break;
    case EMR_LINETO: PlayLineTo(r.PointL(8)); break;
    case EMR_GDICOMMENT: {
      uint32_t size = r.U32(8);
      std::string_view data = r.Span(12, size);
      if (data.size() > 1) HandleComment(static_cast<uint8_t>(data[0]), data.substr(1));
      break;
    }
    case EMR_FILLRGN: case EMR_PAINTRGN: case EMR_FRAMERGN: PlayRegion(r); break;
    case EMR_INTERSECTCLIPRECT: case EMR_EXCLUDECLIPRECT: case EMR_EXTSELECTCLIPRGN: case EMR_OFFSETCLIPRGN:
      PlayClip(r);
      break;
    case EMR_BITBLT: PlayBlt(r, false); break;
    case EMR_STRETCHBLT: PlayBlt(r, true); break;
    case EMR_STRETCHDIBITS: PlayStretchDIBits(r); break;
    case EMR_EXTCREATEFONTINDIRECTW: CreateFontEntry(r); break;
    case EMR_EXTTEXTOUTW: case EMR_EXTTEXTOUTA: DrawTextRecord(r); break;
    default: break;
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

void TPdfEnum::CreatePen(uint32_t handle, uint32_t style, float width, COLORREF color) {
  TPdfEnumObject* o = Entry(handle);
  if (o == nullptr) return;
  *o = {};
  o->Kind = TPdfEnumObject::Pen;
  o->PenStyle = style;
  o->PenWidth = width < 0 ? 0 : width;
  o->Color = color & 0xFFFFFF;
}

void TPdfEnum::CreateBrush(uint32_t handle, uint32_t style, COLORREF color) {
  TPdfEnumObject* o = Entry(handle);
  if (o == nullptr) return;
  *o = {};
  o->Kind = TPdfEnumObject::Brush;
  o->BrushNull = style == BS_NULL;
  o->Color = color & 0xFFFFFF;
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
    } else if (index == WHITE_PEN || index == BLACK_PEN) {
      s.PenNull = false;
      s.PenColor = index == WHITE_PEN ? 0xFFFFFF : 0;
      s.PenStyle = PS_SOLID;
      s.PenWidth = 0;
    } else if (index == NULL_PEN) {
      s.PenNull = true;
    } else if (index >= OEM_FIXED_FONT && index <= DEFAULT_GUI_FONT && index != DEFAULT_PALETTE) {
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
