#include "html/document/model/DrawList.h"

#include "html/document/floats/ImageObj.h"

void TDrawList::AddImage(TImageObj* image, TCanvas& canvas, TFontObj* fontRun, int baselineY, int y, int x) {
  auto* rec = new TImageRec;
  rec->Image = image;
  rec->Canvas = &canvas;
  rec->X = x;
  rec->Y = y;
  rec->BaselineY = baselineY;
  rec->FontRun = fontRun;
  Add(rec);
}

void TDrawList::DrawImages() {
  for (int i = 0; i < Count(); ++i) {
    TImageRec* rec = Items(i);
    rec->Image->Draw(*rec->Canvas, rec->X, rec->FontRun, rec->BaselineY, rec->Y);
  }
}

void TDrawList::RemoveImage(const TImageObj* image) {
  for (int i = Count() - 1; i >= 0; --i)
    if (Items(i)->Image == image) Delete(i);
}
