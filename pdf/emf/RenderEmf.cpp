// RenderEmfToCanvas: a metafile replayed onto the current PDF page.
#include <optional>

#include "pdf/document/PdfCanvas.h"
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
  TPdfEnum player(canvas, scale);
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
