// Drawing an image in its line: the picture, or the placeholder with the alternative
// text, the border of linked images, focus rectangles and links of printed pages.
#include <algorithm>

#include "html/document/floats/Frames.h"
#include "html/document/floats/ImageObj.h"
#include "html/document/model/Document.h"
#include "html/foundation/viewer/ImageDrawing.h"
#include "html/foundation/viewer/ViewerBase.h"
#include "html/foundation/viewer/ViewerDrawing.h"
#include "platform/gdi/canvas/Canvas.h"

void TImageObj::Draw(TCanvas& canvas, int x, TFontObj* fontRun, int baselineY, int lineTopY) {
  if (!Document) return;
  const int yOffset = Document->YOffset;
  baselineY -= yOffset;
  lineTopY -= yOffset;
  const bool placeholder = !Document->ShowImages || stock_;
  canvas.Brush().SetStyle(bsClear);
  SelectAltFont(canvas);

  int y;
  if (Floats()) y = lineTopY;
  else if (VertAlignKind == 2) {
    const int descent = fontRun ? fontRun->BelowBaseline : 0;
    const int cellHeight = fontRun ? fontRun->CellHeight : 0;
    y = baselineY + descent - cellHeight / 2 - (BoxHeight + SpaceBottom - SpaceTop) / 2;
  } else if (VertAlignKind == 3 || VertAlignKind == 4) y = baselineY - BoxHeight - SpaceBottom;
  else y = lineTopY + SpaceTop;
  const int boxLeft = x, boxTop = y;
  int pictureX = x, pictureY = y;
  if (!Floats() && BorderSize > 0) {
    pictureX += BorderSize;
    pictureY += BorderSize;
  }
  DrawLeft = pictureX;
  DrawTop = pictureY + yOffset;

  const TColor runColor = fontRun ? fontRun->RunFont->Color() : clBlack;
  if (placeholder) {
    if (PlaceholderWidth >= 24 && PlaceholderHeight >= 24) DrawPicture(canvas, pictureX + 4, pictureY + 4);
    if (BorderSize == 0) {
      canvas.Font().SetColor(runColor);
      canvas.TextExtent(String());  // selects the font
      DrawWrappedText(canvas, pictureX + 24, pictureY, pictureX + PlaceholderWidth, pictureY + PlaceholderHeight,
                      AltText);
      Draw3DFrame(*Document, canvas, pictureX, 1, false, pictureY + PlaceholderHeight, pictureX + PlaceholderWidth,
                  pictureY);
    }
  } else {
    DrawPicture(canvas, pictureX, pictureY);
  }

  if (BorderSize > 0) {
    TPen saved;
    saved.Assign(canvas.Pen());
    canvas.Pen().SetColor(runColor);
    canvas.Pen().SetWidth(BorderSize);
    canvas.Pen().SetStyle(psInsideFrame);
    if (placeholder) {
      canvas.Font().SetColor(runColor);
      canvas.TextExtent(String());
      DrawWrappedText(canvas, pictureX + 24, pictureY, pictureX + PlaceholderWidth, pictureY + PlaceholderHeight,
                      AltText);
    }
    canvas.Brush().SetStyle(bsClear);
    canvas.Rectangle(boxLeft, boxTop, boxLeft + BoxWidth, boxTop + BoxHeight);
    canvas.Pen().Assign(saved);
  }

  const TRect box{boxLeft, boxTop, boxLeft + BoxWidth, boxTop + BoxHeight};
  const bool hasUrl = fontRun && !fontRun->GetUrl().empty();
  if (Document->IsCopy) {
    if (Document->LinkDrawn && hasUrl)
      Document->LinkDrawn(Document->PageNumber, box, fontRun->LinkTarget->FrameTarget, fontRun->GetUrl());
  } else if (fontRun && fontRun->HasFocus && Document->Viewer && Document->Viewer->DrawsFocusRect()) {
    canvas.DrawFocusRect(box);
  }
}

void TImageObj::DrawPicture(TCanvas& canvas, int x, int y) {
  const int w = ScaledWidth, h = ScaledHeight;
  const TRect rect{x, y, x + w, y + h};
  try {
    if (auto* gp = std::get_if<TGpImage*>(&Picture)) {
      if (!Document->Printing) PaintGpImageStretched(canvas.Handle(), **gp, x, y, w, h);
      else if (Document->PrintBackground || ContainerPositioned)
        PaintGpImageStretchedScaled(canvas.Handle(), **gp, x, y, w, h, Document->PrintScaleX, Document->PrintScaleY);
      else if (const TBitmap* reduced = Document->PrintedPictures.Reduced(LoadedImage, (*gp)->Bitmap(), true, w, h))
        PrintBitmapDIB(canvas, x, y, w, h, reduced);
      else PrintGpImageOnColor(canvas, **gp, x, y, w, h, clWhite);
    } else if (auto* gif = std::get_if<TGIFImage*>(&Picture)) {
      if (Document->IsCopy) {
        TBitmap* still = (*gif)->GetStillBitmap();
        TBitmap* stillMask = (*gif)->GetStillMask();
        if (still && stillMask) PrintMaskedBitmap(canvas, x, y, w, h, *still, *stillMask, 0, still->Height());
        else if (still) PrintBitmapDIB(canvas, x, y, w, h, still);
      } else {
        (*gif)->Showing = true;
        (*gif)->Drawn = true;  // the document's timer advances only what was painted
        (*gif)->DrawFrame(canvas, x, y, w, h);
      }
    } else if (auto* bitmap = std::get_if<TBitmap*>(&Picture)) {
      TBitmap& b = **bitmap;
      if (Document->IsCopy) {
        if (Mask) PrintMaskedBitmap(canvas, x, y, stock_ ? b.Width() : w, stock_ ? b.Height() : h, b, *Mask, 0, b.Height());
        else if (stock_) PrintBitmapDIB(canvas, x, y, b.Width(), b.Height(), &b);
        else if (const TBitmap* reduced = Document->PrintedPictures.Reduced(LoadedImage, b, false, w, h))
          PrintBitmapDIB(canvas, x, y, w, h, reduced);
        else PrintBitmapDIB(canvas, x, y, w, h, &b);
      } else if (Mask) {
        DrawMaskedBitmap(canvas.Handle(), b, *Mask, x, y, stock_ ? b.Width() : w, stock_ ? b.Height() : h);
      } else if (stock_) {
        canvas.Draw(x, y, b);
      } else {
        canvas.StretchDraw(rect, b);
      }
    } else if (auto* meta = std::get_if<ThtMetaFile*>(&Picture)) {
      canvas.StretchDraw(rect, **meta);
    }
  } catch (const Exception&) {
    // One picture that cannot be drawn does not stop the page from painting.
  }
}
