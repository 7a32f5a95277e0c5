// The font a control shows its text in.
#pragma once

#include <cstdint>

#include "platform/gdi/Colors.h"
#include "platform/rtl/Types.h"

struct TControlFont {
  String Name = u"Tahoma";
  int Size = 8;  // points
  bool Bold = false;
  TColor Color = clWindowText;

  bool operator==(const TControlFont&) const = default;
};
