// The metafile recorder: a device-context backend that draws nothing and writes every call
// as enhanced-metafile records instead. State calls become state records (only when the value
// changes), pens, brushes and fonts become object records in a handle table whose freed
// entries are reused, and drawing calls become drawing records in logical units. Text is
// written with the advance of every character, so that a player draws it exactly as wide as
// it was measured here. Metrics come from the reference device: the screen (96 pixels per
// inch) unless another device context is given.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/dc/DeviceContextBase.h"
#include "platform/gdi/fonts/LogFont.h"

class TMetafileRecorder : public TDeviceContextBase {
 public:
  // reference: the device whose size and colour depth metric queries report (null: the screen).
  explicit TMetafileRecorder(const TDeviceContext* reference = nullptr);

  // Ends the recording and returns the metafile: header, records, end-of-file record. The
  // frame is Width x Height pixels of the reference device at the origin; when either is 0
  // or less, the frame is the bounds of what was drawn. Later calls raise EInvalidOperation.
  std::string Finish(int width, int height);
  bool Finished() const { return finished_; }

  // A comment record with the caller's bytes (players skip it; readers of the metafile use
  // it to pass data alongside the drawing).
  void GdiComment(std::string_view data);

  // --- state ---
  int SaveDC() override;
  bool RestoreDC(int level) override;
  TFontHandle SelectFont(const TFontHandle& font) override;
  TLogPen SelectPen(const TLogPen& pen) override;
  TLogBrush SelectBrush(const TLogBrush& brush) override;
  COLORREF SetTextColor(COLORREF color) override;
  COLORREF SetBkColor(COLORREF color) override;
  int SetBkMode(int mode) override;
  uint32_t SetTextAlign(uint32_t align) override;
  int SetROP2(int rop2) override;
  int SetStretchBltMode(int mode) override;
  int SetPolyFillMode(int mode) override;
  int SetMapMode(int mode) override;
  TPoint SetWindowOrgEx(int x, int y) override;
  TSize SetWindowExtEx(int cx, int cy) override;
  TPoint SetViewportOrgEx(int x, int y) override;
  TSize SetViewportExtEx(int cx, int cy) override;
  int SelectClipRgn(const TRegion* region) override;
  int ExtSelectClipRgn(const TRegion* region, int mode) override;
  int IntersectClipRect(const TRect& logical) override;
  int ExcludeClipRect(const TRect& logical) override;
  TPoint MoveToEx(int x, int y) override;
  bool BeginPath() override;
  bool EndPath() override;
  bool CloseFigure() override;
  bool AbortPath() override;
  bool StrokePath() override;
  bool FillPath() override;
  bool StrokeAndFillPath() override;

  // --- drawing ---
  bool TextOut(int x, int y, std::u16string_view text) override;
  bool ExtTextOut(int x, int y, uint32_t options, const TRect* rect, std::u16string_view text, const int* dx) override;
  bool FillRect(const TRect& rect, const TLogBrush& brush) override;
  bool FrameRect(const TRect& rect, const TLogBrush& brush) override;
  bool FillRgn(const TRegion& region, const TLogBrush& brush) override;
  bool Rectangle(int left, int top, int right, int bottom) override;
  bool RoundRect(int left, int top, int right, int bottom, int width, int height) override;
  bool Ellipse(int left, int top, int right, int bottom) override;
  bool Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
  bool Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
  bool Polygon(const std::vector<TPoint>& points) override;
  bool Polyline(const std::vector<TPoint>& points) override;
  bool PolyBezier(const std::vector<TPoint>& points) override;
  bool LineTo(int x, int y) override;
  // A focus rectangle inverts every other pixel, which no metafile record can express: it is
  // not recorded and the call reports failure.
  bool DrawFocusRect(const TRect& rect) override;
  bool PatBlt(int x, int y, int width, int height, uint32_t rop) override;
  bool BitBlt(int x, int y, int width, int height, const TDeviceContext* source, int xSrc, int ySrc,
              uint32_t rop) override;
  bool StretchBlt(int x, int y, int width, int height, const TDeviceContext* source, int xSrc, int ySrc, int widthSrc,
                  int heightSrc, uint32_t rop) override;
  bool StretchDIBits(int x, int y, int width, int height, int xSrc, int ySrc, int widthSrc, int heightSrc,
                     const TPixelBuffer& bits, uint32_t rop) override;
  COLORREF SetPixel(int x, int y, COLORREF color) override;
  // A metafile has no pixels to read.
  COLORREF GetPixel(int, int) const override { return CLR_INVALID; }
  const TPixelBuffer* Pixels() const override { return nullptr; }

 protected:
  TSize DeviceSize() const override { return deviceSize_; }
  int BitsPerPixel() const override { return bitsPerPixel_; }

 private:
  // An entry of the handle table.
  struct TObject {
    enum TKind { Free, Pen, Brush, Font } Kind = Free;
    TLogPen PenValue;
    TLogBrush BrushValue;
    TLogFont FontValue;
  };
  // Handles selected in the current state and in each saved one (stock handles included).
  struct TSelection {
    uint32_t Pen = 0;
    uint32_t Brush = 0;
    uint32_t Font = 0;  // 0: the device context's default font, never selected by a record
  };

  void Emit(std::string record);
  // Device bounds of what was drawn, from a logical rectangle widened by the pen.
  void AddBounds(const TRect& logical, int penWidth = 0);
  void AddPointBounds(const std::vector<TPoint>& points, bool stroked);
  TRect DeviceBoundsOf(const std::vector<TPoint>& points) const;
  int PenExtent() const;

  uint32_t PenHandle(const TLogPen& pen);
  uint32_t BrushHandle(const TLogBrush& brush);
  uint32_t FontHandle(const TLogFont& font);
  uint32_t NewHandle(TObject object);
  bool Referenced(uint32_t handle) const;
  // Deletes a table entry that no state refers to any more.
  void Release(uint32_t handle);
  // Selects handle into a slot of the current selection and releases the previous one.
  void Select(uint32_t& slot, uint32_t handle);

  void RecordPoly(uint32_t type32, uint32_t type16, const std::vector<TPoint>& points);
  void RecordBox(uint32_t type, const TRect& box);
  void RecordClipRegion(const TRegion* region, int mode);
  // A bit-block transfer from pixels (null: none) with the source's background colour.
  void RecordBlt(const TRect& dest, const TPixelBuffer* source, const TRect& sourceRect, COLORREF sourceBk,
                 uint32_t rop, bool stretch);

  TSize deviceSize_;
  int bitsPerPixel_;
  std::string records_;
  uint32_t recordCount_ = 0;
  std::vector<TObject> objects_{TObject{}};  // entry 0 stands for the metafile itself
  uint32_t maxHandle_ = 0;
  TSelection selection_;
  std::vector<TSelection> savedSelections_;
  bool hasBounds_ = false;
  TRect bounds_;
  bool finished_ = false;
};
