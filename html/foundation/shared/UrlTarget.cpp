#include "html/foundation/shared/UrlTarget.h"

#include "html/foundation/shared/Attributes.h"

int32_t NextLinkSerial = 10;

void TUrlTarget::StartLink(const String& url, const String& target, const TAttributeList& attributes, int startPos) {
  LinkUrl = url;
  FrameTarget = target;
  Serial = NextLinkSerial++;
  StartPos = startPos;
  AttrText.clear();
  for (const String& line : attributes.ToNameValueList()) AttrText += line + u"\r\n";
}
