#include "platform/gdi/metafile/MetafileRecorder.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/gdi/metafile/EmfRecordWriter.h"
#include "platform/gdi/metafile/EmfRecords.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Unicode.h"

namespace {

constexpr uint32_t Stock(uint32_t index) { return ENHMETA_STOCK_OBJECT | index; }

std::string SimpleRecord(uint32_t type) { return TEmfRecordWriter(type).Finish(); }
std::string U32Record(uint32_t type, uint32_t value) { return TEmfRecordWriter(type).U32(value).Finish(); }
std::string PointRecord(uint32_t type, int x, int y) { return TEmfRecordWriter(type).I32(x).I32(y).Finish(); }

// Millimetres and micrometres of a length in pixels at 96 pixels per inch.
int PixelsToMicrometres(int pixels) { return static_cast<int>(std::lround(pixels * 25400.0 / 96.0)); }

}  // namespace

TMetafileRecorder::TMetafileRecorder(const TDeviceContext* reference)
    : deviceSize_(reference ? TSize{reference->GetDeviceCaps(HORZRES), reference->GetDeviceCaps(VERTRES)}
                            : TSize{1920, 1080}),
      bitsPerPixel_(reference ? reference->GetDeviceCaps(BITSPIXEL) : 24) {
  // The state a player starts with: the stock black pen and white brush, the default font.
  selection_.Pen = Stock(BLACK_PEN);
  selection_.Brush = Stock(WHITE_BRUSH);
}

void TMetafileRecorder::Emit(std::string record) {
  if (finished_) throw EInvalidOperation(S("Die Metadatei ist bereits abgeschlossen"));
  records_ += record;
  ++recordCount_;
}

void TMetafileRecorder::GdiComment(std::string_view data) {
  Emit(TEmfRecordWriter(EMR_GDICOMMENT).U32(static_cast<uint32_t>(data.size())).Bytes(data).Finish());
}

// --- bounds ---

int TMetafileRecorder::PenExtent() const {
  if (state_.Pen.IsNull()) return 0;
  return static_cast<int>(std::ceil(std::max(1, state_.Pen.Width) * std::abs(ScaleX()) / 2)) + 1;
}

void TMetafileRecorder::AddBounds(const TRect& logical, int penWidth) {
  TRect d = ToDeviceRect(logical).Inflate(penWidth, penWidth);
  if (!hasBounds_) {
    bounds_ = d;
    hasBounds_ = true;
    return;
  }
  bounds_ = {std::min(bounds_.Left, d.Left), std::min(bounds_.Top, d.Top), std::max(bounds_.Right, d.Right),
             std::max(bounds_.Bottom, d.Bottom)};
}

TRect TMetafileRecorder::DeviceBoundsOf(const std::vector<TPoint>& points) const {
  if (points.empty()) return {0, 0, -1, -1};
  TRect r{points[0].X, points[0].Y, points[0].X, points[0].Y};
  for (TPoint p : points)
    r = {std::min(r.Left, p.X), std::min(r.Top, p.Y), std::max(r.Right, p.X), std::max(r.Bottom, p.Y)};
  TRect d = ToDeviceRect(r);
  return {d.Left, d.Top, d.Right, d.Bottom};  // inclusive corners, as the records carry them
}

void TMetafileRecorder::AddPointBounds(const std::vector<TPoint>& points, bool stroked) {
  if (points.empty()) return;
  TRect r{points[0].X, points[0].Y, points[0].X, points[0].Y};
  for (TPoint p : points)
    r = {std::min(r.Left, p.X), std::min(r.Top, p.Y), std::max(r.Right, p.X), std::max(r.Bottom, p.Y)};
  AddBounds({r.Left, r.Top, r.Right + 1, r.Bottom + 1}, stroked ? PenExtent() : 0);
}

// --- objects ---

uint32_t TMetafileRecorder::NewHandle(TObject object) {
  uint32_t h = 1;
  while (h < objects_.size() && objects_[h].Kind != TObject::Free) ++h;
  if (h == objects_.size()) objects_.push_back({});
  if (h > std::numeric_limits<uint16_t>::max() - 1u)
    throw EInvalidOperation(S("Zu viele gleichzeitig gewählte Zeichenobjekte in der Metadatei"));
  objects_[h] = std::move(object);
  maxHandle_ = std::max(maxHandle_, h);
  return h;
}

