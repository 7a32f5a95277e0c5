// TMetafileCanvas: a canvas whose device context records into a TMetafile. The metafile gets
// its records when the canvas is closed or destroyed; its width and height, when set before,
// are the metafile's frame (else the bounds of what was drawn).
#pragma once

#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/metafile/Metafile.h"
#include "platform/gdi/metafile/MetafileRecorder.h"

class TMetafileCanvas : public TCanvas {
 public:
  // reference: the device metric queries answer for (null: the screen at 96 pixels per inch).
  explicit TMetafileCanvas(TMetafile& metafile, const TDeviceContext* reference = nullptr);
  ~TMetafileCanvas() override;

  // Finishes the metafile now; drawing afterwards raises EInvalidOperation.
  void Close();
  TMetafileRecorder& Recorder() { return recorder_; }

 private:
  TMetafile& metafile_;
  TMetafileRecorder recorder_;
};
