#include "html/document/model/ChPosObj.h"

#include "html/document/model/Document.h"

TChPosObj::~TChPosObj() {
  if (Document) Document->IdList.RemoveObject(this);
}

int TChPosObj::AnchorY() const {
  if (!Document) return 0;
  const int cursor = Document->SourceToCursor(SourcePosition, false);
  int x = 0, y = 0;
  if (cursor < 0 || !Document->CursorToXY(Document->MeasureCanvas(), cursor, x, y)) return 0;
  return y;
}