uint32_t TMetafileRecorder::PenHandle(const TLogPen& pen) {
  if (pen.IsNull()) return Stock(NULL_PEN);
  if (pen == TLogPen{PS_SOLID, 0, 0}) return Stock(BLACK_PEN);
  if (pen == TLogPen{PS_SOLID, 0, 0xFFFFFF}) return Stock(WHITE_PEN);
  for (uint32_t h = 1; h < objects_.size(); ++h)
    if (objects_[h].Kind == TObject::Pen && objects_[h].PenValue == pen) return h;
  TObject o;
  o.Kind = TObject::Pen;
  o.PenValue = pen;
  uint32_t h = NewHandle(o);
  Emit(TEmfRecordWriter(EMR_CREATEPEN).U32(h).U32(pen.Style).I32(pen.Width).I32(0).U32(pen.Color).Finish());
  return h;
}

uint32_t TMetafileRecorder::BrushHandle(const TLogBrush& brush) {
  if (brush.IsNull()) return Stock(NULL_BRUSH);
  if (brush == CreateSolidBrush(0xFFFFFF)) return Stock(WHITE_BRUSH);
  if (brush == CreateSolidBrush(0)) return Stock(BLACK_BRUSH);
  for (uint32_t h = 1; h < objects_.size(); ++h)
    if (objects_[h].Kind == TObject::Brush && objects_[h].BrushValue == brush) return h;
  TObject o;
  o.Kind = TObject::Brush;
  o.BrushValue = brush;
  uint32_t h = NewHandle(o);
  Emit(TEmfRecordWriter(EMR_CREATEBRUSHINDIRECT)
           .U32(h)
           .U32(brush.Style)
           .U32(brush.Color)
           .U32(static_cast<uint32_t>(brush.Hatch))
           .Finish());
  return h;
}

uint32_t TMetafileRecorder::FontHandle(const TLogFont& font) {
  for (uint32_t h = 1; h < objects_.size(); ++h)
    if (objects_[h].Kind == TObject::Font && objects_[h].FontValue == font) return h;
  TObject o;
  o.Kind = TObject::Font;
  o.FontValue = font;
  uint32_t h = NewHandle(o);
  TEmfRecordWriter w(EMR_EXTCREATEFONTINDIRECTW);
  w.U32(h).I32(font.lfHeight).I32(font.lfWidth).I32(font.lfEscapement).I32(font.lfOrientation).I32(font.lfWeight);
  w.U8(font.lfItalic).U8(font.lfUnderline).U8(font.lfStrikeOut).U8(font.lfCharSet);
  w.U8(font.lfOutPrecision).U8(font.lfClipPrecision).U8(font.lfQuality).U8(font.lfPitchAndFamily);
  for (size_t i = 0; i < 32; ++i) w.U16(i < 31 && i < font.lfFaceName.size() ? font.lfFaceName[i] : 0);
  // The rest of a LOGFONTPANOSE (full name, style, version and PANOSE numbers) stays empty.
  for (uint32_t i = LOGFONTW_SIZE; i < LOGFONTPANOSE_SIZE; i += 4) w.U32(0);
  Emit(w.Finish());
  return h;
}

bool TMetafileRecorder::Referenced(uint32_t handle) const {
  auto uses = [handle](const TSelection& s) { return s.Pen == handle || s.Brush == handle || s.Font == handle; };
  return uses(selection_) || std::any_of(savedSelections_.begin(), savedSelections_.end(), uses);
}

void TMetafileRecorder::Release(uint32_t handle) {
  if (handle == 0 || (handle & ENHMETA_STOCK_OBJECT) || handle >= objects_.size() || Referenced(handle)) return;
  Emit(U32Record(EMR_DELETEOBJECT, handle));
  objects_[handle] = {};
}

void TMetafileRecorder::Select(uint32_t& slot, uint32_t handle) {
  if (slot == handle) return;
  Emit(U32Record(EMR_SELECTOBJECT, handle));
  uint32_t previous = slot;
  slot = handle;
  Release(previous);
}

TFontHandle TMetafileRecorder::SelectFont(const TFontHandle& font) {
  TFontHandle previous = TDeviceContextBase::SelectFont(font);
  Select(selection_.Font, FontHandle(font.LogFont()));
  return previous;
}

TLogPen TMetafileRecorder::SelectPen(const TLogPen& pen) {
  TLogPen previous = TDeviceContextBase::SelectPen(pen);
  Select(selection_.Pen, PenHandle(pen));
  return previous;
}

TLogBrush TMetafileRecorder::SelectBrush(const TLogBrush& brush) {
  TLogBrush previous = TDeviceContextBase::SelectBrush(brush);
  Select(selection_.Brush, BrushHandle(brush));
  return previous;
}

// --- saved states ---

int TMetafileRecorder::SaveDC() {
  int level = TDeviceContextBase::SaveDC();
  Emit(SimpleRecord(EMR_SAVEDC));
  savedSelections_.push_back(selection_);
  return level;
}

