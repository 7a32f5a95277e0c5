// The base of every picture class: loading and saving through streams and files, size,
// emptiness and the transparent flag.
#pragma once

#include <string>

#include "platform/gdi/geometry/Geometry.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Types.h"

class TBitmap;
class TCanvas;

class TGraphic {
 public:
  virtual ~TGraphic() = default;

  // Reads the picture from the stream's position to its end. Raises EInvalidGraphic for
  // data that is not a valid picture of the class; the picture is then unchanged.
  virtual void LoadFromStream(TStream& stream) = 0;
  // Writes the picture at the stream's position. Raises EInvalidGraphicOperation for an
  // empty picture.
  virtual void SaveToStream(TStream& stream) = 0;
  // The same through a file (opened for reading with writers denied; created for saving).
  void LoadFromFile(const String& fileName);
  void SaveToFile(const String& fileName);

  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const = 0;

  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool value) { transparent_ = value; }

  // Puts a copy of the picture into a bitmap (what TBitmap::Assign calls).
  virtual void AssignTo(TBitmap& target) const = 0;

  // Draws the picture stretched into `rect` of the canvas. Pictures with their own way of
  // drawing override it; this one draws a bitmap copy (AssignTo) with the same Transparent.
  virtual void Draw(TCanvas& canvas, const TRect& rect);

 protected:
  TGraphic() = default;
  TGraphic(const TGraphic&) = default;
  TGraphic& operator=(const TGraphic&) = default;

 private:
  bool transparent_ = false;
};

// The bytes from the stream's position to its end.
std::string ReadRestOfStream(TStream& stream);
