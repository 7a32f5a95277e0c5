#include "platform/gdi/metafile/MetafileCanvas.h"

TMetafileCanvas::TMetafileCanvas(TMetafile& metafile, const TDeviceContext* reference)
    : TCanvas(static_cast<TDeviceContext*>(nullptr)), metafile_(metafile), recorder_(reference) {
  SetHandle(&recorder_);
}

TMetafileCanvas::~TMetafileCanvas() {
  if (!recorder_.Finished()) Close();
}

void TMetafileCanvas::Close() {
  const int width = metafile_.Width(), height = metafile_.Height();
  metafile_.SetData(recorder_.Finish(width, height));
  if (width > 0 && height > 0) {
    // The frame is stored in hundredths of a millimetre; keep the size exactly as given.
    metafile_.SetWidth(width);
    metafile_.SetHeight(height);
  }
}