bool TMetafileRecorder::RestoreDC(int level) {
  const int depth = static_cast<int>(savedSelections_.size());
  const int target = level < 0 ? depth + level : level - 1;  // saved states that remain
  if (target < 0 || target >= depth || !TDeviceContextBase::RestoreDC(level)) return false;
  Emit(TEmfRecordWriter(EMR_RESTOREDC).I32(target - depth).Finish());
  std::vector<TSelection> dropped(savedSelections_.begin() + target + 1, savedSelections_.end());
  dropped.push_back(selection_);
  selection_ = savedSelections_[static_cast<size_t>(target)];
  savedSelections_.resize(static_cast<size_t>(target));
  for (const TSelection& s : dropped) {
    Release(s.Pen);
    Release(s.Brush);
    Release(s.Font);
  }
  return true;
}

// --- state records ---

COLORREF TMetafileRecorder::SetTextColor(COLORREF color) {
  if (color != state_.TextColor) Emit(U32Record(EMR_SETTEXTCOLOR, color));
  return TDeviceContextBase::SetTextColor(color);
}

COLORREF TMetafileRecorder::SetBkColor(COLORREF color) {
  if (color != state_.BkColor) Emit(U32Record(EMR_SETBKCOLOR, color));
  return TDeviceContextBase::SetBkColor(color);
}

int TMetafileRecorder::SetBkMode(int mode) {
  if (mode != state_.BkMode) Emit(U32Record(EMR_SETBKMODE, static_cast<uint32_t>(mode)));
  return TDeviceContextBase::SetBkMode(mode);
}

uint32_t TMetafileRecorder::SetTextAlign(uint32_t align) {
  if (align != state_.TextAlign) Emit(U32Record(EMR_SETTEXTALIGN, align));
  return TDeviceContextBase::SetTextAlign(align);
}

int TMetafileRecorder::SetROP2(int rop2) {
  if (rop2 != state_.Rop2) Emit(U32Record(EMR_SETROP2, static_cast<uint32_t>(rop2)));
  return TDeviceContextBase::SetROP2(rop2);
}

int TMetafileRecorder::SetStretchBltMode(int mode) {
  if (mode != state_.StretchMode) Emit(U32Record(EMR_SETSTRETCHBLTMODE, static_cast<uint32_t>(mode)));
  return TDeviceContextBase::SetStretchBltMode(mode);
}

int TMetafileRecorder::SetPolyFillMode(int mode) {
  if (mode != state_.PolyFillMode) Emit(U32Record(EMR_SETPOLYFILLMODE, static_cast<uint32_t>(mode)));
  return TDeviceContextBase::SetPolyFillMode(mode);
}

int TMetafileRecorder::SetMapMode(int mode) {
  Emit(U32Record(EMR_SETMAPMODE, static_cast<uint32_t>(mode)));
  return TDeviceContextBase::SetMapMode(mode);
}

TPoint TMetafileRecorder::SetWindowOrgEx(int x, int y) {
  Emit(PointRecord(EMR_SETWINDOWORGEX, x, y));
  return TDeviceContextBase::SetWindowOrgEx(x, y);
}

TSize TMetafileRecorder::SetWindowExtEx(int cx, int cy) {
  Emit(PointRecord(EMR_SETWINDOWEXTEX, cx, cy));
  return TDeviceContextBase::SetWindowExtEx(cx, cy);
}

TPoint TMetafileRecorder::SetViewportOrgEx(int x, int y) {
  Emit(PointRecord(EMR_SETVIEWPORTORGEX, x, y));
  return TDeviceContextBase::SetViewportOrgEx(x, y);
}

TSize TMetafileRecorder::SetViewportExtEx(int cx, int cy) {
  Emit(PointRecord(EMR_SETVIEWPORTEXTEX, cx, cy));
  return TDeviceContextBase::SetViewportExtEx(cx, cy);
}

TPoint TMetafileRecorder::MoveToEx(int x, int y) {
  Emit(PointRecord(EMR_MOVETOEX, x, y));
  return TDeviceContextBase::MoveToEx(x, y);
}

// --- clipping ---

void TMetafileRecorder::RecordClipRegion(const TRegion* region, int mode) {
  TEmfRecordWriter w(EMR_EXTSELECTCLIPRGN);
  if (!region) {
    w.U32(0).U32(static_cast<uint32_t>(mode));
  } else {
    std::vector<TRect> rects = region->Rects();
    TRect box = region->Box();
    w.U32(RGNDATAHEADER_SIZE + static_cast<uint32_t>(rects.size()) * 16).U32(static_cast<uint32_t>(mode));
    w.U32(RGNDATAHEADER_SIZE).U32(RDH_RECTANGLES).U32(static_cast<uint32_t>(rects.size()));
    w.U32(static_cast<uint32_t>(rects.size()) * 16).Rect(box);
    for (const TRect& r : rects) w.Rect(r);
  }
  Emit(w.Finish());
}

