// The link being parsed or hit, and the base of font runs that belong to a link.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/rtl/Types.h"

class TAttributeList;

class TUrlTarget {
 public:
  void StartLink(const String& url, const String& target, const TAttributeList& attributes, int startPos);
  void CopyFrom(const TUrlTarget& source) { *this = source; }
  void Reset() { *this = TUrlTarget(); }
  template <class TLinks>
  void SetEndPosition(const TLinks& links, int endPos);

  String LinkUrl;
  String FrameTarget;
  int32_t Serial = 0;
  String AttrText;  // name=value lines, each ending in CR LF
  int32_t StartPos = -1;
  int32_t EndPos = -1;
  int32_t TabPosition = 0;
};

class TFontObjBase {
 public:
  virtual ~TFontObjBase() = default;
  TUrlTarget* LinkTarget = nullptr;
};

// Sets the end of this link and of the trailing font runs of the same link (links is a list
// of font runs, TFontObjBase pointers, in document order).
template <class TLinks>
void TUrlTarget::SetEndPosition(const TLinks& links, int endPos) {
  EndPos = endPos;
  for (auto it = links.rbegin(); it != links.rend(); ++it) {
    TUrlTarget* target = (*it)->LinkTarget;
    if (!target || target->Serial != Serial) break;
    target->EndPos = endPos;
  }
}
