// RenderEmfToCanvas: a metafile replayed onto the current PDF page.
#include <optional>

#include "pdf/document/PdfCanvas.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/emf/PdfEnum.h"
#include "platform/gdi/metafile/Metafile.h"

void RenderEmfToCanvas(TPdfCanvas& canvas, const TMetafile& metafile, double scale, float xOffset, float yOffset,
                       bool useTextJustification, float kerningLow, float kerningHigh) {
  if (!canvas.HasPage()) return;
  // The whole chain of records is checked before anything is written.
  std::optional<TEmfReader> reader;
  if (!metafile.Empty()) reader.emplace(metafile.Data());
  canvas.OffsetX = xOffset;
  canvas.OffsetY = yOffset;
  canvas.UseTextJustification = useTextJustification;
  canvas.KerningLow = kerningLow;
  canvas.KerningHigh = kerningHigh;
  double scaleX = scale, scaleY = scale;
  TSize device{1920, 1080};
  uint16_t handles = 0;
  TRect frame;
  if (reader) {
    // Pixels of the reference device per screen pixel, from its size in micrometres (or
    // millimetres) and in pixels.
    const TEmfHeader& h = reader->Header();
    double ppi = canvas.Doc().ScreenLogPixels();
    auto factor = [ppi](int pixels, int micrometers, int millimeters) {
      double mm = micrometers > 0 ? micrometers / 1000.0 : millimeters;
      double f = pixels > 0 && mm > 0 ? mm / 25.4 * ppi / pixels : 1;
      return f > 1e-4 && f < 1e4 ? f : 1;
    };
    scaleX *= factor(h.Device.cx, h.Micrometers.cx, h.Millimeters.cx);
    scaleY *= factor(h.Device.cy, h.Micrometers.cy, h.Millimeters.cy);
    if (h.Device.cx > 0 && h.Device.cy > 0) device = h.Device;
    handles = h.Handles;
    frame = h.FramePixels();
  }
  TPdfEnum player(canvas, scaleX, scaleY, device, handles, frame);
  player.UpdateMapping();
  canvas.SaveState();
  // A record that turns out broken ends the replay with what was drawn before it, and
  // still leaves the page's graphics state as it was.
  struct TRestore {
    TPdfEnum& Player;
    TPdfCanvas& Canvas;
    ~TRestore() {
      Player.Finish();
      Canvas.RestoreState();
    }
  } restore{player, canvas};
  if (!reader) return;
  for (const TEmfRecord& record : reader->Records()) player.Play(record);
}
