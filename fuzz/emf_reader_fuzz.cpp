// Feeds arbitrary bytes to the enhanced-metafile reader and plays what it accepts onto a
// measuring device context, a small raster device context and the metafile recorder, and
// renders it onto a PDF page. Broken input may only raise EInvalidGraphic (EInvalidMetafile is
// one); anything else (another exception, a sanitizer report, an out-of-memory) is a fault.
// What the recorder writes while playing must itself be a metafile the reader accepts.
#include <cstdint>
#include <string>
#include <string_view>

#include "pdf/document/PdfDocument.h"
#include "pdf/emf/PdfEnum.h"
#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/bitmaps/ImageLimits.h"
#include "platform/gdi/dc/MeasureDC.h"
#include "platform/gdi/dc/RasterDC.h"
#include "platform/gdi/metafile/EmfPlayer.h"
#include "platform/gdi/metafile/EmfReader.h"
#include "platform/gdi/metafile/Metafile.h"
#include "platform/gdi/metafile/MetafileRecorder.h"

// fontconfig keeps its configuration until the process ends.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Small pictures keep each input fast and the memory small.
  static const bool budgetSet = (SetImagePixelBudget(int64_t{1} << 16), true);
  (void)budgetSet;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    TEmfReader reader(bytes);
    uint64_t sum = 0;
    for (const TEmfRecord& r : reader.Records()) sum += r.Type() + r.Size();
    (void)sum;
  } catch (const EInvalidMetafile&) {
    return 0;
  }
  TMeasureDC measure;
  TPixelImage pixels(32, 24);
  TRasterDC raster(pixels.Buffer());
  TMetafileRecorder recorder;
  for (TDeviceContext* dc : {static_cast<TDeviceContext*>(&measure), static_cast<TDeviceContext*>(&raster),
                             static_cast<TDeviceContext*>(&recorder)}) {
    try {
      PlayEnhMetafile(*dc, bytes, {0, 0, 32, 24});
    } catch (const EInvalidGraphic&) {
    }
  }
  std::string again = recorder.Finish(32, 24);
  TEmfReader check(again);  // raises, and so fails the run, if the recorder wrote a broken metafile

  TPdfDocument doc;
  doc.AddPage();
  TMetafile metafile;
  metafile.SetData(std::string(bytes));
  try {
    RenderEmfToCanvas(doc.Canvas(), metafile, 1, 0, 0);
  } catch (const EInvalidGraphic&) {
  }
  return 0;
}
