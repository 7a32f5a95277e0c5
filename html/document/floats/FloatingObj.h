// What images and panels in a section's text share: the placeholder position, the box, the
// float side and vertical alignment, the spacing around the box, the specified size, the
// alternative text and where the object was last drawn.
#pragma once

#include <cstdint>

#include "html/foundation/shared/IdObjects.h"
#include "platform/rtl/Types.h"

class TCanvas;
class TFontObj;
class TProperties;
class ThtDocument;

class TFloatingObj : public TIDObject {
 public:
  explicit TFloatingObj(ThtDocument* document) : Document(document) {}
  // The shared fields of the source, for the printing copy.
  TFloatingObj(ThtDocument* document, const TFloatingObj& source);
  // Leaves the document's id list.
  ~TFloatingObj() override;
  TFloatingObj(const TFloatingObj&) = delete;
  TFloatingObj& operator=(const TFloatingObj&) = delete;

  int AnchorY() const override { return DrawTop; }
  // Works out the box for the available height and width (font run: the run at the object).
  virtual void MeasureBox(TCanvas& canvas, int availableHeight, int availableWidth, TFontObj* fontRun) = 0;

  // Keeps the text without its trailing carriage returns and line feeds.
  void SetAlt(const String& text);
  // Vertical alignment, float side, spacing, specified size and border from the element's CSS.
  void ApplyProperties(TProperties& properties);
  int TotalHeight() const { return SpaceTop + BoxHeight + SpaceBottom; }
  int TotalWidth() const { return SpaceLeft + BoxWidth + SpaceRight; }
  bool Floats() const { return FloatSide == 5 || FloatSide == 6; }

  ThtDocument* Document;  // not owned
  int32_t CharPos = 0;
  int32_t BoxHeight = 0, BoxWidth = 0;
  uint8_t FloatSide = 0;       // 0 inline, 5 left, 6 right
  uint8_t VertAlignKind = 4;   // 0 floats, 1 top, 2 middle, 3 baseline, 4 bottom
  int32_t FloatLeft = 0;
  int32_t SpaceLeft = 0, SpaceRight = 0, SpaceTop = 0, SpaceBottom = 0;
  int32_t SpecWidth = -1, SpecHeight = -1;
  bool WidthIsPercent = false, HeightIsPercent = false;
  String TitleText;
  String AltText;
  bool SizeKnown = false;
  int32_t DrawTop = 0, DrawLeft = 0;
  bool NoBorder = false;
  int32_t BorderSize = 0;  // 0 to 10
};
