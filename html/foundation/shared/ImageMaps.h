// Client-side image maps: the areas of a MAP element and the hit test over them.
#pragma once

#include <memory>
#include <vector>

#include "html/foundation/shared/Attributes.h"
#include "html/foundation/shared/UrlTarget.h"
#include "platform/gdi/regions/Region.h"

class TMapArea {
 public:
  bool ContainsPoint(int x, int y) const { return Rgn.Contains(x, y); }
  String LinkUrl;  // empty for NOHREF
  TRegion Rgn;
  String FrameTarget;
  String Tooltip;
};

class TMapItem {
 public:
  // Adds the area of an AREA tag; an area with too few coordinates is dropped.
  void AddAreaFromTag(const TAttributeList& attributes);
  // The first area containing the point decides: its link (a new target) and title, or
  // false for NOHREF; false when none contains it.
  bool HitTest(int x, int y, std::unique_ptr<TUrlTarget>& target, String& title) const;

  std::vector<std::unique_ptr<TMapArea>> AreaList;
  String NameKey;  // the upper-cased NAME
};

// Takes the next coordinate from s (up to a comma or blank) and removes the separators
// after it.
String TakeCoordToken(String& s);
