// Images whose drawing waits until the text of the page has been drawn.
#pragma once

#include "html/foundation/shared/FreeList.h"

class TCanvas;
class TFontObj;
class TImageObj;

class TImageRec {
 public:
  TImageObj* Image = nullptr;  // not owned
  TCanvas* Canvas = nullptr;
  int X = 0, Y = 0;
  int BaselineY = 0;
  TFontObj* FontRun = nullptr;  // the font run at the image's position
};

class TDrawList : public TFreeList<TImageRec> {
 public:
  TDrawList() : TFreeList(true) {}
  void AddImage(TImageObj* image, TCanvas& canvas, TFontObj* fontRun, int baselineY, int y, int x);
  // Draws every entry in order.
  void DrawImages();
  // Drops the entries of an image that goes away.
  void RemoveImage(const TImageObj* image);
};
