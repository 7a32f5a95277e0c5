// Typed views of the metafile records that players draw: each function decodes one kind of
// record from its bounds-checked bytes, so that every player reads the same fields the same
// way. A field that lies outside its record raises EInvalidMetafile.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/gdi/dc/GdiObjects.h"
#include "platform/gdi/fonts/LogFont.h"
#include "platform/gdi/geometry/Geometry.h"
#include "platform/gdi/metafile/EmfReader.h"

// The parameter of a record with one value, point, size or rectangle after its type and size
// (state records, MOVETOEX, LINETO, the window and viewport records, RECTANGLE, ELLIPSE, the
// clip rectangles, SELECTOBJECT, DELETEOBJECT, RESTOREDC, OFFSETCLIPRGN, ...).
uint32_t EmfValue(const TEmfRecord& r);
int32_t EmfSignedValue(const TEmfRecord& r);
TPoint EmfPoint(const TEmfRecord& r);
TSize EmfSize(const TEmfRecord& r);
TRect EmfRect(const TEmfRecord& r);
// A colour parameter (SETTEXTCOLOR, SETBKCOLOR) without its flag byte.
COLORREF EmfColor(const TEmfRecord& r);

// SCALEWINDOWEXTEX and SCALEVIEWPORTEXTEX.
struct TEmfScale {
  int XNum = 1, XDenom = 1, YNum = 1, YDenom = 1;
};
TEmfScale ReadEmfScale(const TEmfRecord& r);

// ROUNDRECT: the box and the width and height of the corner ellipse.
struct TEmfRoundRect {
  TRect Box;
  TSize Corner;
};
TEmfRoundRect ReadEmfRoundRect(const TEmfRecord& r);

// ARC, CHORD and PIE: the box and the points that give the start and end angles.
struct TEmfArc {
  TRect Box;
  TPoint Start, End;
};
TEmfArc ReadEmfArc(const TEmfRecord& r);

// SETPIXELV.
struct TEmfPixel {
  TPoint At;
  COLORREF Color = 0;
};
TEmfPixel ReadEmfPixel(const TEmfRecord& r);

// The points of POLYLINE, POLYGON, POLYBEZIER, POLYLINETO, POLYBEZIERTO and their 16-bit forms.
std::vector<TPoint> ReadEmfPolyPoints(const TEmfRecord& r);
// The figures of POLYPOLYLINE and POLYPOLYGON (and their 16-bit forms); when the counts add up
// to more points than the record holds, the figures that fit.
std::vector<std::vector<TPoint>> ReadEmfPolyPolyPoints(const TEmfRecord& r);

// EXTTEXTOUTW and EXTTEXTOUTA. The text of an ANSI record is converted from the ANSI code page;
// its advances are kept when they still stand one for each character of the converted text.
struct TEmfText {
  TPoint Reference;
  uint32_t Options = 0;  // ETO_* (the glyph-index flag only for wide text: ANSI text is characters)
  TRect Rect;
  String Text;
  std::vector<int32_t> Dx;  // the x advance of each character, or none
};
TEmfText ReadEmfText(const TEmfRecord& r);

// CREATEPEN and EXTCREATEPEN: the table handle and the pen (an extended pen drawn with a null
// brush is a null pen). Style entries are the lengths of a user-styled pen's dashes and gaps.
struct TEmfPen {
  uint32_t Handle = 0;
  TLogPen Pen;
  std::vector<uint32_t> StyleEntries;
};
TEmfPen ReadEmfPen(const TEmfRecord& r);

// CREATEBRUSHINDIRECT: the table handle and the LOGBRUSH as it stands.
struct TEmfBrush {
  uint32_t Handle = 0;
  TLogBrush Brush;
};
TEmfBrush ReadEmfBrush(const TEmfRecord& r);

// EXTCREATEFONTINDIRECTW: the table handle and the LOGFONTW.
struct TEmfFont {
  uint32_t Handle = 0;
  TLogFont Font;
};
TEmfFont ReadEmfFont(const TEmfRecord& r);

// BITBLT and STRETCHBLT. Info and Bits are empty when the record carries no bitmap (a pattern
// or a raster operation without a source). SourceSize is the stretch source's size; for BITBLT
// it is the destination size.
struct TEmfBlt {
  TPoint Dest;
  TSize DestSize;
  uint32_t Rop = 0;
  TPoint Source;
  TSize SourceSize;
  TXForm SourceTransform;
  COLORREF SourceBkColor = 0;
  std::string_view Info, Bits;
  bool HasBitmap() const { return !Info.empty(); }
};
TEmfBlt ReadEmfBlt(const TEmfRecord& r);

// STRETCHDIBITS. Source is counted from the top of the bitmap (for a bottom-up bitmap the
// record's rows, which count from its bottom, are turned around).
struct TEmfStretchDib {
  TPoint Dest;
  TSize DestSize;
  TPoint Source;
  TSize SourceSize;
  uint32_t Rop = 0;
  std::string_view Info, Bits;  // empty when the record carries no bitmap
  bool HasBitmap() const { return !Info.empty(); }
};
TEmfStretchDib ReadEmfStretchDib(const TEmfRecord& r);

// FILLRGN, PAINTRGN and FRAMERGN: the rectangles in logical units, the brush handle (none for
// PAINTRGN, which paints with the current brush) and, for FRAMERGN, the frame's width and height.
struct TEmfRegionPaint {
  std::vector<TRect> Rects;
  std::optional<uint32_t> Brush;
  TSize FrameSize;
};
TEmfRegionPaint ReadEmfRegionPaint(const TEmfRecord& r);

// EXTSELECTCLIPRGN: the mode and the rectangles in device pixels; no rectangles when the record
// carries no region (with RGN_COPY: back to no clipping).
struct TEmfClipRegion {
  int Mode = 0;
  std::optional<std::vector<TRect>> Rects;
};
TEmfClipRegion ReadEmfClipRegion(const TEmfRecord& r);

// SETWORLDTRANSFORM and MODIFYWORLDTRANSFORM applied to the current transform; nothing when the
// record is refused (an unknown mode, values that are not finite, a transform that collapses
// the plane).
std::optional<TXForm> ApplyEmfWorldTransform(const TEmfRecord& r, const TXForm& current);

// GDICOMMENT: the comment's bytes.
std::string_view ReadEmfComment(const TEmfRecord& r);

// Stock objects by their handle (the ENHMETA_STOCK_OBJECT bit set): the pens, and whether the
// handle names a stock font.
std::optional<TLogPen> EmfStockPen(uint32_t handle);
bool IsEmfStockFont(uint32_t handle);
