// A host-supplied window (PANEL and OBJECT elements) placed in the text like an image.
#pragma once

#include <functional>
#include <memory>

#include "html/document/floats/FloatingObj.h"
#include "platform/ui/controls/Buttons.h"

class TAttributeList;
class TBitmap;

class ThvPanel : public TPanel {
 public:
  using TPanel::TPanel;
  bool ShowInDocument = true;  // the window may be shown where the document places it
};

class TPanelObj : public TFloatingObj {
 public:
  // The panel window sits on the document's paint panel, off-screen until painted.
  TPanelObj(ThtDocument* document, bool forObject, const TAttributeList& attributes, int charPos);
  // For the printing copy: a window of the source's bounds, not shown.
  TPanelObj(ThtDocument* document, const TPanelObj& source);
  // Tells the host (PanelDestroy) and leaves the document's panel list.
  ~TPanelObj() override;

  void MeasureBox(TCanvas& canvas, int availableHeight, int availableWidth, TFontObj* fontRun) override;
  // The panel on a printed page, its box at (x, y): the host's picture of the source panel
  // at the box's size (PanelPrint), else a frame in the panel's colour holding the
  // alternative text. Nothing when the panel is not to be shown in the document.
  void Draw(TCanvas& canvas, int x, int y);

  std::unique_ptr<ThvPanel> Panel;
  ThvPanel* SourcePanel = nullptr;  // printing copy: the screen document's panel
  // Printing copy: the screen document's handler that draws a panel into a bitmap.
  std::function<void(ThvPanel& panel, TBitmap& bitmap)> PanelPrint;
  bool IsPrintCopy = false;
  bool Shown = false;  // placed by the current paint; the document hides panels that were not
  String PanelSource, PanelType;  // SRC and TYPE, for the host

 private:
  int32_t naturalWidth_ = 0, naturalHeight_ = 0;  // the window's size after creation
};
