// Font descriptions built from style properties: one font, and the four link-state fonts.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "html/foundation/css/PropValue.h"
#include "platform/gdi/Colors.h"
#include "platform/gdi/canvas/GraphicsObjects.h"
#include "platform/rtl/Types.h"

class ThtFontInfo {
 public:
  String Name;
  double Size = 0;  // points
  TFontStyles Style = 0;
  TColor Color = 0;
  TColor BackColor = clNone;
  uint8_t Charset = 1;
  TPropValue LetterSpacing;
  void CopyFields(const ThtFontInfo& source) { *this = source; }
};

// Entry 0 link, 1 visited, 2 hover, 3 visited and hover.
class TFontInfoArray {
 public:
  std::array<ThtFontInfo, 4> Infos;
  ThtFontInfo& operator[](int i) { return Infos[static_cast<size_t>(i)]; }
  const ThtFontInfo& operator[](int i) const { return Infos[static_cast<size_t>(i)]; }
  void CopyInfos(const TFontInfoArray& source) { Infos = source.Infos; }
};
