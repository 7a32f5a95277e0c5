// TMetafile: a picture held as an enhanced metafile, with its size in pixels of the screen.
// It is made by drawing on a TMetafileCanvas, loaded from .emf data, and drawn by playing
// its records onto the target canvas.
#pragma once

#include <string>

#include "platform/gdi/bitmaps/Graphic.h"

class TMetafile : public TGraphic {
 public:
  TMetafile() = default;

  // Reads an enhanced metafile; raises EInvalidMetafile (an EInvalidGraphic) for data that is
  // not one, and the picture stays as it was. Width and height come from the metafile's frame.
  void LoadFromStream(TStream& stream) override;
  // Writes the metafile with its frame set to the present width and height. Raises
  // EInvalidGraphicOperation for an empty metafile.
  void SaveToStream(TStream& stream) override;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetWidth(int width) { width_ = width; }
  void SetHeight(int height) { height_ = height; }
  bool Empty() const override { return data_.empty(); }
  void Clear();

  // The metafile's bytes (empty for an empty metafile).
  const std::string& Data() const { return data_; }
  // Takes finished metafile bytes (what a TMetafileCanvas hands over when it closes).
  void SetData(std::string data);

  // A bitmap of the metafile's size, white, with the metafile played onto it.
  void AssignTo(TBitmap& target) const override;
  // Plays the records onto the canvas's device context, scaled into rect.
  void Draw(TCanvas& canvas, const TRect& rect) override;

 private:
  std::string data_;
  int width_ = 0;
  int height_ = 0;
};
