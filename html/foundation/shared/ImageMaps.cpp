#include "html/foundation/shared/ImageMaps.h"

#include "html/foundation/globals/TextHelpers.h"
#include "platform/rtl/IntConvert.h"

String TakeCoordToken(String& s) {
  String token;
  const size_t comma = s.find(u',');
  const size_t blank = s.find(u' ');
  if (comma != String::npos && (blank == String::npos || comma < blank)) {
    token = s.substr(0, comma);
    s.erase(0, comma + 1);
  } else if (blank != String::npos) {
    token = s.substr(0, blank);
    s.erase(0, blank + 1);
  } else {
    token = TrimText(s);
    s.clear();
  }
  const size_t keep = s.find_first_not_of(u", ");
  s.erase(0, keep == String::npos ? s.size() : keep);
  return token;
}

void TMapItem::AddAreaFromTag(const TAttributeList& attributes) {
  enum { Rect, Circle, Poly } shape = Rect;
  auto area = std::make_unique<TMapArea>();
  std::vector<int> coords;
  for (int i = 0; i < attributes.Count(); ++i) {
    const TAttribute& a = *attributes.AttributeAt(i);
    switch (a.Symbol) {
      case CoordsAttrSy: {
        coords.clear();
        String rest = TrimText(a.ValueText);
        while (coords.size() < 301) {
          const String token = TakeCoordToken(rest);
          if (token.empty()) break;
          coords.push_back(StrToIntDef(token, 0));
        }
        break;
      }
      case HrefAttrSy: area->LinkUrl = a.ValueText; break;
      case NoHrefAttrSy: area->LinkUrl.clear(); break;
      case ShapeAttrSy: {
        const String kind = LowerCaseText(a.ValueText).substr(0, 4);
        if (kind == u"circ") shape = Circle;
        else if (kind == u"poly") shape = Poly;
        else if (kind == u"rect") shape = Rect;
        break;
      }
      case TargetAttrSy: area->FrameTarget = a.ValueText; break;
      case TitleAttrSy: area->Tooltip = a.ValueText; break;
    }
  }
  const size_t n = coords.size();
  if (shape == Rect && n >= 4) {
    area->Rgn = TRegion::FromRect(TRect{coords[0], coords[1], coords[2] + 1, coords[3] + 1});
  } else if (shape == Circle && n >= 3) {
    const int x = coords[0], y = coords[1], r = coords[2];
    area->Rgn = TRegion::FromEllipse(TRect{x - r, y - r, x + r + 1, y + r + 1});
  } else if (shape == Poly && n >= 6) {
    std::vector<TPoint> points;
    for (size_t i = 0; i + 1 < n; i += 2) points.push_back(TPoint{coords[i], coords[i + 1]});
    area->Rgn = TRegion::FromPolygon(points, WINDING);
  } else {
    return;
  }
  if (area->Rgn.IsEmpty()) return;
  AreaList.push_back(std::move(area));
}

bool TMapItem::HitTest(int x, int y, std::unique_ptr<TUrlTarget>& target, String& title) const {
  target.reset();
  title.clear();
  for (const auto& area : AreaList) {
    if (!area->ContainsPoint(x, y)) continue;
    if (area->LinkUrl.empty()) return false;
    target = std::make_unique<TUrlTarget>();
    target->LinkUrl = area->LinkUrl;
    target->FrameTarget = area->FrameTarget;
    title = area->Tooltip;
    return true;
  }
  return false;
}