int TMetafileRecorder::SelectClipRgn(const TRegion* region) {
  RecordClipRegion(region, RGN_COPY);
  return TDeviceContextBase::SelectClipRgn(region);
}

int TMetafileRecorder::ExtSelectClipRgn(const TRegion* region, int mode) {
  int result = TDeviceContextBase::ExtSelectClipRgn(region, mode);
  if (result != RGN_ERROR) RecordClipRegion(region, mode);
  return result;
}

int TMetafileRecorder::IntersectClipRect(const TRect& logical) {
  Emit(TEmfRecordWriter(EMR_INTERSECTCLIPRECT).Rect(logical).Finish());
  return TDeviceContextBase::IntersectClipRect(logical);
}

int TMetafileRecorder::ExcludeClipRect(const TRect& logical) {
  Emit(TEmfRecordWriter(EMR_EXCLUDECLIPRECT).Rect(logical).Finish());
  return TDeviceContextBase::ExcludeClipRect(logical);
}

// --- paths ---

bool TMetafileRecorder::BeginPath() {
  Emit(SimpleRecord(EMR_BEGINPATH));
  return TDeviceContextBase::BeginPath();
}

bool TMetafileRecorder::EndPath() {
  Emit(SimpleRecord(EMR_ENDPATH));
  return TDeviceContextBase::EndPath();
}

bool TMetafileRecorder::CloseFigure() {
  Emit(SimpleRecord(EMR_CLOSEFIGURE));
  return TDeviceContextBase::CloseFigure();
}

bool TMetafileRecorder::AbortPath() {
  Emit(SimpleRecord(EMR_ABORTPATH));
  return TDeviceContextBase::AbortPath();
}

bool TMetafileRecorder::StrokePath() {
  if (!HasFinishedPath()) return false;
  TakePath();
  Emit(TEmfRecordWriter(EMR_STROKEPATH).Rect({0, 0, -1, -1}).Finish());
  return true;
}

bool TMetafileRecorder::FillPath() {
  if (!HasFinishedPath()) return false;
  TakePath();
  Emit(TEmfRecordWriter(EMR_FILLPATH).Rect({0, 0, -1, -1}).Finish());
  return true;
}

bool TMetafileRecorder::StrokeAndFillPath() {
  if (!HasFinishedPath()) return false;
  TakePath();
  Emit(TEmfRecordWriter(EMR_STROKEANDFILLPATH).Rect({0, 0, -1, -1}).Finish());
  return true;
}

// --- the finished metafile ---

std::string TMetafileRecorder::Finish(int width, int height) {
  if (finished_) throw EInvalidOperation(S("Die Metadatei ist bereits abgeschlossen"));
  Emit(TEmfRecordWriter(EMR_EOF).U32(0).U32(16).U32(20).Finish());
  finished_ = true;

  TRect frame = width > 0 && height > 0 ? TRect{0, 0, width, height} : (hasBounds_ ? bounds_ : TRect{});
  TRect bounds = hasBounds_ ? TRect{bounds_.Left, bounds_.Top, bounds_.Right - 1, bounds_.Bottom - 1}
                            : TRect{0, 0, -1, -1};
  TSize micrometres{PixelsToMicrometres(deviceSize_.cx), PixelsToMicrometres(deviceSize_.cy)};
  auto hundredths = [](int pixels) { return static_cast<int>(std::lround(pixels * 2540.0 / 96.0)); };

  TEmfRecordWriter h(EMR_HEADER);
  h.Rect(bounds);
  h.Rect({hundredths(frame.Left), hundredths(frame.Top), hundredths(frame.Right), hundredths(frame.Bottom)});
  h.U32(ENHMETA_SIGNATURE).U32(EMF_VERSION);
  const size_t total = EMF_HEADER_EXT2_SIZE + records_.size();
  if (total > std::numeric_limits<uint32_t>::max())
    throw EInvalidOperation(S("Die Metadatei ist zu groß"));
  h.U32(static_cast<uint32_t>(total)).U32(recordCount_ + 1);
  h.U16(static_cast<uint16_t>(maxHandle_ + 1)).U16(0);
  h.U32(0).U32(0).U32(0);  // no description, no palette
  h.Size(deviceSize_);
  h.Size({(micrometres.cx + 500) / 1000, (micrometres.cy + 500) / 1000});
  h.U32(0).U32(0).U32(0);  // no pixel format, no OpenGL records
  h.Size(micrometres);
  std::string result = h.Finish();
  result += records_;
  records_.clear();
  return result;
}
