// Reading enhanced metafiles: the header and the records of a metafile in memory, each
// record a bounds-checked view of its bytes. A metafile whose records do not chain up to an
// end-of-file record inside the data raises EInvalidMetafile; so does every read of a field
// that lies beyond its record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/geometry/Geometry.h"

WENDREL_DECLARE_EXCEPTION(EInvalidMetafile, EInvalidGraphic);

class TEmfRecord {
 public:
  TEmfRecord(std::string_view bytes, size_t offset) : bytes_(bytes), offset_(offset) {}

  uint32_t Type() const { return U32(0); }
  uint32_t Size() const { return static_cast<uint32_t>(bytes_.size()); }
  // The whole record, type and size included, and its position in the metafile.
  std::string_view Bytes() const { return bytes_; }
  size_t Offset() const { return offset_; }

  // Fields by their byte offset from the start of the record.
  uint32_t U32(size_t at) const;
  int32_t I32(size_t at) const { return static_cast<int32_t>(U32(at)); }
  uint16_t U16(size_t at) const;
  int16_t I16(size_t at) const { return static_cast<int16_t>(U16(at)); }
  float F32(size_t at) const;
  TPoint PointL(size_t at) const { return {I32(at), I32(at + 4)}; }
  TPoint PointS(size_t at) const { return {I16(at), I16(at + 2)}; }
  TSize SizeL(size_t at) const { return {I32(at), I32(at + 4)}; }
  TRect RectL(size_t at) const { return {I32(at), I32(at + 4), I32(at + 8), I32(at + 12)}; }
  // count bytes from at; raises when they do not lie inside the record.
  std::string_view Span(size_t at, size_t count) const;
  // count elements of elementSize bytes from at, checked without overflow.
  std::string_view Array(size_t at, size_t count, size_t elementSize) const;
  // The rectangles of region data: its byte count stands at sizeAt, the data (header, then
  // the rectangles) starts at dataAt; raises when the rectangles do not lie inside the data.
  std::vector<TRect> RegionRects(size_t sizeAt, size_t dataAt) const;

 private:
  [[noreturn]] void Fail() const;
  std::string_view bytes_;
  size_t offset_;
};

struct TEmfHeader {
  TRect Bounds;          // inclusive device bounds of what the metafile draws
  TRect Frame;           // picture frame in 0.01 mm
  uint32_t Version = 0;
  uint32_t Bytes = 0;    // size of the whole metafile
  uint32_t Records = 0;  // number of records, header and end-of-file included
  uint16_t Handles = 0;  // size of the object table, the metafile's own entry 0 included
  String Description;
  TSize Device;          // reference device in pixels
  TSize Millimeters;     // ... and in millimetres
  TSize Micrometers;     // ... and in micrometres (0 x 0 when the header has no such field)

  // The frame in pixels of the reference device (right and bottom as given: exclusive for
  // the metafiles this system writes).
  TRect FramePixels() const;
};

class TEmfReader {
 public:
  // Checks the header and the chain of records; raises EInvalidMetafile when they are broken.
  // The data must outlive the reader and every record view taken from it.
  explicit TEmfReader(std::string_view data);

  const TEmfHeader& Header() const { return header_; }
  // The records in file order, from the header to the end-of-file record.
  const std::vector<TEmfRecord>& Records() const { return records_; }

 private:
  TEmfHeader header_;
  std::vector<TEmfRecord> records_;
};

// Raises EInvalidMetafile with a message about the record at the given offset.
[[noreturn]] void ThrowInvalidMetafile(const char* what, size_t offset);
