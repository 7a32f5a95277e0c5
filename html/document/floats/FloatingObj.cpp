#include "html/document/floats/FloatingObj.h"

#include <cmath>

#include "html/document/model/Document.h"
#include "html/foundation/css/BoxValues.h"
#include "html/foundation/css/Properties.h"

TFloatingObj::TFloatingObj(ThtDocument* document, const TFloatingObj& source)
    : Document(document),
      CharPos(source.CharPos),
      BoxHeight(source.BoxHeight),
      BoxWidth(source.BoxWidth),
      FloatSide(source.FloatSide),
      VertAlignKind(source.VertAlignKind),
      FloatLeft(source.FloatLeft),
      SpaceLeft(source.SpaceLeft),
      SpaceRight(source.SpaceRight),
      SpaceTop(source.SpaceTop),
      SpaceBottom(source.SpaceBottom),
      AltText(source.AltText),
      NoBorder(source.NoBorder),
      BorderSize(source.BorderSize) {}

TFloatingObj::~TFloatingObj() {
  if (Document) Document->ForgetFloatingObj(this);
}

void TFloatingObj::SetAlt(const String& text) {
  AltText = text;
  while (!AltText.empty() && (AltText.back() == u'\r' || AltText.back() == u'\n')) AltText.pop_back();
}

namespace {
// The specified size from a converted CSS width or height: "auto" none, a percentage of
// the base width 200, or pixels.
void TakeCssSize(const TPropValue& value, int32_t converted, int32_t& specified, bool& isPercent) {
  if (converted == UnsetSentinel) return;
  if (converted == AutoSentinel) {
    specified = -1;
    isPercent = false;
  } else if (value.IsText() && value.AsText().find(u'%') != String::npos) {
    specified = static_cast<int32_t>(std::lround(static_cast<double>(converted) * 100 / 200));
    isPercent = true;
  } else {
    specified = converted;
    isPercent = false;
  }
}
}  // namespace

void TFloatingObj::ApplyProperties(TProperties& properties) {
  int kind = 0;
  if (properties.ReadVerticalAlign(kind)) VertAlignKind = static_cast<uint8_t>(kind);
  if (properties.ReadFloatSide(kind) && (kind == AlignLeft || kind == AlignRight)) {
    if (SpaceRight == 0) SpaceLeft = SpaceRight = 3;
    FloatSide = static_cast<uint8_t>(kind);
    VertAlignKind = 0;
  }
  if (TitleText.empty()) TitleText = properties.TitleText;

  TVMarginArray values;
  ReadBoxValues(properties, values);
  TIntBoxArray box;
  ConvertCellBoxValues(values, 200, box, properties.ExHeight, properties.EmHeight);
  const auto take = [&box](int property, int32_t& space) {
    if (box[BoxEntry(property)] != UnsetSentinel) space = box[BoxEntry(property)];
  };
  take(MarginLeft, SpaceLeft);
  take(MarginRight, SpaceRight);
  take(MarginTop, SpaceTop);
  take(MarginBottom, SpaceBottom);
  TakeCssSize(values[BoxEntry(Width)], box[BoxEntry(Width)], SpecWidth, WidthIsPercent);
  TakeCssSize(values[BoxEntry(Height)], box[BoxEntry(Height)], SpecHeight, HeightIsPercent);

  if (properties.ReadVerticalAlign(kind)) VertAlignKind = static_cast<uint8_t>(kind);
  if (properties.ReadFloatSide(kind) && (kind == AlignLeft || kind == AlignRight))
    FloatSide = static_cast<uint8_t>(kind);
  if (properties.BorderStyleDeclared()) {
    NoBorder = true;
    BorderSize = 0;
  }
}
