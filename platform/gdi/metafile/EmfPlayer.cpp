#include "platform/gdi/metafile/EmfPlayer.h"

#include "platform/gdi/metafile/EmfPlayback.h"

namespace {

// Gives the target its state back however the playback ends.
class TSavedTarget {
 public:
  explicit TSavedTarget(TDeviceContext& dc) : dc_(dc), level_(dc.SaveDC()) {}
  ~TSavedTarget() { dc_.RestoreDC(level_); }
  TSavedTarget(const TSavedTarget&) = delete;
  TSavedTarget& operator=(const TSavedTarget&) = delete;

 private:
  TDeviceContext& dc_;
  int level_;
};

}  // namespace

void PlayEnhMetafile(TDeviceContext& target, std::string_view metafile, const TRect& dest) {
  TEmfReader reader(metafile);
  if (dest.Width() == 0 || dest.Height() == 0) return;
  TSavedTarget saved(target);
  TEmfPlayback playback(target, reader.Header(), dest);
  for (const TEmfRecord& record : reader.Records())
    if (!playback.Play(record)) break;
}
