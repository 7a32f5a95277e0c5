// The state of one playback: the target, the mapping from the metafile's logical units to
// the target's, the metafile's object table and the bookkeeping of saved states and clipping.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "platform/gdi/dc/MeasureDC.h"
#include "platform/gdi/fonts/LogFont.h"
#include "platform/gdi/metafile/EmfReader.h"

// Keeps the metafile's own mapping (map mode, window and viewport) and turns its logical
// units into pixels of its reference device. Its clip region is that of the surface the
// metafile is played on: a clip rectangle combined with no clip region yet is combined with
// the surface (in the metafile's device pixels), not with the reference device, which a
// page taller than the screen outgrows.
class TEmfMapping : public TMeasureDC {
 public:
  explicit TEmfMapping(TSize device) : TEmfMapping(device, {0, 0, device.cx, device.cy}) {}
  TEmfMapping(TSize device, const TRect& surface) : TMeasureDC(device), surface_(surface) {}
  using TDeviceContextBase::ScaleX;
  using TDeviceContextBase::ScaleY;
  using TDeviceContextBase::ToDevice;
  int ExtSelectClipRgn(const TRegion* region, int mode) override;

 private:
  TRect surface_;
};

class TEmfPlayback {
 public:
  TEmfPlayback(TDeviceContext& target, const TEmfHeader& header, const TRect& dest);
  // Draws one record; false after the end-of-file record.
  bool Play(const TEmfRecord& record);

 private:
  struct TObject {
    enum TKind { Empty, Pen, Brush, Font } Kind = Empty;
    TLogPen PenValue;
    TLogBrush BrushValue;
    TLogFont FontValue;
  };

  // Metafile logical units through the world transform to the metafile's device pixels.
  TPointF ToDevice(double x, double y) const;
  // Metafile logical units to target logical units.
  TPoint Map(TPoint p) const;
  TRect MapRect(const TRect& r) const;
  int MapLengthX(int v) const;
  int MapLengthY(int v) const;
  // Metafile device pixels to target logical units (clip regions are in device pixels).
  TPoint MapDevice(TPoint p) const;
  std::vector<TPoint> MapPoints(std::vector<TPoint> points) const;

  void PlayPoly(const TEmfRecord& r);
  void PlayPolyPoly(const TEmfRecord& r);
  void PlayTo(const TEmfRecord& r);
  void PlayText(const TEmfRecord& r);
  void PlayBlt(const TEmfRecord& r);
  void PlayStretchDIBits(const TEmfRecord& r);
  void PlaySelect(uint32_t handle);
  void PlayCreate(const TEmfRecord& r);
  void PlayFillRgn(const TEmfRecord& r);
  void PlayClipRgn(const TEmfRecord& r);
  void PlayOffsetClip(const TEmfRecord& r);
  void PlayRestore(int relative);
  // The clip region of the target kept inside the one it had before the playback.
  void KeepInsideInitialClip();
  TObject* Entry(uint32_t handle);

  TDeviceContext& target_;
  TEmfMapping mapping_;
  TRect frame_;  // metafile device pixels that fill dest
  TRect dest_;
  double sx_ = 1, sy_ = 1;
  std::vector<TObject> objects_;
  int depth_ = 0;  // saves made by the metafile and not restored yet
  bool pathOpen_ = false;  // a path bracket of the metafile is open
  // The world transform (logical units to page units) and its saved values; shear and
  // rotation move the corners of shapes only, as the target draws upright shapes.
  TXForm world_;
  std::vector<TXForm> savedWorld_;
  std::optional<TRegion> initialClip_;
};
